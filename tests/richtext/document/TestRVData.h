// A document without a control, for driving the document data directly: its owner-level
// answers (style sheet, flags, page breaks, formatted or not) are set by the test, and it
// records the notifications that reach it as the root.
#pragma once

#include <string>
#include <vector>

#include "richtext/document/CRVData.h"
#include "richtext/base/RVUni.h"

namespace richtext::test {

struct TRecordedAction {
  TRVItemAction Action;
  std::string Text; // UTF-8
  bool operator==(const TRecordedAction&) const = default;
};

class TTestRVData : public TCustomRVData {
public:
  explicit TTestRVData(TRVStyle* Style = nullptr) : FStyle(Style) {}
  ~TTestRVData() override { Clear(); }

  TRVStyle* Style() const { return FStyle; }
  TRVFlags Flags;
  bool PageBreaks = false;
  bool Formatted = false;
  std::vector<TRecordedAction> Actions;
  std::vector<TCustomRVInfo*> AddedStyles;
  std::vector<std::int32_t> Jumps;
  // Rewrites the text of each rviaInserting report when set.
  std::u16string InsertingText;
  bool ReplaceInserting = false;
  // Throws while the item with this text is being destroyed.
  std::u16string ThrowOnDestroying = u"\x1";

  TRVStyle* GetRVStyle() override { return FStyle; }
  TRVFlags GetFlags() override { return Flags; }
  void SetFlags(TRVFlags Value) override { Flags = Value; }
  bool SupportsPageBreaks() override { return PageBreaks; }
  bool IsFormattedData() const override { return Formatted; }
  void DoJump(std::int32_t id) override { Jumps.push_back(id); }
  void AfterAddStyle(TCustomRVInfo* StyleInfo) override { AddedStyles.push_back(StyleInfo); }
  void ItemAction(TRVItemAction Action, TCustomRVItemInfo*, TRVUnicodeString& Text,
                  TCustomRVData*) override {
    if (Action == rviaDestroying && Text == ThrowOnDestroying)
      throw ERichViewError("cannot free");
    if (Action == rviaInserting && ReplaceInserting)
      Text = InsertingText;
    Actions.push_back({Action, RVU_UnicodeToUtf8(Text)});
  }

private:
  TRVStyle* FStyle;
};

} // namespace richtext::test
