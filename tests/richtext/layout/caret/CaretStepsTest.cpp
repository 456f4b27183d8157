// The caret keys' steps on the fixed-metrics layout: characters (clusters, surrogate pairs,
// soft hyphens), line ends and wraps, lines, pages, words and paragraphs.
#include "tests/richtext/layout/caret/CaretFixture.h"

#include "richtext/layout/CRVFData.h"

namespace richtext::test {
namespace {

using CaretStepsTest = CaretFixture;

TEST_F(CaretStepsTest, CharacterStepsKeepClustersAndSurrogatePairsWhole) {
  // e + combining acute, a surrogate pair, a flag of two regional indicators, CR LF.
  RV.AddNL(u"e\u0301\U0001F600\U0001F1EB\U0001F1F7x", 0, 0);
  RV.Format();
  EXPECT_EQ("0:1^ 0:3 0:5 0:9 0:10", Forward());
  EXPECT_EQ("0:10 0:9 0:5 0:3 0:1^", Backward());
}

TEST_F(CaretStepsTest, AHiddenSoftHyphenIsNoStopButOneShownAtAWrapIs) {
  RV.AddNL(u"ab\u00ADcd", 0, 0);
  RV.Format();
  // Offset 3 (before the hyphen) looks the same as 4 (after it): only 4 is a stop.
  EXPECT_EQ("0:1^ 0:2 0:4 0:5 0:6", Forward());
  EXPECT_EQ("0:6 0:5 0:4 0:2 0:1^", Backward());

  RV.SetClientSize(40, 400);
  RV.Clear();
  RV.AddNL(u"abc\u00ADdef", 0, 0);
  RV.Format();
  ASSERT_EQ(2, Data().DrawItems.Count()) << Lines();
  // The hyphen ends the first line, drawn: before it and after it are both stops. The wrap
  // leaves no character between the lines, so the end of the first line and the start of the
  // second are one position: going right it shows at the line's end, going left at the next
  // line's start, and one more step moves past a character.
  EXPECT_EQ("0:1^ 0:2 0:3 0:4 0:5 0:6 0:7 0:8", Forward());
  EXPECT_EQ("0:8 0:7 0:6 0:5^ 0:4 0:3 0:2 0:1^", Backward());
}

TEST_F(CaretStepsTest, LineEndsOfAWrapWithARemovedSpaceAndOfParagraphs) {
  RV.SetClientSize(45, 400); // five characters a line
  RV.AddNL(u"aaa bbb", 0, 0);
  RV.AddNL(u"cc", 0, 0);
  RV.Format();
  ASSERT_EQ(3, Data().DrawItems.Count()) << Lines();
  // The removed space is no stop of its own: the end of "aaa" then the start of "bbb".
  EXPECT_EQ("0:1^ 0:2 0:3 0:4 0:5^ 0:6 0:7 0:8 1:1^ 1:2 1:3", Forward());
  EXPECT_EQ("1:3 1:2 1:1^ 0:8 0:7 0:6 0:5^ 0:4 0:3 0:2 0:1^", Backward());
  TRVCaretLayout l = Layout();
  EXPECT_EQ("0:4", Str(l.LineEnd(P(0, 2))));
  EXPECT_EQ("0:5^", Str(l.LineHome(P(0, 7))));
  EXPECT_EQ("0:8", Str(l.LineEnd(P(0, 5, true))));
  EXPECT_EQ("1:1^", Str(l.LineHome(P(1, 3))));
}

TEST_F(CaretStepsTest, AWrapWithoutAGapIsOnePositionShownOnEitherLine) {
  RV.SetClientSize(45, 400);
  RV.AddNL(u"abcdefgh", 0, 0); // cut after five characters
  RV.Format();
  ASSERT_EQ(2, Data().DrawItems.Count()) << Lines();
  TRVCaretLayout l = Layout();
  EXPECT_EQ("0:6", Str(l.LineEnd(P(0, 1))));
  EXPECT_EQ("0:6^", Str(l.LineHome(P(0, 8))));
  // The same item position on two lines: x at the first line's end or the second's start.
  EXPECT_EQ((TRect{40, 5, 41, 18}), l.CaretRect(P(0, 6)));
  EXPECT_EQ((TRect{5, 18, 6, 31}), l.CaretRect(P(0, 6, true)));
  // Stepping on from the end of the first line moves into the second line's text.
  EXPECT_EQ("0:7", Str(l.NextChar(P(0, 6))));
  EXPECT_EQ("0:5", Str(l.PrevChar(P(0, 6, true))));
}

TEST_F(CaretStepsTest, UpAndDownKeepXAndStopAtTheFirstAndLastLine) {
  RV.AddNL(u"abcdefgh", 0, 0);
  RV.AddNL(u"ab", 0, 0);
  RV.AddNL(u"abcdefgh", 0, 0);
  RV.Format();
  TRVCaretLayout l = Layout();
  const std::int32_t x = l.XOf(l.ToDraw(P(0, 6)));
  // Down onto the short line lands at its end; down again with the kept x lands at 6 again.
  const TRVCaretPos down = l.LineDown(P(0, 6), 1, x);
  EXPECT_EQ("1:3", Str(down));
  EXPECT_EQ("2:6", Str(l.LineDown(down, 1, x)));
  EXPECT_EQ("2:6", Str(l.LineDown(P(0, 6), 2, x)));
  EXPECT_EQ("2:6", Str(l.LineDown(P(2, 6), 1, x)));
  EXPECT_EQ("0:6", Str(l.LineDown(P(0, 6), -1, x)));
  EXPECT_EQ("0:6", Str(l.LineDown(P(2, 6), -5, x)));
}

TEST_F(CaretStepsTest, PageDownMovesByTheGivenHeight) {
  for (int i = 0; i < 20; ++i)
    RV.AddNL(u"line", 0, 0);
  RV.Format();
  TRVCaretLayout l = Layout();
  // Lines are 13 pixels apart: 39 pixels further down is three lines down.
  EXPECT_EQ("3:3", Str(l.PageDown(P(0, 3), 39, 19)));
  EXPECT_EQ("19:3", Str(l.PageDown(P(10, 3), 1000, 19)));
  EXPECT_EQ("7:3", Str(l.PageDown(P(10, 3), -39, 19)));
  EXPECT_EQ("0:3", Str(l.PageDown(P(10, 3), -1000, 19)));
  EXPECT_EQ("0:1^", Str(l.DocStart()));
  EXPECT_EQ("19:5", Str(l.DocEnd()));
}

TEST_F(CaretStepsTest, WordStepsGoToWordStartsAcrossItems) {
  RV.AddNL(u"Hello, big ", 0, 0);
  RV.AddNL(u"world  again", 0, -1);
  RV.Format();
  TRVCaretLayout l = Layout();
  std::string out;
  for (TRVCaretPos p = l.DocStart(), next; !((next = l.NextWord(p)) == p); p = next)
    out += Str(next) + " ";
  // "," is a word stop of its own; the item's end is passed on to the next item's first word.
  EXPECT_EQ("0:6 0:8 0:12 1:1 1:8 1:13 ", out);
  out.clear();
  for (TRVCaretPos p = l.DocEnd(), next; !((next = l.PrevWord(p)) == p); p = next)
    out += Str(next) + " ";
  EXPECT_EQ("1:8 1:1 0:8 0:6 0:1^ ", out);
}

TEST_F(CaretStepsTest, WordAndParagraphAroundAPosition) {
  RV.AddNL(u"one two", 0, 0);
  RV.AddNL(u" three", 0, -1);
  RV.AddNL(u"four", 0, 0);
  RV.Format();
  TRVCaretLayout l = Layout();
  TRVCaretPos from, to;
  l.WordAt(P(0, 6), from, to);
  EXPECT_EQ("0:5^ 0:8", Str(from) + " " + Str(to));
  l.WordAt(P(0, 4), from, to); // the space between the words is a segment of its own
  EXPECT_EQ("0:4^ 0:5", Str(from) + " " + Str(to));
  l.WordAt(P(0, 8), from, to); // at the item's end: its last word
  EXPECT_EQ("0:5^ 0:8", Str(from) + " " + Str(to));
  l.ParagraphAt(P(1, 3), from, to);
  EXPECT_EQ("0:1^ 1:7", Str(from) + " " + Str(to));
  l.ParagraphAt(P(2, 1), from, to);
  EXPECT_EQ("2:1^ 2:5", Str(from) + " " + Str(to));
}

} // namespace
} // namespace richtext::test
