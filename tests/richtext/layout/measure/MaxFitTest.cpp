// The fit search over the fixed-metric graphic interface: a font of em 10 gives every
// ordinary character 5 pixels, so widths read as character counts times 5.
#include <gtest/gtest.h>

#include <string>

#include "richtext/layout/RVTextMeasure.h"
#include "support/RVTestGraphics.h"

namespace richtext {
namespace {

using test::TRVTestGraphicInterface;

class MethodGuard {
public:
  explicit MethodGuard(TRVStringFormatMethod m) : FOld(RichViewStringFormatMethod) {
    RichViewStringFormatMethod = m;
  }
  ~MethodGuard() { RichViewStringFormatMethod = FOld; }

private:
  TRVStringFormatMethod FOld;
};

class MeasureFixture : public ::testing::Test {
protected:
  MeasureFixture() {
    TRVFont f = Canvas.GetFont();
    f.Height = -10;
    Canvas.SetFont(f);
    C.GraphicInterface = &GI;
    C.Canvas = &Canvas;
    C.AverageCharWidth = 5;
    C.HyphenWidth = 5;
  }
  TRVTestGraphicInterface GI;
  TRVStateCanvas Canvas{96, 96};
  TRVMeasureContext C;
};

class MaxFitTest : public MeasureFixture,
                   public ::testing::WithParamInterface<TRVStringFormatMethod> {
protected:
  // "fit:width" of MaxFitW under the parameter's method.
  std::string Fit(std::u16string_view s, int Width, int MaxLength = 0, bool CanWrap = true) {
    MethodGuard g(GetParam());
    TRVSize sz;
    int fit = MaxFitW(C, s, Width, MaxLength, CanWrap, &sz);
    return std::to_string(fit) + ":" + std::to_string(sz.cx);
  }
};

TEST_P(MaxFitTest, PlainText) {
  const std::u16string s = u"abcdefghij";
  EXPECT_EQ("4:20", Fit(s, 23));
  EXPECT_EQ("5:25", Fit(s, 25));
  EXPECT_EQ("5:25", Fit(s, 29));
  EXPECT_EQ("1:5", Fit(s, 5));
  EXPECT_EQ("0:0", Fit(s, 4));
  EXPECT_EQ("10:50", Fit(s, 50));
  EXPECT_EQ("10:50", Fit(s, 1000));
  // A long text: the first probe is sized from the average width, then interpolation.
  const std::u16string longText(300, u'm');
  EXPECT_EQ("137:685", Fit(longText, 688));
}

TEST_P(MaxFitTest, ZeroAndNegativeWidthsFitNothing) {
  EXPECT_EQ("0:0", Fit(u"abc", 0));
  EXPECT_EQ("0:0", Fit(u"abc", -7));
  EXPECT_EQ("0:0", Fit(u"", 100));
}

TEST_P(MaxFitTest, ZeroWidthCharactersTakeNoRoom) {
  // Three zero-width spaces, then letters.
  EXPECT_EQ("4:5", Fit(u"\u200B\u200B\u200Babc", 5));
  EXPECT_EQ("4:5", Fit(u"\u200B\u200B\u200Babc", 9));
}

TEST_P(MaxFitTest, MaxLengthAndNoWrap) {
  EXPECT_EQ("3:15", Fit(u"abcdefghij", 1000, 3));
  EXPECT_EQ("10:50", Fit(u"abcdefghij", 12, 0, false));
  EXPECT_EQ("6:30", Fit(u"abcdefghij", 0, 6, false));
}

TEST_P(MaxFitTest, SurrogatePairsStayWhole) {
  // The pair's first unit takes no width and its second 10: a fit after "a" plus the first
  // unit would split it.
  GI.Widths[0xD83D] = 0;
  GI.Widths[0xDE00] = 10;
  const std::u16string s = u"a\U0001F600b";
  EXPECT_EQ("1:5", Fit(s, 12));
  EXPECT_EQ("3:15", Fit(s, 15));
  EXPECT_EQ("4:20", Fit(s, 20));
  // A cap inside the pair does not split it either.
  EXPECT_EQ("1:5", Fit(s, 100, 2));
  EXPECT_EQ("1:5", Fit(s, 100, 2, false));
}

TEST_P(MaxFitTest, CombiningMarksStayWithTheirBase) {
  GI.Widths[0x0301] = 3;
  // "e" + acute = 8 wide.
  EXPECT_EQ("1:5", Fit(u"ae\u0301b", 12));
  EXPECT_EQ("3:13", Fit(u"ae\u0301b", 13));
}

std::string MethodName(const ::testing::TestParamInfo<TRVStringFormatMethod>& Info) {
  switch (Info.param) {
  case rvsfmEngine:
    return "Engine";
  case rvsfmTRichView:
    return "TRichView";
  default:
    return "Auto";
  }
}

INSTANTIATE_TEST_SUITE_P(Methods, MaxFitTest,
                         ::testing::Values(rvsfmAuto, rvsfmEngine, rvsfmTRichView), MethodName);

// Soft hyphens: the search's rules, and the interface path's, give these results.
class SoftHyphenFitTest : public MaxFitTest {};

TEST_P(SoftHyphenFitTest, HyphenCountsOnlyAtTheEndOfAFit) {
  const std::u16string s = u"ab\u00ADcd";
  // A run ending in the soft hyphen shows a hyphen: "ab-" is 15.
  EXPECT_EQ("1:5", Fit(s, 14));
  EXPECT_EQ(20, CalculateStringSize(C, s).cx);
  EXPECT_EQ(15, CalculateStringSize(C, u"ab\u00AD").cx);
  EXPECT_EQ("5:20", Fit(s, 20));
}

TEST_P(SoftHyphenFitTest, ExactWidthAtTheHyphen) {
  // Width 15 holds "ab-" and also "abc" (the inner soft hyphen is nothing): the probing
  // search stops at the first run measuring exactly 15, the interface finds the longest.
  const std::string expected = GetParam() == rvsfmEngine ? "4:15" : "3:15";
  EXPECT_EQ(expected, Fit(u"ab\u00ADcd", 15));
}

INSTANTIATE_TEST_SUITE_P(Methods, SoftHyphenFitTest, ::testing::Values(rvsfmEngine, rvsfmTRichView),
                         MethodName);

class FitPathTest : public MeasureFixture {};

TEST_F(FitPathTest, MethodChoosesTheSearch) {
  const std::u16string s = u"abcdefghij";
  {
    MethodGuard g(rvsfmEngine);
    EXPECT_EQ(4, MaxFitW(C, s, 23, 0, true));
    EXPECT_EQ(1, GI.MaxFitCalls);
  }
  {
    MethodGuard g(rvsfmTRichView);
    EXPECT_EQ(4, MaxFitW(C, s, 23, 0, true));
    EXPECT_EQ(1, GI.MaxFitCalls);
  }
  {
    // Auto on the screen canvas: the interface is not preferred.
    MethodGuard g(rvsfmAuto);
    EXPECT_EQ(4, MaxFitW(C, s, 23, 0, true));
    EXPECT_EQ(1, GI.MaxFitCalls);
  }
}

TEST_F(FitPathTest, AutoOnTheFormatCanvasPrefersTheInterfaceForShortTexts) {
  MethodGuard g(rvsfmAuto);
  TRVFont f = Canvas.GetFont();
  f.Height = -1000; // 500 format units a character
  Canvas.SetFont(f);
  C.AverageCharWidth = 500;
  C.HyphenWidth = 500;
  C.UseFormatCanvas = true;
  TRVSize sz;
  // 23 pixels are 2300 units: 4 characters, about 4 expected of 10 (10 / 4 < 6).
  EXPECT_EQ(4, MaxFitW(C, u"abcdefghij", 23, 0, true, &sz));
  EXPECT_EQ(1, GI.MaxFitCalls);
  EXPECT_EQ((TRVSize{20, 10}), sz);
  // 30 characters for an estimate of 4: the engine searches itself.
  EXPECT_EQ(4, MaxFitW(C, std::u16string(30, u'x'), 23, 0, true, &sz));
  EXPECT_EQ(1, GI.MaxFitCalls);
  // A single character 5.55 pixels wide: the size comes back rounded.
  GI.Widths[u'w'] = 555;
  EXPECT_EQ(2, MaxFitW(C, u"www", 12, 0, true, &sz));
  EXPECT_EQ((TRVSize{11, 10}), sz);
}

TEST_F(FitPathTest, InitialBounds) {
  int hi = 0, cx = 0;
  // 2 x 23 / 5 = 9, raised to 10 probes; 10 characters are 50 > 23.
  EXPECT_FALSE(GetBSearchInitialBounds(C, u"abcdefghijklmnop", 23, hi, cx));
  EXPECT_EQ(10, hi);
  EXPECT_EQ(50, cx);
  // Doubling from 10 to 20 to the whole text of 25.
  C.AverageCharWidth = 50;
  EXPECT_FALSE(GetBSearchInitialBounds(C, std::u16string(25, u'x'), 110, hi, cx));
  EXPECT_EQ(25, hi);
  EXPECT_EQ(125, cx);
  EXPECT_TRUE(GetBSearchInitialBounds(C, std::u16string(25, u'x'), 125, hi, cx));
  EXPECT_EQ(25, hi);
  // A probe cut right after a soft hyphen shows the hyphen.
  EXPECT_FALSE(GetBSearchInitialBounds(C, u"abcdefghi\u00ADjkl", 49, hi, cx));
  EXPECT_EQ(10, hi);
  EXPECT_EQ(50, cx);
}

TEST(AdjustMaxFit, KeepsCharactersWhole) {
  const std::u16string s = u"ae\u0301\U0001F600x";
  // a | e + acute | pair | x
  EXPECT_EQ(0, AdjustMaxFit(s, 0));
  EXPECT_EQ(1, AdjustMaxFit(s, 1));
  EXPECT_EQ(3, AdjustMaxFit(s, 2));
  EXPECT_EQ(5, AdjustMaxFit(s, 4));
  EXPECT_EQ(6, AdjustMaxFit(s, 6));
  EXPECT_EQ(1, AdjustMaxFitL(s, 3));
  EXPECT_EQ(3, AdjustMaxFitL(s, 5));
  EXPECT_EQ(0, AdjustMaxFitL(s, 1));
  EXPECT_EQ(0, AdjustMaxFitL(s, 0));
}

} // namespace
} // namespace richtext
