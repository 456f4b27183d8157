// Text out of HTML: character references decoded, white space collapsed. Shared by the
// page-title reader and the reader of a dropped link's HTML.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon {

struct THtmlEntity {
  const char* Name;
  char32_t Code;
};
extern const THtmlEntity kHtmlEntities[];
extern const std::size_t kHtmlEntityCount;

// Decodes &name; (the names of kHtmlEntities; case matters), &#NNN; and &#xHHH;. Numeric
// references to 0x80..0x9F mean the windows-1252 character as browsers read them; a
// reference to 0, a surrogate or beyond U+10FFFF gives U+FFFD. An unknown name, or a
// reference without its ';', stays as written.
std::u16string DecodeHtmlEntities(std::u16string_view text);

// Runs of HTML white space (space, tab, LF, FF, CR) become one space; none is left at the
// ends.
std::u16string CollapseHtmlWhitespace(std::u16string_view text);

// Removes tags (<...>) and comments (<!-- ... -->), leaving the text between them.
std::u16string StripHtmlTags(std::u16string_view html);

// Finds Name (lower case ASCII) case-insensitively in Text from Start; npos when missing.
std::size_t FindAsciiNoCase(std::u16string_view text, std::u16string_view name,
                            std::size_t start = 0);

} // namespace quillon
