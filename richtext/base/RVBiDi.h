// Text in both directions: the Unicode bidirectional algorithm (ICU's ubidi) for one paragraph,
// and the visual order of runs of resolved levels.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace richtext {

// Whether Text holds anything that can make a level other than that of a left-to-right
// paragraph: a right-to-left letter or an explicit direction control. Left-to-right text
// without them needs no bidirectional pass.
bool RVBiDi_HasRightToLeft(std::u16string_view Text);

// The resolved embedding level of every UTF-16 unit of a paragraph's Text (even: left to right,
// odd: right to left), with BaseLevel 0 (left to right), 1 (right to left) or -1 (from the
// first strong character, left to right without one). Answers the paragraph's level.
int RVBiDi_Levels(std::u16string_view Text, int BaseLevel, std::vector<std::uint8_t>& Levels);

// The direction of Text's first strong character: 1 right to left, 0 left to right, -1 none.
int RVBiDi_FirstStrong(std::u16string_view Text);

// The visual order, left to right, of runs with the given levels (rule L2 of the algorithm):
// Order[k] is the index of the run shown k-th from the left.
void RVBiDi_VisualOrder(const std::vector<std::uint8_t>& Levels, std::vector<std::int32_t>& Order);

} // namespace richtext
