#include "richtext/base/RVUni.h"

#include "richtext/base/RVCharsets.h"

namespace richtext {

TRVCodePage RVU_Charset2CodePage(std::uint8_t Charset) {
  if (Charset == SYMBOL_CHARSET)
    // Symbol fonts carry no text of their own; on a multi-byte system their bytes are taken
    // as Western so that they are not paired into double-byte characters.
    return RVU_IsMultiByteCodePage(CP_ACP) ? 1252 : 0;
  for (const auto& entry : RVCharsetCodePages())
    if (entry.Charset == Charset)
      return entry.CodePage;
  return 0;
}

bool RVU_IsMultiByteCodePage(TRVCodePage CodePage) {
  if (CodePage == CP_ACP)
    CodePage = RVU_GetProcessAnsiCodePage();
  switch (CodePage) {
  case 932:
  case 936:
  case 949:
  case 950:
  case 1361:
    return true;
  default:
    return false;
  }
}

void RVU_SwapByteOrder(std::u16string& s) {
  for (char16_t& c : s)
    c = static_cast<char16_t>((c << 8) | (c >> 8));
}

std::string RVU_UnicodeToUtf8(std::u16string_view s) {
  // Room for the worst case (three bytes a unit; a pair takes four for its two), written
  // through a pointer and cut to size at the end.
  std::string out(s.size() * 3, '\0');
  out.resize(static_cast<std::size_t>(RVU_UnicodeToUtf8(s, out.data()) - out.data()));
  return out;
}

char* RVU_UnicodeToUtf8(std::u16string_view s, char* o) {
  for (std::size_t i = 0; i < s.size();) {
    if (s[i] < 0x80) {
      *o++ = static_cast<char>(s[i++]);
      continue;
    }
    int units = 1;
    char32_t cp = RVU_CodePointAt(s, i, units);
    i += static_cast<std::size_t>(units);
    if (RVU_IsSurrogate(cp))
      cp = 0xFFFD;
    if (cp < 0x800) {
      *o++ = static_cast<char>(0xC0 | (cp >> 6));
      *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      *o++ = static_cast<char>(0xE0 | (cp >> 12));
      *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      *o++ = static_cast<char>(0xF0 | (cp >> 18));
      *o++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return o;
}

} // namespace richtext
