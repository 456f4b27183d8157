// Where the caret is drawn and which caret stop a point hits, on the fixed-metrics layout.
#include "tests/richtext/layout/caret/CaretFixture.h"

#include "richtext/layout/CRVFData.h"
#include "richtext/style/RVStyle.h"

namespace richtext::test {
namespace {

using CaretLayoutTest = CaretFixture;

TEST_F(CaretLayoutTest, CaretSitsBetweenTheGlyphsOfTheRun) {
  RV.AddNL(u"abc", 0, 0);
  RV.Format();
  EXPECT_EQ("5 12 19 26", Xs({P(0, 1), P(0, 2), P(0, 3), P(0, 4)}));
  const TRect r = Layout().CaretRect(P(0, 2));
  EXPECT_EQ((TRect{12, 5, 13, 18}), r);
}

TEST_F(CaretLayoutTest, WideAndZeroWidthCharactersMoveTheCaretByTheirDrawnWidth) {
  // An ideograph is 14 wide, a supplementary character (a surrogate pair) 14, a combining
  // mark 0.
  RV.AddNL(u"\u4E2D\U0001F600e\u0301x", 0, 0);
  RV.Format();
  EXPECT_EQ("5 19 33 40 40 47", Xs({P(0, 1), P(0, 2), P(0, 4), P(0, 5), P(0, 6), P(0, 7)}));
}

TEST_F(CaretLayoutTest, HiddenSoftHyphenTakesNoWidthAndAWrapShowsItAsAHyphen) {
  RV.AddNL(u"ab\u00ADcd", 0, 0);
  RV.Format();
  // Drawn as "abcd": the positions before and after the hyphen share x.
  EXPECT_EQ("5 12 19 19 26 33", Xs({P(0, 1), P(0, 2), P(0, 3), P(0, 4), P(0, 5), P(0, 6)}));

  // Wrapped after the hyphen, the first line is drawn "abc-" and the caret after the hyphen
  // stands after the drawn hyphen.
  RV.SetClientSize(40, 400);
  RV.AddNL(u"abc\u00ADdefg", 0, 0);
  RV.Format();
  ASSERT_EQ(3, Data().DrawItems.Count()) << Lines();
  ASSERT_EQ(4, Data().DrawItems[1]->TextLength) << Lines();
  TRVCaretLayout l = Layout();
  EXPECT_EQ(5 + 21, l.XOf(TRVDrawPos{1, 4}));
  EXPECT_EQ(5 + 28, l.XOf(TRVDrawPos{1, 5}));
}

TEST_F(CaretLayoutTest, HitTestingTakesTheNearestGapOnTheLineAtY) {
  RV.AddNL(u"abcdef", 0, 0);
  RV.AddNL(u"ghij", 0, 0);
  RV.Format();
  TRVCaretLayout l = Layout();
  // Characters are 7 wide from x 5: x 8 is left of the middle of "a", 9 right of it.
  EXPECT_EQ("0:1^", Str(l.PosAt(8, 6)));
  EXPECT_EQ("0:2", Str(l.PosAt(9, 6)));
  EXPECT_EQ("0:4", Str(l.PosAt(26, 17)));
  // Left of the text, right of it, and between and beyond the lines.
  EXPECT_EQ("0:1^", Str(l.PosAt(0, 10)));
  EXPECT_EQ("0:7", Str(l.PosAt(150, 10)));
  EXPECT_EQ("1:3", Str(l.PosAt(20, 20)));
  EXPECT_EQ("0:3", Str(l.PosAt(20, -50)));
  EXPECT_EQ("1:5", Str(l.PosAt(150, 5000)));
}

TEST_F(CaretLayoutTest, LineAtYIsFoundWhenAlignedRunsOfOneLineHaveDifferentTops) {
  // A big run after a small one on the same line: the small run's top is lower than the big
  // one's, so tops do not grow inside the line.
  const int big = Style.TextStyles.Count();
  Style.TextStyles.Add()->SizeDouble = 60;
  RV.AddNL(u"one", 0, 0);
  RV.AddNL(u"ab", 0, 0);
  RV.AddNL(u"CD", big, -1);
  RV.AddNL(u"two", 0, 0);
  RV.Format();
  ASSERT_EQ(4, Data().DrawItems.Count()) << Lines();
  ASSERT_GT(Data().DrawItems[1]->Top, Data().DrawItems[2]->Top) << Lines();
  TRVCaretLayout l = Layout();
  for (std::int32_t y = Data().DrawItems[2]->Top; y < Data().DrawItems[3]->Top; ++y)
    EXPECT_EQ(1, l.LineAtY(y)) << "y " << y;
  EXPECT_EQ(0, l.LineAtY(Data().DrawItems[2]->Top - 1));
  EXPECT_EQ(3, l.LineAtY(Data().DrawItems[3]->Top));
}

TEST_F(CaretLayoutTest, HoverHitTestingFindsOnlyHyperlinkRunsUnderThePoint) {
  TFontInfo link;
  link.Assign(*Style.TextStyles.Items(0));
  link.Jump = true;
  const int jump = Style.FindTextStyle(link);
  RV.AddNL(u"see ", 0, 0);
  RV.AddNL(u"here", jump, -1, u"http://a.example/");
  RV.Format();
  TRVCaretLayout l = Layout();
  EXPECT_EQ(-1, l.JumpItemAt(10, 10));  // "see "
  EXPECT_EQ(1, l.JumpItemAt(40, 10));   // "here" starts at 5 + 28
  EXPECT_EQ(1, l.JumpItemAt(60, 17));
  EXPECT_EQ(-1, l.JumpItemAt(61, 10));  // past its right edge
  EXPECT_EQ(-1, l.JumpItemAt(40, 18));  // below the line
  EXPECT_EQ(-1, l.JumpItemAt(40, 4));   // above it, in the margin
}

TEST_F(CaretLayoutTest, PositionsOutsideTheDocumentAreClampedIntoIt) {
  RV.AddNL(u"abc", 0, 0);
  RV.AddNL(u"de", 0, 0);
  RV.Format();
  TRVCaretLayout l = Layout();
  EXPECT_EQ("1:3", Str(l.Validate(P(7, 1))));
  EXPECT_EQ("0:1^", Str(l.Validate(P(-1, 0))));
  EXPECT_EQ("0:4", Str(l.Validate(P(0, 40))));
  EXPECT_EQ("1:1^", Str(l.Validate(P(1, -3))));
  RV.Clear();
  EXPECT_FALSE(Layout().Validate(P(0, 1)).IsValid());
  EXPECT_EQ(-1, Layout().LineAtY(10));
}

} // namespace
} // namespace richtext::test
