// The graphic interface's shared operations (TextSize, the default MaxFit, PreferMaxFit,
// expandable characters, device capabilities, canvases) over the fixed-metric interface.
#include <gtest/gtest.h>

#include <string>

#include "richtext/graphics/RVGrIn.h"
#include "richtext/style/RVStyleTypes.h"
#include "support/RVTestGraphics.h"

namespace richtext {
namespace {

using test::TRVTestGraphicInterface;

class GraphicInterfaceTest : public ::testing::Test {
protected:
  GraphicInterfaceTest() {
    TRVFont f = Canvas.GetFont();
    f.Height = -10; // 5 pixels a character
    Canvas.SetFont(f);
  }
  int Width(std::u16string_view s, bool Symbol = false) {
    return GI.TextWidth(Canvas, s, Symbol, rvbdUnspecified);
  }
  TRVTestGraphicInterface GI;
  TRVStateCanvas Canvas{96, 120};
};

TEST_F(GraphicInterfaceTest, SoftHyphensTakeNoWidthUnlessSymbolFont) {
  EXPECT_EQ(15, GI.TextSizeBasic(Canvas, u"a\u00ADb\u00AD").cx - 5);
  EXPECT_EQ(10, Width(u"a\u00ADb\u00AD"));
  EXPECT_EQ(20, Width(u"a\u00ADb\u00AD", true));
  // Character extra spacing goes with the soft hyphen too.
  Canvas.SetTextCharacterExtra(2);
  EXPECT_EQ(14, Width(u"a\u00ADb"));
  EXPECT_EQ(21, Width(u"a\u00ADb", true));
  TRVSize sz;
  GI.TextSize(Canvas, u"", sz, false, rvbdUnspecified);
  EXPECT_EQ((TRVSize{0, 10}), sz);
}

TEST_F(GraphicInterfaceTest, ZeroWidthSpaceAndWordJoinerBeforeVista) {
  GI.Widths[0x200B] = 4;
  GI.Widths[0x2060] = 3;
  const bool old = RVVista;
  RVVista = true;
  EXPECT_EQ(17, Width(u"a\u200Bb\u2060"));
  RVVista = false;
  EXPECT_EQ(10, Width(u"a\u200Bb\u2060"));
  EXPECT_EQ(24, Width(u"a\u200Bb\u2060\u200B\u2060", true));
  RVVista = old;
}

TEST_F(GraphicInterfaceTest, DefaultMaxFitAgreesWithCumulativeWidths) {
  GI.Widths[0x0301] = 3;
  const std::u16string s = u"ab\u00ADce\u0301 \u200Bxy\U0001F600z";
  for (int extra : {0, 1}) {
    Canvas.SetTextCharacterExtra(extra);
    for (int w = -2; w <= 70; ++w) {
      TRVSize own, base;
      int ownFit = -1, baseFit = -1;
      GI.OwnMaxFit = true;
      GI.MaxFit(Canvas, s, own, ownFit, false, rvbdUnspecified, w);
      GI.OwnMaxFit = false;
      GI.MaxFit(Canvas, s, base, baseFit, false, rvbdUnspecified, w);
      EXPECT_EQ(ownFit, baseFit) << "width " << w << " extra " << extra;
      EXPECT_EQ(own, base);
      EXPECT_EQ(Width(s), base.cx);
    }
  }
}

TEST_F(GraphicInterfaceTest, PreferMaxFitOnlyOnTheFormatCanvasForShortRuns) {
  EXPECT_FALSE(GI.PreferMaxFit(Canvas, rvbdUnspecified, 10, 20, false));
  EXPECT_TRUE(GI.PreferMaxFit(Canvas, rvbdUnspecified, 10, 59, true));
  EXPECT_FALSE(GI.PreferMaxFit(Canvas, rvbdUnspecified, 10, 60, true));
  // An estimate of 0 counts as 1.
  EXPECT_TRUE(GI.PreferMaxFit(Canvas, rvbdUnspecified, 0, 5, true));
  EXPECT_FALSE(GI.PreferMaxFit(Canvas, rvbdUnspecified, -3, 6, true));
}

TEST_F(GraphicInterfaceTest, ExpandableCharactersStartClustersAndHaveWidth) {
  // a | e + acute | space | zero-width space | pair | soft hyphen
  EXPECT_EQ(4, GI.GetExpandableCharCount(Canvas, u"ae\u0301 \u200B\U0001F600\u00AD", false,
                                         rvbdUnspecified));
  EXPECT_EQ(0, GI.GetExpandableCharCount(Canvas, u"", false, rvbdUnspecified));
}

TEST_F(GraphicInterfaceTest, DeviceCapsAndCanvases) {
  EXPECT_EQ(96, GI.GetDeviceCaps(Canvas, LOGPIXELSX));
  EXPECT_EQ(120, GI.GetDeviceCaps(Canvas, LOGPIXELSY));
  EXPECT_EQ(0, GI.GetDeviceCaps(Canvas, HORZRES));
  auto c = GI.CreateCompatibleCanvas(Canvas);
  ASSERT_NE(nullptr, c);
  EXPECT_EQ(96, c->GetPixelsPerInchX());
  EXPECT_EQ(120, c->GetPixelsPerInchY());
  EXPECT_EQ(TRVFont{}.Height, c->GetFont().Height);
  EXPECT_EQ(MM_TEXT, GI.GetMapMode(*c));
  GI.SetMapMode(*c, MM_ANISOTROPIC);
  GI.SetWindowExt(*c, {3, 4});
  EXPECT_EQ(MM_ANISOTROPIC, c->GetMapMode());
  EXPECT_EQ((TRVSize{3, 4}), GI.GetWindowExt(*c));
  auto screen = GI.CreateScreenCanvas();
  ASSERT_NE(nullptr, screen);
  EXPECT_EQ(RV_GetScreenPixelsPerInch(), screen->GetPixelsPerInchY());
  GI.DestroyScreenCanvas(screen);
  EXPECT_EQ(nullptr, screen);
}

TEST(GraphicInterfaceFactory, RegisteredFactoryMakesInterfaces) {
  int made = 0;
  bool complex = false;
  RVSetGraphicInterfaceFactory([&](bool ComplexScripts) {
    ++made;
    complex = ComplexScripts;
    return std::make_unique<TRVTestGraphicInterface>();
  });
  auto gi = RVCreateGraphicInterface(true);
  EXPECT_NE(nullptr, gi);
  EXPECT_EQ(1, made);
  EXPECT_TRUE(complex);
  RVSetGraphicInterfaceFactory(nullptr);
  EXPECT_EQ(nullptr, RVCreateGraphicInterface(false));
}

} // namespace
} // namespace richtext
