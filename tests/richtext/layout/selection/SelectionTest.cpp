// Selection of formatted documents and the conversions between item and drawing item
// positions.
#include <sstream>

#include "richtext/layout/format/FormatFixture.h"

namespace richtext::test {
namespace {

class SelectionTest : public FormatFixture {
protected:
  // "(drawing item, offset)-(drawing item, offset)" as stored, or normalised.
  std::string DrawBounds(bool Normalize = true) {
    std::int32_t s, e, so, eo;
    Data().GetSelBounds(s, e, so, eo, Normalize);
    std::ostringstream out;
    out << '(' << s << ", " << so << ")-(" << e << ", " << eo << ')';
    return out.str();
  }
  std::string ItemBounds() {
    std::int32_t s, so, e, eo;
    Data().GetSelectionBounds(s, so, e, eo, true);
    std::ostringstream out;
    out << "item " << s << " offs " << so << " to item " << e << " offs " << eo;
    return out.str();
  }
  std::string D2I(std::int32_t dno, std::int32_t doffs) {
    std::int32_t no = 0, offs = 0;
    Data().DrawItem2Item(dno, doffs, no, offs);
    return std::to_string(no) + ":" + std::to_string(offs);
  }
  std::string I2D(std::int32_t no, std::int32_t offs) {
    std::int32_t dno = 0, doffs = 0;
    Data().Item2DrawItem(no, offs, dno, doffs);
    return std::to_string(dno) + ":" + std::to_string(doffs);
  }
  int SelectEvents = 0;
  void CountSelectEvents() {
    RV.OnSelect = [this](TCustomRichView*) { ++SelectEvents; };
  }
};

TEST_F(SelectionTest, SelectAllOfTwoLettersCoversTheRun) {
  RV.AddNL(u"ab", 0, 0);
  RV.Format();
  CountSelectEvents();
  RV.SelectAll();
  EXPECT_EQ("(0, 1)-(0, 3)", DrawBounds());
  EXPECT_EQ("item 0 offs 1 to item 0 offs 3", ItemBounds());
  EXPECT_TRUE(Data().SelectionExists(true, true));
  EXPECT_EQ(1, SelectEvents);
  std::int32_t s = -5, e = -5, so = -5, eo = -5;
  TRVMultiDrawItemPart *sp = nullptr, *ep = nullptr;
  TCustomRVItemInfo* item = nullptr;
  Data().RVFGetLimits(rvfss_Selection, s, e, so, eo, sp, ep, item);
  EXPECT_EQ("0 1 0 3", std::to_string(s) + " " + std::to_string(so) + " " + std::to_string(e) +
                           " " + std::to_string(eo));
  EXPECT_EQ(nullptr, item);
}

TEST_F(SelectionTest, EmptyItemIsSelectableOnlyWithAnEmptyWidth) {
  RV.AddNL(u"", 0, 0);
  RV.Format();
  RV.SelectAll();
  EXPECT_EQ("(0, 1)-(0, 1)", DrawBounds());
  EXPECT_FALSE(Data().SelectionExists(false, true));
  EXPECT_EQ("(0, 1)-(0, 1)", DrawBounds()); // not reset without AllowReset
  EXPECT_FALSE(Data().SelectionExists(true, true));
  EXPECT_EQ("(-1, 0)-(-1, 0)", DrawBounds());

  Style.TextStyles[0].EmptyWidth = 5;
  RV.Format();
  RV.SelectAll();
  EXPECT_EQ("(0, 1)-(0, 2)", DrawBounds());
  EXPECT_TRUE(Data().SelectionExists(true, true));
  EXPECT_EQ(2, Data().GetOffsAfterItem(0));
}

TEST_F(SelectionTest, PositionsAroundAnEatenSpaceAtAWrap) {
  RV.SetClientSize(45, 400);
  RV.AddNL(u"aaa bbb", 0, 0);
  RV.Format();
  ASSERT_EQ(2, Data().DrawItems.Count());
  // Before the space: end of the first run; after it: start of the second.
  EXPECT_EQ("0:4", I2D(0, 4));
  EXPECT_EQ("1:1", I2D(0, 5));
  EXPECT_EQ("1:4", I2D(0, 8));
  EXPECT_EQ("0:1", I2D(0, 1));
  EXPECT_EQ("0:5", D2I(1, 1));
  EXPECT_EQ("0:3", D2I(0, 3));
  EXPECT_EQ("-1:0", D2I(2, 1));
  EXPECT_EQ("-1:0", I2D(-1, 1));
  EXPECT_EQ(0, Data().Item2FirstDrawItem(0));
  EXPECT_EQ(1, Data().Item2LastDrawItem(0));
}

TEST_F(SelectionTest, BackwardsSelectionNormalisesToTheForwardOne) {
  RV.AddNL(u"abcdef", 0, 0);
  RV.Format();
  RV.SetSelectionBounds(0, 5, 0, 2);
  EXPECT_EQ("(0, 5)-(0, 2)", DrawBounds(false));
  EXPECT_EQ("(0, 2)-(0, 5)", DrawBounds(true));
  RV.SetSelectionBounds(0, 2, 0, 5);
  EXPECT_EQ("(0, 2)-(0, 5)", DrawBounds(false));
  std::int32_t no = 0, offs = 0;
  Data().GetSelStart(no, offs);
  EXPECT_EQ("0 2", std::to_string(no) + " " + std::to_string(offs));
}

TEST_F(SelectionTest, EndAndStartOfNeighbourRunsIsEmptyOnlyOnOneLine) {
  RV.AddNL(u"ab", 0, 0);
  RV.AddNL(u"cd", 0, -1);
  RV.Format();
  ASSERT_EQ(2, Data().DrawItems.Count());
  RV.SetSelectionBounds(0, 3, 1, 1);
  EXPECT_FALSE(Data().SelectionExists(false, false));

  // The same two runs with the second wrapped onto the next line.
  RV.SetClientSize(30, 400);
  RV.Format();
  ASSERT_EQ(2, Data().DrawItems.Count());
  ASSERT_TRUE(Data().DrawItems[1]->FromNewLine);
  RV.SetSelectionBounds(0, 3, 1, 1);
  EXPECT_EQ("(0, 3)-(1, 1)", DrawBounds());
  EXPECT_TRUE(Data().SelectionExists(false, false));
}

TEST_F(SelectionTest, SetSelectionBoundsClampsToTheDrawingItem) {
  RV.AddNL(u"ab", 0, 0);
  RV.Format();
  RV.SetSelectionBounds(0, 0, 0, 99);
  EXPECT_EQ("(0, 1)-(0, 3)", DrawBounds());
}

TEST_F(SelectionTest, SelectionDownPrefersTheNextLineAtAWrapWithoutGap) {
  RV.SetClientSize(45, 400);
  RV.AddNL(u"abcdefgh", 0, 0); // cut after five characters, no space between the runs
  RV.Format();
  ASSERT_EQ(2, Data().DrawItems.Count());
  RV.SetSelectionBounds(0, 1, 0, 6);
  EXPECT_EQ("(0, 1)-(0, 6)", DrawBounds());
  Data().SetSelectionBoundsDown(0, 1, 0, 6);
  EXPECT_EQ("(0, 1)-(1, 1)", DrawBounds());
  EXPECT_EQ("item 0 offs 1 to item 0 offs 6", ItemBounds());
}

TEST_F(SelectionTest, SingleSelectedItemAndInsideTests) {
  RV.AddNL(u"ab", 0, 0);
  RV.AddBreak();
  RV.AddNL(u"cd", 0, 0);
  RV.Format();
  ASSERT_EQ(3, Data().DrawItems.Count());
  TCustomRVFormattedData* owner = nullptr;
  std::int32_t itemNo = -2;
  // From the end of the first text to the start of the last: the line alone.
  RV.SetSelectionBounds(0, 3, 2, 1);
  Data().GetSingleSelectedItem(owner, itemNo);
  EXPECT_EQ(1, itemNo);
  EXPECT_EQ(&Data(), owner);
  EXPECT_TRUE(Data().Item_InsideSelection(1, 0, false));
  EXPECT_TRUE(Data().Item_InsideSelection(0, 3, true));
  EXPECT_FALSE(Data().Item_InsideSelection(0, 3, false));
  EXPECT_FALSE(Data().Item_InsideSelection(2, 2, true));
  EXPECT_TRUE(Data().DItem_InsideSelection(1, 1, true));
  EXPECT_TRUE(Data().IsMultiParagraphSelection());
  EXPECT_FALSE(Data().IsWholeParagraphSelection());

  RV.SetSelectionBounds(0, 2, 0, 3);
  Data().GetSingleSelectedItem(owner, itemNo);
  EXPECT_EQ(-1, itemNo);
  EXPECT_EQ(nullptr, owner);
  EXPECT_FALSE(Data().IsMultiParagraphSelection());

  RV.SetSelectionBounds(2, 1, 2, 3);
  Data().GetSingleSelectedItem(owner, itemNo);
  EXPECT_EQ(2, itemNo);
  EXPECT_TRUE(Data().IsWholeParagraphSelection());

  RV.SelectAll();
  EXPECT_TRUE(Data().IsWholeParagraphSelection());
  EXPECT_TRUE(Data().IsMultiParagraphSelection());
}

TEST_F(SelectionTest, DeselectForgetsTheSelectionAndTellsTheControl) {
  RV.AddNL(u"ab", 0, 0);
  RV.Format();
  RV.SelectAll();
  CountSelectEvents();
  RV.Deselect();
  EXPECT_EQ("(-1, 0)-(-1, 0)", DrawBounds());
  std::int32_t s = 0, so = 0, e = 0, eo = 0;
  Data().GetSelectionBounds(s, so, e, eo, true);
  EXPECT_EQ(-1, s);
  EXPECT_EQ(-1, e);
  EXPECT_FALSE(Data().SelectionExists(true, true));
  EXPECT_EQ(1, SelectEvents);
  EXPECT_FALSE(Data().Item_InsideSelection(0, 1, true));
}

TEST_F(SelectionTest, LimitsOfOtherScopesCoverTheDocument) {
  RV.AddBreak();
  RV.AddNL(u"hello", 0, 0);
  std::int32_t s = -5, e = -5, so = -5, eo = -5;
  TRVMultiDrawItemPart *sp = nullptr, *ep = nullptr;
  TCustomRVItemInfo* item = nullptr;
  Data().RVFGetLimits(rvfss_Full, s, e, so, eo, sp, ep, item);
  EXPECT_EQ("0 0 1 6", std::to_string(s) + " " + std::to_string(so) + " " + std::to_string(e) +
                           " " + std::to_string(eo));
}

TEST_F(SelectionTest, ReformatAtAnotherWidthKeepsTheSelectionInItemPositions) {
  RV.AddNL(u"aaa bbb ccc", 0, 0);
  RV.Format();
  RV.SetSelectionBounds(0, 6, 0, 10);
  EXPECT_EQ("(0, 6)-(0, 10)", DrawBounds());
  RV.SetClientSize(45, 400);
  RV.Reformat();
  ASSERT_EQ(3, Data().DrawItems.Count());
  EXPECT_EQ("item 0 offs 6 to item 0 offs 10", ItemBounds());
  EXPECT_EQ("(1, 2)-(2, 2)", DrawBounds());
  // A full format rebuilds the drawing items; the selection, in item positions, stays on the
  // same text whatever the new lines are.
  RV.SetClientSize(200, 400);
  RV.SetSelectionBounds(0, 1, 0, 12);
  RV.SetClientSize(45, 400);
  RV.Format();
  RV.SetClientSize(200, 400);
  RV.Format();
  ASSERT_EQ(1, Data().DrawItems.Count());
  EXPECT_EQ("item 0 offs 1 to item 0 offs 12", ItemBounds());
  EXPECT_EQ("(0, 1)-(0, 12)", DrawBounds());
}

TEST_F(SelectionTest, FullFormatDropsASelectionInItemsThatAreGone) {
  RV.AddNL(u"first", 0, 0);
  RV.AddNL(u"second", 0, 0);
  RV.Format();
  RV.SetSelectionBounds(1, 2, 1, 5);
  ASSERT_TRUE(Data().SelectionExists(false, false));
  Data().DeleteItems(1, 1);
  RV.Format();
  EXPECT_FALSE(Data().SelectionExists(false, false));
  std::int32_t s = 0, so = 0, e = 0, eo = 0;
  Data().GetSelectionBounds(s, so, e, eo, true);
  EXPECT_EQ(-1, s);
  EXPECT_EQ(-1, e);
}

} // namespace
} // namespace richtext::test
