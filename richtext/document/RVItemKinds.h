// Style numbers: a text item's StyleNo indexes the text styles; a negative StyleNo is the
// kind code of a non-text item.
#pragma once

#include <cstdint>
#include <limits>

namespace richtext {

// A text item that takes the default text style of its paragraph style.
inline constexpr std::int32_t rvsDefStyle = std::numeric_limits<std::int32_t>::max();

// The text styles a new style sheet holds.
inline constexpr std::int32_t rvsNormal = 0;
inline constexpr std::int32_t rvsHeading = 1;
inline constexpr std::int32_t rvsSubheading = 2;
inline constexpr std::int32_t rvsKeyword = 3;
inline constexpr std::int32_t rvsJump1 = 4;
inline constexpr std::int32_t rvsJump2 = 5;

// Built-in non-text kinds.
inline constexpr std::int32_t rvsBreak = -1;
inline constexpr std::int32_t rvsCheckpoint = -2;
inline constexpr std::int32_t rvsPicture = -3;
inline constexpr std::int32_t rvsHotspot = -4;
inline constexpr std::int32_t rvsComponent = -5;
inline constexpr std::int32_t rvsBullet = -6;
inline constexpr std::int32_t rvsBack = -7;
inline constexpr std::int32_t rvsVersionInfo = -8;
inline constexpr std::int32_t rvsDocProperty = -9;
inline constexpr std::int32_t rvsHotPicture = -10;
inline constexpr std::int32_t rvsListMarker = -11;
inline constexpr std::int32_t rvsTab = -12;

// Kinds that their modules register at start-up.
inline constexpr std::int32_t rvsTable = -60;
inline constexpr std::int32_t rvsLabel = -200;
inline constexpr std::int32_t rvsSequence = -202;
inline constexpr std::int32_t rvsFootnote = -203;
inline constexpr std::int32_t rvsEndnote = -204;
inline constexpr std::int32_t rvsNoteReference = -205;
inline constexpr std::int32_t rvsSidenote = -206;
inline constexpr std::int32_t rvsTextBox = -207;
inline constexpr std::int32_t rvsPageNumber = -208;
inline constexpr std::int32_t rvsPageCount = -209;

// Codes from this one up are the built-in kinds' and cannot be registered.
inline constexpr std::int32_t rvsLastReservedKind = rvsDocProperty;

} // namespace richtext
