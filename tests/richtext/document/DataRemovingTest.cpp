#include <gtest/gtest.h>

#include "TestRVData.h"
#include "richtext/document/CRVData.h"

namespace richtext {
namespace {

using test::TRecordedAction;
using test::TTestRVData;

void AddSeven(TTestRVData& data) {
  for (char16_t c = u'0'; c < u'7'; ++c)
    data.AddNL(std::u16string(1, c), 0, 0);
  data.Actions.clear();
}

std::string Texts(const TCustomRVData& data) {
  std::string s;
  for (std::int32_t i = 0; i < data.ItemCount(); ++i)
    s += RVU_UnicodeToUtf8(data.GetItemText(i));
  return s;
}

TEST(DeleteItems, ClipsTheCountAndReportsEachFreedItem) {
  TTestRVData data;
  AddSeven(data);
  data.DeleteItems(5, 10);
  EXPECT_EQ(Texts(data), "01234");
  EXPECT_EQ(data.Actions,
            (std::vector<TRecordedAction>{{rviaDestroying, "5"}, {rviaDestroying, "6"}}));
  data.DeleteItems(5, 1);
  data.DeleteItems(1, 0);
  EXPECT_EQ(Texts(data), "01234");
  data.DeleteItems(1, 2);
  EXPECT_EQ(Texts(data), "034");
  EXPECT_THROW(data.DeleteItems(-1, 1), EListError);
  EXPECT_EQ(Texts(data), "034") << "an index error changes nothing";
}

TEST(Clear, EmptiesTheDocumentAndKeepsTheParagraphMode) {
  TTestRVData data;
  AddSeven(data);
  data.SetFirstJumpNo(9);
  data.SetAddParagraphMode(false);
  data.State.Include(rvstFirstParaAborted);
  data.State.Include(rvstLastParaAborted);
  data.Clear();
  EXPECT_EQ(data.ItemCount(), 0);
  EXPECT_EQ(data.Actions.size(), 7u);
  EXPECT_TRUE(data.State.Empty());
  EXPECT_EQ(data.GetFirstParaListNo(), -1);
  EXPECT_EQ(data.GetFirstParaLevel(), -1);
  EXPECT_FALSE(data.GetAllowNewPara());
  EXPECT_EQ(data.GetFirstJumpNo(), 9);
  data.AddNL(u"again", 0, -1);
  EXPECT_EQ(data.Items().Dump(), "0 0 {U} \"again\"\n");
}

TEST(Clear, AFailingItemDoesNotStopTheClearing) {
  TTestRVData data;
  AddSeven(data);
  data.AddNamedCheckpoint(u"x");
  data.AddNL(u"7", 0, 0);
  data.Actions.clear();
  data.ThrowOnDestroying = u"3";
  data.Clear();
  EXPECT_EQ(data.ItemCount(), 0);
  EXPECT_EQ(data.CPCount, 0);
  EXPECT_EQ(data.FirstCP, nullptr);
  EXPECT_EQ(data.Actions.size(), 3u) << "freeing stopped at the failing item";
}

TEST(Clear, RootDocumentDropsItsDocumentPropertiesOnly) {
  class TRootData : public TTestRVData {
  public:
    TRVRootProperties Props;
    TRVRootProperties* GetRootProperties() override { return &Props; }
  };
  TRootData data;
  data.Props.DocProperties = {u"author=me"};
  data.Clear();
  EXPECT_EQ(data.Props.DocProperties.size(), 1u) << "not a root";
  data.Flags.Include(rvflRoot);
  data.Clear();
  EXPECT_TRUE(data.Props.DocProperties.empty());
}

} // namespace
} // namespace richtext
