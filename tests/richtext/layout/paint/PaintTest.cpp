// Painting formatted documents on a recording canvas: where runs go, in which colours, with
// which selection state.
#include <memory>

#include <gtest/gtest.h>

#include "richtext/control/RichView.h"
#include "richtext/style/RVColor.h"
#include "tests/richtext/layout/format/FormatFixture.h"
#include "tests/richtext/layout/paint/PaintRecordingCanvas.h"
#include "tests/support/RVTestGraphics.h"
#include "tests/support/TestHyperlinkDocument.h"

namespace richtext::test {
namespace {

std::string Hex(TColor c) {
  return TRecordingCanvas::Hex(c);
}
std::string At(int x, int y) {
  return std::to_string(x) + "," + std::to_string(y);
}

// A hyperlink document as the main window's label builds it, measured by the fixed metrics.
class HyperlinkPaintTest : public ::testing::Test {
protected:
  HyperlinkPaintTest() : Doc(&Canvas) {
    auto gi = std::make_unique<TRVTestGraphicInterface>();
    Doc.RVStyle1.SetGraphicInterface(std::move(gi));
    Doc.RichViewEdit1.SetClientSize(302, 17);
  }
  TCustomRVFormattedData& Data() { return *Doc.RichViewEdit1.RVData; }
  std::string Paint() {
    TPaintRecordingCanvas out;
    Data().PaintTo(out, TRect{}, false, false, false, false, false, 0, 0);
    return out.Drawn();
  }
  // The run's place: "left,top-right,bottom" and its baseline.
  const TRVDrawLineInfo& Run() { return *Data().DrawItems[0]; }

  TRVStateCanvas Canvas{96, 96};
  TTestHyperlinkDocument Doc;
};

TEST_F(HyperlinkPaintTest, TitleIsBlueAndUnderlinedAtItsDrawingItem) {
  Doc.Build(u"Title", u"http://a.example/");
  Doc.RichViewEdit1.Deselect();
  ASSERT_EQ(1, Data().DrawItems.Count());
  const TRVDrawLineInfo& d = Run();
  // Arial 10 pt at 96 ppi: em 13, ascent 10, underscore 1 pixel thick centred one pixel below
  // the baseline.
  const int underlineY = d.Top + 10 + 1;
  EXPECT_EQ("text \"Title\" at " + At(d.Left, d.BaseLine) + " FF0000 [] baseline\n" +
                "line " + At(d.Left, underlineY) + "-" + At(d.Left + d.Width, underlineY) +
                " FF0000\n",
            Paint());
  EXPECT_EQ(d.Top + 10, d.BaseLine);
}

TEST_F(HyperlinkPaintTest, SelectedTitleIsDrawnOnceOnTheSelectionColours) {
  Doc.Build(u"Title", u"http://a.example/");
  const TRVDrawLineInfo& d = Run();
  const std::string box =
      At(d.Left, d.Top) + "-" + At(d.Left + d.Width, d.Top + d.Height);
  const int underlineY = d.BaseLine + 1;
  const std::string text = "text \"Title\" at " + At(d.Left, d.BaseLine);
  const std::string line =
      "line " + At(d.Left, underlineY) + "-" + At(d.Left + d.Width, underlineY);
  // Unfocused: the inactive selection colours; the underline takes the text colour.
  Doc.RVStyle1.InactiveSelColor = 0x0000FFFF;
  Doc.RVStyle1.InactiveSelTextColor = 0x00008000;
  EXPECT_EQ("fill " + box + " FFFF\n" + text + " 8000 [] baseline\n" + line + " 8000\n",
            Paint());
  Data().PaintControlFocused = true;
  EXPECT_EQ("fill " + box + " " + Hex(clHighlight) + "\n" + text + " " + Hex(clHighlightText) +
                " [] baseline\n" + line + " " + Hex(clHighlightText) + "\n",
            Paint());
}

TEST_F(HyperlinkPaintTest, PrintModeShowsNoSelection) {
  Doc.Build(u"Title", u"http://a.example/");
  TPaintRecordingCanvas out;
  Data().PaintTo(out, TRect{}, false, false, false, true, false, 0, 0);
  EXPECT_EQ(std::string::npos, out.Drawn().find("fill"));
  EXPECT_NE(std::string::npos, out.Drawn().find("text \"Title\""));
}

TEST_F(HyperlinkPaintTest, ClipAndOffsetsMoveTheRun) {
  Doc.Build(u"Title", u"http://a.example/");
  Doc.RichViewEdit1.Deselect();
  const TRVDrawLineInfo& d = Run();
  TPaintRecordingCanvas out;
  Data().PaintTo(out, TRect{2, 3, 300, 17}, false, false, false, false, false, 10, 0);
  EXPECT_EQ("text \"Title\" at " + At(d.Left - 12, d.BaseLine - 3) + " FF0000 [] baseline",
            out.Draws.at(0));
  // A clip below the only line draws nothing.
  TPaintRecordingCanvas none;
  Data().PaintTo(none, TRect{0, 100, 300, 200}, false, false, false, false, false, 0, 0);
  EXPECT_EQ("", none.Drawn());
}

// Plain documents on the fixed metrics: style 0 is em 13, characters 7 wide.
class PlainPaintTest : public FormatFixture {
protected:
  std::string Paint() {
    TPaintRecordingCanvas out;
    Data().PaintTo(out, TRect{}, false, false, false, false, false, 0, 0);
    return out.Drawn();
  }
};

TEST_F(PlainPaintTest, SelectionInsideARunRedrawsOnlyTheSelectedCharacters) {
  RV.AddNL(u"abcdef", 0, 0);
  RV.Format();
  RV.SetSelectionBounds(0, 3, 0, 5); // "cd"
  Data().PaintControlFocused = true;
  const TRVDrawLineInfo& d = *Data().DrawItems[0];
  const std::string text = "text \"abcdef\" at " + At(d.Left, d.BaseLine);
  EXPECT_EQ(text + " " + Hex(clWindowText) + " [] baseline\n" + "save clip\n" + "clip " +
                At(d.Left + 14, d.Top) + "-" + At(d.Left + 28, d.Top + d.Height) + "\n" +
                "fill " + At(d.Left, d.Top) + "-" + At(d.Left + 42, d.Top + d.Height) + " " +
                Hex(clHighlight) + "\n" + text + " " + Hex(clHighlightText) +
                " [] baseline\n" + "restore clip\n",
            Paint());
}

TEST_F(PlainPaintTest, BackColourIsLaidDownBeforeTheText) {
  Style.TextStyles[0].BackColor = 0x00C0C0C0;
  RV.AddNL(u"ab", 0, 0);
  RV.Format();
  const TRVDrawLineInfo& d = *Data().DrawItems[0];
  EXPECT_EQ("fill " + At(d.Left, d.Top) + "-" + At(d.Left + 14, d.Top + d.Height) +
                " C0C0C0\ntext \"ab\" at " + At(d.Left, d.BaseLine) + " " + Hex(clWindowText) +
                " [] baseline\n",
            Paint());
}

TEST_F(PlainPaintTest, HiddenTextIsNotDrawn) {
  TFontInfo* hidden = Style.TextStyles.Add();
  hidden->Options.Include(rvteoHidden);
  RV.AddNL(u"shown", 0, 0);
  RV.AddNL(u"secret", hidden->GetIndex(), -1);
  RV.Format();
  const std::string drawn = Paint();
  EXPECT_NE(std::string::npos, drawn.find("\"shown\""));
  EXPECT_EQ(std::string::npos, drawn.find("secret"));
}

TEST_F(PlainPaintTest, StrikeOutComesFromTheFontAndUnderlineNever) {
  Style.TextStyles[0].Style = TFontStyles{fsUnderline, fsStrikeOut};
  RV.AddNL(u"x", 0, 0);
  RV.Format();
  const std::string drawn = Paint();
  EXPECT_NE(std::string::npos, drawn.find("[S] baseline")) << drawn;
  EXPECT_NE(std::string::npos, drawn.find("\nline ")) << drawn;
}

TEST_F(PlainPaintTest, BreakIsALineAcrossItsBox) {
  RV.AddNL(u"a", 0, 0);
  RV.AddBreak(2, rvbsLine, clRed);
  RV.Format();
  ASSERT_EQ(2, Data().DrawItems.Count());
  const TRVDrawLineInfo& b = *Data().DrawItems[1];
  const int top = b.Top + (b.Height - 2) / 2;
  EXPECT_NE(std::string::npos,
            Paint().find("fill " + At(b.Left, top) + "-" + At(b.Left + b.Width, top + 2) +
                         " FF\n"));
}

TEST_F(PlainPaintTest, FirstVisibleStartsOneLineAboveTheClipTop) {
  for (int i = 0; i < 5; ++i)
    RV.AddNL(u"line", 0, 0);
  RV.Format();
  ASSERT_EQ(5, Data().DrawItems.Count());
  EXPECT_EQ(0, Data().GetFirstVisible(0));
  EXPECT_EQ(2, Data().GetFirstVisible(Data().DrawItems[3]->Top));
  EXPECT_EQ(3, Data().GetFirstVisible(10000));
}

} // namespace
} // namespace richtext::test
