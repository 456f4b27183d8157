#include <gtest/gtest.h>

#include "richtext/control/RichView.h"
#include "richtext/control/RichViewEdit.h"
#include "richtext/base/RVUni.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

// The hyperlink style of the link tool: text style 0 made blue, underlined and a jump.
std::int32_t HyperlinkStyle(TCustomRichView& rv) {
  TFontInfo style;
  style.Assign(*rv.GetStyle()->TextStyles.Items(0));
  style.Color = clBlue;
  style.Style.Include(fsUnderline);
  style.Jump = true;
  return rv.RVData->GetOrAddTextStyle(style);
}

class RichViewBuilding : public ::testing::Test {
protected:
  TRVStyle Style;
  TRichViewEdit Edit;
  void SetUp() override { Edit.SetStyle(&Style); }
  std::string Dump() const { return Edit.RVData->Items().Dump(); }
};

TEST_F(RichViewBuilding, HyperlinkRoad) {
  std::vector<int> added;
  Edit.OnAddStyle = [&](TCustomRichView* sender, TCustomRVInfo* info) {
    EXPECT_EQ(sender, &Edit);
    added.push_back(info->GetIndex());
  };
  Edit.ClearAll();
  const std::int32_t link = HyperlinkStyle(Edit);
  Edit.AddNL(u"Title", link, -1, u"example.org/page");
  EXPECT_EQ(link, 6);
  EXPECT_EQ(Dump(), "6 0 {U} \"Title\" tag=\"example.org/page\"\n");
  EXPECT_TRUE(Edit.IsParaStart(0));
  EXPECT_EQ(Edit.GetItemStyle(0), 6);
  EXPECT_EQ(Edit.GetItemPara(0), 0);
  EXPECT_EQ(Edit.GetItemTag(0), u"example.org/page");
  EXPECT_TRUE(Edit.GetItem(0)->GetBoolValueEx(rvbpJump, &Style));

  Edit.ClearAll();
  const std::int32_t again = HyperlinkStyle(Edit);
  Edit.AddNL(u"Second", again, -1, u"b");
  EXPECT_EQ(again, 6);
  EXPECT_EQ(Dump(), "6 0 {U} \"Second\" tag=\"b\"\n");
  EXPECT_EQ(Style.TextStyles.Count(), 7);
  EXPECT_EQ(added, std::vector<int>{6}) << "the style is appended once per run";
}

TEST_F(RichViewBuilding, ItemActionsReachTheControl) {
  std::vector<std::string> log;
  Edit.OnItemAction = [&](TCustomRichView* sender, TRVItemAction action, TCustomRVItemInfo* item,
                          TRVUnicodeString& text, TCustomRVData* data) {
    EXPECT_EQ(sender, &Edit);
    EXPECT_EQ(data, Edit.RVData.get());
    EXPECT_NE(item, nullptr);
    log.push_back(std::to_string(static_cast<int>(action)) + ':' + RVU_UnicodeToUtf8(text));
    if (action == rviaInserting && text == u"raw")
      text = u"cooked";
  };
  Edit.AddNL(u"raw", 0, 0);
  Edit.AddBreak();
  Edit.ClearAll();
  EXPECT_EQ(log, (std::vector<std::string>{"0:raw", "1:", "0:", "1:", "3:cooked", "3:"}));
}

TEST_F(RichViewBuilding, ClearAllRunsTheHandlersAndClearsExtraDocuments) {
  TRichView extraOwner;
  extraOwner.AddNL(u"header", 0, 0);
  Edit.RVData->GetRootProperties()->ExtraDocuments.push_back(extraOwner.RVData.get());
  int first = 0, second = 0;
  const int id = Edit.RegisterClearHandler([&](TCustomRichView* sender) {
    EXPECT_EQ(sender, &Edit);
    EXPECT_EQ(Edit.ItemCount(), 0) << "handlers run after the document is cleared";
    ++first;
  });
  Edit.RegisterClearHandler([&](TCustomRichView*) { ++second; });
  Edit.AddNL(u"x", 0, 0);
  Edit.ClearAll();
  EXPECT_EQ(extraOwner.ItemCount(), 0);
  Edit.UnregisterClearHandler(id);
  Edit.Clear();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);

  // Without rvflRoot the extra documents stay.
  extraOwner.AddNL(u"header", 0, 0);
  Edit.Flags.Exclude(rvflRoot);
  Edit.ClearAll();
  EXPECT_EQ(extraOwner.ItemCount(), 1);
  Edit.RVData->GetRootProperties()->ExtraDocuments.clear();
}

TEST_F(RichViewBuilding, EditorClearingLeavesTheDocumentUnformatted) {
  auto* data = Edit.GetEditData();
  data->CurTextStyleNo = 3;
  data->CurParaStyleNo = 1;
  Edit.AddNL(u"x", 0, 0);
  EXPECT_FALSE(data->State.Contains(rvstEditorUnformatted));
  Edit.ClearAll();
  EXPECT_EQ(data->CurTextStyleNo, 0);
  EXPECT_EQ(data->CurParaStyleNo, 0);
  EXPECT_TRUE(data->State.Contains(rvstEditorUnformatted));
  EXPECT_FALSE(data->State.Contains(rvstClearing));

  TRichView viewer;
  viewer.Clear();
  EXPECT_FALSE(viewer.RVData->State.Contains(rvstEditorUnformatted));
}

TEST_F(RichViewBuilding, ForwardersAppendLikeTheDocument) {
  Edit.AddNLA("\xE9", 0, 0, u"a");
  Edit.AddTextNLW(u"p\r\nq", 1, 1, 0);
  Edit.SetAddParagraphMode(false);
  Edit.AddNLTag(u"r", 2, 0, u"t");
  Edit.SetAddParagraphMode(true);
  Edit.AddCheckpoint(u"cp");
  Edit.AddNLW(u"s", 3, -1);
  Edit.SetItemText(0, u"e");
  Edit.SetItemTag(0, u"z");
  EXPECT_EQ(Dump(), "0 0 {U} \"e\" tag=\"z\"\n"
                    "1 1 {U} \"p\"\n"
                    "1 0 {U} \"q\"\n"
                    "2 0 {BU} \"r\" tag=\"t\"\n"
                    "3 0 {SU} \"s\" cp=\"cp\"\n");
  EXPECT_FALSE(Edit.IsFromNewLine(4));
  EXPECT_EQ(Edit.GetItemNo(Edit.GetItem(3)), 3);
  EXPECT_EQ(Edit.GetItemText(2), u"q");
  EXPECT_THROW(Edit.GetItemText(5), EListError);
}

TEST_F(RichViewBuilding, LongTextProgressIsReportedThroughTheControl) {
  std::vector<TRVProgressStage> stages;
  Edit.OnProgress = [&](TCustomRichView*, TRVLongOperation op, TRVProgressStage stage,
                        std::uint8_t) {
    EXPECT_EQ(op, rvloTextRead);
    stages.push_back(stage);
  };
  Edit.AddTextNLW(std::u16string(QUICKTEXTSIZE + 1, u'x'), 0, 0, 0);
  ASSERT_GE(stages.size(), 3u);
  EXPECT_EQ(stages.front(), rvpstgStarting);
  EXPECT_EQ(stages.back(), rvpstgEnding);
  EXPECT_EQ(stages[1], rvpstgRunning);
}

TEST_F(RichViewBuilding, CopyEventAndJumpEvent) {
  int copies = 0;
  EXPECT_FALSE(Edit.IsOnCopyAssigned());
  Edit.DoCopy();
  Edit.OnCopy = [&](TCustomRichView*) { ++copies; };
  EXPECT_TRUE(Edit.IsOnCopyAssigned());
  Edit.RVData->GetRootEvents()->DoCopy();
  EXPECT_EQ(copies, 1);

  std::vector<std::int32_t> jumps;
  Edit.OnJump = [&](TCustomRichView*, std::int32_t id) { jumps.push_back(id); };
  Edit.RVData->DoJump(4);
  EXPECT_EQ(jumps, std::vector<std::int32_t>{4});

  std::u16string target, extras = u"x";
  Edit.AddNL(u"link", 4, 0, u"addr");
  Edit.RVData->GetRootEvents()->WriteHyperlink(0, Edit.RVData.get(), 0, rvsfRTF, target, extras);
  EXPECT_EQ(target, u"addr");
  EXPECT_EQ(extras, u"");
}

} // namespace
} // namespace richtext
