// Line break opportunities: character classes and the class pair table.
//
// Breaking works on classes of characters, a cut-down set of the Unicode line breaking classes
// plus the two surrogate halves. Whether a line may end between two characters is read from
// BreakPairs[class before][class after]; spaces (U+0020) between the two are skipped and only
// matter for the indirect value bk_IBK. A line that breaks after spaces keeps the spaces.
//
// Indices are 0-based positions in the UTF-16 text; -1 means "none", as elsewhere in the
// engine.
#pragma once

#include <cstdint>
#include <string_view>

namespace richtext {

enum TRVLineBreakClass : std::uint8_t {
  rvu_lb_OB = 0,   // ASCII opening brackets
  rvu_lb_OP = 1,   // other opening punctuation
  rvu_lb_CL = 2,   // closing punctuation
  rvu_lb_QU = 3,   // quotation marks
  rvu_lb_GL = 4,   // non-breaking ("glue")
  rvu_lb_NS = 5,   // non-starters
  rvu_lb_EX = 6,   // exclamation / interrogation
  rvu_lb_SY = 7,   // symbols allowing a break after ("/")
  rvu_lb_IS = 8,   // infix separators
  rvu_lb_PR = 9,   // prefix numeric
  rvu_lb_PO = 10,  // postfix numeric
  rvu_lb_NU = 11,  // digits
  rvu_lb_AL = 12,  // letters and everything without a class of its own
  rvu_lb_SP = 13,  // space-like punctuation
  rvu_lb_ID = 14,  // ideographs
  rvu_lb_IN = 15,  // inseparables
  rvu_lb_HY = 16,  // hyphen-minus
  rvu_lb_BA = 17,  // break after
  rvu_lb_BB = 18,  // break before
  rvu_lb_B2 = 19,  // break on either side, not between two of them
  rvu_lb_ZW = 20,  // zero width space
  rvu_lb_CM = 21,  // combining marks
  rvu_lb_LSG = 22, // low surrogate (second half of a pair)
  rvu_lb_HSG = 23, // high surrogate (first half of a pair)
};

inline constexpr int RV_LINEBREAK_CLASS_COUNT = 24;

enum TRVBreakAction : std::uint8_t {
  bk_DBK = 0, // direct break: a line may end between the two characters
  bk_IBK = 1, // indirect break: only when spaces stand between them
  bk_PBK = 2, // prohibited
  bk_SPK = 3, // (not used by the table)
  bk_SRG = 4, // inside or next to a surrogate pair: no break
};

// Row: class of the character before; column: class of the character after.
extern const TRVBreakAction BreakPairs[RV_LINEBREAK_CLASS_COUNT][RV_LINEBREAK_CLASS_COUNT];

// Class of one UTF-16 unit. Surrogate halves give rvu_lb_HSG / rvu_lb_LSG. Note that the space
// U+0020 is rvu_lb_AL: spaces are skipped by the searches, and when a space is the first
// character that does not fit, a letter-like class lets the line end after closing punctuation
// or a space-like punctuation mark before it.
TRVLineBreakClass RVGetCharLineBreakClass(char16_t Ch);

// Class of a code point (supplementary ones included). Values above U+10FFFF give rvu_lb_AL.
TRVLineBreakClass RVGetCharLineBreakClass32(char32_t CodePoint);

// Where a line that overflows at Pos may end.
// Pos is the index of the first character that does not fit. Returns the index of the last
// character that stays on the line, or -1 when the text before Pos offers no break. Spaces
// right after the break stay on the line (up to Pos). IsLast tells that Pos is the last
// character of the text; IgnoreEndingSpaces makes trailing spaces at Pos count as not being
// there, so the search starts at the last non-space character at or before Pos.
// A Pos outside [0, size) gives -1. A Pos on the second half of a surrogate pair counts as the
// whole pair not fitting, so no result ever falls between the two halves.
int RVFindLineBreak(std::u16string_view Str, int Pos, bool IsLast, bool IgnoreEndingSpaces);

// What the search across items needs to know about the text before a string: the class of its
// last non-space character, and whether spaces followed that character.
struct TRVLineBreakContext {
  bool HasBefore = false; // false at a line start: no break can come before the first character
  TRVLineBreakClass Before = rvu_lb_AL;
  bool SpacesAfter = false;
};

// The context after S, given the context before it.
TRVLineBreakContext RVGetLineBreakContext(std::u16string_view S,
                                          const TRVLineBreakContext& Context = {});

// The first break opportunity in S, given the text before it (Context). Returns the number of
// characters of S that come before the break: 0 is a break right before S, which only a
// preceding text can give. A break after spaces leaves them before it. Returns -1 when S has no
// opportunity; Context then describes the end of S, ready for the next string (on a break it is
// left describing the text just before the break). A break at the very end of S depends on what
// follows and is never returned: the next string's search finds it as 0.
int RVFindFirstLineBreak(std::u16string_view S, TRVLineBreakContext& Context);

} // namespace richtext
