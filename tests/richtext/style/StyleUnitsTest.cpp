#include <gtest/gtest.h>

#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

// Pins the resolution for each case and restores the process-wide values afterwards.
class StyleUnits : public ::testing::Test {
protected:
  void TearDown() override {
    RichViewPixelsPerInch = 0;
    RV_SetScreenPixelsPerInch(96);
  }
  TRVStyle s;
};

TEST_F(StyleUnits, PixelUnitsPassValuesThroughUnchanged) {
  RichViewPixelsPerInch = 120;
  EXPECT_EQ(s.GetAsPixels(7), 7);
  EXPECT_EQ(s.TwipsToUnits(7), 1); // 0.58 px: converted, not passed through
  EXPECT_EQ(s.PixelsToUnits(7), 7);
  s.Units = rvstuTwips;
  EXPECT_EQ(s.GetAsTwips(7), 7);
  EXPECT_EQ(s.TwipsToUnits(7), 7);
}

TEST_F(StyleUnits, TwipsToPixelsRoundsTiesToEvenAndKeepsNonZero) {
  s.Units = rvstuTwips;
  RichViewPixelsPerInch = 120; // one pixel is 12 twips
  // Value : exact pixels : GetAsPixels(Value, 1) / (Value, 3)
  struct Case {
    int v;
    int px1;
    int px3;
  };
  const Case cases[] = {{0, 0, 0},  {6, 1, 3},     {-6, -1, -3}, {18, 2, 2},
                        {30, 2, 2}, {-30, -2, -2}, {42, 4, 4},   {13, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.v);
    EXPECT_EQ(s.GetAsPixels(c.v, 1), c.px1);
    EXPECT_EQ(s.GetAsPixels(c.v, 3), c.px3);
    EXPECT_EQ(s.TwipsToPixels(c.v), c.px1);
  }
  s.Units = rvstuPixels;
  EXPECT_EQ(s.TwipsToUnits(6), 1);
  EXPECT_EQ(s.TwipsToUnits(-6), -1);
  EXPECT_EQ(s.TwipsToUnits(30), 2);
  EXPECT_EQ(s.TwipsToUnits(0), 0);
}

TEST_F(StyleUnits, PixelsToTwipsRoundsTiesToEven) {
  RichViewPixelsPerInch = 576; // one pixel is 2.5 twips
  EXPECT_EQ(s.GetAsTwips(1), 2);
  EXPECT_EQ(s.GetAsTwips(3), 8);
  EXPECT_EQ(s.GetAsTwips(-1), -2);
  EXPECT_EQ(s.PixelsToTwips(1), 2);
  EXPECT_EQ(s.PixelsToTwips(3), 8);
  s.Units = rvstuTwips;
  EXPECT_EQ(s.PixelsToUnits(1), 2);
  EXPECT_EQ(s.PixelsToUnits(5), 12);
}

TEST_F(StyleUnits, ScreenResolutionIsUsedWithoutTheGlobalOverride) {
  s.Units = rvstuTwips;
  EXPECT_EQ(s.GetAsPixels(1440), 96);
  RV_SetScreenPixelsPerInch(144);
  EXPECT_EQ(s.GetPixelsPerInch(), 144);
  EXPECT_EQ(s.GetAsPixels(1440), 144);
  RichViewPixelsPerInch = 72;
  EXPECT_EQ(s.GetAsPixels(1440), 72);
}

TEST_F(StyleUnits, DevicePixels) {
  TRVScreenAndDevice sad;
  sad.ppixScreen = 96;
  sad.ppiyScreen = 96;
  sad.ppixDevice = 600;
  sad.ppiyDevice = 300;
  // Pixels: Value / screen * device.
  EXPECT_EQ(s.GetAsDevicePixelsX(10, &sad), 62); // 62.5
  EXPECT_EQ(s.GetAsDevicePixelsX(3, &sad), 19);  // 18.75
  EXPECT_EQ(s.GetAsDevicePixelsY(10, &sad), 31); // 31.25
  EXPECT_EQ(s.GetAsDevicePixelsY(1, &sad), 3);
  // Without a record: GetAsPixels.
  EXPECT_EQ(s.GetAsDevicePixelsX(10, nullptr), 10);
  // Twips: Value / 1440 * device, never 0 for a non-zero value.
  s.Units = rvstuTwips;
  EXPECT_EQ(s.GetAsDevicePixelsX(12, &sad), 5);
  EXPECT_EQ(s.GetAsDevicePixelsX(6, &sad), 2); // 2.5
  EXPECT_EQ(s.GetAsDevicePixelsX(1, &sad, 2), 2);
  EXPECT_EQ(s.GetAsDevicePixelsX(-1, &sad, 2), -2);
  EXPECT_EQ(s.GetAsDevicePixelsY(24, &sad), 5);
  EXPECT_EQ(s.GetAsDevicePixelsY(0, &sad), 0);
}

TEST_F(StyleUnits, PointsAndEMU) {
  EXPECT_DOUBLE_EQ(s.GetAsPoints(4), 3.0);
  EXPECT_EQ(s.GetAsEMU(1), 15 * 635);
  s.Units = rvstuTwips;
  EXPECT_DOUBLE_EQ(s.GetAsPoints(30), 1.5);
  EXPECT_EQ(s.GetAsEMU(1440), 914400);
  // A page-sized length in EMU exceeds 32 bits without overflowing.
  EXPECT_EQ(s.GetAsEMU(4000000), 4000000LL * 635);
}

} // namespace
} // namespace richtext
