#include <gtest/gtest.h>

#include "TestRVData.h"
#include "richtext/document/RVItem.h"

namespace richtext {
namespace {

constexpr const char* kAlreadyRegistered =
    "Can't register RichView item type - this StyleNo is already registered";

// Two item classes of the kind a module would register at start-up.
class TTableLikeItem : public TRVNonTextItemInfo {
public:
  static const TRVItemClassInfo ClassInfo;
  using TRVNonTextItemInfo::TRVNonTextItemInfo;
  TRVItemClass GetClass() const override { return &ClassInfo; }
};
const TRVItemClassInfo TTableLikeItem::ClassInfo{
    "TTableLikeItem", [](TCustomRVData* d) -> std::unique_ptr<TCustomRVItemInfo> {
      return std::make_unique<TTableLikeItem>(d);
    }};

class TLabelLikeItem : public TRVNonTextItemInfo {
public:
  static const TRVItemClassInfo ClassInfo;
  using TRVNonTextItemInfo::TRVNonTextItemInfo;
  TRVItemClass GetClass() const override { return &ClassInfo; }
};
const TRVItemClassInfo TLabelLikeItem::ClassInfo{
    "TLabelLikeItem", [](TCustomRVData* d) -> std::unique_ptr<TCustomRVItemInfo> {
      return std::make_unique<TLabelLikeItem>(d);
    }};

// Leaves the process-wide registry as it found it.
class ItemRegistry : public ::testing::Test {
protected:
  void TearDown() override {
    UnregisterRichViewItemClass(&TTableLikeItem::ClassInfo);
    UnregisterRichViewItemClass(&TLabelLikeItem::ClassInfo);
  }
  static std::string Message(std::int32_t StyleNo, TRVItemClass ItemClass) {
    try {
      RegisterRichViewItemClass(StyleNo, ItemClass);
    } catch (const ERichViewError& e) {
      return e.what();
    }
    return "registered";
  }
  static std::size_t Entries() {
    return RichViewItemClassesList ? RichViewItemClassesList->size() : 0;
  }
};

TEST_F(ItemRegistry, RefusesReservedAndTakenCodes) {
  const std::size_t before = Entries();
  EXPECT_EQ(Message(rvsTable, &TTableLikeItem::ClassInfo), "registered");
  EXPECT_EQ(Message(rvsTable, &TTableLikeItem::ClassInfo), "registered") << "same class again";
  EXPECT_EQ(Entries(), before + 1);
  EXPECT_EQ(Message(rvsTable, &TLabelLikeItem::ClassInfo), kAlreadyRegistered);
  EXPECT_EQ(Message(rvsDocProperty, &TLabelLikeItem::ClassInfo), kAlreadyRegistered);
  EXPECT_EQ(Message(rvsBreak, &TLabelLikeItem::ClassInfo), kAlreadyRegistered);
  EXPECT_EQ(Message(5, &TLabelLikeItem::ClassInfo), kAlreadyRegistered);
  EXPECT_EQ(Entries(), before + 1) << "refusals leave the registry unchanged";
  EXPECT_EQ(Message(rvsHotPicture, &TLabelLikeItem::ClassInfo), "registered");
  EXPECT_EQ(Message(rvsLabel, &TLabelLikeItem::ClassInfo), "registered");
  EXPECT_EQ(Entries(), before + 3);
  UnregisterRichViewItemClass(&TLabelLikeItem::ClassInfo);
  EXPECT_EQ(Entries(), before + 1) << "every entry of the class goes";
}

TEST_F(ItemRegistry, CreatesItemsByKindCode) {
  test::TTestRVData data;
  auto text = CreateRichViewItem(5, &data);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->GetClass(), &TRVTextItemInfo::ClassInfo);
  EXPECT_EQ(text->StyleNo, 5);

  auto line = CreateRichViewItem(rvsBreak, &data);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->GetClass(), &TRVBreakItemInfo::ClassInfo);
  auto tab = CreateRichViewItem(rvsTab, &data);
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(tab->GetClass(), &TRVTabItemInfo::ClassInfo);

  EXPECT_EQ(CreateRichViewItem(rvsCheckpoint, &data), nullptr);
  EXPECT_EQ(CreateRichViewItem(rvsTable, &data), nullptr) << "not registered yet";
  RegisterRichViewItemClass(rvsTable, &TTableLikeItem::ClassInfo);
  auto table = CreateRichViewItem(rvsTable, &data);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->GetClass(), &TTableLikeItem::ClassInfo);
  EXPECT_EQ(table->StyleNo, rvsTable);
}

TEST_F(ItemRegistry, TextItemClassIsReplaceable) {
  test::TTestRVData data;
  const TRVItemClass saved = RichViewTextItemClass;
  RichViewTextItemClass = &TLabelLikeItem::ClassInfo;
  auto item = CreateRichViewItem(0, &data);
  data.AddNL(u"x", 0, 0);
  RichViewTextItemClass = saved;
  EXPECT_EQ(item->GetClass(), &TLabelLikeItem::ClassInfo);
  EXPECT_EQ(data.GetItem(0)->GetClass(), &TLabelLikeItem::ClassInfo);
}

TEST(ItemDuplicate, CopiesPropertiesTagAndCheckpointButNotText) {
  test::TTestRVData data;
  TRVBreakItemInfo source(&data, 4, rvbs3d, clRed);
  source.ParaNo = 2;
  source.Hint = u"h";
  source.Tag = u"t";
  source.ItemText = u"not copied";
  source.Checkpoint = std::make_unique<TRVCPInfo>();
  source.Checkpoint->Name = u"anchor";
  source.Checkpoint->RaiseEvent = true;
  source.Checkpoint->Persistent = true;
  source.Checkpoint->Tag = u"cptag";

  auto copy = RV_DuplicateItem(&source, &data, true);
  auto* line = dynamic_cast<TRVBreakItemInfo*>(copy.get());
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->StyleNo, rvsBreak);
  EXPECT_EQ(line->ParaNo, 2);
  EXPECT_EQ(line->LineWidth, 4);
  EXPECT_EQ(line->Style, rvbs3d);
  EXPECT_EQ(line->Color, clRed);
  EXPECT_EQ(line->Hint, u"h");
  EXPECT_EQ(line->Tag, u"t");
  EXPECT_EQ(line->ItemText, u"");
  ASSERT_NE(line->Checkpoint, nullptr);
  EXPECT_EQ(line->Checkpoint->Name, u"anchor");
  EXPECT_TRUE(line->Checkpoint->RaiseEvent);
  EXPECT_TRUE(line->Checkpoint->Persistent);
  EXPECT_EQ(line->Checkpoint->Tag, u"cptag");
  EXPECT_EQ(line->Checkpoint->ItemInfo, nullptr);
  EXPECT_EQ(line->Checkpoint->Next, nullptr);

  EXPECT_EQ(RV_DuplicateItem(&source, &data, false)->Checkpoint, nullptr);
}

} // namespace
} // namespace richtext
