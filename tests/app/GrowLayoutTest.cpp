// How a control's place grows with the window: the shares of the extra width and height
// each edge moves by.
#include <gtest/gtest.h>

#include <ostream>

#include "app/GrowLayout.h"

namespace quillon {

void PrintTo(const TPlace& p, std::ostream* out) {
  *out << p.Left << "," << p.Top << " " << p.Width << "x" << p.Height;
}

namespace {

const TPlace kPlace{10, 20, 100, 40};

TEST(GrowLayoutTest, AtTheFirstSizeEveryRuleKeepsThePlace) {
  for (const TGrowRule& rule : {TGrowRule::Fixed(), TGrowRule::Fixed().Across(0, 1),
                                TGrowRule::Fixed().Across(1, 1).Down(0.3, 0.7)})
    EXPECT_EQ(kPlace, GrowPlace(kPlace, rule, 0, 0));
}

TEST(GrowLayoutTest, StretchingMovingAndSharingTheExtra) {
  // Fixed: stays; stretching across takes all of the width; moving keeps the size.
  EXPECT_EQ(kPlace, GrowPlace(kPlace, TGrowRule::Fixed(), 50, 30));
  EXPECT_EQ((TPlace{10, 20, 150, 40}), GrowPlace(kPlace, TGrowRule::Fixed().Across(0, 1), 50, 30));
  EXPECT_EQ((TPlace{60, 50, 100, 40}),
            GrowPlace(kPlace, TGrowRule::Fixed().Across(1, 1).Down(1, 1), 50, 30));
  // Two neighbours that share the width half and half stay flush: the right edge of the
  // first is where the second's left edge moves to, for odd extras too.
  const TPlace left{0, 0, 100, 10}, right{100, 0, 100, 10};
  for (int extra : {1, 7, 51, 333}) {
    const TPlace a = GrowPlace(left, TGrowRule::Fixed().Across(0, 0.5), extra, 0);
    const TPlace b = GrowPlace(right, TGrowRule::Fixed().Across(0.5, 1), extra, 0);
    EXPECT_EQ(a.Left + a.Width, b.Left) << extra;
    EXPECT_EQ(200 + extra, b.Left + b.Width) << extra;
  }
  // Two lists one above the other share the height in proportion.
  const double share = 145.0 / 325.0;
  const TPlace upper{8, 72, 586, 145}, lower{8, 242, 586, 180};
  const TPlace u = GrowPlace(upper, TGrowRule::Fixed().Down(0, share), 0, 325);
  const TPlace l = GrowPlace(lower, TGrowRule::Fixed().Down(share, 1), 0, 325);
  EXPECT_EQ(290, u.Height);
  EXPECT_EQ(360, l.Height);
  EXPECT_EQ(u.Top + u.Height + (242 - 217), l.Top);
}

TEST(GrowLayoutTest, LessThanTheFirstSizeCountsAsTheFirstSize) {
  const TGrowRule wide = TGrowRule::Fixed().Across(0, 1).Down(0, 1);
  EXPECT_EQ(kPlace, GrowPlace(kPlace, wide, -40, -10));
  EXPECT_EQ((TPlace{10, 20, 100, 45}), GrowPlace(kPlace, wide, -40, 5));
}

} // namespace
} // namespace quillon
