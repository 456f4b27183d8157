// TCustomRVData: owner chain, questions, styles and code pages, checkpoints, removing.
// The building operations are in CRVDataAdd.cpp.
#include "richtext/document/CRVData.h"

#include "richtext/base/RVUni.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

constexpr const char* errRVItemInfo = "Can't get or set this kind of information for this item";

// Hooks of a document that has no owner: nothing is handled.
TRVRootEvents NoRootEvents;

} // namespace

TCustomRVData::TCustomRVData() : FItems(std::make_unique<TRVItemList>()) {}

TCustomRVData::~TCustomRVData() {
  // Owners that extend clearing clear before destroying; here only the content goes.
  State.Include(rvstClearing);
  ClearContent();
}

// ---------------------------------------------------------------------------------------------
// Owner chain

TRVRootProperties* TCustomRVData::GetRootProperties() {
  TCustomRVData* root = GetAbsoluteRootData();
  return root != this ? root->GetRootProperties() : nullptr;
}

TRVRootEvents* TCustomRVData::GetRootEvents() {
  TCustomRVData* root = GetAbsoluteRootData();
  return root != this ? root->GetRootEvents() : &NoRootEvents;
}

bool TCustomRVData::IsWordWrapAllowed() {
  TCustomRVData* root = GetAbsoluteRootData();
  return root != this ? root->IsWordWrapAllowed() : true;
}

TRVOptions TCustomRVData::GetOptions() {
  // A document that is its own root and has no owner has no options to read.
  TCustomRVData* root = GetRootData();
  return root != this ? root->GetOptions() : TRVOptions{};
}

void TCustomRVData::SetOptions(TRVOptions Value) {
  TCustomRVData* root = GetRootData();
  if (root != this)
    root->SetOptions(Value);
}

TRVStyle* TCustomRVData::GetRVStyle() {
  TCustomRVData* parent = GetParentData();
  return parent != nullptr ? parent->GetRVStyle() : nullptr;
}

TRVPaletteAction TCustomRVData::GetDoInPaletteMode() {
  TCustomRVData* root = GetAbsoluteRootData();
  return root != this ? root->GetDoInPaletteMode() : rvpaDoNothing;
}

void TCustomRVData::ItemAction(TRVItemAction ItemAction, TCustomRVItemInfo* Item,
                               TRVUnicodeString& Text, TCustomRVData* RVData) {
  TCustomRVData* root = GetAbsoluteRootData();
  if (root != this)
    root->ItemAction(ItemAction, Item, Text, RVData);
}

void TCustomRVData::AfterAddStyle(TCustomRVInfo* StyleInfo) {
  TCustomRVData* root = GetAbsoluteRootData();
  if (root != this)
    root->AfterAddStyle(StyleInfo);
}

// ---------------------------------------------------------------------------------------------
// Questions and small edits

TCustomRVItemInfo* TCustomRVData::GetItem(std::int32_t ItemNo) const {
  return FItems->GetObject(ItemNo);
}

std::int32_t TCustomRVData::GetItemNo(const TCustomRVItemInfo* Item) const {
  return FItems->IndexOfObject(Item);
}

const TRVUnicodeString& TCustomRVData::GetItemText(std::int32_t ItemNo) const {
  return FItems->GetItem(ItemNo);
}

void TCustomRVData::SetItemText(std::int32_t ItemNo, const TRVUnicodeString& s) {
  FItems->SetItem(ItemNo, s);
}

const TRVTag& TCustomRVData::GetItemTag(std::int32_t ItemNo) const {
  return GetItem(ItemNo)->Tag;
}

void TCustomRVData::SetItemTag(std::int32_t ItemNo, const TRVTag& ATag) {
  GetItem(ItemNo)->Tag = ATag;
}

std::int32_t TCustomRVData::GetItemStyle(std::int32_t ItemNo) {
  return GetActualStyle(GetItem(ItemNo));
}

std::int32_t TCustomRVData::GetItemPara(std::int32_t ItemNo) const {
  return GetItem(ItemNo)->ParaNo;
}

TRVItemOptions TCustomRVData::GetItemOptions(std::int32_t ItemNo) const {
  return GetItem(ItemNo)->ItemOptions;
}

bool TCustomRVData::IsParaStart(std::int32_t ItemNo) const {
  return GetItem(ItemNo)->CanBeBorderStart();
}

std::int32_t TCustomRVData::GetOffsBeforeItem(std::int32_t ItemNo) const {
  return GetItem(ItemNo)->StyleNo < 0 ? 0 : 1;
}

std::int32_t TCustomRVData::GetOffsAfterItem(std::int32_t ItemNo) {
  TCustomRVItemInfo* item = GetItem(ItemNo);
  if (item->StyleNo < 0)
    return 1;
  if (item->ItemText.empty()) {
    TRVStyle* style = GetRVStyle();
    if (style != nullptr && style->TextStyles[GetActualStyle(item)].EmptyWidth > 0)
      return 2;
  }
  return static_cast<std::int32_t>(item->ItemText.size()) + 1;
}

void TCustomRVData::RVFGetLimits(TRVFSaveScope, std::int32_t& StartItem, std::int32_t& EndItem,
                                 std::int32_t& StartOffs, std::int32_t& EndOffs,
                                 TRVMultiDrawItemPart*& StartPart, TRVMultiDrawItemPart*& EndPart,
                                 TCustomRVItemInfo*& SelectedItem) {
  StartPart = nullptr;
  EndPart = nullptr;
  SelectedItem = nullptr;
  StartItem = 0;
  EndItem = ItemCount() - 1;
  if (ItemCount() > 0) {
    StartOffs = GetOffsBeforeItem(0);
    EndOffs = GetOffsAfterItem(EndItem);
  }
}

bool TCustomRVData::IsFromNewLine(std::int32_t ItemNo) const {
  return !GetItem(ItemNo)->GetSameAsPrev();
}

bool TCustomRVData::IsEmpty() {
  const std::int32_t count = ItemCount();
  if (count == 0)
    return true;
  if (count > 1)
    return false;
  TCustomRVItemInfo* item = GetItem(0);
  return GetActualStyle(item) >= 0 && item->ItemText.empty();
}

void TCustomRVData::SetPageBreaksBeforeItems(std::int32_t ItemNo, bool Value) {
  GetItem(ItemNo)->SetPageBreakBefore(Value);
}

void TCustomRVData::GetBreakInfo(std::int32_t ItemNo, std::int32_t& AWidth, TRVBreakStyle& AStyle,
                                 TColor& AColor, TRVTag& ATag) const {
  ATag.clear();
  auto* item = dynamic_cast<TRVBreakItemInfo*>(GetItem(ItemNo));
  if (item == nullptr)
    throw ERichViewError(errRVItemInfo);
  AWidth = item->LineWidth;
  AStyle = item->Style;
  AColor = item->Color;
  ATag = item->Tag;
}

void TCustomRVData::SetBreakInfo(std::int32_t ItemNo, std::int32_t AWidth, TRVBreakStyle AStyle,
                                 TColor AColor, const TRVTag& ATag) {
  auto* item = dynamic_cast<TRVBreakItemInfo*>(GetItem(ItemNo));
  if (item == nullptr)
    throw ERichViewError(errRVItemInfo);
  item->LineWidth = AWidth;
  item->Style = AStyle;
  item->Color = AColor;
  item->Tag = ATag;
}

// ---------------------------------------------------------------------------------------------
// Styles and code pages

std::int32_t TCustomRVData::GetActualStyleEx(std::int32_t StyleNo, std::int32_t ParaNo) {
  if (StyleNo == rvsDefStyle) {
    TRVStyle* style = GetRVStyle();
    const int def = style != nullptr ? style->ParaStyles.Items(ParaNo)->DefStyleNo : -1;
    StyleNo = def >= 0 ? def : 0;
  }
  if (StyleNo < 0)
    return StyleNo;
  return GetStyleFromStyleTemplate(StyleNo, ParaNo);
}

std::int32_t TCustomRVData::GetActualStyle(TCustomRVItemInfo* Item) {
  const std::int32_t result = GetActualStyleEx(Item->StyleNo, Item->ParaNo);
  if (result >= 0 && result != Item->StyleNo && Item->StyleNo != rvsDefStyle)
    ModifyStyleNoByTemplate(Item, result);
  return result;
}

std::int32_t TCustomRVData::GetStyleFromStyleTemplate(std::int32_t StyleNo, std::int32_t) {
  // Style templates of this engine carry no formatting of their own, so combining a text style
  // with its paragraph's template gives the text style back, templates in use or not.
  return StyleNo;
}

void TCustomRVData::ModifyStyleNoByTemplate(TCustomRVItemInfo* Item, std::int32_t StyleNo) {
  if (Item->StyleNo < 0)
    Item->SetAssociatedTextStyleNo(StyleNo);
  else
    Item->StyleNo = StyleNo;
}

TRVCodePage TCustomRVData::GetStyleCodePage(std::int32_t Index) {
  TRVStyle* style = GetRVStyle();
  if (style == nullptr)
    return 0;
  if (Index < 0)
    return style->DefCodePage;
  const TFontCharset charset = style->TextStyles.Items(Index)->Charset;
  if (charset == DEFAULT_CHARSET)
    return style->DefCodePage;
  return RVU_Charset2CodePage(charset);
}

TRVCodePage TCustomRVData::GetCodePageByCharset(std::uint8_t Charset) {
  TRVStyle* style = GetRVStyle();
  if (style == nullptr)
    return 0;
  if (Charset == DEFAULT_CHARSET)
    return style->DefCodePage;
  return RVU_Charset2CodePage(Charset);
}

TRVCodePage TCustomRVData::GetDefaultCodePage() {
  TRVStyle* style = GetRVStyle();
  return style != nullptr ? style->DefCodePage : 0;
}

std::int32_t TCustomRVData::GetOrAddTextStyle(const TFontInfo& TextStyle) {
  TRVStyle* style = GetRVStyle();
  if (style == nullptr)
    return -1;
  const int countBefore = style->TextStyles.Count();
  const int result = style->FindTextStyle(TextStyle);
  if (style->TextStyles.Count() != countBefore)
    AfterAddStyle(style->TextStyles.Items(result));
  return result;
}

// ---------------------------------------------------------------------------------------------
// Checkpoints

std::int32_t TCustomRVData::AddCheckpoint(const TRVUnicodeString& CpName, bool RaiseEvent,
                                          const TRVTag& Tag) {
  if (NotAddedCP)
    return CPCount - 1;
  NotAddedCP = std::make_unique<TRVCPInfo>();
  NotAddedCP->Name = CpName;
  NotAddedCP->Tag = Tag;
  NotAddedCP->RaiseEvent = RaiseEvent;
  return CPCount++;
}

std::int32_t TCustomRVData::AddCheckpointTag(const TRVTag& Tag) {
  return AddCheckpoint({}, false, Tag);
}

std::int32_t TCustomRVData::AddNamedCheckpoint(const TRVUnicodeString& CpName) {
  return AddCheckpoint(CpName, false, {});
}

std::int32_t TCustomRVData::AddNamedCheckpointEx(const TRVUnicodeString& CpName, bool RaiseEvent) {
  return AddCheckpoint(CpName, RaiseEvent, {});
}

std::int32_t TCustomRVData::AddNamedCheckpointExTag(const TRVUnicodeString& CpName, bool RaiseEvent,
                                                    const TRVTag& Tag) {
  return AddCheckpoint(CpName, RaiseEvent, Tag);
}

void TCustomRVData::SetCP(TCustomRVItemInfo* Item, TRVCPInfo* PrevCP,
                          std::unique_ptr<TRVCPInfo>& CP) {
  if (!CP)
    return;
  TRVCPInfo* cp = CP.get();
  const bool wasLast = PrevCP == LastCP;
  cp->Prev = PrevCP;
  if (PrevCP != nullptr) {
    cp->Next = PrevCP->Next;
    PrevCP->Next = cp;
  } else {
    cp->Next = FirstCP;
    FirstCP = cp;
  }
  if (cp->Next != nullptr)
    cp->Next->Prev = cp;
  if (wasLast)
    LastCP = cp;
  cp->ItemInfo = Item;
  Item->Checkpoint = std::move(CP);
}

void TCustomRVData::UnlinkCheckpoint(TRVCPInfo* CP, bool DecCPCount) {
  if (CP == nullptr)
    return;
  if (CP->Prev != nullptr)
    CP->Prev->Next = CP->Next;
  else if (FirstCP == CP)
    FirstCP = CP->Next;
  if (CP->Next != nullptr)
    CP->Next->Prev = CP->Prev;
  else if (LastCP == CP)
    LastCP = CP->Prev;
  CP->Next = nullptr;
  CP->Prev = nullptr;
  CP->ItemInfo = nullptr;
  if (DecCPCount)
    --CPCount;
}

void TCustomRVData::FreeCheckpoint(std::unique_ptr<TRVCPInfo>& CP, bool AdjustLinks,
                                   bool DecCPCount) {
  if (!CP)
    return;
  if (AdjustLinks)
    UnlinkCheckpoint(CP.get(), false);
  CP.reset();
  if (DecCPCount)
    --CPCount;
}

// ---------------------------------------------------------------------------------------------
// Removing

void TCustomRVData::FreeItem(std::int32_t ItemNo, bool Clearing) {
  TCustomRVItemInfo* item = GetItem(ItemNo);
  if (item == nullptr)
    return;
  TRVUnicodeString text = item->ItemText;
  ItemAction(rviaDestroying, item, text, this);
  InternalFreeItem(FItems->Extract(ItemNo), Clearing);
}

void TCustomRVData::InternalFreeItem(std::unique_ptr<TCustomRVItemInfo> Item, bool) {
  if (!Item)
    return;
  FreeCheckpoint(Item->Checkpoint, true, true);
}

void TCustomRVData::Clear() {
  const bool wasClearing = State.Contains(rvstClearing);
  State.Include(rvstClearing);
  ClearContent();
  if (GetFlags().Contains(rvflRoot))
    if (TRVRootProperties* props = GetRootProperties())
      props->DocProperties.clear();
  if (!wasClearing)
    State.Exclude(rvstClearing);
}

void TCustomRVData::ClearContent() {
  State.Exclude(rvstFirstParaAborted);
  State.Exclude(rvstLastParaAborted);
  FFirstParaListNo = -1;
  FFirstParaLevel = -1;
  if (!ShareItems()) {
    try {
      for (std::int32_t i = 0; i < ItemCount(); ++i)
        FreeItem(i, true);
    } catch (...) {
      // A failing item must not keep the document from being emptied.
    }
    FItems->Clear();
    // Items whose freeing was cut short took their checkpoints with them uncounted.
    CPCount = NotAddedCP ? 1 : 0;
  }
  FreeCheckpoint(NotAddedCP, false, true);
  FirstCP = nullptr;
  LastCP = nullptr;
}

void TCustomRVData::DeleteItems(std::int32_t FirstItemNo, std::int32_t Count) {
  if (ShareItems() || FirstItemNo >= ItemCount())
    return;
  if (Count > ItemCount() - FirstItemNo)
    Count = ItemCount() - FirstItemNo;
  if (Count <= 0)
    return;
  for (std::int32_t i = FirstItemNo; i < FirstItemNo + Count; ++i)
    FreeItem(i, false);
  FItems->DeleteRange(FirstItemNo, Count);
}

} // namespace richtext
