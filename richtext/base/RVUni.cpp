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
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    int units = 1;
    char32_t cp = RVU_CodePointAt(s, i, units);
    i += static_cast<std::size_t>(units);
    if (RVU_IsSurrogate(cp))
      cp = 0xFFFD;
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

} // namespace richtext
