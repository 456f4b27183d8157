// The font cache over the fixed-metric graphic interface: every expected number follows from
// the rules written at the top of support/RVTestGraphics.h.
#include <gtest/gtest.h>

#include <string>

#include "richtext/base/RVClasses.h"
#include "richtext/layout/RVFontCache.h"
#include "richtext/layout/RVTextMeasure.h"
#include "richtext/style/RVStyle.h"
#include "support/RVTestGraphics.h"

namespace richtext {
namespace {

using test::TRVTestGraphicInterface;

std::string Dump(const TRVFontInfoCacheItem& i) {
  const TRVTextMetric& tm = i.TextMetric;
  return "h" + std::to_string(tm.tmHeight) + " a" + std::to_string(tm.tmAscent) + " d" +
         std::to_string(tm.tmDescent) + " empty" + std::to_string(i.EmptyLineHeight) + " avg" +
         std::to_string(i.AverageCharWidth) + " hyph" + std::to_string(i.HyphenWidth) + "/" +
         std::to_string(i.HyphenWidthFC) + " voff" + std::to_string(i.VerticalOffset) + " font" +
         std::to_string(i.Canvas->GetFont().Height) + (i.IsSymbolFont ? " sym" : "");
}

class FontCacheTest : public ::testing::Test {
protected:
  FontCacheTest() {
    auto gi = std::make_unique<TRVTestGraphicInterface>();
    GI = gi.get();
    Sheet.SetGraphicInterface(std::move(gi));
  }
  // Appends a style of SizeDouble half points and returns its index.
  int AddStyle(int SizeDouble, TRVSubSuperScriptType Script = rvsssNormal, int VShift = 0) {
    TFontInfo* f = Sheet.TextStyles.Add();
    f->SizeDouble = SizeDouble;
    f->SubSuperScriptType = Script;
    f->VShift = VShift;
    return Sheet.TextStyles.Count() - 1;
  }

  TRVStyle Sheet;
  TRVTestGraphicInterface* GI;
  TRVStateCanvas Canvas{96, 96};
};

TEST_F(FontCacheTest, PlainStyleFields) {
  TRVFontInfoCache cache(nullptr, Sheet, Canvas, nullptr, false);
  EXPECT_FALSE(cache.GetUseFormatCanvas());
  // 10 pt at 96 dpi: em 13, w 7, ascent 10.
  EXPECT_EQ("h13 a10 d3 empty13 avg7 hyph7/7 voff0 font-13", Dump(cache.Items(0)));
  EXPECT_EQ(&Sheet.TextStyles[0], cache.Items(0).FontInfo);
  // 7.5 pt: em 10.
  int s = AddStyle(15);
  EXPECT_EQ("h10 a8 d2 empty10 avg5 hyph5/5 voff0 font-10", Dump(cache.Items(s)));
}

TEST_F(FontCacheTest, SubAndSuperscriptWithOutlineMetrics) {
  TRVFontInfoCache cache(nullptr, Sheet, Canvas, nullptr, false);
  // Base em 13, ascent 10: script size 8 from the outline; the superscript offset 7 is held
  // down to 10 - 8 so that it does not rise above the ascent.
  EXPECT_EQ("h8 a6 d2 empty8 avg4 hyph4/4 voff2 font-8",
            Dump(cache.Items(AddStyle(20, rvsssSuperScript))));
  // The subscript offset (13 + 3) / 7 = 2 goes down.
  EXPECT_EQ("h8 a6 d2 empty8 avg4 hyph4/4 voff-2 font-8",
            Dump(cache.Items(AddStyle(20, rvsssSubscript))));
}

TEST_F(FontCacheTest, SubAndSuperscriptWithoutOutlineMetrics) {
  GI->HasOutline = false;
  TRVFontInfoCache cache(nullptr, Sheet, Canvas, nullptr, false);
  // em 13: size Round(8.67) = 9, superscript Round(5.85) = 6, subscript -Round(3.25) = -3.
  EXPECT_EQ("h9 a7 d2 empty9 avg5 hyph5/5 voff6 font-9",
            Dump(cache.Items(AddStyle(20, rvsssSuperScript))));
  EXPECT_EQ("h9 a7 d2 empty9 avg5 hyph5/5 voff-3 font-9",
            Dump(cache.Items(AddStyle(20, rvsssSubscript))));
  // em 10: -Round(2.5) rounds to the even -2, Round(4.5) to 4; size Round(6.67) = 7.
  EXPECT_EQ("h7 a6 d1 empty7 avg4 hyph4/4 voff-2 font-7",
            Dump(cache.Items(AddStyle(15, rvsssSubscript))));
  EXPECT_EQ("h7 a6 d1 empty7 avg4 hyph4/4 voff4 font-7",
            Dump(cache.Items(AddStyle(15, rvsssSuperScript))));
}

TEST_F(FontCacheTest, VShiftIsPercentOfTheFontHeight) {
  TRVFontInfoCache cache(nullptr, Sheet, Canvas, nullptr, false);
  // MulDiv(13, 50, 100) = 6.5, rounded away from zero.
  EXPECT_EQ(7, cache.Items(AddStyle(20, rvsssNormal, 50)).VerticalOffset);
  EXPECT_EQ(-7, cache.Items(AddStyle(20, rvsssNormal, -50)).VerticalOffset);
  // Superscript: offset 2 plus half of the script font's height 8.
  EXPECT_EQ(6, cache.Items(AddStyle(20, rvsssSuperScript, 50)).VerticalOffset);
}

TEST_F(FontCacheTest, AverageCharWidthIsAtLeastOne) {
  GI->Widths[u'X'] = 0;
  TRVFontInfoCache cache(nullptr, Sheet, Canvas, nullptr, false);
  EXPECT_EQ(1, cache.Items(0).AverageCharWidth);
}

TEST_F(FontCacheTest, InvalidIndicesShareTheInvalidStyleItem) {
  TRVFontInfoCache cache(nullptr, Sheet, Canvas, nullptr, false);
  TRVFontInfoCacheItem& bad = cache.Items(-1);
  EXPECT_EQ(&bad, &cache.Items(Sheet.TextStyles.Count()));
  EXPECT_EQ(&bad, &cache.Items(1000));
  EXPECT_EQ(Sheet.TextStyles.InvalidItem(), bad.FontInfo);
  EXPECT_EQ(static_cast<TColor>(0x000000FF), bad.FontInfo->BackColor);
  // It carries style 0's font.
  EXPECT_EQ(Dump(cache.Items(0)), Dump(bad));
  EXPECT_NE(&bad, &cache.Items(0));
}

TEST_F(FontCacheTest, FontsAreMadeOncePerStyleAndReappliedForDirection) {
  TRVFontInfoCache cache(nullptr, Sheet, Canvas, nullptr, false);
  TRVFontInfoCacheItem* first = &cache.Items(2);
  EXPECT_EQ(first, &cache.Items(2));
  EXPECT_EQ(1, GI->CompatibleCanvases);
  EXPECT_EQ(0u, first->Canvas->GetTextAlign() & TA_RTLREADING);

  cache.CurParaBiDiMode = rvbdRightToLeft;
  EXPECT_EQ(first, &cache.Items(2));
  EXPECT_EQ(rvbdRightToLeft, first->LastBiDiMode);
  EXPECT_EQ(TA_RTLREADING, first->Canvas->GetTextAlign() & TA_RTLREADING);
  EXPECT_EQ("h13 a10 d3 empty13 avg7 hyph7/7 voff0 font-13", Dump(*first));

  cache.IgnoreParaBiDiMode = true;
  cache.CurParaBiDiMode = rvbdLeftToRight;
  const int calls = GI->TextSizeBasicCalls;
  cache.Items(2);
  EXPECT_EQ(calls, GI->TextSizeBasicCalls);
  EXPECT_EQ(1, GI->CompatibleCanvases);
}

TEST_F(FontCacheTest, SymbolFontAndMappingCopiedFromTheCacheCanvas) {
  Canvas.SetMapMode(MM_ANISOTROPIC);
  Canvas.SetWindowExt({100, 200});
  Canvas.SetViewportExt({50, 60});
  Canvas.SetGraphicsMode(GM_ADVANCED);
  TRVXForm x;
  x.eM11 = 2;
  x.eDy = 3;
  Canvas.SetWorldTransform(x);
  TFontInfo* f = Sheet.TextStyles.Add();
  f->Charset = SYMBOL_CHARSET;
  TRVFontInfoCache cache(nullptr, Sheet, Canvas, nullptr, false);
  const TRVFontInfoCacheItem& i = cache.Items(Sheet.TextStyles.Count() - 1);
  EXPECT_TRUE(i.IsSymbolFont);
  EXPECT_FALSE(cache.Items(0).IsSymbolFont);
  EXPECT_EQ(MM_ANISOTROPIC, i.Canvas->GetMapMode());
  EXPECT_EQ((TRVSize{100, 200}), i.Canvas->GetWindowExt());
  EXPECT_EQ((TRVSize{50, 60}), i.Canvas->GetViewportExt());
  EXPECT_EQ(x, i.Canvas->GetWorldTransform());
}

TEST_F(FontCacheTest, FormatCanvasMeasuresLargeAndConvertsBack) {
  TRVStateCanvas format(96, 96);
  TRVFontInfoCache cache(nullptr, Sheet, Canvas, &format, false);
  EXPECT_TRUE(cache.GetUseFormatCanvas());
  EXPECT_EQ(&format, &cache.GetCanvas());
  // 10 pt at 9600 dpi: em 1333, w 667, ascent 1066, all brought back to pixels; the descent
  // is the empty line height less the rounded ascent; the average width stays large.
  EXPECT_EQ("h13 a11 d2 empty13 avg667 hyph7/667 voff0 font-1333", Dump(cache.Items(0)));
  // Superscript: offset (1333 + 1) / 2 = 667 held to 1066 - 800 = 266, i.e. 3 pixels.
  EXPECT_EQ(3, cache.Items(AddStyle(20, rvsssSuperScript)).VerticalOffset);
  // The same style applied again (direction change) does not grow the font further.
  cache.CurParaBiDiMode = rvbdRightToLeft;
  EXPECT_EQ(-1333, cache.Items(0).Canvas->GetFont().Height);
}

TEST_F(FontCacheTest, NoGraphicInterfaceIsAnError) {
  Sheet.SetGraphicInterface(nullptr);
  EXPECT_THROW(TRVFontInfoCache(nullptr, Sheet, Canvas, nullptr, false), ERichViewError);
}

TEST(FormatCanvasConversion, RoundsToNearestTiesToEven) {
  EXPECT_EQ(1300, RVConvertToFormatCanvas(13));
  EXPECT_EQ(-500, RVConvertToFormatCanvas(-5));
  EXPECT_EQ(1, RVConvertFromFormatCanvas(149));
  EXPECT_EQ(2, RVConvertFromFormatCanvas(150));
  EXPECT_EQ(2, RVConvertFromFormatCanvas(250));
  EXPECT_EQ(4, RVConvertFromFormatCanvas(350));
  EXPECT_EQ(3, RVConvertFromFormatCanvas(251));
  EXPECT_EQ(-2, RVConvertFromFormatCanvas(-150));
  EXPECT_EQ(-2, RVConvertFromFormatCanvas(-250));
  EXPECT_EQ(0, RVConvertFromFormatCanvas(49));
  for (int v : {0, 1, 17, -23, 4000})
    EXPECT_EQ(v, RVConvertFromFormatCanvas(RVConvertToFormatCanvas(v)));
}

} // namespace
} // namespace richtext
