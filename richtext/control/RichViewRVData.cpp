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
  TCustomRVFormattedData::Clear();
  // No item of the old document is under the pointer any more.
  HoverItemNo = -1;
  State.Exclude(rvstDrawHover);
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

std::int32_t TRichViewRVData::GetLeftMargin() {
  return FRichView->GetLeftMargin();
}
std::int32_t TRichViewRVData::GetRightMargin() {
  return FRichView->GetRightMargin();
}
std::int32_t TRichViewRVData::GetTopMargin() {
  return FRichView->GetTopMargin();
}
std::int32_t TRichViewRVData::GetBottomMargin() {
  return FRichView->GetBottomMargin();
}
std::int32_t TRichViewRVData::GetMinTextWidth() {
  return FRichView->GetMinTextWidth();
}
std::int32_t TRichViewRVData::GetMaxTextWidth() {
  return FRichView->GetMaxTextWidth();
}
std::int32_t TRichViewRVData::GetWidth() {
  return FRichView->GetAreaWidth();
}
std::int32_t TRichViewRVData::GetHeight() {
  return FRichView->GetAreaHeight();
}
void TRichViewRVData::SetDocumentAreaSize(std::int32_t Width, std::int32_t Height, bool) {
  FRichView->SetDocumentAreaSize(Width, Height);
}
void TRichViewRVData::ScrollTo(std::int32_t Y, bool) {
  FRichView->ScrollTo(Y);
}
std::int32_t TRichViewRVData::GetVOffs() {
  return FRichView->GetVScrollPos();
}
std::int32_t TRichViewRVData::GetMaxLength() {
  return FRichView->GetMaxLength();
}
TRVCanvas* TRichViewRVData::GetCanvas() {
  return FRichView->GetCanvas();
}
bool TRichViewRVData::IsDestroying() {
  return FRichView->IsDestroying();
}
void TRichViewRVData::DoSelect() {
  if (FRichView->IsDestroying())
    return;
  if (!HasSelectionEnds())
    FRichView->DocumentSelectionDropped();
  RaiseOnSelect();
}

void TRichViewRVData::RaiseOnSelect() {
  if (!FRichView->IsDestroying() && FRichView->OnSelect)
    FRichView->OnSelect(FRichView);
}

} // namespace richtext
