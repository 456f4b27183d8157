#include <gtest/gtest.h>

#include "TestRVData.h"
#include "richtext/document/RVItem.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

TRVItemOptions Opts(std::uint8_t value) {
  return TRVItemOptions::FromValue(value);
}

TEST(ItemOptions, NewItemHasOnlyUnicodeAndNoDrawingItem) {
  TRVTextItemInfo item(nullptr);
  EXPECT_EQ(item.ItemOptions.Value(), 0x08);
  EXPECT_EQ(item.DrawItemNo, -1);
  EXPECT_EQ(item.StyleNo, 0);
  EXPECT_EQ(item.JumpID, 0);
  EXPECT_EQ(item.Checkpoint, nullptr);
  TRVBreakItemInfo line(nullptr);
  EXPECT_EQ(line.StyleNo, rvsBreak);
  EXPECT_EQ(line.LineWidth, 1);
  EXPECT_EQ(line.Style, rvbsLine);
  EXPECT_EQ(line.Color, clNone);
}

TEST(ItemOptions, SettersKeepTheParagraphInvariants) {
  TRVTextItemInfo item(nullptr);
  item.ItemOptions = Opts(0x0E); // PageBreakBefore, BR, Unicode
  item.SetSameAsPrev(true);
  EXPECT_EQ(item.ItemOptions.Value(), 0x09);
  item.SetSameAsPrev(false);
  EXPECT_EQ(item.ItemOptions.Value(), 0x08);

  item.ItemOptions = Opts(0x09);
  item.SetBR(true);
  EXPECT_EQ(item.ItemOptions.Value(), 0x0C);
  item.SetBR(false);
  EXPECT_EQ(item.ItemOptions.Value(), 0x08);

  item.ItemOptions = Opts(0x0D); // SameAsPrev, BR (not reachable by setters), Unicode
  item.SetPageBreakBefore(true);
  EXPECT_EQ(item.ItemOptions.Value(), 0x0A);
  item.SetPageBreakBefore(false);
  EXPECT_EQ(item.ItemOptions.Value(), 0x08);

  item.ItemOptions = Opts(0x09);
  item.SetClearLeft(true);
  item.SetClearRight(true);
  EXPECT_EQ(item.ItemOptions.Value(), 0x09) << "clear bits only on a line start";
  item.SetSameAsPrev(false);
  item.SetClearLeft(true);
  item.SetClearRight(true);
  EXPECT_EQ(item.ItemOptions.Value(), 0x38);
  item.SetClearLeft(false);
  EXPECT_EQ(item.ItemOptions.Value(), 0x28);
}

TEST(ItemOptions, FullWidthItemNeverTakesBR) {
  TRVBreakItemInfo line(nullptr);
  line.SetSameAsPrev(true);
  line.SetBR(true);
  EXPECT_FALSE(line.GetBR());
  EXPECT_TRUE(line.GetSameAsPrev()) << "a refused BR leaves the other bits alone";
}

TEST(ItemOptions, ParaStartAndBorderStart) {
  struct Case {
    std::uint8_t Options;
    bool ParaStartCountBR, ParaStartNoBR, BorderStart;
  };
  const Case cases[] = {
      {0x08, true, true, true},    // starts a paragraph
      {0x0C, true, false, false},  // line break inside a paragraph
      {0x09, false, false, false}, // continues the line
  };
  for (const Case& c : cases) {
    TRVTextItemInfo item(nullptr);
    item.ItemOptions = Opts(c.Options);
    EXPECT_EQ(item.ParaStart(true), c.ParaStartCountBR) << int(c.Options);
    EXPECT_EQ(item.ParaStart(false), c.ParaStartNoBR) << int(c.Options);
    EXPECT_EQ(item.CanBeBorderStart(), c.BorderStart) << int(c.Options);
  }
}

TEST(ItemOptions, AssignParaPropertiesGoesThroughTheSetters) {
  TRVTextItemInfo source(nullptr);
  source.ItemOptions = Opts(0x0C | 0x10); // BR, ClearLeft
  TRVTextItemInfo target(nullptr);
  target.ItemOptions = Opts(0x09);
  target.AssignParaProperties(&source);
  EXPECT_EQ(target.ItemOptions.Value(), 0x1C);

  TRVBreakItemInfo line(nullptr);
  line.AssignParaProperties(&source);
  EXPECT_EQ(line.ItemOptions.Value(), 0x18) << "the horizontal line refuses BR";
}

TEST(ItemAssign, CopiesStyleOnlyBetweenItemsOfOneClass) {
  TRVTextItemInfo text(nullptr);
  text.StyleNo = 4;
  text.ParaNo = 3;
  text.ItemOptions = Opts(0x0C);
  text.Hint = u"hint";
  text.Tag = u"tag";
  text.ItemText = u"text";
  TRVBreakItemInfo line(nullptr);
  line.Assign(&text);
  EXPECT_EQ(line.StyleNo, rvsBreak);
  EXPECT_EQ(line.ParaNo, 3);
  EXPECT_EQ(line.ItemOptions.Value(), 0x0C);
  EXPECT_EQ(line.Hint, u"hint");
  EXPECT_EQ(line.Tag, u"");
  EXPECT_EQ(line.ItemText, u"");

  TRVTextItemInfo other(nullptr);
  other.Assign(&text);
  EXPECT_EQ(other.StyleNo, 4);

  TRVBreakItemInfo thick(nullptr, 3, rvbsDashed, clRed);
  TRVBreakItemInfo copy(nullptr);
  copy.Assign(&thick);
  EXPECT_EQ(copy.LineWidth, 3);
  EXPECT_EQ(copy.Style, rvbsDashed);
  EXPECT_EQ(copy.Color, clRed);
}

TEST(ItemBoolValues, BaseFullLineAndBreakAnswers) {
  TRVTextItemInfo text(nullptr);
  TRVFullLineItemInfo full(nullptr);
  TRVBreakItemInfo line(nullptr);
  auto trueSet = [](const TCustomRVItemInfo& item) {
    std::string names;
    for (unsigned p = 0; p <= static_cast<unsigned>(rvbpItemPrintsBackground); ++p)
      if (item.GetBoolValue(static_cast<TRVItemBoolProperty>(p)))
        names += std::to_string(p) + ' ';
    return names;
  };
  // rvbpValid 3, rvbpRequiresRVFLines 4, rvbpSwitchToAssStyleNo 13, rvbpDocXInRun 16.
  EXPECT_EQ(trueSet(text), "3 4 13 16 ");
  EXPECT_EQ(trueSet(full), "1 3 4 13 16 ");
  EXPECT_EQ(trueSet(line), "0 1 3 4 13 16 ");

  EXPECT_TRUE(text.GetBoolValueEx(rvbpPrintToBMP, nullptr));
  EXPECT_TRUE(text.GetBoolValueEx(rvbpPrintToBMPIfNoMetafiles, nullptr));
  EXPECT_TRUE(text.GetBoolValueEx(rvbpActualPrintSize, nullptr));
  EXPECT_FALSE(line.GetBoolValueEx(rvbpPrintToBMP, nullptr));
  EXPECT_FALSE(line.GetBoolValueEx(rvbpPrintToBMPIfNoMetafiles, nullptr))
      << "follows the line's own answer for rvbpPrintToBMP";
  EXPECT_TRUE(line.GetBoolValueEx(rvbpPrintSupportsMetafiles, nullptr));
  EXPECT_TRUE(line.GetBoolValueEx(rvbpActualPrintSize, nullptr));
  EXPECT_FALSE(full.GetBoolValueEx(rvbpActualPrintSize, nullptr));
}

TEST(ItemBoolValues, TextItemIsAHyperlinkExactlyInAJumpStyle) {
  TRVStyle style;
  TRVTextItemInfo item(nullptr);
  item.StyleNo = rvsJump1;
  EXPECT_TRUE(item.GetBoolValueEx(rvbpJump, &style));
  EXPECT_TRUE(item.GetBoolValueEx(rvbpAllowsFocus, &style));
  EXPECT_TRUE(item.GetBoolValueEx(rvbpXORFocus, &style));
  EXPECT_FALSE(item.GetBoolValueEx(rvbpHotColdJump, &style)) << "no hover effects by default";
  style.TextStyles.Items(rvsJump1)->HoverColor = clRed;
  EXPECT_TRUE(item.GetBoolValueEx(rvbpHotColdJump, &style));

  item.StyleNo = rvsNormal;
  EXPECT_FALSE(item.GetBoolValueEx(rvbpJump, &style));
  EXPECT_FALSE(item.GetBoolValueEx(rvbpJump, nullptr));

  // rvsDefStyle resolves through the paragraph style before the jump flag is read.
  item.StyleNo = rvsDefStyle;
  item.ParaNo = 1;
  style.ParaStyles.Items(1)->DefStyleNo = rvsJump2;
  EXPECT_TRUE(item.GetBoolValueEx(rvbpJump, &style));
}

TEST(ItemActualTextStyle, DefaultStyleResolvesThroughTheParagraph) {
  TRVStyle style;
  test::TTestRVData data(&style);
  TRVTextItemInfo item(nullptr);
  item.StyleNo = rvsDefStyle;
  item.ParaNo = 0;
  EXPECT_EQ(item.GetActualTextStyleNo(), rvsDefStyle);
  EXPECT_EQ(item.GetActualTextStyleNo(&style), 0) << "DefStyleNo -1 gives text style 0";
  EXPECT_EQ(item.GetActualTextStyleNo(&data), 0);
  style.ParaStyles.Items(0)->DefStyleNo = 3;
  EXPECT_EQ(item.GetActualTextStyleNo(&style), 3);
  EXPECT_EQ(item.GetActualTextStyleNo(&data), 3);
  item.StyleNo = 2;
  EXPECT_EQ(item.GetActualTextStyleNo(&data), 2);

  TRVTabItemInfo tab(nullptr);
  tab.SetAssociatedTextStyleNo(5);
  EXPECT_EQ(tab.StyleNo, rvsTab);
  EXPECT_EQ(tab.GetActualTextStyleNo(&style), 5) << "a tab measures in its text style";
  TRVBreakItemInfo line(nullptr);
  EXPECT_EQ(line.GetActualTextStyleNo(&style), -1);
}

TEST(ItemExecute, TextItemJumpsOnlyInAFormattedDocument) {
  TRVStyle style;
  test::TTestRVData data(&style);
  data.SetFirstJumpNo(100);
  TRVTextItemInfo link(&data);
  link.StyleNo = rvsJump1;
  link.JumpID = 7;
  link.Execute(&data);
  EXPECT_TRUE(data.Jumps.empty()) << "no layout, no hyperlinks";
  data.Formatted = true;
  link.Execute(&data);
  TRVTextItemInfo plain(&data);
  plain.Execute(&data);
  TRVBreakItemInfo line(&data);
  line.Execute(&data);
  EXPECT_EQ(data.Jumps, std::vector<std::int32_t>{107});
}

TEST(ItemStyleBookkeeping, MarkThenShiftTextStyles) {
  TRVTextItemInfo a(nullptr), b(nullptr), bad(nullptr);
  a.StyleNo = 1;
  b.StyleNo = 4;
  bad.StyleNo = rvsDefStyle;
  TRVDeleteUnusedStylesData data;
  data.UsedTextStyles.assign(6, 0);
  for (TRVTextItemInfo* item : {&a, &b, &bad})
    item->MarkStylesInUse(data);
  EXPECT_EQ(data.UsedTextStyles, (std::vector<int>{0, 1, 0, 0, 1, 0}));
  // Styles 0, 2, 3 and 5 are deleted: style 1 has one deleted below it, style 4 three.
  data.UsedTextStyles = {1, 2, 2, 3, 4, 4};
  for (TRVTextItemInfo* item : {&a, &b, &bad})
    item->UpdateStyles(data);
  EXPECT_EQ(a.StyleNo, 0);
  EXPECT_EQ(b.StyleNo, 1);
  EXPECT_EQ(bad.StyleNo, rvsDefStyle);
}

TEST(ItemList, IndexErrorsNameTheIndex) {
  TRVItemList list;
  auto* item = list.AddObject(u"a", std::make_unique<TRVTextItemInfo>(nullptr));
  EXPECT_EQ(item->ItemText, u"a");
  EXPECT_EQ(list.IndexOfObject(item), 0);
  TRVTextItemInfo stranger(nullptr);
  EXPECT_EQ(list.IndexOfObject(&stranger), -1);
  try {
    list.GetObject(5);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (5)");
  }
  EXPECT_THROW(list.GetItem(-1), EListError);
  EXPECT_THROW(list.SetItem(1, u"x"), EListError);
  EXPECT_THROW(list.InsertObject(2, u"x", std::make_unique<TRVTextItemInfo>(nullptr)), EListError);
  list.InsertObject(0, u"b", std::make_unique<TRVTextItemInfo>(nullptr));
  list.SetItem(1, u"A\t\"q\"\r\n\x1");
  EXPECT_EQ(list.Dump(), "0 0 {U} \"b\"\n"
                         "0 0 {U} \"A\\t\\\"q\\\"\\r\\n\\x01\"\n");
}

} // namespace
} // namespace richtext
