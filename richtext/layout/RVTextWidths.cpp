#include "richtext/layout/RVTextWidths.h"

#include "richtext/base/RVCharNav.h"
#include "richtext/base/RVSystem.h"
#include "richtext/base/RVUni.h"

namespace richtext {

namespace {

constexpr char16_t ZeroWidthSpace = 0x200B;
constexpr char16_t WordJoiner = 0x2060;

// Sum / Denominator rounded, halves up (sums are never negative in practice; the floor keeps
// negative ones consistent).
std::int64_t RoundedPixels(std::int64_t Sum, int Denominator) {
  const std::int64_t d = Denominator;
  const std::int64_t n = 2 * Sum + d;
  const std::int64_t q = n / (2 * d);
  return (n % (2 * d) < 0) ? q - 1 : q;
}

} // namespace

void TRVTextWidths::Clear() {
  FValid = false;
  FText = {};
}

bool TRVTextWidths::Assign(TRVGraphicInterface& GI, TRVCanvas& Canvas, std::u16string_view Text,
                           bool IsSymbolFont) {
  Clear();
  const std::size_t n = Text.size();
  FAdvances.resize(n);
  int denominator = 1;
  if (!GI.GetTextAdvances(Canvas, Text, FAdvances.data(), denominator) || denominator <= 0)
    return false;
  FText = Text;
  FDenominator = denominator;
  FExtra = Canvas.GetTextCharacterExtra();
  FPrefix.resize(n + 1);
  FPrefix[0] = 0;
  for (std::size_t i = 0; i < n; ++i)
    FPrefix[i + 1] = FPrefix[i] + FAdvances[i];
  FTakenOut.clear();
  FValid = true;
  if (IsSymbolFont)
    return true;
  const bool zeroWidthTakenOut = !RVVista;
  auto takenOut = [zeroWidthTakenOut](char16_t c) {
    return c == RV_SOFTHYPHEN || (zeroWidthTakenOut && (c == ZeroWidthSpace || c == WordJoiner));
  };
  // All of them lie above U+007F, which most text never reaches.
  std::size_t first = RVU_FindUnitFrom(Text, 0, 0x80);
  while (first < n && !takenOut(Text[first]))
    ++first;
  if (first < n) {
    FTakenOut.assign(n + 1, 0);
    for (std::size_t i = first; i < n; ++i) {
      const std::int32_t width =
          takenOut(Text[i]) ? static_cast<std::int32_t>(RoundedPixels(FAdvances[i], denominator)) + FExtra
                            : 0;
      FTakenOut[i + 1] = FTakenOut[i] + width;
    }
  }
  return true;
}

int TRVTextWidths::Width(std::size_t From, std::size_t To) const {
  if (To <= From)
    return 0;
  std::int64_t w = RoundedPixels(FPrefix[To] - FPrefix[From], FDenominator) +
                   static_cast<std::int64_t>(FExtra) * static_cast<std::int64_t>(To - From);
  if (!FTakenOut.empty())
    w -= FTakenOut[To] - FTakenOut[From];
  return static_cast<int>(w);
}

int TRVTextWidths::Fit(std::u16string_view Run, int MaxExtent) const {
  if (MaxExtent < 0)
    return 0;
  const auto from = static_cast<std::size_t>(Run.data() - FText.data());
  std::size_t lo = 0, hi = Run.size(); // prefix lo fits; find the last one that does
  if (Width(from, from + hi) <= MaxExtent)
    return static_cast<int>(hi);
  while (lo + 1 < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (Width(from, from + mid) <= MaxExtent)
      lo = mid;
    else
      hi = mid;
  }
  return static_cast<int>(lo);
}

int RVCountExpandableChars(TRVGraphicInterface& GI, TRVCanvas& Canvas, std::u16string_view Run,
                           bool IsSymbolFont, bool& FirstExpands, bool& LastExpands) {
  FirstExpands = LastExpands = false;
  TRVTextWidths widths;
  const bool measured = widths.Assign(GI, Canvas, Run, IsSymbolFont);
  auto expands = [&](std::size_t From, std::size_t To) {
    if (measured)
      return widths.Width(From, To) > 0;
    return GI.TextWidth(Canvas, Run.substr(From, To - From), IsSymbolFont, rvbdUnspecified) > 0;
  };
  int count = 0;
  const int n = static_cast<int>(Run.size());
  for (int i = 0; i < n;) {
    const int next = RVU_NextCharIndex(Run, i);
    const bool e = expands(static_cast<std::size_t>(i), static_cast<std::size_t>(next));
    if (e)
      ++count;
    if (i == 0)
      FirstExpands = e;
    if (next >= n)
      LastExpands = e;
    i = next;
  }
  return count;
}

} // namespace richtext
