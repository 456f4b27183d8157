#include "richtext/base/RVHTMLEntities.h"

#include <unicode/utf16.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace richtext {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// What browsers make of numeric references to the C1 range: the windows-1252 characters.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsAsciiDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool IsAsciiHexDigit(char16_t c) {
  return IsAsciiDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
bool IsAsciiAlnum(char16_t c) {
  return IsAsciiDigit(c) || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

char32_t NumericReferenceValue(char32_t value) {
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return kReplacement;
  if (value >= 0x80 && value <= 0x9F)
    return kWindows1252High[value - 0x80];
  return value;
}

} // namespace

void RVAppendCodePoint(std::u16string& Out, char32_t Code) {
  char16_t units[2];
  std::int32_t length = 0;
  U16_APPEND_UNSAFE(units, length, static_cast<UChar32>(Code));
  Out.append(units, static_cast<std::size_t>(length));
}

std::size_t RVReadHTMLReference(std::u16string_view Text, std::size_t At, char32_t& Code) {
  std::size_t i = At + 1;
  if (i < Text.size() && Text[i] == u'#') {
    ++i;
    const bool hex = i < Text.size() && (Text[i] == u'x' || Text[i] == u'X');
    if (hex)
      ++i;
    const std::size_t digits = i;
    char32_t value = 0;
    for (; i < Text.size() && (hex ? IsAsciiHexDigit(Text[i]) : IsAsciiDigit(Text[i])); ++i) {
      const char16_t c = Text[i];
      const unsigned digit = IsAsciiDigit(c) ? c - u'0' : (c | 0x20) - u'a' + 10;
      // Saturate: any value past the last code point means the same as one just past it.
      value = std::min<char32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
    }
    if (i == digits || i >= Text.size() || Text[i] != u';')
      return 0;
    Code = NumericReferenceValue(value);
    return i + 1 - At;
  }
  char name[17];
  std::size_t length = 0;
  for (; i < Text.size() && IsAsciiAlnum(Text[i]) && length < 16; ++i)
    name[length++] = static_cast<char>(Text[i]);
  name[length] = '\0';
  if (length == 0 || i >= Text.size() || Text[i] != u';')
    return 0;
  const TRVHTMLEntity* end = RVHTMLEntities + RVHTMLEntityCount;
  const TRVHTMLEntity* found =
      std::lower_bound(RVHTMLEntities, end, name, [](const TRVHTMLEntity& e, const char* n) {
        return std::strcmp(e.Name, n) < 0;
      });
  if (found == end || std::strcmp(name, found->Name) != 0)
    return 0;
  Code = found->Code;
  return i + 1 - At;
}

} // namespace richtext
