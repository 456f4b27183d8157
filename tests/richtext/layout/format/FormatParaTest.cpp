// Paragraph layout: spacing, indents, line spacing, alignment, tabs, horizontal lines, and the
// width rules, in exact pixels (characters 7 wide, ascent 10, descent 3, height 13).
#include "FormatFixture.h"

#include "richtext/document/RVItem.h"
#include "richtext/layout/CRVFDataFormatter.h"

namespace richtext::test {
namespace {

class FormatParaTest : public FormatFixture {
protected:
  // A new paragraph style; its index is in LastPara.
  TParaInfo& AddPara() {
    TParaInfo* p = Style.ParaStyles.Add();
    LastPara = p->GetIndex();
    return *p;
  }
  int LastPara = -1;
};

TEST_F(FormatParaTest, ParagraphSpacingAddsAfterThePreviousAndBeforeTheNext) {
  TParaInfo& p = AddPara();
  p.SetSpaceBefore(4);
  p.SetSpaceAfter(6);
  RV.AddNL(u"ab", 0, LastPara);
  RV.AddNL(u"cd", 0, LastPara);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 2 at 5,9 size 14x13 base 19 LP \"ab\"\n"
            "1: item 1 offs 1 len 2 at 5,32 size 14x13 base 42 LP \"cd\"\n",
            Lines());
  // bottom margin + baseline + descent + space after the last paragraph
  EXPECT_EQ(5 + 42 + 3 + 6, RV.GetDocumentHeight());
}

TEST_F(FormatParaTest, IndentsNarrowTheLinesAndTheFirstLineStartsFurther) {
  TParaInfo& p = AddPara();
  p.LeftIndent = 10;
  p.RightIndent = 20;
  p.FirstIndent = 15;
  RV.SetClientSize(110, 400); // 100 of text: 55 on the first line, 70 on the others
  RV.AddNL(u"aaa bbb ccc ddd", 0, LastPara);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 7 at 30,5 size 49x13 base 15 LP \"aaa bbb\"\n"
            "1: item 0 offs 9 len 7 at 15,18 size 49x13 base 28 L \"ccc ddd\"\n",
            Lines());
}

TEST_F(FormatParaTest, RightAndCentreAlignmentShiftTheLine) {
  AddPara().Alignment = rvaRight;
  RV.AddNL(u"ab", 0, LastPara);
  AddPara().Alignment = rvaCenter;
  RV.AddNL(u"abc", 0, LastPara);
  RV.Format();
  // Line end 195; free space 176 and 169 (odd: centring rounds towards zero).
  EXPECT_EQ("0: item 0 offs 1 len 2 at 181,5 size 14x13 base 15 LP \"ab\"\n"
            "1: item 1 offs 1 len 3 at 89,18 size 21x13 base 28 LP \"abc\"\n",
            Lines());
}

TEST_F(FormatParaTest, RunWiderThanTheLineIsNeverShiftedLeft) {
  TParaInfo& p = AddPara();
  p.Alignment = rvaCenter;
  p.Options.Include(rvpaoNoWrap);
  RV.SetMaxTextWidth(0);
  RV.SetClientSize(30, 400);
  RV.AddNL(u"abcdefgh", 0, LastPara);
  RV.Format();
  // The no-wrap paragraph widens the document to its width; nothing is left to shift.
  EXPECT_EQ(56, RV.GetDocumentWidth());
  EXPECT_EQ("0: item 0 offs 1 len 8 at 5,5 size 56x13 base 15 LP \"abcdefgh\"\n", Lines());
}

TEST_F(FormatParaTest, JustificationSpreadsTheFreeSpaceOverSpaces) {
  AddPara().Alignment = rvaJustify;
  RV.SetClientSize(80, 400); // 70 of text
  RV.AddNL(u"aa bb cc dd", 0, LastPara);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 8 at 5,5 size 70x13 base 15 LP \"aa bb cc\"\n"
            "1: item 0 offs 10 len 2 at 5,18 size 14x13 base 28 L \"dd\"\n",
            Lines());
  EXPECT_EQ(2, Data().DrawItems[0]->GetSpaceCount());
  EXPECT_EQ(56, Data().DrawItems[0]->GetTextWidth());
  // The last line of the paragraph keeps the default (left) alignment.
  EXPECT_EQ(0, Data().DrawItems[1]->GetSpaceCount());
}

TEST_F(FormatParaTest, JustificationOverSeveralRunsPlacesThemSideBySide) {
  AddPara().Alignment = rvaJustify;
  RV.SetClientSize(75, 400); // 65 of text
  RV.AddNL(u"a b ", 0, LastPara);
  RV.AddNL(u"c d ee", 0, -1);
  RV.Format();
  // First line "a b " + "c d": 16 free pixels over 3 spaces of equal height, 10 to the two
  // spaces of the first run and the remaining 6 to the last.
  EXPECT_EQ("0: item 0 offs 1 len 4 at 5,5 size 38x13 base 15 LP \"a b \"\n"
            "1: item 1 offs 1 len 3 at 43,5 size 27x13 base 15 \"c d\"\n"
            "2: item 1 offs 5 len 2 at 5,18 size 14x13 base 28 L \"ee\"\n",
            Lines());
}

TEST_F(FormatParaTest, DistributionSpreadsOverCharactersButTheOutermost) {
  AddPara().Alignment = rvaDistribute;
  RV.SetClientSize(60, 400); // 50 of text
  RV.AddNL(u"abcd efgh", 0, LastPara);
  RV.Format();
  ASSERT_EQ(2, Data().DrawItems.Count());
  const TRVDrawLineInfo* d = Data().DrawItems[0];
  EXPECT_EQ(50, d->Width); // 28 wide, 22 spread over "bc": the outermost characters stay
  EXPECT_EQ(2, d->GetSpaceCount()); // the characters widened, b and c
  EXPECT_EQ(1, d->GetLeftNoExpandIndex());
  EXPECT_EQ(4, d->GetRightNoExpandIndex());
}

TEST_F(FormatParaTest, LineSpacingTypes) {
  struct Case {
    TRVLineSpacingType Type;
    int Spacing;
    int SecondTop, DocHeight, ExtraBelow;
  };
  const Case cases[] = {
      {rvlsPercent, 150, 24, 48, 6},          // 13 * 50 / 100 below each line
      {rvlsSpaceBetween, 4, 22, 44, 4},       // 4 pixels below each line
      {rvlsLineHeightExact, 30, 49, 70, 3},   // 24 above the baseline, 6 below
      {rvlsLineHeightExact, 2, 2, 18, -2},    // at least 4: 3 above, 1 below
      {rvlsLineHeightAtLeast, 4, 18, 36, 0},  // the font is taller
      {rvlsLineHeightAtLeast, 30, 49, 70, 3}, // the line is taller
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Type) + " " + std::to_string(c.Spacing));
    TParaInfo& p = AddPara();
    p.LineSpacingType = c.Type;
    p.LineSpacing = c.Spacing;
    RV.Clear();
    RV.SetClientSize(45, 400);
    RV.AddNL(u"aaa bbb", 0, LastPara);
    RV.Format();
    ASSERT_EQ(2, Data().DrawItems.Count());
    EXPECT_EQ(c.SecondTop, Data().DrawItems[1]->Top);
    EXPECT_EQ(c.DocHeight, RV.GetDocumentHeight());
    EXPECT_EQ(c.ExtraBelow, Data().DrawItems[1]->GetExtraSpaceBelow());
  }
}

TEST_F(FormatParaTest, DrawingItemClassFollowsTheParagraph) {
  TParaInfo plain, justify, percent, exact;
  justify.Alignment = rvaJustify;
  percent.LineSpacing = 120;
  exact.LineSpacingType = rvlsLineHeightExact;
  TRVTextItemInfo item(nullptr);
  EXPECT_EQ(0, GetStandardDrawLineInfoClass(&item, plain)->GetStreamingId());
  EXPECT_EQ(1, GetStandardDrawLineInfoClass(&item, justify)->GetStreamingId());
  EXPECT_EQ(2, GetStandardDrawLineInfoClass(&item, percent)->GetStreamingId());
  EXPECT_EQ(3, GetStandardDrawLineInfoClass(&item, exact)->GetStreamingId());
}

TEST_F(FormatParaTest, LeftRightAndCentreTabs) {
  RV.AddTextNLW(u"a\tb", 0, 0, 0); // default stops every 48 pixels
  AddPara().Tabs.Add(100, rvtaRight, u".");
  RV.AddTextNLW(u"a\tbb", 0, LastPara, LastPara);
  AddPara().Tabs.Add(100, rvtaCenter);
  RV.AddTextNLW(u"a\tbb", 0, LastPara, LastPara);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 1 at 5,5 size 7x13 base 15 LP \"a\"\n"
            "1: item 1 offs 0 len 0 at 12,5 size 41x13 base 15\n"
            "2: item 2 offs 1 len 1 at 53,5 size 7x13 base 15 \"b\"\n"
            "3: item 3 offs 1 len 1 at 5,18 size 7x13 base 28 LP \"a\"\n"
            "4: item 4 offs 0 len 0 at 12,18 size 79x13 base 28\n"
            "5: item 5 offs 1 len 2 at 91,18 size 14x13 base 28 \"bb\"\n"
            "6: item 6 offs 1 len 1 at 5,31 size 7x13 base 41 LP \"a\"\n"
            "7: item 7 offs 0 len 0 at 12,31 size 86x13 base 41\n"
            "8: item 8 offs 1 len 2 at 98,31 size 14x13 base 41 \"bb\"\n",
            Lines());
  auto* tab = dynamic_cast<TRVTabItemInfo*>(RV.GetItem(4));
  ASSERT_NE(nullptr, tab);
  EXPECT_EQ(u".", tab->Leader);
  EXPECT_EQ(79, tab->Width);
}

TEST_F(FormatParaTest, HorizontalLineIsALineOfItsOwn) {
  RV.AddNL(u"ab", 0, 0);
  RV.AddBreak();
  RV.AddNL(u"cd", 0, 0);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 2 at 5,5 size 14x13 base 15 LP \"ab\"\n"
            "1: item 1 offs 0 len 0 at 5,18 size 190x11 base 29 LP\n"
            "2: item 2 offs 1 len 2 at 5,29 size 14x13 base 39 LP \"cd\"\n",
            Lines());
}

TEST_F(FormatParaTest, MaxLengthLimitsTheCharactersOfALine) {
  RV.SetMaxLength(3);
  RV.AddNL(u"abcdefg", 0, 0);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 3 at 5,5 size 21x13 base 15 LP \"abc\"\n"
            "1: item 0 offs 4 len 3 at 5,18 size 21x13 base 28 L \"def\"\n"
            "2: item 0 offs 7 len 1 at 5,31 size 7x13 base 41 L \"g\"\n",
            Lines());
}

TEST_F(FormatParaTest, WrapModes) {
  RV.SetClientSize(45, 400);
  RV.AddNL(u"aaa bbb", 0, 0);
  Style.LineWrapMode = rvWrapAnywhere;
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 5 at 5,5 size 35x13 base 15 LP \"aaa b\"\n"
            "1: item 0 offs 6 len 2 at 5,18 size 14x13 base 28 L \"bb\"\n",
            Lines());
  Style.LineWrapMode = rvWrapSimple;
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 3 at 5,5 size 21x13 base 15 LP \"aaa\"\n"
            "1: item 0 offs 5 len 3 at 5,18 size 21x13 base 28 L \"bbb\"\n",
            Lines());
}

TEST_F(FormatParaTest, WordsAcrossItemsStayTogetherWhenTheyCan) {
  RV.SetClientSize(45, 400);
  RV.AddNL(u"xx ", 0, 0);
  RV.AddNL(u"aaa", 0, -1);
  RV.AddNL(u"bbb", 0, -1);
  RV.Format();
  // "aaa" moves after the space; "aaabbb" is one word wider than a line, so it is cut.
  EXPECT_EQ("0: item 0 offs 1 len 2 at 5,5 size 14x13 base 15 LP \"xx\"\n"
            "1: item 1 offs 1 len 3 at 5,18 size 21x13 base 28 L \"aaa\"\n"
            "2: item 2 offs 1 len 2 at 26,18 size 14x13 base 28 \"bb\"\n"
            "3: item 2 offs 3 len 1 at 5,31 size 7x13 base 41 L \"b\"\n",
            Lines());
}

TEST_F(FormatParaTest, WidthRules) {
  RV.AddNL(u"aaa bbb ccc", 0, 0);
  RV.SetMaxTextWidth(35);
  RV.Format();
  EXPECT_EQ(190, RV.GetDocumentWidth());
  EXPECT_EQ(35, Data().TextWidth);
  EXPECT_EQ(3, Data().DrawItems.Count());
  RV.SetOptions(RV.GetOptions() | TRVOptions{rvoClientTextWidth});
  RV.Format();
  EXPECT_EQ(190, Data().TextWidth);
  EXPECT_EQ(1, Data().DrawItems.Count());
  RV.SetMinTextWidth(300);
  RV.Format();
  EXPECT_EQ(300, RV.GetDocumentWidth());
  EXPECT_EQ(300, Data().TextWidth);
}

TEST_F(FormatParaTest, MinimumDocumentWidthCoversIndentsAndUnwrappableSections) {
  TParaInfo& p = AddPara();
  p.LeftIndent = 30;
  p.RightIndent = 40;
  RV.AddNL(u"abc", 0, LastPara);
  EXPECT_EQ(30 + 40 + 5, Data().CalculateMinDocWidthPlus(0, nullptr, &Canvas));
  p.Options.Include(rvpaoNoWrap);
  EXPECT_EQ(30 + 40 + 21, Data().CalculateMinDocWidthPlus(0, nullptr, &Canvas));
  RV.SetClientSize(20, 400);
  RV.Format();
  EXPECT_EQ(91, RV.GetDocumentWidth());
}

TEST_F(FormatParaTest, HyperlinksGetJumpNumbersInOrder) {
  RV.AddNL(u"a", rvsJump1, 0);
  RV.AddNL(u"b", rvsNormal, -1);
  RV.AddNL(u"c", rvsJump2, -1);
  RV.AddNL(u"", rvsJump1, 0);
  RV.Format();
  EXPECT_EQ(0, RV.GetItem(0)->JumpID);
  EXPECT_EQ(-1, RV.GetItem(1)->JumpID);
  EXPECT_EQ(1, RV.GetItem(2)->JumpID);
  EXPECT_EQ(-3, RV.GetItem(3)->JumpID);
  EXPECT_EQ(2, Data().nJmps);
}

TEST_F(FormatParaTest, SoftHyphenIsShownOnlyAtTheWrap) {
  RV.SetClientSize(45, 400);
  RV.AddNL(u"aaa\u00ADbbb", 0, 0);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 4 at 5,5 size 28x13 base 15 LP \"aaa\u00AD\"\n"
            "1: item 0 offs 5 len 3 at 5,18 size 21x13 base 28 L \"bbb\"\n",
            Lines());
  RV.SetClientSize(200, 400);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 7 at 5,5 size 42x13 base 15 LP \"aaa\u00ADbbb\"\n", Lines());
}

TEST_F(FormatParaTest, EmptyTextItemTakesItsEmptyWidthAndTheDashHeight) {
  Style.TextStyles[0].EmptyWidth = 4;
  RV.AddNL(u"", 0, 0);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 0 at 5,5 size 4x13 base 15 LP\n", Lines());
}

} // namespace
} // namespace richtext::test
