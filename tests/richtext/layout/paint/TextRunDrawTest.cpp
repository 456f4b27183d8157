// One run of text drawn by its text style: the characters and the decoration lines.
#include <memory>

#include <gtest/gtest.h>

#include "richtext/style/RVColor.h"
#include "richtext/style/RVStyle.h"
#include "tests/richtext/layout/paint/PaintRecordingCanvas.h"
#include "tests/support/RVTestGraphics.h"

namespace richtext::test {
namespace {

class TextRunDrawTest : public ::testing::Test {
protected:
  TextRunDrawTest() {
    auto gi = std::make_unique<TRVTestGraphicInterface>();
    GI = gi.get();
    Style.SetGraphicInterface(std::move(gi));
    Font = Style.TextStyles.Items(0);
  }
  // Draws "ab" in text style 0 in a 20 x 16 box at (10, 100) with its baseline at 110 (ascent 10).
  std::string Draw(TRVTextDrawStates State = {}, TRVTextRunGeometry Run = {10, 100, 20, 16, 110}) {
    TPaintRecordingCanvas out;
    Style.ApplyStyle(out, 0, rvbdUnspecified, false);
    Style.ApplyStyleTextColor(out, 0, State, false, rvcmColor);
    out.SetBrushStyle(bsClear);
    Style.DrawStyleText(u"ab", out, 0, Run, State, false);
    return out.Drawn();
  }

  TRVStyle Style;
  TRVTestGraphicInterface* GI = nullptr;
  TFontInfo* Font = nullptr;
};

constexpr const char* kText = "text \"ab\" at 10,110 FF000008 [] baseline\n";

TEST_F(TextRunDrawTest, UnderlineWithoutOutlineMetricsFollowsTheFontSize) {
  GI->HasOutline = false;
  Font->Style = TFontStyles{fsUnderline};
  // Up to 22 points: one pixel, centred on the rectangle's bottom edge.
  EXPECT_EQ(std::string(kText) + "line 10,116-30,116 FF000008\n", Draw());
  // 40 points: (40 - 23) div 15 + 2 = 3 pixels, centred one pixel above the bottom.
  Font->SetSize(40);
  EXPECT_EQ("text \"ab\" at 10,110 FF000008 [] baseline\nfill 10,114-30,117 FF000008\n",
            Draw());
}

TEST_F(TextRunDrawTest, DoubleUnderlineIsTwoThinLinesTwiceTheThicknessApart) {
  // 24 points: em 32, ascent 26, underscore 2 thick at position -3: centre 100 + 26 + 3 + 1.
  Font->SetSize(24);
  Font->Style = TFontStyles{fsUnderline};
  Font->UnderlineType = rvutDouble;
  EXPECT_EQ(std::string(kText) + "line 10,128-30,128 FF000008\nline 10,132-30,132 FF000008\n",
            Draw());
  Font->UnderlineType = rvutThick;
  EXPECT_EQ(std::string(kText) + "fill 10,128-30,132 FF000008\n", Draw());
}

TEST_F(TextRunDrawTest, PatternedUnderlinesAreMarksCutAtTheRunEnd) {
  Font->Style = TFontStyles{fsUnderline};
  Font->UnderlineType = rvutDotted; // unit 4 at 96 ppi: dots 2 long every 4
  EXPECT_EQ(std::string(kText) +
                "fill 10,111-12,112 FF000008\nfill 14,111-16,112 FF000008\n"
                "fill 18,111-20,112 FF000008\nfill 22,111-24,112 FF000008\n"
                "fill 26,111-28,112 FF000008\n",
            Draw());
  Font->UnderlineType = rvutDashed; // unit 12: dashes 8 long every 12, the second cut at 30
  EXPECT_EQ(std::string(kText) + "fill 10,111-18,112 FF000008\nfill 22,111-30,112 FF000008\n",
            Draw());
}

TEST_F(TextRunDrawTest, HiddenTextGetsTheDottedMarkInsteadOfItsUnderline) {
  Font->Style = TFontStyles{fsUnderline};
  Font->Options.Include(rvteoHidden);
  // Dots one pixel long every 3 pixels at the underline position (111, one below the baseline).
  EXPECT_EQ(std::string("text \"ab\" at 10,110 FF000008 [] baseline\n") +
                "fill 10,111-11,112 FF000008\nfill 13,111-14,112 FF000008\n"
                "fill 16,111-17,112 FF000008\nfill 19,111-20,112 FF000008\n"
                "fill 22,111-23,112 FF000008\nfill 25,111-26,112 FF000008\n"
                "fill 28,111-29,112 FF000008\n",
            Draw());
}

TEST_F(TextRunDrawTest, UnderlineColourYieldsToTheTextColourWhenSelected) {
  Font->Style = TFontStyles{fsUnderline};
  Font->UnderlineColor = clRed;
  EXPECT_EQ(std::string(kText) + "line 10,111-30,111 FF\n", Draw());
  EXPECT_EQ("text \"ab\" at 10,110 FF00000E [] baseline\nline 10,111-30,111 FF00000E\n",
            Draw(TRVTextDrawStates{rvtsSelected}));
}

TEST_F(TextRunDrawTest, HoverUnderlinesOnlyWithTheHoverEffect) {
  Font->HoverEffects.Include(rvheUnderline);
  Style.HoverColor = clBlue;
  EXPECT_EQ(kText, Draw());
  EXPECT_EQ("text \"ab\" at 10,110 FF0000 [] baseline\nline 10,111-30,111 FF0000\n",
            Draw(TRVTextDrawStates{rvtsHover}));
}

TEST_F(TextRunDrawTest, OverlineSitsOnTheTopEdge) {
  Font->StyleEx.Include(rvfsOverline);
  EXPECT_EQ(std::string(kText) + "line 10,100-30,100 FF000008\n", Draw());
}

TEST_F(TextRunDrawTest, HookThatTakesOverSuppressesTheDefault) {
  int calls = 0;
  Style.OnDrawStyleText = [&](TRVStyle&, const std::u16string& s, TRVCanvas&, int StyleNo, int,
                              int Left, int, int Width, int, TRVTextDrawStates, bool& DoDefault) {
    ++calls;
    EXPECT_EQ(u"ab", s);
    EXPECT_EQ(0, StyleNo);
    EXPECT_EQ(10, Left);
    EXPECT_EQ(20, Width);
    DoDefault = false;
  };
  EXPECT_EQ("", Draw());
  EXPECT_EQ(1, calls);
}

} // namespace
} // namespace richtext::test
