#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

using test::TFixedGraphicInterface;
using test::TRecordingCanvas;

std::string Join(const std::vector<std::string>& v) {
  std::string r;
  for (const auto& s : v)
    r += s + '\n';
  return r;
}

class ApplyStyle : public ::testing::Test {
protected:
  void TearDown() override { RichViewPixelsPerInch = 0; }
  std::string Apply(int styleNo, TRVBiDiMode def = rvbdUnspecified, bool customPPI = false,
                    bool ignoreSSS = false, bool formatCanvas = false) {
    TRecordingCanvas c;
    s.ApplyStyle(c, styleNo, def, customPPI, ignoreSSS, formatCanvas);
    return Join(c.Calls);
  }
  std::string Colors(int styleNo, TRVTextDrawStates state, bool printing = false,
                     TRVColorMode mode = rvcmColor) {
    TRecordingCanvas c;
    s.ApplyStyleColor(c, styleNo, state, printing, mode);
    return Join(c.Calls);
  }
  TRVStyle s;
};

TEST_F(ApplyStyle, PlainStyleTakesThePointSizeFaceAndCharset) {
  EXPECT_EQ(Apply(0), "font Arial h-13 ppi96 [] cs1 cFF000008 w0 wt0\nextra 0\nalign 24\n");
  s.TextStyles[1].Charset = 204;
  EXPECT_EQ(Apply(1), "font Arial h-13 ppi96 [B] cs204 cFF000008 w0 wt0\nextra 0\nalign 24\n");
  s.TextStyles[0].SizeDouble = 21; // odd: the height from the half points, 14 px exactly
  EXPECT_EQ(Apply(0), "font Arial h-14 ppi96 [] cs1 cFF000008 w0 wt0\nextra 0\nalign 24\n");
}

TEST_F(ApplyStyle, SpecialResolutions) {
  RichViewPixelsPerInch = 120;
  EXPECT_EQ(Apply(0, rvbdUnspecified, false), // the override needs CanUseCustomPPI
            "font Arial h-13 ppi96 [] cs1 cFF000008 w0 wt0\nextra 0\nalign 24\n");
  EXPECT_EQ(Apply(0, rvbdUnspecified, true), // 16.67 px
            "font Arial h-17 ppi120 [] cs1 cFF000008 w0 wt0\nextra 0\nalign 24\n");
  RichViewPixelsPerInch = 0;
  s.TextStyles[0].CharSpacing = 2;
  EXPECT_EQ(Apply(0, rvbdUnspecified, false, false, true), // format canvas: 100x
            "font Arial h-1333 ppi9600 [] cs1 cFF000008 w0 wt0\nextra 200\nalign 24\n");
}

TEST_F(ApplyStyle, ScaledStyleGetsALogicalFontWithAScaledAverageWidth) {
  TFontInfo& f = s.TextStyles[1];
  f.CharScale = 150;
  f.FontName = u"A face name that is longer than thirty-one characters";
  s.SetGraphicInterface(std::make_unique<TFixedGraphicInterface>()); // average width 7
  EXPECT_EQ(Apply(1),
            "font A face name that is longer than h-13 ppi96 [B] cs1 cFF000008 w0 wt700\n"
            "font A face name that is longer than h-13 ppi96 [B] cs1 cFF000008 w10 wt700\n"
            "extra 0\nalign 24\n"); // 10.5 -> 10
  s.SetGraphicInterface(nullptr);   // no metrics: half the height, 6.5 -> 6
  f.Style = {};
  EXPECT_EQ(Apply(1), "font A face name that is longer than h-13 ppi96 [] cs1 cFF000008 w0 wt400\n"
                      "font A face name that is longer than h-13 ppi96 [] cs1 cFF000008 w9 wt400\n"
                      "extra 0\nalign 24\n");
}

TEST_F(ApplyStyle, SubAndSuperscriptHeights) {
  auto gi = std::make_unique<TFixedGraphicInterface>();
  TFixedGraphicInterface* g = gi.get();
  s.SetGraphicInterface(std::move(gi));
  s.TextStyles[0].SubSuperScriptType = rvsssSubscript;
  EXPECT_EQ(Apply(0), "font Arial h-13 ppi96 [] cs1 cFF000008 w0 wt0\n"
                      "font Arial h-6 ppi96 [] cs1 cFF000008 w0 wt0\nextra 0\nalign 24\n");
  s.TextStyles[0].SubSuperScriptType = rvsssSuperScript; // 3 is below a third of 13
  EXPECT_EQ(Apply(0), "font Arial h-13 ppi96 [] cs1 cFF000008 w0 wt0\n"
                      "font Arial h-4 ppi96 [] cs1 cFF000008 w0 wt0\nextra 0\nalign 24\n");
  EXPECT_EQ(Apply(0, rvbdUnspecified, false, true),
            "font Arial h-13 ppi96 [] cs1 cFF000008 w0 wt0\nextra 0\nalign 24\n");
  g->HasOutline = false; // two thirds of 13, rounded
  EXPECT_EQ(Apply(0), "font Arial h-13 ppi96 [] cs1 cFF000008 w0 wt0\n"
                      "font Arial h-9 ppi96 [] cs1 cFF000008 w0 wt0\nextra 0\nalign 24\n");
}

TEST_F(ApplyStyle, SpacingInPixelsAndReadingDirection) {
  auto from = [](const std::string& calls, const char* key) {
    return calls.substr(calls.find(key));
  };
  s.TextStyles[0].CharSpacing = 3;
  EXPECT_EQ(from(Apply(0), "extra"), "extra 3\nalign 24\n");
  s.Units = rvstuTwips;
  s.TextStyles[0].CharSpacing = 5; // 0.33 px still gives one pixel
  EXPECT_EQ(from(Apply(0), "extra"), "extra 1\nalign 24\n");
  EXPECT_EQ(from(Apply(0, rvbdRightToLeft), "align"), "align 280\n");
  s.TextStyles[0].BiDiMode = rvbdLeftToRight;
  EXPECT_EQ(from(Apply(0, rvbdRightToLeft), "align"), "align 24\n");
  s.TextStyles[0].BiDiMode = rvbdRightToLeft;
  EXPECT_EQ(from(Apply(0), "align"), "align 280\n");
}

TEST_F(ApplyStyle, HooksMayTakeOver) {
  std::string log;
  s.OnApplyStyle = [&](TRVStyle&, TRVCanvas&, int no, bool& doDefault) {
    log += "apply " + std::to_string(no) + ';';
    doDefault = no != 3;
  };
  s.OnAfterApplyStyle = [&](TRVStyle&, TRVCanvas& c, int no) {
    log += "after " + std::to_string(no) + " h" + std::to_string(c.GetFont().Height) + ';';
  };
  EXPECT_EQ(Apply(3), "");
  Apply(2);
  EXPECT_EQ(log, "apply 3;apply 2;after 2 h-13;");
}

TEST_F(ApplyStyle, OutOfRangeStyleIsAppliedAsTheInvalidStyle) {
  EXPECT_EQ(Colors(99, {}), "font Arial h-13 ppi96 [] cs1 cFFFFFF w0 wt0\nbrush FF\n");
}

TEST_F(ApplyStyle, ColoursByState) {
  s.SelColor = 0x111111;
  s.SelTextColor = 0x222222;
  s.InactiveSelColor = 0x333333;
  s.InactiveSelTextColor = 0x444444;
  EXPECT_EQ(Colors(0, {}), "font Arial h-13 ppi96 [] cs1 cFF000008 w0 wt0\nbrush clear\n");
  EXPECT_EQ(Colors(0, {rvtsSelected, rvtsControlFocused}),
            "font Arial h-13 ppi96 [] cs1 c222222 w0 wt0\nbrush 111111\n");
  EXPECT_EQ(Colors(0, {rvtsSelected}),
            "font Arial h-13 ppi96 [] cs1 c444444 w0 wt0\nbrush 333333\n");
  // Hover: the style's, else the sheet's hover colour, else the text colour.
  EXPECT_EQ(Colors(4, {rvtsHover}), "font Arial h-13 ppi96 [] cs1 c8000 w0 wt0\nbrush clear\n");
  s.HoverColor = clRed;
  EXPECT_EQ(Colors(4, {rvtsHover}), "font Arial h-13 ppi96 [] cs1 cFF w0 wt0\nbrush clear\n");
  s.TextStyles[4].HoverColor = clBlue;
  s.TextStyles[4].HoverBackColor = clLime;
  s.TextStyles[4].HoverEffects.Include(rvheUnderline);
  EXPECT_EQ(Colors(4, {rvtsHover}), "font Arial h-13 ppi96 [U] cs1 cFF0000 w0 wt0\nbrush FF00\n");
  s.TextStyles[4].CharScale = 90; // no simple font path: no underline added
  s.TextStyles[4].Style = {};
  EXPECT_EQ(Colors(4, {rvtsHover}), "font Arial h-13 ppi96 [] cs1 cFF0000 w0 wt0\nbrush FF00\n");
  // A disabled control uses its disabled colour when one is set.
  EXPECT_EQ(Colors(0, {rvtstControlDisabled}),
            "font Arial h-13 ppi96 [] cs1 cFF000008 w0 wt0\nbrush clear\n");
  s.DisabledFontColor = 0x808080;
  EXPECT_EQ(Colors(0, {rvtstControlDisabled}),
            "font Arial h-13 ppi96 [] cs1 c808080 w0 wt0\nbrush clear\n");
  EXPECT_EQ(Colors(4, {rvtstControlDisabled, rvtsHover}),
            "font Arial h-13 ppi96 [] cs1 c808080 w0 wt0\nbrush FF00\n");
}

TEST_F(ApplyStyle, ColourModesWhenPrinting) {
  TFontInfo& f = s.TextStyles[0];
  EXPECT_EQ(Colors(0, {}, true, rvcmPrinterColor),
            "font Arial h-13 ppi96 [] cs1 c0 w0 wt0\nbrush clear\n");
  f.Color = clRed;
  f.BackColor = clBtnFace; // 0xF0F0F0 in the default palette
  EXPECT_EQ(Colors(0, {}, true, rvcmGrayScale),
            "font Arial h-13 ppi96 [] cs1 c4C4C4C w0 wt0\nbrush F0F0F0\n");
  EXPECT_EQ(Colors(0, {}, true, rvcmBlackAndWhite),
            "font Arial h-13 ppi96 [] cs1 c0 w0 wt0\nbrush FFFFFF\n");
  f.Color = 0x00FFFF;
  f.BackColor = clNavy;
  EXPECT_EQ(Colors(0, {}, true, rvcmBlackAndWhite),
            "font Arial h-13 ppi96 [] cs1 cFFFFFF w0 wt0\nbrush 0\n");
  f.BackColor = clNone;
  EXPECT_EQ(Colors(0, {}, true, rvcmBlackAndWhite),
            "font Arial h-13 ppi96 [] cs1 c0 w0 wt0\nbrush clear\n");
  f.Color = clWhite;
  EXPECT_EQ(Colors(0, {}, true, rvcmBlackAndWhite),
            "font Arial h-13 ppi96 [] cs1 cFFFFFF w0 wt0\nbrush clear\n");
  f.BackColor = clLime;
  EXPECT_EQ(Colors(0, {}, true, rvcmBlackOnWhite),
            "font Arial h-13 ppi96 [] cs1 c0 w0 wt0\nbrush clear\n");
  // Selected text keeps the selection colours; without printing the mode does nothing.
  EXPECT_EQ(Colors(0, {rvtsSelected, rvtsControlFocused}, true, rvcmBlackOnWhite),
            "font Arial h-13 ppi96 [] cs1 cFF00000E w0 wt0\nbrush FF00000D\n");
  EXPECT_EQ(Colors(0, {}, false, rvcmBlackOnWhite),
            "font Arial h-13 ppi96 [] cs1 cFFFFFF w0 wt0\nbrush FF00\n");
  // The theme mode resolves system colours, printing or not.
  EXPECT_EQ(Colors(0, {rvtsSelected, rvtsControlFocused}, false, rvcmVCLThemeColor),
            "font Arial h-13 ppi96 [] cs1 cFFFFFF w0 wt0\nbrush D77800\n");
  RVSetSysColorProvider([](int i) { return i == 14 ? 0x010203 : 0; });
  EXPECT_EQ(Colors(0, {rvtsSelected, rvtsControlFocused}, false, rvcmVCLThemeColor),
            "font Arial h-13 ppi96 [] cs1 c10203 w0 wt0\nbrush 0\n");
  RVSetSysColorProvider(nullptr);
}

TEST_F(ApplyStyle, TextOnlyBackOnlyAndTheColourHook) {
  TRecordingCanvas c;
  s.ApplyStyleTextColor(c, 1, {}, false, rvcmColor);
  s.ApplyStyleBackColor(c, 1, {rvtsSelected}, false, rvcmColor);
  EXPECT_EQ(Join(c.Calls), "font Arial h-13 ppi96 [] cs1 cFF0000 w0 wt0\nbrush FF00000D\n");
  int calls = 0;
  s.OnApplyStyleColor = [&](TRVStyle&, TRVCanvas&, int, TRVTextDrawStates st, bool& doDefault) {
    ++calls;
    doDefault = !st.Contains(rvtsHover);
  };
  EXPECT_EQ(Colors(1, {rvtsHover}), "");
  TRecordingCanvas c2;
  s.ApplyStyleTextColor(c2, 1, {rvtsHover}, false, rvcmColor);
  s.ApplyStyleBackColor(c2, 1, {rvtsHover}, false, rvcmColor);
  EXPECT_EQ(Join(c2.Calls), "");
  EXPECT_EQ(Colors(1, {}), "font Arial h-13 ppi96 [] cs1 cFF0000 w0 wt0\nbrush clear\n");
  EXPECT_EQ(calls, 4);
}

} // namespace
} // namespace richtext
