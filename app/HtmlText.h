// Text out of HTML: character references decoded, white space collapsed. Shared by the
// page-title reader and the reader of a dropped link's HTML.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "richtext/base/RVHTMLEntities.h"

namespace quillon {

using THtmlEntity = richtext::TRVHTMLEntity;
inline const THtmlEntity* const kHtmlEntities = richtext::RVHTMLEntities;
inline const std::size_t& kHtmlEntityCount = richtext::RVHTMLEntityCount;

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

// The attributes of one start tag, given the text after its name up to (not including) its
// '>': names in ASCII lower case, values unquoted with references decoded (an attribute
// without a value has an empty one). A name or value inside another attribute's quoted value
// is no attribute.
std::vector<std::pair<std::u16string, std::u16string>> ParseHtmlAttributes(std::u16string_view tag);
// The value of the first attribute named Name (lower case) in Tag; none when missing.
std::optional<std::u16string> HtmlAttribute(std::u16string_view tag, std::u16string_view name);

// Finds Name (lower case ASCII) case-insensitively in Text from Start; npos when missing.
std::size_t FindAsciiNoCase(std::u16string_view text, std::u16string_view name,
                            std::size_t start = 0);

} // namespace quillon
