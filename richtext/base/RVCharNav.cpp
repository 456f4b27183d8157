#include "richtext/base/RVCharNav.h"

#include <algorithm>
#include <unicode/ubrk.h>

#include "richtext/base/RVBreakIterator.h"
#include "richtext/base/RVUni.h"

namespace richtext {

namespace {

// Below U+0300 no character extends, prefixes or joins a cluster (marks, joiners, prepended
// and Hangul characters all lie above), so only CR LF stays together there. Most text steps
// through this test without asking the cluster iterator.
constexpr char16_t kClusterFreeLimit = 0x0300;

bool SimpleBoundaryBetween(char16_t a, char16_t b) {
  return a < kClusterFreeLimit && b < kClusterFreeLimit && !(a == u'\r' && b == u'\n');
}

UBreakIterator* ClusterIterator() {
  return RVU_ThreadBreakIterator(UBRK_CHARACTER);
}

// Without the cluster iterator, stepping keeps at least surrogate pairs together.
const char16_t* NextCodePoint(const char16_t* p, const char16_t* end) {
  if (RVU_IsHighSurrogate(*p) && p + 1 < end && RVU_IsLowSurrogate(p[1]))
    return p + 2;
  return p + 1;
}

const char16_t* PrevCodePoint(const char16_t* start, const char16_t* p) {
  if (RVU_IsLowSurrogate(p[-1]) && p - 1 > start && RVU_IsHighSurrogate(p[-2]))
    return p - 2;
  return p - 1;
}

// ICU keeps lengths in 32 bits; a longer text is looked at through a window near P, which is
// far more than any real cluster needs.
constexpr std::ptrdiff_t kMaxWindow = 1 << 30;

} // namespace

const char16_t* RVU_NextChar(const char16_t* P, const char16_t* End) {
  if (P >= End)
    return End;
  if (P + 1 == End || SimpleBoundaryBetween(P[0], P[1]))
    return NextCodePoint(P, End);
  UBreakIterator* it = ClusterIterator();
  if (!it)
    return NextCodePoint(P, End);
  std::ptrdiff_t length = std::min(End - P, kMaxWindow);
  UErrorCode status = U_ZERO_ERROR;
  ubrk_setText(it, P, int32_t(length), &status);
  int32_t next = U_SUCCESS(status) ? ubrk_following(it, 0) : UBRK_DONE;
  if (next == UBRK_DONE || next <= 0)
    return NextCodePoint(P, End);
  return P + next;
}

const char16_t* RVU_PrevChar(const char16_t* Start, const char16_t* P) {
  if (P <= Start)
    return Start;
  if (P - 1 == Start || SimpleBoundaryBetween(P[-2], P[-1]))
    return PrevCodePoint(Start, P);
  UBreakIterator* it = ClusterIterator();
  if (!it)
    return PrevCodePoint(Start, P);
  std::ptrdiff_t length = std::min(P - Start, kMaxWindow);
  const char16_t* windowStart = P - length;
  UErrorCode status = U_ZERO_ERROR;
  ubrk_setText(it, windowStart, int32_t(length), &status);
  int32_t prev = U_SUCCESS(status) ? ubrk_preceding(it, int32_t(length)) : UBRK_DONE;
  if (prev == UBRK_DONE || prev < 0 || prev >= length)
    return PrevCodePoint(Start, P);
  return windowStart + prev;
}

int RVU_NextCharIndex(std::u16string_view Text, int Index) {
  int size = int(Text.size());
  Index = std::clamp(Index, 0, size);
  const char16_t* base = Text.data();
  return int(RVU_NextChar(base + Index, base + size) - base);
}

int RVU_PrevCharIndex(std::u16string_view Text, int Index) {
  int size = int(Text.size());
  Index = std::clamp(Index, 0, size);
  const char16_t* base = Text.data();
  return int(RVU_PrevChar(base, base + Index) - base);
}

} // namespace richtext
