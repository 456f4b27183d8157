// Data behind RVGetCharLineBreakClass: the classes this engine fixes for particular characters.
// Every character not covered here takes its Unicode line breaking class.
#pragma once

#include "richtext/layout/RVLineBreak.h"

#include <cstddef>

namespace richtext {

// Classes of U+0000..U+00FF (Basic Latin and Latin-1 Supplement), one per character.
extern const TRVLineBreakClass RVLatin1LineBreakClasses[256];

// Other characters and ranges with a fixed class, sorted by First, not overlapping.
struct TRVLineBreakRange {
  char16_t First;
  char16_t Last;
  TRVLineBreakClass Class;
};
extern const TRVLineBreakRange RVNamedLineBreakRanges[];
extern const std::size_t RVNamedLineBreakRangeCount;

// The Indic script blocks, whose combining marks (general categories Mn, Mc, Me) are rvu_lb_CM.
inline constexpr char16_t RVIndicFirst = 0x0900;
inline constexpr char16_t RVIndicLast = 0x0CFF;

} // namespace richtext
