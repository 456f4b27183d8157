// The records non-text items write for themselves: tabs and horizontal lines, their
// extra-property lines, and where a selection starts or ends at one of them.
#include <memory>
#include <string>

#include "richtext/export/RVFWriter.h"
#include "richtext/export/rvf/ExportFixture.h"
#include "richtext/export/rvf/RVFTestBytes.h"

namespace richtext::test {
namespace {

const std::string Start = Line("-8 1 3 2") + Line("-9 1 0 0 0 0 13") + Line("96");

class RVFItemRecordsTest : public ExportFixture {
protected:
  RVFItemRecordsTest() { RV.SetRVFOptions({rvfoSaveBinary}); }

  std::string Save(bool SelectionOnly) {
    TRVMemoryStream stream;
    EXPECT_TRUE(RV.SaveRVFToStream(stream, SelectionOnly));
    return stream.Bytes();
  }
  TRVTabItemInfo* AddTab(std::int32_t TextStyleNo) {
    auto tab = std::make_unique<TRVTabItemInfo>(&Data());
    tab->ParaNo = -1;
    tab->TextStyleNo = TextStyleNo;
    TRVTabItemInfo* result = tab.get();
    RV.AddItem(u"", std::move(tab));
    return result;
  }
};

TEST_F(RVFItemRecordsTest, TabsAndLinesWriteTheirOwnHeaders) {
  RV.AddNL(u"a", 0, 0);
  AddTab(3);
  RV.AddNL(u"b", 0, -1);
  RV.AddBreak(0, rvbsLine, clNone, {});
  RV.AddBreak(3, rvbsDashed, clBlue, u"t");
  RV.AddBreak(1, rvbsDotted, clWindowText, {});
  const std::string expected = Start + Line("0 1 0 8 0 0") + RawLine("a") +
                               Line("-12 0 -1 9 0 0 3") + Line("0 1 -1 9 0 0") + RawLine("b") +
                               Line("-1 0 0 8 0 0 536870911 0 1") +
                               Line("-1 0 0 8 0 \"t\" 16711680 4 3") +
                               Line("-1 0 0 8 0 0 -16777208 3 1");
  EXPECT_EQ(expected, Save(false));
  FormatAndSelectAll();
  EXPECT_EQ(expected, Save(true));
}

TEST_F(RVFItemRecordsTest, ExtraPropertiesFollowTheHeaderAndAreCounted) {
  RV.AddNL(u"a", 0, 0);
  TRVTabItemInfo* tab = AddTab(0);
  tab->Hint = u"x\ny";
  tab->DeleteProtect = true;
  tab->Hidden = true;
  RV.AddBreak(0, rvbsLine, clNone, {});
  auto* line = static_cast<TRVBreakItemInfo*>(Data().GetItem(2));
  line->Hidden = true;
  EXPECT_EQ(Start + Line("0 1 0 8 0 0") + RawLine("a") + Line("-12 3 -1 9 0 0 0") +
                Line("hint=x\x02y") + Line("unremovable=1") + Line("hidden=1") +
                Line("-1 1 0 8 0 0 536870911 0 1") + Line("hidden=1"),
            Save(false));
}

TEST_F(RVFItemRecordsTest, TheTabsTextStyleIsNamedWithStyleNames) {
  RV.SetRVFOptions({rvfoSaveBinary, rvfoUseStyleNames});
  RV.AddNL(u"a", 0, 0);
  AddTab(1);
  EXPECT_EQ(Start + Line("\"Normal text\" 1 \"Paragraph Style\" 8 0 0") + RawLine("a") +
                Line("-12 0 -1 9 0 0 \"Heading\""),
            Save(false));
}

TEST_F(RVFItemRecordsTest, ASelectionLeavesOutTheLinesItStartsAfterOrEndsBefore) {
  RV.AddBreak(0, rvbsLine, clNone, {});
  RV.AddNL(u"ab", 0, 0);
  RV.AddBreak(0, rvbsLine, clNone, {});
  Select(0, 1, 2, 0);
  EXPECT_EQ(Start + Line("0 1 0 8 0 0") + RawLine("ab"), Save(true));
  Select(0, 0, 2, 1);
  const std::string line = Line("-1 0 0 8 0 0 536870911 0 1");
  EXPECT_EQ(Start + line + Line("0 1 0 8 0 0") + RawLine("ab") + line, Save(true));
}

} // namespace
} // namespace richtext::test
