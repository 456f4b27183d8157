// Stepping through text by words, on the Unicode word boundaries of ICU: what Ctrl+arrows and a
// double click need. Indices are 0-based positions between UTF-16 units (0 .. size).
#pragma once

#include <string_view>

namespace richtext {

// The start of the next word after Index: the first word boundary past Index that a word or a
// punctuation mark follows (spaces are skipped); Text.size() when none is left.
int RVU_NextWordStart(std::u16string_view Text, int Index);

// The start of the word before Index: the last such boundary before Index; 0 when none.
int RVU_PrevWordStart(std::u16string_view Text, int Index);

// The word segment around Index: the segment that starts at or before Index and ends after it
// (at the end of the text, the last segment). A run of spaces is a segment of its own, as is a
// punctuation mark. From = To only for an empty text.
void RVU_WordAt(std::u16string_view Text, int Index, int& From, int& To);

} // namespace richtext
