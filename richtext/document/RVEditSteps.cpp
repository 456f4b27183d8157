#include "richtext/document/RVEditSteps.h"

#include <algorithm>
#include <utility>

#include "richtext/base/RVUni.h"
#include "richtext/document/CRVData.h"

namespace richtext {

namespace {

std::string Utf8(const std::u16string& s) {
  return RVU_UnicodeToUtf8(s);
}

TRVEditRange ItemRange(TCustomRVData& Data, std::int32_t ItemNo) {
  return {ItemNo, Data.ItemCount() - 1 - ItemNo};
}

TRVItemOptions ParaOptionsOnly() {
  return {rvioSameAsPrev, rvioBR, rvioPageBreakBefore};
}

class TInsertTextStep final : public TRVEditStep {
public:
  TInsertTextStep(std::int32_t ItemNo, std::int32_t Index, std::u16string Text)
      : FItemNo(ItemNo), FIndex(Index), FText(std::move(Text)) {}
  std::unique_ptr<TRVEditStep> Apply(TCustomRVData& Data, TRVEditRange& Touched) override {
    TCustomRVItemInfo* item = Data.GetItem(FItemNo);
    if (item->StyleNo < 0 || FIndex < 0 || FIndex > static_cast<std::int32_t>(item->ItemText.size()))
      throw ERichViewError("Invalid edit: text cannot go there");
    item->ItemText.insert(static_cast<std::size_t>(FIndex), FText);
    Touched = ItemRange(Data, FItemNo);
    return RVDeleteTextStep(FItemNo, FIndex, static_cast<std::int32_t>(FText.size()));
  }
  std::string Describe() const override {
    return "insert text " + std::to_string(FItemNo) + "@" + std::to_string(FIndex) + " \"" +
           Utf8(FText) + "\"";
  }

private:
  std::int32_t FItemNo, FIndex;
  std::u16string FText;
};

class TDeleteTextStep final : public TRVEditStep {
public:
  TDeleteTextStep(std::int32_t ItemNo, std::int32_t Index, std::int32_t Count)
      : FItemNo(ItemNo), FIndex(Index), FCount(Count) {}
  std::unique_ptr<TRVEditStep> Apply(TCustomRVData& Data, TRVEditRange& Touched) override {
    TCustomRVItemInfo* item = Data.GetItem(FItemNo);
    if (item->StyleNo < 0 || FIndex < 0 || FCount < 0 ||
        FIndex + FCount > static_cast<std::int32_t>(item->ItemText.size()))
      throw ERichViewError("Invalid edit: no such text to delete");
    std::u16string removed = item->ItemText.substr(static_cast<std::size_t>(FIndex),
                                                   static_cast<std::size_t>(FCount));
    item->ItemText.erase(static_cast<std::size_t>(FIndex), static_cast<std::size_t>(FCount));
    Touched = ItemRange(Data, FItemNo);
    return RVInsertTextStep(FItemNo, FIndex, std::move(removed));
  }
  std::string Describe() const override {
    return "delete text " + std::to_string(FItemNo) + "@" + std::to_string(FIndex) + " " +
           std::to_string(FCount);
  }

private:
  std::int32_t FItemNo, FIndex, FCount;
};

class TInsertItemStep final : public TRVEditStep {
public:
  TInsertItemStep(std::int32_t ItemNo, std::unique_ptr<TCustomRVItemInfo> Item)
      : FItemNo(ItemNo), FItem(std::move(Item)) {}
  std::unique_ptr<TRVEditStep> Apply(TCustomRVData& Data, TRVEditRange& Touched) override {
    if (!FItem || FItemNo < 0 || FItemNo > Data.ItemCount())
      throw ERichViewError("Invalid edit: an item cannot go there");
    TRVUnicodeString text = std::move(FItem->ItemText);
    FItem->DrawItemNo = -1;
    Data.Items().InsertObject(FItemNo, std::move(text), std::move(FItem));
    Touched = ItemRange(Data, FItemNo);
    return RVDeleteItemStep(FItemNo);
  }
  std::string Describe() const override {
    return "insert item " + std::to_string(FItemNo) +
           (FItem ? " style " + std::to_string(FItem->StyleNo) + " \"" + Utf8(FItem->ItemText) + "\""
                  : std::string());
  }

private:
  std::int32_t FItemNo;
  std::unique_ptr<TCustomRVItemInfo> FItem;
};

class TDeleteItemStep final : public TRVEditStep {
public:
  explicit TDeleteItemStep(std::int32_t ItemNo) : FItemNo(ItemNo) {}
  std::unique_ptr<TRVEditStep> Apply(TCustomRVData& Data, TRVEditRange& Touched) override {
    if (FItemNo < 0 || FItemNo >= Data.ItemCount())
      throw ERichViewError("Invalid edit: no such item to delete");
    std::unique_ptr<TCustomRVItemInfo> item = Data.Items().Extract(FItemNo);
    Data.Items().DeleteRange(FItemNo, 1);
    if (item->Checkpoint) {
      // The anchor leaves the document's list of checkpoints with its item.
      Data.UnlinkCheckpoint(item->Checkpoint.get(), true);
      item->Checkpoint.reset();
    }
    Touched = {FItemNo, Data.ItemCount() - FItemNo};
    return RVInsertItemStep(FItemNo, std::move(item));
  }
  std::string Describe() const override { return "delete item " + std::to_string(FItemNo); }

private:
  std::int32_t FItemNo;
};

class TSetItemPropsStep final : public TRVEditStep {
public:
  TSetItemPropsStep(std::int32_t ItemNo, const TRVItemProps& Props)
      : FItemNo(ItemNo), FProps(Props) {}
  std::unique_ptr<TRVEditStep> Apply(TCustomRVData& Data, TRVEditRange& Touched) override {
    TCustomRVItemInfo* item = Data.GetItem(FItemNo);
    if ((item->StyleNo < 0) != (FProps.StyleNo < 0))
      throw ERichViewError("Invalid edit: an item cannot change its kind");
    const TRVItemProps old = TRVItemProps::Of(*item);
    item->StyleNo = FProps.StyleNo;
    item->ParaNo = FProps.ParaNo;
    item->ItemOptions = (item->ItemOptions - ParaOptionsOnly()) | (FProps.Options & ParaOptionsOnly());
    item->Tag = FProps.Tag;
    Touched = ItemRange(Data, FItemNo);
    return RVSetItemPropsStep(FItemNo, old);
  }
  std::string Describe() const override {
    return "set item " + std::to_string(FItemNo) + " style " + std::to_string(FProps.StyleNo) +
           " para " + std::to_string(FProps.ParaNo) + " options " +
           std::to_string(FProps.Options.Value()) + " tag \"" + Utf8(FProps.Tag) + "\"";
  }

private:
  std::int32_t FItemNo;
  TRVItemProps FProps;
};

} // namespace

TRVItemProps TRVItemProps::Of(const TCustomRVItemInfo& Item) {
  return {Item.StyleNo, Item.ParaNo, Item.ItemOptions & ParaOptionsOnly(), Item.Tag};
}

std::unique_ptr<TRVEditStep> RVInsertTextStep(std::int32_t ItemNo, std::int32_t Index,
                                              std::u16string Text) {
  return std::make_unique<TInsertTextStep>(ItemNo, Index, std::move(Text));
}

std::unique_ptr<TRVEditStep> RVDeleteTextStep(std::int32_t ItemNo, std::int32_t Index,
                                              std::int32_t Count) {
  return std::make_unique<TDeleteTextStep>(ItemNo, Index, Count);
}

std::unique_ptr<TRVEditStep> RVInsertItemStep(std::int32_t ItemNo,
                                              std::unique_ptr<TCustomRVItemInfo> Item) {
  return std::make_unique<TInsertItemStep>(ItemNo, std::move(Item));
}

std::unique_ptr<TRVEditStep> RVDeleteItemStep(std::int32_t ItemNo) {
  return std::make_unique<TDeleteItemStep>(ItemNo);
}

std::unique_ptr<TRVEditStep> RVSetItemPropsStep(std::int32_t ItemNo, const TRVItemProps& Props) {
  return std::make_unique<TSetItemPropsStep>(ItemNo, Props);
}

void TRVEditGroup::Touch(const TRVEditRange& Range) {
  if (!FTouchedAny) {
    FTouched = Range;
    FTouchedAny = true;
    return;
  }
  FTouched.First = std::min(FTouched.First, Range.First);
  FTouched.FromEnd = std::min(FTouched.FromEnd, Range.FromEnd);
}

void TRVEditGroup::Do(TCustomRVData& Data, std::unique_ptr<TRVEditStep> Step) {
  TRVEditRange touched;
  std::unique_ptr<TRVEditStep> inverse = Step->Apply(Data, touched);
  Touch(touched);
  FSteps.push_back(std::move(inverse));
}

void TRVEditGroup::Append(TRVEditGroup&& Later) {
  if (Later.FTouchedAny)
    Touch(Later.FTouched);
  for (auto& step : Later.FSteps)
    FSteps.push_back(std::move(step));
  Later.FSteps.clear();
}

TRVEditGroup TRVEditGroup::Revert(TCustomRVData& Data) {
  TRVEditGroup redo;
  for (auto it = FSteps.rbegin(); it != FSteps.rend(); ++it)
    redo.Do(Data, std::move(*it));
  FSteps.clear();
  return redo;
}

std::string TRVEditGroup::Dump() const {
  std::string out;
  for (const auto& step : FSteps)
    out += step->Describe() + "\n";
  return out;
}

} // namespace richtext
