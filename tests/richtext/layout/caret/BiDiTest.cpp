// Text in both directions on the fixed-metrics layout (Hebrew letters 7 wide like every other
// character): runs split where the level changes, lines shown in visual order, right-to-left
// paragraphs at the right, the caret at the right edge of a right-to-left character,
// hit-testing that answers logical positions and a selection that highlights exactly its
// characters across a change of direction.
#include <string>

#include "richtext/layout/CRVFData.h"
#include "richtext/style/RVStyle.h"
#include "tests/richtext/layout/caret/CaretFixture.h"
#include "tests/richtext/layout/paint/PaintRecordingCanvas.h"

namespace richtext::test {
namespace {

// Hebrew letters.
constexpr char16_t Alef = u'\u05D0', Bet = u'\u05D1', Gimel = u'\u05D2', Dalet = u'\u05D3';

class BiDiTest : public CaretFixture {
protected:
  int RtlPara() {
    TParaInfo* p = Style.ParaStyles.Add();
    p->BiDiMode = rvbdRightToLeft;
    return p->GetIndex();
  }
  // "offs+length@left,width" per drawing item of the first line, in logical order.
  std::string Runs() {
    std::string out;
    for (std::int32_t i = 0; i < Data().DrawItems.Count(); ++i) {
      const TRVDrawLineInfo& d = *Data().DrawItems[i];
      if (i > 0 && d.FromNewLine)
        break;
      out += (out.empty() ? "" : " ") + std::to_string(d.Offs) + "+" +
             std::to_string(d.TextLength) + "@" + std::to_string(d.Left) + "," +
             std::to_string(d.Width) + "/" + std::to_string(d.BiDiLevel);
    }
    return out;
  }
  std::string Paint() {
    TPaintRecordingCanvas out;
    Data().PaintTo(out, TRect{});
    return out.Drawn();
  }
};

TEST_F(BiDiTest, RightToLeftParagraphSplitsRunsAtLevelsShowsThemInVisualOrderAtTheRight) {
  const std::u16string text = {Alef, Bet, Gimel, u' ', u'd', u'e', u'f'};
  RV.AddNL(text, 0, RtlPara());
  RV.Format();
  // The Hebrew word with its space (level 1) and "def" (level 2); the line ends at the right
  // margin (195) with the Hebrew at the right, "def" left of it.
  EXPECT_EQ("1+4@167,28/1 5+3@146,21/2", Runs()) << Lines();
  // The caret before alef is at the right edge of alef; each step on goes left, then into
  // "def" from its left.
  // Between the runs the caret shows with the character after it, at the start of "def".
  EXPECT_EQ("195 188 181 174 146 153 160 167",
            Xs({P(0, 1), P(0, 2), P(0, 3), P(0, 4), P(0, 5), P(0, 6), P(0, 7), P(0, 8)}));
  TRVCaretLayout l = Layout();
  // Clicks answer logical positions: right of the middle of alef is before it.
  EXPECT_EQ("0:1^", Str(l.PosAt(194, 8)));
  EXPECT_EQ("0:2", Str(l.PosAt(190, 8)));
  EXPECT_EQ("0:4", Str(l.PosAt(176, 8)));
  EXPECT_EQ("0:6", Str(l.PosAt(150, 8)));
  EXPECT_EQ("0:8", Str(l.PosAt(166, 8)));
  // Right of the line: its logical start; left of it: "def"'s start.
  EXPECT_EQ("0:1^", Str(l.PosAt(199, 8)));
  EXPECT_EQ("0:5", Str(l.PosAt(100, 8)));
}

TEST_F(BiDiTest, CaretStepsInLogicalOrderAcrossTheDirectionChange) {
  const std::u16string text = {Alef, Bet, u' ', u'x', u'y'};
  RV.AddNL(text, 0, RtlPara());
  RV.Format();
  EXPECT_EQ("0:1^ 0:2 0:3 0:4 0:5 0:6", Forward()) << Lines();
  EXPECT_EQ("0:6 0:5 0:4 0:3 0:2 0:1^", Backward());
}

TEST_F(BiDiTest, NumbersAndLatinInsideRightToLeftTextKeepTheirOwnOrder) {
  const std::u16string text = {Alef, Bet, u' ', u'1', u'2', u' ', Gimel, Dalet};
  RV.AddNL(text, 0, RtlPara());
  RV.Format();
  // "12" (level 2) stays left to right between the Hebrew runs; the first word is rightmost.
  EXPECT_EQ("1+3@174,21/1 4+2@160,14/2 6+3@139,21/1", Runs()) << Lines();
  // Each place between runs shows with the character after it: before "1" at its left,
  // before the space after "2" at the space's right edge.
  EXPECT_EQ("160 167 160", Xs({P(0, 4), P(0, 5), P(0, 6)}));

  // Hebrew inside a left-to-right paragraph: one right-to-left run in place, its letters from
  // the right.
  RV.Clear();
  const std::u16string mixed = {u'a', u'b', u' ', Alef, Bet, Gimel, u' ', u'c'};
  RV.AddNL(mixed, 0, 0);
  RV.Format();
  EXPECT_EQ("1+3@5,21/0 4+3@26,21/1 7+2@47,14/0", Runs()) << Lines();
  EXPECT_EQ("47 40 33", Xs({P(0, 4), P(0, 5), P(0, 6)}));
}

TEST_F(BiDiTest, ARightToLeftLinkFollowedByTextIsLaidOutRightToLeft) {
  const std::u16string link = {Alef, Bet, Gimel};
  RV.AddNL(link, 0, 0);
  RV.AddNL(u" x", 0, -1);
  RV.Format();
  // The paragraph takes its direction from its first strong character: right to left, at
  // the right; the link is rightmost and "x" left of it.
  ASSERT_EQ(3, Data().DrawItems.Count()) << Lines();
  const TRVDrawLineInfo& hebrew = *Data().DrawItems[0];
  const TRVDrawLineInfo& x = *Data().DrawItems[2];
  EXPECT_EQ(195, hebrew.Left + hebrew.Width) << Lines();
  EXPECT_LT(x.Left, hebrew.Left) << Lines();
}

TEST_F(BiDiTest, SelectionAcrossADirectionChangeHighlightsExactlyItsCharacters) {
  const std::u16string text = {Alef, Bet, Gimel, u' ', u'd', u'e', u'f'};
  RV.AddNL(text, 0, RtlPara());
  RV.Format();
  RV.SetSelectionBounds(0, 3, 0, 6); // gimel, the space and "d"
  Data().PaintControlFocused = true;
  const std::string drawn = Paint();
  const TRVDrawLineInfo& d = *Data().DrawItems[0];
  // Gimel and the space are the left 14 pixels of the Hebrew run; "d" the first 7 of "def".
  EXPECT_NE(std::string::npos, drawn.find("clip 167," + std::to_string(d.Top) + "-181,"))
      << drawn;
  EXPECT_NE(std::string::npos, drawn.find("clip 146," + std::to_string(d.Top) + "-153,"))
      << drawn;
}

// A text style's own direction embeds its text in that direction: "12 34" in a right-to-left
// style after "ab " shows its numbers right to left; in a left-to-right style inside a
// right-to-left paragraph the same text keeps the paragraph's order around it only.
TEST_F(BiDiTest, TextStyleDirectionEmbedsItsRunInThatDirection) {
  TFontInfo* rtl = Style.TextStyles.Add();
  rtl->BiDiMode = rvbdRightToLeft;
  RV.AddNL(u"ab ", 0, 0);
  RV.AddNL(u"12 34", rtl->GetIndex(), -1);
  RV.Format();
  // "ab " at the left, then the embedded run: "34", the space, "12" from the left.
  EXPECT_EQ("1+3@5,21/0 1+2@47,14/2 3+1@40,7/1 4+2@26,14/2", Runs());
  // Without the style's direction the same text stays one run in reading order.
  RV.Clear();
  RV.AddNL(u"ab ", 0, 0);
  RV.AddNL(u"12 34", 0, -1);
  RV.Format();
  EXPECT_EQ("1+3@5,21/0 1+5@26,35/0", Runs());
  // A left-to-right style's text inside a right-to-left paragraph is one left-to-right run.
  TFontInfo* ltr = Style.TextStyles.Add();
  ltr->BiDiMode = rvbdLeftToRight;
  RV.Clear();
  RV.AddNL(std::u16string{Alef, Bet, u' '}, 0, RtlPara());
  RV.AddNL(u"1 - 2", ltr->GetIndex(), -1);
  RV.Format();
  EXPECT_EQ("1+3@174,21/1 1+5@139,35/2", Runs());
}

// Indents of a right-to-left paragraph swap sides: its left indent is taken at the right, where
// the paragraph starts, with the first line's indent beside it.
TEST_F(BiDiTest, RightToLeftParagraphTakesItsIndentsFromTheRight) {
  TParaInfo* p = Style.ParaStyles.Add();
  p->BiDiMode = rvbdRightToLeft;
  p->LeftIndent = 20;
  p->RightIndent = 10;
  p->FirstIndent = 15;
  RV.AddNL(std::u16string{Alef, Bet}, 0, p->GetIndex());
  RV.Format();
  // The line ends 20 + 15 pixels left of the right margin (195).
  EXPECT_EQ("1+2@146,14/1", Runs());
  // The same indents in a left-to-right paragraph start the line at the left.
  TParaInfo* q = Style.ParaStyles.Add();
  q->LeftIndent = 20;
  q->RightIndent = 10;
  q->FirstIndent = 15;
  RV.Clear();
  RV.AddNL(u"ab", 0, q->GetIndex());
  RV.Format();
  EXPECT_EQ("1+2@40,14/0", Runs());
}

TEST_F(BiDiTest, LeftToRightTextAloneIsLaidOutAsBefore) {
  RV.AddNL(u"abc def", 0, 0);
  RV.Format();
  EXPECT_EQ("1+7@5,49/0", Runs());
  // A left-to-right paragraph style changes nothing for it; right to left puts it at the right
  // at level 2.
  RV.Clear();
  RV.AddNL(u"abc def", 0, RtlPara());
  RV.Format();
  EXPECT_EQ("1+7@146,49/2", Runs());
  EXPECT_EQ("146 153", Xs({P(0, 1), P(0, 2)}));
}

} // namespace
} // namespace richtext::test
