// Painting formatted documents on a recording canvas: where runs go, in which colours, with
// which selection state.
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "richtext/control/RichView.h"
#include "richtext/document/RVItem.h"
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
    Data().PaintTo(out, TRect{});
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
  Data().PaintTo(out, TRect{}, TRVPaintOptions{.PrintMode = true});
  EXPECT_EQ(std::string::npos, out.Drawn().find("fill"));
  EXPECT_NE(std::string::npos, out.Drawn().find("text \"Title\""));
}

TEST_F(HyperlinkPaintTest, ClipAndOffsetsMoveTheRun) {
  Doc.Build(u"Title", u"http://a.example/");
  Doc.RichViewEdit1.Deselect();
  const TRVDrawLineInfo& d = Run();
  TPaintRecordingCanvas out;
  Data().PaintTo(out, TRect{2, 3, 300, 17}, TRVPaintOptions{.ExtraXOffs = 10});
  EXPECT_EQ("text \"Title\" at " + At(d.Left - 12, d.BaseLine - 3) + " FF0000 [] baseline",
            out.Draws.at(0));
  // A clip below the only line draws nothing.
  TPaintRecordingCanvas none;
  Data().PaintTo(none, TRect{0, 100, 300, 200});
  EXPECT_EQ("", none.Drawn());
}

// Plain documents on the fixed metrics: style 0 is em 13, characters 7 wide.
class PlainPaintTest : public FormatFixture {
protected:
  std::string Paint() {
    TPaintRecordingCanvas out;
    Data().PaintTo(out, TRect{});
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

// Runs drawn glyph by glyph: the advances each run is output with, in the order drawn.
class TAdvanceRecordingCanvas : public TPaintRecordingCanvas {
public:
  using TPaintRecordingCanvas::TPaintRecordingCanvas;
  void TextOutAdvances(int X, int Y, std::u16string_view Text,
                       std::span<const int> Advances) override {
    std::string row;
    for (int a : Advances)
      row += (row.empty() ? "" : " ") + std::to_string(a);
    Runs.push_back(std::string(Text.begin(), Text.end()) + ": " + row);
    TextOut(X, Y, Text);
  }
  std::vector<std::string> Runs;
};

class RunDrawingTest : public PlainPaintTest {
protected:
  TParaInfo& AddPara() {
    TParaInfo* p = Style.ParaStyles.Add();
    LastPara = p->GetIndex();
    return *p;
  }
  TAdvanceRecordingCanvas PaintRuns() {
    TAdvanceRecordingCanvas out;
    Data().PaintTo(out, TRect{});
    return out;
  }
  int LastPara = -1;
};

TEST_F(RunDrawingTest, SelectionAfterASoftHyphenIsClippedWhereItsCharactersAreDrawn) {
  // The soft hyphen is not shown, so "cd" is drawn at characters 3 and 4 of "abcdef".
  RV.AddNL(u"ab\u00ADcdef", 0, 0);
  RV.Format();
  RV.SetSelectionBounds(0, 4, 0, 6);
  const TRVDrawLineInfo& d = *Data().DrawItems[0];
  const std::string drawn = Paint();
  EXPECT_NE(std::string::npos, drawn.find("clip " + At(d.Left + 14, d.Top) + "-" +
                                          At(d.Left + 28, d.Top + d.Height) + "\n"))
      << drawn;
  // Selected from the soft hyphen on: the same characters.
  RV.SetSelectionBounds(0, 3, 0, 6);
  EXPECT_NE(std::string::npos, Paint().find("clip " + At(d.Left + 14, d.Top) + "-"));
}

TEST_F(RunDrawingTest, PlainRunsAreDrawnWithTheirMeasuredAdvances) {
  RV.AddNL(u"abc", 0, 0);
  RV.Format();
  EXPECT_EQ(std::vector<std::string>{"abc: 7 7 7"}, PaintRuns().Runs);
}

TEST_F(RunDrawingTest, JustifiedLineSpreadsItsFreeSpaceOverItsSpacesAsDrawn) {
  AddPara().Alignment = rvaJustify;
  RV.SetClientSize(80, 400); // 70 of text: "aa bb cc" is 56, 14 over two spaces
  RV.AddNL(u"aa bb cc dd", 0, LastPara);
  RV.Format();
  RV.SetSelectionBounds(0, 4, 0, 6); // "bb"
  Data().PaintControlFocused = true;
  TAdvanceRecordingCanvas out = PaintRuns();
  // Line 1, its selected part again with the same advances, then line 2.
  ASSERT_EQ(3u, out.Runs.size());
  EXPECT_EQ("aa bb cc: 7 7 14 7 7 14 7 7", out.Runs[0]);
  EXPECT_EQ(out.Runs[0], out.Runs[1]);
  EXPECT_EQ("dd: 7 7", out.Runs[2]);
  // The selected characters are clipped where the spread run puts them.
  const TRVDrawLineInfo& d = *Data().DrawItems[0];
  EXPECT_NE(std::string::npos,
            out.Drawn().find("clip " + At(d.Left + 28, d.Top) + "-" +
                             At(d.Left + 42, d.Top + d.Height)))
      << out.Drawn();
}

TEST_F(RunDrawingTest, DistributedLineWidensEveryCharacterButItsEnds) {
  AddPara().Alignment = rvaDistribute;
  RV.SetClientSize(80, 400); // 70 of text
  RV.AddNL(u"abcdefgh ijk", 0, LastPara);
  RV.Format();
  const TAdvanceRecordingCanvas out = PaintRuns();
  ASSERT_FALSE(out.Runs.empty());
  const TRVDrawLineInfo& d = *Data().DrawItems[0];
  ASSERT_EQ(6, d.GetSpaceCount()); // the characters widened, b to g
  // The first line's width is shared by its characters; the first and the last keep theirs.
  const std::string& run = out.Runs[0];
  std::vector<int> advances;
  for (std::size_t at = run.find(": ") + 2; at < run.size();) {
    const std::size_t end = run.find(' ', at);
    advances.push_back(std::stoi(run.substr(at, end - at)));
    at = end == std::string::npos ? run.size() : end + 1;
  }
  ASSERT_GE(advances.size(), 3u);
  int sum = 0;
  for (int a : advances)
    sum += a;
  EXPECT_EQ(d.Width - d.GetSpaceAtLeft(), sum) << run;
  EXPECT_EQ(7, advances.front()) << run;
  EXPECT_EQ(7, advances.back()) << run;
  for (std::size_t i = 1; i + 1 < advances.size(); ++i)
    EXPECT_GE(advances[i], 7) << run;
  EXPECT_GT(sum, 7 * static_cast<int>(advances.size())) << run;
}

TEST_F(RunDrawingTest, TabLeaderFillsTheTabInTheTabsTextStyle) {
  AddPara().Tabs.Add(100, rvtaRight, u".");
  RV.AddTextNLW(u"a\tbb", 0, LastPara, LastPara);
  RV.Format();
  const TRVDrawLineInfo& tab = *Data().DrawItems[1];
  ASSERT_GT(tab.Width, 21);
  // Dots 7 wide, half a dot of room before the next text.
  const int count = (tab.Width - 3) / 7;
  const std::string dots(static_cast<std::size_t>(count), '.');
  EXPECT_NE(std::string::npos,
            Paint().find("text \"" + dots + "\" at " +
                         At(tab.Left + tab.Width - 3 - 7 * count, tab.BaseLine)))
      << Paint();
}

TEST_F(RunDrawingTest, SpecialCharactersAreMarkedWhenShown) {
  RV.AddNL(u"a b", 0, 0);
  RV.AddTextNLW(u"c\td", 0, 0, 0);
  RV.Format();
  const std::string hidden = Paint();
  // The recording canvas keeps the low byte of each character: 0xB6 for the pilcrow.
  EXPECT_EQ(std::string::npos, hidden.find('\xB6')) << hidden;
  RV.SetOptions([&] {
    auto options = RV.GetOptions();
    options.Include(rvoShowSpecialCharacters);
    return options;
  }());
  RV.Format();
  const std::string shown = Paint();
  const TRVDrawLineInfo& first = *Data().DrawItems[0];
  // A dot in the middle of the space (character 2, 7 wide), a pilcrow after each paragraph,
  // an arrow across the tab.
  EXPECT_NE(std::string::npos, shown.find("fill " + At(first.Left + 7 + 3 - 0, first.BaseLine - 3)))
      << shown;
  EXPECT_NE(std::string::npos,
            shown.find("text \"\xB6\" at " + At(first.Left + first.Width, first.BaseLine)))
      << shown;
  EXPECT_NE(std::string::npos, shown.find("\nline ")) << shown;
}

} // namespace
} // namespace richtext::test
