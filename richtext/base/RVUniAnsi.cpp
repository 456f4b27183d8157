#include "richtext/base/RVUniAnsi.h"

#include "richtext/base/RVClasses.h"
#include "richtext/base/RVStream.h"
#include "richtext/base/RVUni.h"

#include <optional>
#include <stdexcept>

namespace richtext {

namespace {

// Nothing when the code page cannot be used at all. Characters the code page lacks come out
// as "?" whatever default character the converter itself would use: converters of the
// double-byte pages have their own substitution bytes, and the export paths promise "?".
std::optional<std::string> TryConvert(TRVCodePage codePage, std::u16string_view s) {
  if (!RVU_IsCodePageSupported(codePage))
    return std::nullopt;
  std::string whole;
  bool usedDefault = false;
  try {
    whole = RVU_UnicodeToAnsiBytes(codePage, s, &usedDefault);
  } catch (const std::runtime_error&) {
    // The converter could not be used after all.
    return std::nullopt;
  }
  if (whole.empty())
    return std::nullopt;
  if (!usedDefault)
    return whole;

  // Some character had no mapping: convert character by character so that each unmappable
  // one becomes exactly one "?" (a surrogate pair is one character).
  std::string result;
  result.reserve(whole.size());
  for (std::size_t i = 0; i < s.size();) {
    std::size_t len = 1;
    if (RVU_IsHighSurrogate(s[i]) && i + 1 < s.size() && RVU_IsLowSurrogate(s[i + 1]))
      len = 2;
    bool missing = false;
    std::string piece = RVU_UnicodeToAnsiBytes(codePage, s.substr(i, len), &missing);
    if (missing || piece.empty())
      result += '?';
    else
      result += piece;
    i += len;
  }
  return result;
}

} // namespace

void RVRaiseUni(const char* message) {
  throw ERichViewError(message);
}

std::string RVU_UnicodeToAnsi(TRVCodePage CodePage, std::u16string_view s) {
  if (s.empty())
    return {};
  const TRVCodePage processCodePage = RVU_GetProcessAnsiCodePage();
  if (auto bytes = TryConvert(CodePage == CP_ACP ? processCodePage : CodePage, s))
    return *bytes;
  if (CodePage != CP_ACP) {
    if (auto bytes = TryConvert(processCodePage, s))
      return *bytes;
  }
  return std::string(s.size(), '?');
}

TRVCodePage RVU_GetLocaleCodePage(std::string_view LocaleName) {
  if (LocaleName.empty())
    return RVU_GetProcessAnsiCodePage();
  return RVU_LocaleAnsiCodePage(LocaleName);
}

TRVCodePage RVU_GetKeyboardCodePage() {
  return RVU_GetLocaleCodePage();
}

std::string RVU_UnicodeToLEBytes(std::u16string_view s) {
  std::string bytes(s.size() * 2, '\0');
  for (std::size_t i = 0; i < s.size(); ++i) {
    bytes[2 * i] = static_cast<char>(s[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(s[i] >> 8);
  }
  return bytes;
}

std::u16string RVU_LEBytesToUnicode(std::string_view bytes) {
  if (bytes.size() % 2 != 0)
    RVRaiseUni();
  std::u16string s(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < s.size(); ++i)
    s[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                 (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return s;
}

std::u16string RVU_UnicodeStreamToUnicodeString(TRVStream& Stream) {
  const std::uint64_t size = Stream.Size();
  const std::uint64_t position = Stream.Position();
  std::string bytes(size > position ? static_cast<std::size_t>(size - position) : 0, '\0');
  bytes.resize(Stream.Read(bytes.data(), bytes.size()));
  return RVU_LEBytesToUnicode(bytes);
}

} // namespace richtext
