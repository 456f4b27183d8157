// Unicode helpers shared by every layer: surrogates, the soft hyphen, charset to code page,
// byte order and the one UTF-8 encoder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "richtext/base/RVCodePage.h"

namespace richtext {

// The soft hyphen: invisible unless a line breaks after it.
inline constexpr char16_t RV_SOFTHYPHEN = 0x00AD;

constexpr bool RVU_IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool RVU_IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}
constexpr bool RVU_IsSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}
// The value of a hexadecimal digit (either case), -1 for any other character.
constexpr int RVU_HexDigitValue(char32_t c) {
  if (c >= '0' && c <= '9')
    return static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'f')
    return static_cast<int>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F')
    return static_cast<int>(c - 'A' + 10);
  return -1;
}
// The code point of a high and a low surrogate.
constexpr char32_t RVU_SurrogatePairToCodePoint(char16_t High, char16_t Low) {
  return 0x10000 + ((char32_t(High) - 0xD800) << 10) + (char32_t(Low) - 0xDC00);
}
// The code point at s[i] and how many units it takes (1 or 2); an unpaired surrogate is a code
// point of its own. i < s.size().
constexpr char32_t RVU_CodePointAt(std::u16string_view s, std::size_t i, int& Units) {
  if (RVU_IsHighSurrogate(s[i]) && i + 1 < s.size() && RVU_IsLowSurrogate(s[i + 1])) {
    Units = 2;
    return RVU_SurrogatePairToCodePoint(s[i], s[i + 1]);
  }
  Units = 1;
  return s[i];
}

// The code page of a font character set (the table in RVCharsets.cpp); 0 stands for the
// process's ANSI code page.
TRVCodePage RVU_Charset2CodePage(std::uint8_t Charset);

// Whether characters of the code page can take more than one byte (the East Asian ANSI
// pages). CP_ACP is resolved to the process's page first.
bool RVU_IsMultiByteCodePage(TRVCodePage CodePage);

// Swaps the two bytes of every code unit (text read with the wrong byte order).
void RVU_SwapByteOrder(std::u16string& s);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD. The engine's and the app's only
// encoder.
std::string RVU_UnicodeToUtf8(std::u16string_view s);
// The same into Out, which has room for three bytes a code unit; answers the end written.
char* RVU_UnicodeToUtf8(std::u16string_view s, char* Out);

// UTF-8 to UTF-16 into Out, which has room for one code unit a byte; answers the end written.
// Damaged bytes become U+FFFD as one ICU conversion makes them (Substituted, when given,
// counts them). The engine's and the app's only decoder.
char16_t* RVU_Utf8ToUnicode(std::string_view Bytes, char16_t* Out,
                            std::size_t* Substituted = nullptr);

// The index of the first unit at or after From that is Limit (a power of two, at least 4)
// or above; s.size() when there is none. Text below the limit is passed over four units at
// a time.
std::size_t RVU_FindUnitFrom(std::u16string_view s, std::size_t From, char16_t Limit);

} // namespace richtext
