#include "richtext/control/RichViewRVData.h"

#include "richtext/control/RichView.h"

namespace richtext {

TRichViewRVData::TRichViewRVData(TCustomRichView* RichView) : FRichView(RichView) {}

TRVRootProperties* TRichViewRVData::GetRootProperties() {
  return &FRootProperties;
}

TRVRootEvents* TRichViewRVData::GetRootEvents() {
  return FRichView;
}

bool TRichViewRVData::IsWordWrapAllowed() {
  return FRichView->GetWordWrap();
}

TRVOptions TRichViewRVData::GetOptions() {
  return FRichView->GetOptions();
}

void TRichViewRVData::SetOptions(TRVOptions Value) {
  FRichView->SetOptions(Value);
}

TRVFlags TRichViewRVData::GetFlags() {
  return FRichView->Flags;
}

void TRichViewRVData::SetFlags(TRVFlags Value) {
  FRichView->Flags = Value;
}

TRVStyle* TRichViewRVData::GetRVStyle() {
  return FRichView->GetStyle();
}

TRVPaletteAction TRichViewRVData::GetDoInPaletteMode() {
  return FRichView->DoInPaletteMode;
}

void TRichViewRVData::Clear() {
  // Live spelling, animation, smart pop-ups and thumbnails are not part of this engine, so
  // clearing is the document's own, followed by the control's handlers.
  TCustomRVData::Clear();
  if (IsRoot())
    FRichView->DoClearHandlers();
}

void TRichViewRVData::ItemAction(TRVItemAction ItemAction, TCustomRVItemInfo* Item,
                                 TRVUnicodeString& Text, TCustomRVData* RVData) {
  if (!IsRoot()) {
    TCustomRVData::ItemAction(ItemAction, Item, Text, RVData);
    return;
  }
  if (FRichView->OnItemAction)
    FRichView->OnItemAction(FRichView, ItemAction, Item, Text, RVData);
}

void TRichViewRVData::AfterAddStyle(TCustomRVInfo* StyleInfo) {
  if (!IsRoot()) {
    TCustomRVData::AfterAddStyle(StyleInfo);
    return;
  }
  if (FRichView->OnAddStyle)
    FRichView->OnAddStyle(FRichView, StyleInfo);
}

void TRichViewRVData::DoJump(std::int32_t id) {
  if (FRichView->OnJump)
    FRichView->OnJump(FRichView, id);
}

} // namespace richtext
