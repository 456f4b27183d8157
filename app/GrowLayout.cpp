#include "app/GrowLayout.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

int Moved(int edge, double share, int extra) {
  return edge + static_cast<int>(std::lround(share * extra));
}

} // namespace

TPlace GrowPlace(const TPlace& Place, const TGrowRule& Rule, int ExtraWidth, int ExtraHeight) {
  const int dx = std::max(0, ExtraWidth);
  const int dy = std::max(0, ExtraHeight);
  const int left = Moved(Place.Left, Rule.LeftX, dx);
  const int right = Moved(Place.Left + Place.Width, Rule.RightX, dx);
  const int top = Moved(Place.Top, Rule.TopY, dy);
  const int bottom = Moved(Place.Top + Place.Height, Rule.BottomY, dy);
  return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

} // namespace quillon
