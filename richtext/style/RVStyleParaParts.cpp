// Parts of a paragraph style: rectangles of offsets and flags, border, background, tab stops.
#include <algorithm>

#include "richtext/style/RVStyle.h"

namespace richtext {

void TRVRect::Assign(const TRVPersistent& Source) {
  if (auto* s = dynamic_cast<const TRVRect*>(&Source)) {
    Left = s->Left;
    Top = s->Top;
    Right = s->Right;
    Bottom = s->Bottom;
    return;
  }
  AssignError(Source);
}

bool TRVRect::IsEqual(const TRVRect& v) const {
  return Left == v.Left && Top == v.Top && Right == v.Right && Bottom == v.Bottom;
}

bool TRVRect::IsAllEqual(int Value) const {
  return Left == Value && Top == Value && Right == Value && Bottom == Value;
}

void TRVBooleanRect::Assign(const TRVPersistent& Source) {
  if (auto* s = dynamic_cast<const TRVBooleanRect*>(&Source)) {
    Left = s->Left;
    Top = s->Top;
    Right = s->Right;
    Bottom = s->Bottom;
    return;
  }
  AssignError(Source);
}

bool TRVBooleanRect::IsEqual(const TRVBooleanRect& v) const {
  return Left == v.Left && Top == v.Top && Right == v.Right && Bottom == v.Bottom;
}

void TRVBorder::Assign(const TRVPersistent& Source) {
  if (auto* s = dynamic_cast<const TRVBorder*>(&Source)) {
    Width = s->Width;
    Style = s->Style;
    Color = s->Color;
    InternalWidth = s->InternalWidth;
    VisibleBorders.Assign(s->VisibleBorders);
    BorderOffsets.Assign(s->BorderOffsets);
    return;
  }
  AssignError(Source);
}

void TRVBorder::Reset() {
  Color = clWindowText;
  Style = rvbNone;
  Width = 1;
  InternalWidth = 1;
  BorderOffsets.SetAll(0);
  VisibleBorders.SetAll(true);
}

bool TRVBorder::IsEqual(const TRVBorder& v) const {
  return Style == v.Style && Color == v.Color && Width == v.Width &&
         InternalWidth == v.InternalWidth && BorderOffsets.IsEqual(v.BorderOffsets) &&
         VisibleBorders.IsEqual(v.VisibleBorders);
}

int TRVBorder::GetTotalWidth() const {
  switch (Style) {
  case rvbNone:
    return 0;
  case rvbSingle:
    return Width;
  case rvbDouble:
    return 2 * Width + InternalWidth;
  case rvbTriple:
    return 3 * Width + 2 * InternalWidth;
  case rvbThickInside:
  case rvbThickOutside:
    return 3 * Width + InternalWidth;
  }
  return 0;
}

void TRVBackgroundRect::Assign(const TRVPersistent& Source) {
  if (auto* s = dynamic_cast<const TRVBackgroundRect*>(&Source)) {
    Color = s->Color;
    BorderOffsets.Assign(s->BorderOffsets);
    Opacity = s->Opacity;
    return;
  }
  AssignError(Source);
}

void TRVBackgroundRect::Reset() {
  Color = clNone;
  Opacity = 100000;
  BorderOffsets.SetAll(0);
}

bool TRVBackgroundRect::IsEqual(const TRVBackgroundRect& v) const {
  return Color == v.Color && Opacity == v.Opacity && BorderOffsets.IsEqual(v.BorderOffsets);
}

bool TRVBackgroundRect::IsSemitransparent() const {
  return Color != clNone && Opacity >= 1 && Opacity <= 99999;
}

void TRVTabInfo::SetPosition(int Value) {
  FPosition = Value;
  if (FCollection)
    FCollection->SortTabs();
}

void TRVTabInfo::Assign(const TRVPersistent& Source) {
  if (auto* s = dynamic_cast<const TRVTabInfo*>(&Source)) {
    Align = s->Align;
    Leader = s->Leader;
    SetPosition(s->FPosition);
    return;
  }
  AssignError(Source);
}

bool TRVTabInfo::IsEqual(const TRVTabInfo& v) const {
  return FPosition == v.FPosition && Align == v.Align && Leader == v.Leader;
}

TRVTabInfo* TRVTabInfos::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(Index);
  return FItems[static_cast<std::size_t>(Index)].get();
}

TRVTabInfo* TRVTabInfos::Add() {
  FItems.push_back(std::make_unique<TRVTabInfo>(this));
  TRVTabInfo* tab = FItems.back().get();
  SortTabs();
  return tab;
}

TRVTabInfo* TRVTabInfos::Add(int Position, TRVTabAlign Align, const std::u16string& Leader) {
  TRVTabInfo* tab = Add();
  tab->Align = Align;
  tab->Leader = Leader;
  tab->SetPosition(Position);
  return tab;
}

void TRVTabInfos::Delete(int Index) {
  Items(Index); // range check
  FItems.erase(FItems.begin() + Index);
}

void TRVTabInfos::SortTabs() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const std::unique_ptr<TRVTabInfo>& a, const std::unique_ptr<TRVTabInfo>& b) {
                     return a->FPosition < b->FPosition;
                   });
}

int TRVTabInfos::Find(int Position) const {
  auto it = std::lower_bound(
      FItems.begin(), FItems.end(), Position,
      [](const std::unique_ptr<TRVTabInfo>& t, int p) { return t->FPosition < p; });
  if (it == FItems.end() || (*it)->FPosition != Position)
    return -1;
  return static_cast<int>(it - FItems.begin());
}

void TRVTabInfos::Assign(const TRVPersistent& Source) {
  auto* s = dynamic_cast<const TRVTabInfos*>(&Source);
  if (!s)
    AssignError(Source);
  if (s == this)
    return;
  FItems.clear();
  for (const auto& t : s->FItems)
    Add()->Assign(*t);
}

bool TRVTabInfos::IsEqual(const TRVTabInfos& v) const {
  if (Count() != v.Count())
    return false;
  for (int i = 0; i < Count(); ++i)
    if (!Items(i)->IsEqual(*v.Items(i)))
      return false;
  return true;
}

} // namespace richtext
