#include <gtest/gtest.h>

#include "TestRVData.h"
#include "richtext/document/CRVData.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

using test::TRecordedAction;
using test::TTestRVData;

class DataBuilding : public ::testing::Test {
protected:
  TRVStyle Style;
  TTestRVData Data{&Style};
  std::string Dump() const { return Data.Items().Dump(); }
};

TEST_F(DataBuilding, FirstItemWithParagraphMinusOneOpensParagraphZero) {
  Data.AddNL(u"A", 4, -1, u"B");
  EXPECT_EQ(Dump(), "4 0 {U} \"A\" tag=\"B\"\n");
  EXPECT_TRUE(Data.IsParaStart(0));
  EXPECT_TRUE(Data.IsFromNewLine(0));
  EXPECT_EQ(Data.GetItemStyle(0), 4);
  EXPECT_EQ(Data.GetItemTag(0), u"B");
}

TEST_F(DataBuilding, ParagraphPlacementOfFollowingItems) {
  Data.AddNL(u"a", 0, 1);
  Data.AddNL(u"b", 1, -1); // continues the line, takes the paragraph of "a"
  Data.AddNL(u"c", 2, 0);  // new paragraph
  Data.SetAddParagraphMode(false);
  Data.AddNL(u"d", 3, 1); // new line of the same paragraph, keeps its ParaNo
  Data.SetAddParagraphMode(true);
  Data.AddNL(u"e", 3, 1);
  EXPECT_EQ(Dump(), "0 1 {U} \"a\"\n"
                    "1 1 {SU} \"b\"\n"
                    "2 0 {U} \"c\"\n"
                    "3 1 {BU} \"d\"\n"
                    "3 1 {U} \"e\"\n");
  EXPECT_FALSE(Data.IsParaStart(3));
  EXPECT_TRUE(Data.IsFromNewLine(3));
  EXPECT_FALSE(Data.IsFromNewLine(1));
}

TEST_F(DataBuilding, ItemsBringingBRKeepItUnlessFirstOrFullWidth) {
  auto first = std::make_unique<TRVTextItemInfo>(&Data);
  first->ParaNo = 0;
  first->SetBR(true);
  Data.AddItem(u"first", std::move(first));
  auto second = std::make_unique<TRVTextItemInfo>(&Data);
  second->ParaNo = 0;
  second->SetBR(true);
  Data.AddItem(u"second", std::move(second));
  EXPECT_EQ(Dump(), "0 0 {U} \"first\"\n"
                    "0 0 {BU} \"second\"\n");
}

TEST_F(DataBuilding, NegativeStyleMeansDefaultStyleOfTheParagraph) {
  Data.AddNL(u"x", -5, 0);
  EXPECT_EQ(Data.GetItem(0)->StyleNo, rvsDefStyle);
  EXPECT_EQ(Data.GetItemStyle(0), 0) << "paragraph style 0 has no default text style";
  Style.ParaStyles.Items(0)->DefStyleNo = 3;
  EXPECT_EQ(Data.GetItemStyle(0), 3);
  EXPECT_EQ(Data.GetItem(0)->StyleNo, rvsDefStyle) << "resolving does not store";
}

TEST_F(DataBuilding, TextIsStoredAsGivenExceptTabs) {
  Data.AddNL(u"one\r\ntwo", 0, 0);
  EXPECT_EQ(Data.ItemCount(), 1);
  EXPECT_EQ(Data.GetItemText(0), u"one\r\ntwo");

  Style.SpacesInTab = 0;
  Data.AddNL(u"a\tb", 0, 0);
  Style.SpacesInTab = 3;
  Data.AddNL(u"a\tb\t", 0, 0);
  Data.AddNLW(u"a\tb", 0, 0, {}, false);
  Data.AddNLW(u"a\tb", -1, 0, {}, true);
  EXPECT_EQ(Data.GetItemText(1), u"ab");
  EXPECT_EQ(Data.GetItemText(2), u"a   b   ");
  EXPECT_EQ(Data.GetItemText(3), u"a\tb");
  EXPECT_EQ(Data.GetItemText(4), u"a\tb") << "a negative style keeps its tabs";

  TTestRVData bare;
  bare.AddNL(u"\t", 0, 0);
  EXPECT_EQ(bare.GetItemText(0), u"        ") << "8 spaces without a style sheet";
  bare.AddNL(u"", 0, 0);
  EXPECT_EQ(bare.GetItemText(1), u"");
}

TEST_F(DataBuilding, HorizontalLineAlwaysStartsAParagraph) {
  Data.AddNL(u"a", 0, 1);
  Data.SetAddParagraphMode(false);
  Data.AddBreak(0, rvbsLine, clNone, u"line");
  Data.SetAddParagraphMode(true);
  Data.AddNL(u"b", 0, -1);
  Data.AddBreakEx(300, rvbsDashed, clRed);
  Data.AddBreakTag(u"t");
  EXPECT_EQ(Dump(), "0 1 {U} \"a\"\n"
                    "-1 0 {U} \"\" tag=\"line\"\n"
                    "0 0 {U} \"b\"\n"
                    "-1 0 {U} \"\"\n"
                    "-1 0 {U} \"\" tag=\"t\"\n");
  std::int32_t width = 0;
  TRVBreakStyle style = rvbsLine;
  TColor color = 0;
  TRVTag tag = u"old";
  Data.GetBreakInfo(1, width, style, color, tag);
  EXPECT_EQ(width, 1) << "one pixel in pixel units";
  EXPECT_EQ(tag, u"line");
  Data.GetBreakInfo(3, width, style, color, tag);
  EXPECT_EQ(width, 300 % 256) << "the width travels in 8 bits";
  EXPECT_EQ(style, rvbsDashed);
  EXPECT_EQ(color, clRed);
  EXPECT_TRUE(tag.empty());

  Data.SetBreakInfo(4, 2, rvbsDotted, clBlue, u"new");
  Data.GetBreakInfo(4, width, style, color, tag);
  EXPECT_EQ(width, 2);
  EXPECT_EQ(style, rvbsDotted);
  EXPECT_EQ(color, clBlue);
  EXPECT_EQ(tag, u"new");

  Style.Units = rvstuTwips;
  Data.AddBreak(0, rvbsLine, clNone, {});
  Data.GetBreakInfo(5, width, style, color, tag);
  EXPECT_EQ(width, Style.PixelsToUnits(1));
}

TEST_F(DataBuilding, BreakInfoOfAnotherKindIsRefused) {
  Data.AddNL(u"a", 0, 0);
  std::int32_t width = 0;
  TRVBreakStyle style = rvbsLine;
  TColor color = 0;
  TRVTag tag = u"kept?";
  try {
    Data.GetBreakInfo(0, width, style, color, tag);
    FAIL() << "no error";
  } catch (const ERichViewError& e) {
    EXPECT_STREQ(e.what(), "Can't get or set this kind of information for this item");
  }
  EXPECT_TRUE(tag.empty()) << "the tag is emptied before the check";
  EXPECT_THROW(Data.SetBreakInfo(0, 1, rvbsLine, clNone, {}), ERichViewError);
  EXPECT_THROW(Data.GetBreakInfo(1, width, style, color, tag), EListError);
}

// A list marker of the kind a list module would add.
class TMarkerLikeItem : public TRVNonTextItemInfo {
public:
  explicit TMarkerLikeItem(TCustomRVData* d) : TRVNonTextItemInfo(d) { StyleNo = rvsListMarker; }
};

TEST_F(DataBuilding, ListMarkerIsNeverLeftAloneInItsParagraph) {
  auto marker = std::make_unique<TMarkerLikeItem>(&Data);
  marker->ParaNo = 1;
  Data.AddItem({}, std::move(marker));
  Data.AddNL(u"next paragraph", 0, 0);
  EXPECT_EQ(Dump(), "-11 1 {U} \"\"\n"
                    "0 1 {SU} \"\"\n"
                    "0 0 {U} \"next paragraph\"\n");
}

TEST_F(DataBuilding, QuestionsRaiseTheListIndexError) {
  Data.AddNL(u"a", 0, 0);
  EXPECT_THROW(Data.GetItem(1), EListError);
  EXPECT_THROW(Data.GetItemText(-1), EListError);
  EXPECT_THROW(Data.SetItemTag(3, u"x"), EListError);
  EXPECT_THROW(Data.GetItemStyle(1), EListError);
  EXPECT_THROW(Data.IsParaStart(1), EListError);
  try {
    Data.GetItemPara(2);
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (2)");
  }
  Data.SetItemText(0, u"b");
  Data.SetItemTag(0, u"t");
  EXPECT_EQ(Dump(), "0 0 {U} \"b\" tag=\"t\"\n");
  EXPECT_EQ(Data.GetItemNo(Data.GetItem(0)), 0);
  EXPECT_EQ(Data.GetItemOptions(0).Value(), 0x08);
}

TEST_F(DataBuilding, IsEmptyCountsOneEmptyTextItemAsEmpty) {
  EXPECT_TRUE(Data.IsEmpty());
  Data.AddNL(u"", 0, 0);
  EXPECT_TRUE(Data.IsEmpty());
  Data.AddNL(u"", 0, 0);
  EXPECT_FALSE(Data.IsEmpty());
  TTestRVData withLine(&Style);
  withLine.AddBreakTag({});
  EXPECT_FALSE(withLine.IsEmpty());
  TTestRVData withText(&Style);
  withText.AddNL(u"x", 0, 0);
  EXPECT_FALSE(withText.IsEmpty());
}

TEST_F(DataBuilding, AddingReportsInsertingAndInsertedWithChangeableText) {
  Data.AddNL(u"first", 0, 0);
  Data.ReplaceInserting = true;
  Data.InsertingText = u"changed";
  Data.AddNL(u"second", 0, 0);
  EXPECT_EQ(Data.Actions, (std::vector<TRecordedAction>{{rviaInserting, "first"},
                                                        {rviaInserted, ""},
                                                        {rviaInserting, "changed"},
                                                        {rviaInserted, ""}}));
  EXPECT_EQ(Data.GetItemText(1), u"changed");
}

TEST_F(DataBuilding, AddItemAsIsKeepsParagraphAndOptions) {
  Data.AddNL(u"a", 0, 0);
  auto item = std::make_unique<TRVTextItemInfo>(&Data);
  item->ParaNo = -1;
  item->ItemOptions = TRVItemOptions{rvioUnicode, rvioGroupWithNext};
  Data.AddItemAsIs(u"raw", std::move(item));
  EXPECT_EQ(Dump(), "0 0 {U} \"a\"\n"
                    "0 -1 {UG} \"raw\"\n");
}

TEST_F(DataBuilding, GetOrAddTextStyleReportsOnlyAppendedStyles) {
  TFontInfo hyperlink;
  hyperlink.Assign(*Style.TextStyles.Items(0));
  hyperlink.Color = clBlue;
  hyperlink.Style.Include(fsUnderline);
  hyperlink.Jump = true;
  EXPECT_EQ(Data.GetOrAddTextStyle(hyperlink), 6);
  EXPECT_EQ(Data.GetOrAddTextStyle(hyperlink), 6);
  EXPECT_EQ(Data.GetOrAddTextStyle(*Style.TextStyles.Items(3)), 3);
  ASSERT_EQ(Data.AddedStyles.size(), 1u);
  EXPECT_EQ(Data.AddedStyles[0], Style.TextStyles.Items(6));
  EXPECT_EQ(Style.TextStyles.Count(), 7);

  TTestRVData bare;
  EXPECT_EQ(bare.GetOrAddTextStyle(hyperlink), -1);
}

} // namespace
} // namespace richtext
