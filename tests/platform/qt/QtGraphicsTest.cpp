// Text measuring on Qt with the installed fonts ("Arial" is Liberation Sans, which has its
// metrics), under the offscreen platform.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <memory>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphicInterface.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/layout/RVFontCache.h"
#include "richtext/layout/RVTextMeasure.h"
#include "richtext/style/RVStyle.h"

namespace quillon {
namespace {

using namespace richtext;

class QtGraphicsTest : public ::testing::Test {
protected:
  QtGraphicsTest() { SetFont(-13); }
  void SetFont(int Height, TFontStyles Style = {}, const char16_t* Name = u"Arial") {
    TRVFont f;
    f.Name = Name;
    f.Height = Height;
    f.Style = Style;
    Canvas.SetFont(f);
  }
  int Width(std::u16string_view s) { return GI.TextWidth(Canvas, s, false, rvbdUnspecified); }

  TRVQtGraphicInterface GI;
  TRVQtCanvas Canvas{96, 96};
};

TEST_F(QtGraphicsTest, ArialIsLiberationSans) {
  EXPECT_EQ(QString("Liberation Sans"), QFontInfo(Canvas.GetQFont()).family());
  EXPECT_EQ(13, Canvas.GetQFont().pixelSize());
  EXPECT_FALSE(Canvas.GetQFont().kerning());
}

TEST_F(QtGraphicsTest, ArialTenPointMetrics) {
  // Liberation Sans: ascent 0.905 em, descent 0.212 em; 13 px gives 11.8 and 2.8.
  TRVTextMetric tm;
  ASSERT_TRUE(GI.GetTextMetrics(Canvas, tm));
  EXPECT_GE(tm.tmAscent, 11);
  EXPECT_LE(tm.tmAscent, 13);
  EXPECT_GE(tm.tmDescent, 2);
  EXPECT_LE(tm.tmDescent, 4);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  EXPECT_GE(tm.tmHeight, 14);
  EXPECT_LE(tm.tmHeight, 17);
  EXPECT_EQ(tm.tmHeight - 13, tm.tmInternalLeading);
  EXPECT_GE(tm.tmAveCharWidth, 5);
  EXPECT_LE(tm.tmAveCharWidth, 8);
  EXPECT_GT(tm.tmMaxCharWidth, tm.tmAveCharWidth);
  EXPECT_EQ(400, tm.tmWeight);
}

TEST_F(QtGraphicsTest, ExtentsGrowWithTextAndSpacing) {
  const TRVSize abc = GI.TextSizeBasic(Canvas, u"abc");
  const TRVSize abcd = GI.TextSizeBasic(Canvas, u"abcd");
  EXPECT_GT(abc.cx, 0);
  EXPECT_GT(abcd.cx, abc.cx);
  EXPECT_EQ(abc.cy, abcd.cy);
  TRVTextMetric tm;
  GI.GetTextMetrics(Canvas, tm);
  EXPECT_EQ(tm.tmHeight, abc.cy);
  EXPECT_EQ(0, GI.TextSizeBasic(Canvas, u"").cx);
  // "W" is wider than "i" in a proportional face.
  EXPECT_GT(Width(u"WWWW"), Width(u"iiii"));
  Canvas.SetTextCharacterExtra(3);
  EXPECT_EQ(abc.cx + 9, GI.TextSizeBasic(Canvas, u"abc").cx);
}

TEST_F(QtGraphicsTest, SoftHyphenIsAHyphenAloneAndNothingInText) {
  EXPECT_EQ(Width(u"-"), GI.TextSizeBasic(Canvas, u"\u00AD").cx);
  EXPECT_GT(Width(u"-"), 0);
  EXPECT_NEAR(Width(u"abc"), Width(u"ab\u00ADc"), 1);
}

TEST_F(QtGraphicsTest, StylesChangeTheFont) {
  const int regular = Width(u"Hello world");
  SetFont(-13, TFontStyles{fsBold});
  TRVTextMetric tm;
  GI.GetTextMetrics(Canvas, tm);
  EXPECT_EQ(700, tm.tmWeight);
  EXPECT_GT(Width(u"Hello world"), regular);
  SetFont(-26);
  EXPECT_NEAR(2 * regular, Width(u"Hello world"), 2);
  // A positive height is the cell: ascent plus descent.
  SetFont(16);
  GI.GetTextMetrics(Canvas, tm);
  EXPECT_NEAR(16, tm.tmHeight, 1);
  EXPECT_LT(Canvas.GetQFont().pixelSize(), 16);
  // A font widened to twice its average character width.
  SetFont(-13);
  GI.GetTextMetrics(Canvas, tm);
  TRVFont f = Canvas.GetFont();
  f.Width = 2 * tm.tmAveCharWidth;
  Canvas.SetFont(f);
  EXPECT_NEAR(2 * regular, Width(u"Hello world"), regular / 5);
}

TEST_F(QtGraphicsTest, OutlineMetricsOfLiberationSans) {
  SetFont(-100);
  TRVOutlineTextMetric m;
  ASSERT_TRUE(GI.GetOutlineTextMetrics(Canvas, m));
  // Script fonts are smaller than the em, subscripts drop, superscripts rise within it.
  EXPECT_GT(m.otmptSubscriptSize.cy, 33);
  EXPECT_LT(m.otmptSubscriptSize.cy, 100);
  EXPECT_GT(m.otmptSuperscriptSize.cy, 33);
  EXPECT_LT(m.otmptSuperscriptSize.cy, 100);
  EXPECT_GT(m.otmptSubscriptOffset.cy, 0);
  EXPECT_LT(m.otmptSubscriptOffset.cy, 50);
  EXPECT_GT(m.otmptSuperscriptOffset.cy, 0);
  EXPECT_LT(m.otmptSuperscriptOffset.cy, 100);
  EXPECT_GE(m.otmsUnderscoreSize, 5);
  EXPECT_LE(m.otmsUnderscoreSize, 12);
  EXPECT_LT(m.otmsUnderscorePosition, 0);
  EXPECT_GT(m.otmsUnderscorePosition, -30);
  // The typographic ascender and descender, inside the cell of the text metrics.
  TRVTextMetric tm;
  GI.GetTextMetrics(Canvas, tm);
  EXPECT_GT(m.otmAscent, 50);
  EXPECT_LT(m.otmAscent, tm.tmAscent);
  EXPECT_LT(m.otmDescent, 0);
  EXPECT_GE(m.otmDescent, -tm.tmDescent);
  // The table values scale with the size.
  SetFont(-200);
  TRVOutlineTextMetric big;
  ASSERT_TRUE(GI.GetOutlineTextMetrics(Canvas, big));
  EXPECT_NEAR(2 * m.otmptSubscriptSize.cy, big.otmptSubscriptSize.cy, 1);
}

TEST_F(QtGraphicsTest, CanvasesAndDeviceCaps) {
  auto c = GI.CreateCompatibleCanvas(Canvas);
  ASSERT_NE(nullptr, dynamic_cast<TRVQtCanvas*>(c.get()));
  EXPECT_EQ(96, GI.GetDeviceCaps(*c, LOGPIXELSX));
  EXPECT_GT(GI.GetDeviceCaps(*c, HORZRES), 0);
  EXPECT_GT(GI.GetDeviceCaps(*c, VERTRES), 0);
}

TEST(QtGraphicsRegistration, StyleSheetsMeasureWithQt) {
  RegisterQtGraphics();
  EXPECT_EQ(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInchY()),
            RV_GetScreenPixelsPerInch());
  TRVStyle sheet;
  ASSERT_NE(nullptr, dynamic_cast<TRVQtGraphicInterface*>(sheet.GetGraphicInterface()));
  TRVQtCanvas screen(96, 96), format(96, 96);

  TRVFontInfoCache plain(nullptr, sheet, screen, nullptr, false);
  const TRVFontInfoCacheItem& p = plain.Items(0);
  EXPECT_EQ(p.TextMetric.tmHeight, p.EmptyLineHeight);
  EXPECT_GT(p.AverageCharWidth, 5);
  EXPECT_GT(p.HyphenWidth, 0);

  // On the format canvas the font is 100 times larger and the metrics come back to pixels.
  TRVFontInfoCache large(nullptr, sheet, screen, &format, false);
  const TRVFontInfoCacheItem& l = large.Items(0);
  EXPECT_NEAR(p.TextMetric.tmAscent, l.TextMetric.tmAscent, 1);
  EXPECT_NEAR(p.EmptyLineHeight, l.EmptyLineHeight, 1);
  EXPECT_NEAR(100 * p.AverageCharWidth, l.AverageCharWidth, 100);
  const auto pc = TRVMeasureContext::FromCacheItem(*sheet.GetGraphicInterface(), p, false);
  const auto lc = TRVMeasureContext::FromCacheItem(*sheet.GetGraphicInterface(), l, true);
  // The screen font is 10 points rounded to 13 pixels; the format canvas keeps the exact
  // 13.33, so its widths are larger by that ratio.
  EXPECT_EQ(-13, p.Canvas->GetFont().Height);
  EXPECT_EQ(-1333, l.Canvas->GetFont().Height);
  const std::u16string text = u"The quick brown fox jumps over the lazy dog";
  EXPECT_NEAR(CalculateStringSize(pc, text).cx * 1333 / 1300, CalculateStringSize(lc, text).cx, 2);

  // Superscripts are smaller and raised.
  TFontInfo* sup = sheet.TextStyles.Add();
  sup->SubSuperScriptType = rvsssSuperScript;
  const TRVFontInfoCacheItem& s = plain.Items(sheet.TextStyles.Count() - 1);
  EXPECT_LT(s.TextMetric.tmHeight, p.TextMetric.tmHeight);
  EXPECT_GT(s.VerticalOffset, 0);
  RVSetGraphicInterfaceFactory(nullptr);
}

TEST(QtMaxFit, EveryMethodFitsAsMuchAsRoomAllows) {
  TRVQtGraphicInterface gi;
  TRVQtCanvas canvas(96, 96);
  TRVFont f;
  f.Height = -13;
  canvas.SetFont(f);
  TRVMeasureContext c;
  c.GraphicInterface = &gi;
  c.Canvas = &canvas;
  c.AverageCharWidth = gi.TextWidth(canvas, u"X", false, rvbdUnspecified);
  c.HyphenWidth = gi.TextWidth(canvas, u"-", false, rvbdUnspecified);
  const std::u16string text = u"Formatted hyperlinks for blog posts, measured in pixels";
  const TRVStringFormatMethod old = RichViewStringFormatMethod;
  for (TRVStringFormatMethod m : {rvsfmAuto, rvsfmEngine, rvsfmTRichView}) {
    RichViewStringFormatMethod = m;
    for (int w : {1, 7, 40, 100, 233, 1000}) {
      TRVSize sz;
      const int fit = MaxFitW(c, text, w, 0, true, &sz);
      EXPECT_LE(sz.cx, w) << "method " << int(m) << " width " << w;
      EXPECT_EQ(c.Measure(std::u16string_view(text).substr(0, fit)).cx, sz.cx);
      if (fit < static_cast<int>(text.size())) {
        EXPECT_GT(c.Measure(std::u16string_view(text).substr(0, fit + 1)).cx, w);
      }
    }
  }
  RichViewStringFormatMethod = old;
}

} // namespace
} // namespace quillon
