#include <gtest/gtest.h>

#include "TestRVData.h"
#include "richtext/document/CRVData.h"

namespace richtext {
namespace {

using test::TTestRVData;

// Checkpoint names from first to last, and checked backwards through Prev.
std::string Chain(const TCustomRVData& data) {
  std::string forward, backward;
  for (TRVCPInfo* cp = data.FirstCP; cp != nullptr; cp = cp->Next)
    forward += RVU_UnicodeToUtf8(cp->Name) + ' ';
  for (TRVCPInfo* cp = data.LastCP; cp != nullptr; cp = cp->Prev)
    backward = RVU_UnicodeToUtf8(cp->Name) + ' ' + backward;
  EXPECT_EQ(forward, backward) << "links in both directions agree";
  return forward;
}

TEST(Checkpoints, PendingCheckpointGoesToTheNextItem) {
  TTestRVData data;
  EXPECT_EQ(data.AddNamedCheckpointExTag(u"one", true, u"t1"), 0);
  EXPECT_EQ(data.AddNamedCheckpoint(u"ignored"), 0) << "one is pending already";
  EXPECT_EQ(data.CPCount, 1);
  EXPECT_EQ(Chain(data), "");
  data.AddNL(u"a", 0, 0);
  EXPECT_EQ(data.NotAddedCP, nullptr);
  EXPECT_EQ(data.AddCheckpointTag(u"t2"), 1);
  data.AddBreakTag({});
  data.AddNL(u"c", 0, 0);
  EXPECT_EQ(data.AddNamedCheckpointEx(u"three", false), 2);
  data.AddNL(u"d", 0, -1);
  EXPECT_EQ(data.CPCount, 3);
  EXPECT_EQ(data.Items().Dump(), "0 0 {U} \"a\" cp=\"one\"\n"
                                 "-1 0 {U} \"\" cp=\"\"\n"
                                 "0 0 {U} \"c\"\n"
                                 "0 0 {SU} \"d\" cp=\"three\"\n");
  EXPECT_EQ(Chain(data), "one  three ");
  TRVCPInfo* first = data.GetItem(0)->Checkpoint.get();
  EXPECT_EQ(first->ItemInfo, data.GetItem(0));
  EXPECT_TRUE(first->RaiseEvent);
  EXPECT_EQ(first->Tag, u"t1");
  EXPECT_EQ(data.GetItem(1)->Checkpoint->Tag, u"t2");
}

TEST(Checkpoints, CheckpointBroughtByAnItemIsRecreated) {
  TTestRVData data;
  auto item = std::make_unique<TRVTextItemInfo>(&data);
  item->Checkpoint = std::make_unique<TRVCPInfo>();
  item->Checkpoint->Name = u"brought";
  item->Checkpoint->Tag = u"bt";
  item->ParaNo = 0;
  data.AddItem(u"x", std::move(item));
  EXPECT_EQ(data.CPCount, 1);
  EXPECT_EQ(Chain(data), "brought ");
  EXPECT_EQ(data.GetItem(0)->Checkpoint->Tag, u"bt");

  // A pending checkpoint wins over the one an item brings.
  data.AddNamedCheckpoint(u"pending");
  auto asIs = std::make_unique<TRVTextItemInfo>(&data);
  asIs->Checkpoint = std::make_unique<TRVCPInfo>();
  asIs->Checkpoint->Name = u"dropped";
  data.AddItemAsIs(u"y", std::move(asIs));
  EXPECT_EQ(data.CPCount, 2);
  EXPECT_EQ(Chain(data), "brought pending ");
}

TEST(Checkpoints, DeletingAndClearingUnlinkAndCount) {
  TTestRVData data;
  for (const char16_t* name : {u"a", u"b", u"c"}) {
    data.AddNamedCheckpoint(name);
    data.AddNL(name, 0, 0);
  }
  data.DeleteItems(1, 1);
  EXPECT_EQ(Chain(data), "a c ");
  EXPECT_EQ(data.CPCount, 2);
  data.DeleteItems(0, 1);
  EXPECT_EQ(Chain(data), "c ");
  data.AddNamedCheckpoint(u"pending");
  EXPECT_EQ(data.CPCount, 2);
  data.Clear();
  EXPECT_EQ(data.CPCount, 0);
  EXPECT_EQ(data.FirstCP, nullptr);
  EXPECT_EQ(data.LastCP, nullptr);
  EXPECT_EQ(data.NotAddedCP, nullptr);
}

} // namespace
} // namespace richtext
