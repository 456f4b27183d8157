// The paragraph style collection.
#include "richtext/style/RVStyle.h"

namespace richtext {

TParaInfos::~TParaInfos() = default;

std::unique_ptr<TCustomRVInfo> TParaInfos::CreateItem() {
  if (GetOwner())
    return GetOwner()->GetParaStyleClass()(this);
  return std::make_unique<TParaInfo>(this);
}

TParaInfo* TParaInfos::Items(int Index) const {
  if (IsValidIndex(Index))
    return static_cast<TParaInfo*>(At(Index));
  return InvalidItem();
}

void TParaInfos::SetItems(int Index, const TParaInfo& Value) {
  Items(Index)->Assign(Value);
}

TParaInfo* TParaInfos::InvalidItem() const {
  if (!FInvalidItem) {
    TRVStyle* sheet = GetOwner();
    auto px = [sheet](int pixels) { return sheet ? sheet->PixelsToUnits(pixels) : pixels; };
    FInvalidItem = std::make_unique<TErrParaInfo>(sheet);
    if (Count() > 0)
      FInvalidItem->Assign(*Items(0));
    FInvalidItem->SetSpaceBefore(px(3));
    FInvalidItem->SetSpaceAfter(px(3));
    FInvalidItem->LeftIndent = px(3);
    FInvalidItem->RightIndent = px(3);
    FInvalidItem->Border.Style = rvbSingle;
    FInvalidItem->Border.Color = clRed;
    FInvalidItem->Border.Width = px(2);
    FInvalidItem->Border.BorderOffsets.SetAll(px(1));
  }
  return FInvalidItem.get();
}

void TParaInfos::SetInvalidItem(const TParaInfo& Value) {
  InvalidItem()->Assign(Value);
}

TParaInfo* TParaInfos::Add() {
  return static_cast<TParaInfo*>(AddItem());
}

int TParaInfos::FindSuchStyle(int BaseStyle, const TParaInfo& Style,
                              TRVParaInfoProperties Mask) const {
  const TRVParaInfoProperties ignore = RVAllParaInfoProperties - Mask;
  if (IsValidIndex(BaseStyle) && Style.IsEqual(*Items(BaseStyle), ignore))
    return BaseStyle;
  for (int i = 0; i < Count(); ++i)
    if (i != BaseStyle && Style.IsEqual(*Items(i), ignore))
      return i;
  return -1;
}

int TParaInfos::FindSuchStyleEx(int BaseStyle, const TParaInfo& Style, TRVParaInfoProperties Mask) {
  int r = FindSuchStyle(BaseStyle, Style, Mask);
  if (r >= 0)
    return r;
  TParaInfo* pi = Add();
  pi->Assign(Style);
  pi->Standard = false;
  return Count() - 1;
}

int TParaInfos::FindStyleWithAlignment(int BaseStyle, TRVAlignment Alignment) const {
  if (IsValidIndex(BaseStyle) && Items(BaseStyle)->Alignment == Alignment)
    return BaseStyle;
  const TParaInfo& base = *Items(BaseStyle);
  for (int i = 0; i < Count(); ++i)
    if (i != BaseStyle && Items(i)->Alignment == Alignment &&
        Items(i)->IsEqual(base, {rvpiAlignment}))
      return i;
  return -1;
}

TRVListInfo* TRVListInfos::Items(int Index) const {
  if (!IsValidIndex(Index))
    throw EListError(Index);
  return static_cast<TRVListInfo*>(At(Index));
}

TRVListInfo* TRVListInfos::Add() {
  return static_cast<TRVListInfo*>(AddItem());
}

std::unique_ptr<TCustomRVInfo> TRVListInfos::CreateItem() {
  if (GetOwner())
    return GetOwner()->GetListStyleClass()(this);
  return std::make_unique<TRVListInfo>(this);
}

TRVStyleTemplate* TRVStyleTemplateCollection::Items(int Index) const {
  if (!IsValidIndex(Index))
    throw EListError(Index);
  return static_cast<TRVStyleTemplate*>(At(Index));
}

TRVStyleTemplate* TRVStyleTemplateCollection::Add() {
  return static_cast<TRVStyleTemplate*>(AddItem());
}

std::unique_ptr<TCustomRVInfo> TRVStyleTemplateCollection::CreateItem() {
  return std::make_unique<TRVStyleTemplate>(this);
}

} // namespace richtext
