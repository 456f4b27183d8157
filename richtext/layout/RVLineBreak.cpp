#include "richtext/layout/RVLineBreak.h"

#include "richtext/base/RVUni.h"
#include "richtext/layout/RVLineBreakTables.h"

#include <algorithm>
#include <unicode/uchar.h>

namespace richtext {

namespace {

// Unicode's classes onto the engine's smaller set; the ones it lacks behave as letters.
TRVLineBreakClass FromUnicodeClass(int32_t unicodeClass) {
  switch (unicodeClass) {
  case U_LB_OPEN_PUNCTUATION:
    return rvu_lb_OP;
  case U_LB_CLOSE_PUNCTUATION:
    return rvu_lb_CL;
  case U_LB_QUOTATION:
    return rvu_lb_QU;
  case U_LB_GLUE:
    return rvu_lb_GL;
  case U_LB_NONSTARTER:
    return rvu_lb_NS;
  case U_LB_EXCLAMATION:
    return rvu_lb_EX;
  case U_LB_BREAK_SYMBOLS:
    return rvu_lb_SY;
  case U_LB_INFIX_NUMERIC:
    return rvu_lb_IS;
  case U_LB_PREFIX_NUMERIC:
    return rvu_lb_PR;
  case U_LB_POSTFIX_NUMERIC:
    return rvu_lb_PO;
  case U_LB_NUMERIC:
    return rvu_lb_NU;
  case U_LB_SPACE:
    return rvu_lb_SP;
  case U_LB_IDEOGRAPHIC:
    return rvu_lb_ID;
  case U_LB_INSEPARABLE:
    return rvu_lb_IN;
  case U_LB_HYPHEN:
    return rvu_lb_HY;
  case U_LB_BREAK_AFTER:
    return rvu_lb_BA;
  case U_LB_BREAK_BEFORE:
    return rvu_lb_BB;
  case U_LB_BREAK_BOTH:
    return rvu_lb_B2;
  case U_LB_ZWSPACE:
    return rvu_lb_ZW;
  case U_LB_COMBINING_MARK:
    return rvu_lb_CM;
  default:
    return rvu_lb_AL;
  }
}

TRVLineBreakClass UnicodeClassOf(char32_t codePoint) {
  return FromUnicodeClass(u_getIntPropertyValue(UChar32(codePoint), UCHAR_LINE_BREAK));
}

bool IsIndicMark(char16_t ch) {
  if (ch < RVIndicFirst || ch > RVIndicLast)
    return false;
  return (U_GET_GC_MASK(ch) & U_GC_M_MASK) != 0;
}

// Class of the character starting at index i (i < size). A pair is one code point; a surrogate
// half without its partner is malformed text and counts as a letter.
TRVLineBreakClass ClassStartingAt(std::u16string_view s, std::size_t i, std::size_t& next) {
  int units = 1;
  const char32_t c = RVU_CodePointAt(s, i, units);
  next = i + static_cast<std::size_t>(units);
  if (units == 2)
    return RVGetCharLineBreakClass32(c);
  return RVU_IsSurrogate(c) ? rvu_lb_AL : RVGetCharLineBreakClass(static_cast<char16_t>(c));
}

// Class of the character ending at index i; first becomes the index of its first unit.
TRVLineBreakClass ClassEndingAt(std::u16string_view s, std::size_t i, std::size_t& first) {
  char16_t c = s[i];
  if (RVU_IsLowSurrogate(c) && i > 0 && RVU_IsHighSurrogate(s[i - 1])) {
    first = i - 1;
    return RVGetCharLineBreakClass32(RVU_SurrogatePairToCodePoint(s[i - 1], c));
  }
  first = i;
  return RVU_IsSurrogate(c) ? rvu_lb_AL : RVGetCharLineBreakClass(c);
}

bool Breaks(TRVLineBreakClass before, TRVLineBreakClass after, bool spacesBetween) {
  TRVBreakAction action = BreakPairs[before][after];
  return action == bk_DBK || (action == bk_IBK && spacesBetween);
}

// Walks S forward from Context. With stopAtBreak, returns the index of the first character
// that a line may start with, leaving Context as it was just before it; otherwise (or when
// there is none) returns -1 with Context describing the end of S.
int ScanForward(std::u16string_view s, TRVLineBreakContext& context, bool stopAtBreak) {
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == u' ') {
      context.SpacesAfter = context.HasBefore;
      ++i;
      continue;
    }
    std::size_t next;
    TRVLineBreakClass cls = ClassStartingAt(s, i, next);
    if (stopAtBreak && context.HasBefore && Breaks(context.Before, cls, context.SpacesAfter))
      return int(i);
    context = {true, cls, false};
    i = next;
  }
  return -1;
}

} // namespace

TRVLineBreakClass RVGetCharLineBreakClass(char16_t Ch) {
  if (Ch < 0x100)
    return RVLatin1LineBreakClasses[Ch];
  const TRVLineBreakRange* begin = RVNamedLineBreakRanges;
  const TRVLineBreakRange* end = begin + RVNamedLineBreakRangeCount;
  const TRVLineBreakRange* range = std::upper_bound(
      begin, end, Ch, [](char16_t c, const TRVLineBreakRange& r) { return c < r.First; });
  if (range != begin && Ch <= range[-1].Last)
    return range[-1].Class;
  if (IsIndicMark(Ch))
    return rvu_lb_CM;
  return UnicodeClassOf(Ch);
}

TRVLineBreakClass RVGetCharLineBreakClass32(char32_t CodePoint) {
  if (CodePoint <= 0xFFFF)
    return RVGetCharLineBreakClass(char16_t(CodePoint));
  if (CodePoint > 0x10FFFF)
    return rvu_lb_AL;
  return UnicodeClassOf(CodePoint);
}

int RVFindLineBreak(std::u16string_view Str, int Pos, bool IsLast, bool IgnoreEndingSpaces) {
  if (Pos < 0 || std::size_t(Pos) >= Str.size())
    return -1;
  if (IsLast && !IgnoreEndingSpaces && Str[Pos] == u' ')
    return Pos;
  if (IgnoreEndingSpaces)
    while (Pos > 0 && Str[Pos] == u' ')
      --Pos;
  // A pair does not fit as a whole when its second half does not.
  if (Pos > 0 && RVU_IsLowSurrogate(Str[Pos]) && RVU_IsHighSurrogate(Str[Pos - 1]))
    --Pos;

  std::size_t next;
  TRVLineBreakClass after = ClassStartingAt(Str, std::size_t(Pos), next);
  for (int e = Pos - 1; e >= 0; --e) {
    if (Str[e] == u' ')
      continue;
    std::size_t first;
    TRVLineBreakClass before = ClassEndingAt(Str, std::size_t(e), first);
    if (Breaks(before, after, Str[e + 1] == u' ')) {
      // The spaces after the break stay on the line.
      while (e + 1 < Pos && Str[e + 1] == u' ')
        ++e;
      return e;
    }
    after = before;
    e = int(first);
  }
  return -1;
}

TRVLineBreakContext RVGetLineBreakContext(std::u16string_view S,
                                          const TRVLineBreakContext& Context) {
  // What a forward scan would end with, read from the end: the last character that is not
  // a space, and whether spaces follow it.
  std::size_t end = S.size();
  while (end > 0 && S[end - 1] == u' ')
    --end;
  if (end == 0) {
    TRVLineBreakContext result = Context;
    if (!S.empty())
      result.SpacesAfter = Context.HasBefore;
    return result;
  }
  std::size_t first;
  return {true, ClassEndingAt(S, end - 1, first), end < S.size()};
}

int RVFindFirstLineBreak(std::u16string_view S, TRVLineBreakContext& Context) {
  return ScanForward(S, Context, true);
}

} // namespace richtext
