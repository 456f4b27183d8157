// HTML character references: the named ones of HTML 4.01 and "apos", and the numeric forms.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace richtext {

struct TRVHTMLEntity {
  const char* Name;
  char32_t Code;
};
// Sorted by name (byte order), for a binary search.
extern const TRVHTMLEntity RVHTMLEntities[];
extern const std::size_t RVHTMLEntityCount;

// Reads the reference that starts at Text[At] == '&' (&name; with a name of the table, case
// mattering, &#NNN; or &#xHHH;) and returns its length, or 0 when none starts there. Numeric
// references to 0x80..0x9F mean the windows-1252 character as browsers read them; a reference
// to 0, a surrogate or beyond U+10FFFF gives U+FFFD. A reference without its ';' is none.
std::size_t RVReadHTMLReference(std::u16string_view Text, std::size_t At, char32_t& Code);

// Appends a code point (at most U+10FFFF) as one or two UTF-16 code units.
void RVAppendCodePoint(std::u16string& Out, char32_t Code);

} // namespace richtext
