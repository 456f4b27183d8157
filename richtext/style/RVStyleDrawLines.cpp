// Decoration lines under, through and over runs of text: solid and patterned lines made of
// filled marks, so that a thick dotted line has square dots rather than a pen's round caps.
#include <algorithm>
#include <vector>

#include "richtext/style/RVColor.h"
#include "richtext/base/RVRound.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

// One repeat of a pattern: lengths of mark, gap, mark, gap, ... from the line's start.
std::vector<int> PatternOf(TRVLineStyle Style, int t, int Unit, int PixelsPerInch) {
  const int U = Unit > 0 ? static_cast<int>(RVRoundDiv(static_cast<std::int64_t>(Unit) *
                                                           PixelsPerInch, 96))
                         : 0;
  auto r = [U](int num, int den) {
    return std::max(1, static_cast<int>(RVRoundDiv(static_cast<std::int64_t>(U) * num, den)));
  };
  switch (Style) {
  case rvlsRoundDotted:
    return {t, t};
  case rvlsDotted:
    if (U > 0)
      return {r(1, 2), std::max(1, U - r(1, 2))};
    return {t, t};
  case rvlsDashed:
    if (U > 0)
      return {r(2, 3), std::max(1, U - r(2, 3))};
    return {2 * t, t};
  case rvlsDashDotted:
    if (U > 0)
      return {r(4, 7), r(5, 7) - r(4, 7) > 0 ? r(5, 7) - r(4, 7) : 1, r(1, 7),
              r(2, 7) - r(1, 7) > 0 ? r(2, 7) - r(1, 7) : 1};
    return {2 * t, t, t, t};
  case rvlsDashDotDotted:
    if (U > 0)
      return {r(3, 8), std::max(1, r(1, 2) - r(3, 8)), r(1, 8), std::max(1, r(1, 4) - r(1, 8)),
              r(1, 8), std::max(1, r(1, 4) - r(1, 8))};
    return {2 * t, t, t, t, t, t};
  case rvlsHidden:
    return {t, 2 * t};
  case rvlsNormal:
    break;
  }
  return {};
}

} // namespace

// The table of patterns gives each mark's period ("dots t long every 2t"); PatternOf turns a
// period into the gap that follows the mark, so the marks start where the table says.
void RVDrawDecorationLine(TRVCanvas& Canvas, int X1, int X2, int Y, int t, TRVLineStyle Style,
                          int Unit, int PixelsPerInch, TColor Color) {
  if (X2 <= X1)
    return;
  if (t < 1)
    t = 1;
  const TRVBrush oldBrush = Canvas.GetBrush();
  const TRVPen oldPen = Canvas.GetPen();
  const int top = Y - t / 2;
  if (Style == rvlsNormal && t == 1) {
    Canvas.SetPen(TRVPen{Color, psSolid, 1});
    Canvas.Line(X1, Y, X2, Y);
  } else {
    Canvas.SetPen(TRVPen{Color, psInsideFrame, 1});
    Canvas.SetBrush(TRVBrush{Color, bsSolid});
    if (Style == rvlsNormal) {
      Canvas.FillRect(TRect{X1, top, X2, top + t});
    } else {
      const std::vector<int> pattern = PatternOf(Style, t, Unit, PixelsPerInch);
      int x = X1;
      for (std::size_t i = 0; x < X2; i = (i + 1) % pattern.size()) {
        const int len = pattern[i];
        if (i % 2 == 0)
          Canvas.FillRect(TRect{x, top, std::min(x + len, X2), top + t});
        x += len;
      }
    }
  }
  Canvas.SetBrush(oldBrush);
  Canvas.SetPen(oldPen);
}

} // namespace richtext
