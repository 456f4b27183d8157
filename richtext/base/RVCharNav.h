// Stepping through text by user-perceived characters (grapheme clusters): a base character
// with its combining marks, a surrogate pair, an emoji sequence joined by ZWJ, CR LF. Used
// when a measured run must end on a whole character.
#pragma once

#include <string_view>

namespace richtext {

// The character boundary after P, looking at [P, End): P + 1 for a lone unit, further for a
// cluster; End when P >= End. A surrogate pair is never split.
const char16_t* RVU_NextChar(const char16_t* P, const char16_t* End);

// The character boundary before P, looking at [Start, P); Start when P <= Start.
const char16_t* RVU_PrevChar(const char16_t* Start, const char16_t* P);

// The same on a string with 0-based indices: the boundary after Index (Text.size() at most) and
// the boundary before Index (0 at least). Indices out of range are clamped first.
int RVU_NextCharIndex(std::u16string_view Text, int Index);
int RVU_PrevCharIndex(std::u16string_view Text, int Index);

} // namespace richtext
