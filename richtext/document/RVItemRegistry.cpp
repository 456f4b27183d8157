#include <algorithm>

#include "richtext/document/RVItem.h"

namespace richtext {

constinit std::unique_ptr<std::vector<TRichViewItemTypeInfo>> RichViewItemClassesList;
constinit TRVItemClass RichViewTextItemClass = &TRVTextItemInfo::ClassInfo;

namespace {
constexpr const char* errRVItemRangeError =
    "Can't register RichView item type - this StyleNo is already registered";
}

void RegisterRichViewItemClass(std::int32_t StyleNo, TRVItemClass ItemClass) {
  if (!RichViewItemClassesList)
    RichViewItemClassesList = std::make_unique<std::vector<TRichViewItemTypeInfo>>();
  if (StyleNo >= rvsLastReservedKind)
    throw ERichViewError(errRVItemRangeError);
  for (const auto& entry : *RichViewItemClassesList)
    if (entry.StyleNo == StyleNo) {
      if (entry.ItemClass == ItemClass)
        return;
      throw ERichViewError(errRVItemRangeError);
    }
  RichViewItemClassesList->push_back({StyleNo, ItemClass});
}

void UnregisterRichViewItemClass(TRVItemClass ItemClass) {
  if (!RichViewItemClassesList)
    return;
  auto& list = *RichViewItemClassesList;
  for (auto i = static_cast<std::ptrdiff_t>(list.size()) - 1; i >= 0; --i)
    if (list[static_cast<std::size_t>(i)].ItemClass == ItemClass)
      list.erase(list.begin() + i);
}

std::unique_ptr<TCustomRVItemInfo> CreateRichViewItem(std::int32_t StyleNo,
                                                      TCustomRVData* ARVData) {
  std::unique_ptr<TCustomRVItemInfo> item;
  if (StyleNo >= 0) {
    item = RichViewTextItemClass->Create(ARVData);
  } else if (StyleNo == rvsBreak) {
    item = TRVBreakItemInfo::ClassInfo.Create(ARVData);
  } else if (StyleNo == rvsTab) {
    item = TRVTabItemInfo::ClassInfo.Create(ARVData);
  } else if (RichViewItemClassesList) {
    // Pictures, controls, bullets, hotspots and list markers have no classes in this engine;
    // their codes, like any other, are answered only by a registered class.
    const auto& list = *RichViewItemClassesList;
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const TRichViewItemTypeInfo& e) { return e.StyleNo == StyleNo; });
    if (it != list.end())
      item = it->ItemClass->Create(ARVData);
  }
  if (item)
    item->StyleNo = StyleNo;
  return item;
}

std::unique_ptr<TCustomRVItemInfo> RV_DuplicateItem(const TCustomRVItemInfo* Source,
                                                    TCustomRVData* ARVData,
                                                    bool DuplicateCheckpoint) {
  auto item = Source->GetClass()->Create(ARVData);
  item->StyleNo = Source->StyleNo;
  item->Assign(Source);
  if (DuplicateCheckpoint && Source->Checkpoint) {
    auto cp = std::make_unique<TRVCPInfo>();
    cp->Name = Source->Checkpoint->Name;
    cp->RaiseEvent = Source->Checkpoint->RaiseEvent;
    cp->Tag = Source->Checkpoint->Tag;
    cp->Persistent = Source->Checkpoint->Persistent;
    item->Checkpoint = std::move(cp);
  }
  item->Tag = Source->Tag;
  return item;
}

} // namespace richtext
