// Selection of a formatted document and the conversions between item and drawing item
// positions.
#include <algorithm>
#include <utility>

#include "richtext/document/RVItemKinds.h"
#include "richtext/layout/CRVFData.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

void TRVSelectingInfo::InitE(TRVSelectingState ASWordState) {
  DrawItemENo = DrawItemSNo;
  DrawItemEOffs = DrawItemSOffs;
  DrawItemEWordOffs1 = DrawItemSWordOffs1;
  DrawItemEWordOffs2 = DrawItemSWordOffs2;
  if (ASWordState == rvsesParaMode) {
    SWordState = rvsesParaMode;
    EWordState = rvsesParaMode;
  } else {
    SWordState = ASWordState;
    EWordState = rvsesInWord;
  }
}

// -- offsets --

bool TCustomRVFormattedData::IsEmptyVisibleTextItem(std::int32_t ItemNo) {
  TCustomRVItemInfo* item = GetItem(ItemNo);
  if (item->StyleNo < 0 || !item->ItemText.empty())
    return false;
  TRVStyle* style = GetRVStyle();
  return style != nullptr && style->TextStyles[GetActualStyle(item)].EmptyWidth > 0;
}

std::int32_t TCustomRVFormattedData::GetOffsBeforeDrawItem(std::int32_t DrawItemNo) {
  if (DrawItemNo < 0 || DrawItemNo >= DrawItems.Count())
    return 0;
  return GetItem(DrawItems[DrawItemNo]->ItemNo)->StyleNo < 0 ? 0 : 1;
}

std::int32_t TCustomRVFormattedData::GetOffsAfterDrawItem(std::int32_t DrawItemNo) {
  if (DrawItemNo < 0 || DrawItemNo >= DrawItems.Count())
    return 0;
  const TRVDrawLineInfo* d = DrawItems[DrawItemNo];
  if (GetItem(d->ItemNo)->StyleNo < 0)
    return 1;
  if (d->TextLength == 0 && IsEmptyVisibleTextItem(d->ItemNo))
    return 2;
  return d->TextLength + 1;
}

// -- conversions --

void TCustomRVFormattedData::DrawItem2Item(std::int32_t DrawItemNo, std::int32_t DrawItemOffs,
                                           std::int32_t& ItemNo, std::int32_t& ItemOffs) {
  if (DrawItemNo < 0 || DrawItemNo >= DrawItems.Count()) {
    ItemNo = -1;
    return;
  }
  const TRVDrawLineInfo* d = DrawItems[DrawItemNo];
  ItemNo = d->ItemNo;
  if (GetItem(ItemNo)->StyleNo < 0)
    ItemOffs = DrawItemOffs;
  else
    ItemOffs = DrawItemOffs + d->Offs - 1;
}

void TCustomRVFormattedData::Item2DrawItem(std::int32_t ItemNo, std::int32_t ItemOffs,
                                           std::int32_t& DrawItemNo, std::int32_t& DrawItemOffs,
                                           TRVDrawItemPosition PosIfHidden) {
  DrawItemNo = -1;
  if (ItemNo < 0 || ItemNo >= ItemCount())
    return;
  TCustomRVItemInfo* item = GetItem(ItemNo);
  const std::int32_t first = item->DrawItemNo;
  if (first < 0 || first >= DrawItems.Count() || DrawItems[first]->ItemNo != ItemNo) {
    if (PosIfHidden == rvdpStrict || !IsHidden(ItemNo))
      return;
    auto endOfPrevious = [&]() {
      for (std::int32_t i = ItemNo - 1; i >= 0; --i)
        if (GetItem(i)->DrawItemNo >= 0) {
          DrawItemNo = Item2LastDrawItem(i);
          DrawItemOffs = GetOffsAfterDrawItem(DrawItemNo);
          return DrawItemNo >= 0;
        }
      return false;
    };
    auto startOfNext = [&]() {
      for (std::int32_t i = ItemNo + 1; i < ItemCount(); ++i)
        if (GetItem(i)->DrawItemNo >= 0) {
          DrawItemNo = GetItem(i)->DrawItemNo;
          DrawItemOffs = GetOffsBeforeDrawItem(DrawItemNo);
          return DrawItemNo >= 0;
        }
      return false;
    };
    bool found = PosIfHidden == rvdpBetterAbove ? (endOfPrevious() || startOfNext())
                                                : (startOfNext() || endOfPrevious());
    if (!found)
      DrawItemNo = -1;
    return;
  }
  DrawItemNo = first;
  if (item->StyleNo < 0) {
    DrawItemOffs = ItemOffs;
    return;
  }
  // Walk the runs of the item: a position at the boundary of two runs stays at the end of the
  // earlier one; one in the gap of a space removed at a wrap goes to the start of the next.
  while (true) {
    const TRVDrawLineInfo* d = DrawItems[DrawItemNo];
    if (ItemOffs <= d->Offs + d->TextLength || DrawItemNo + 1 >= DrawItems.Count() ||
        DrawItems[DrawItemNo + 1]->ItemNo != ItemNo)
      break;
    ++DrawItemNo;
  }
  const TRVDrawLineInfo* d = DrawItems[DrawItemNo];
  DrawItemOffs = ItemOffs - d->Offs + 1;
  if (DrawItemOffs < 1)
    DrawItemOffs = 1;
}

std::int32_t TCustomRVFormattedData::Item2FirstDrawItem(std::int32_t ItemNo) {
  std::int32_t dno = -1, doffs = 0;
  Item2DrawItem(ItemNo, GetOffsBeforeItem(ItemNo), dno, doffs, rvdpBetterBelow);
  return dno;
}

std::int32_t TCustomRVFormattedData::Item2LastDrawItem(std::int32_t ItemNo) {
  std::int32_t dno = -1, doffs = 0;
  Item2DrawItem(ItemNo, GetOffsAfterItem(ItemNo), dno, doffs, rvdpBetterBelow);
  return dno;
}

void TCustomRVFormattedData::ShiftPosToTheNewLine(std::int32_t& DItemNo, std::int32_t& DOffs) {
  if (DItemNo < 0 || DItemNo + 1 >= DrawItems.Count())
    return;
  const TRVDrawLineInfo* d = DrawItems[DItemNo];
  const TRVDrawLineInfo* next = DrawItems[DItemNo + 1];
  if (DOffs >= GetOffsAfterDrawItem(DItemNo) && next->ItemNo == d->ItemNo &&
      d->Offs + d->TextLength == next->Offs) {
    ++DItemNo;
    DOffs = GetOffsBeforeDrawItem(DItemNo);
  }
}

TRVDrawPos TCustomRVFormattedData::ToDrawPos(const TRVCaretPos& Pos) {
  TRVDrawPos p;
  if (!Pos.IsValid())
    return p;
  Item2DrawItem(Pos.ItemNo, Pos.Offs, p.DItemNo, p.DOffs, rvdpBetterBelow);
  if (p.DItemNo < 0)
    return TRVDrawPos{};
  if (Pos.AtLineStart)
    ShiftPosToTheNewLine(p.DItemNo, p.DOffs);
  p.DOffs = std::clamp(p.DOffs, GetOffsBeforeDrawItem(p.DItemNo), GetOffsAfterDrawItem(p.DItemNo));
  // The place between two runs of one item that change direction shows with the character
  // after it, as Qt's own layout shows it.
  if (p.DOffs >= GetOffsAfterDrawItem(p.DItemNo) && p.DItemNo + 1 < DrawItems.Count()) {
    const TRVDrawLineInfo& d = *DrawItems[p.DItemNo];
    const TRVDrawLineInfo& next = *DrawItems[p.DItemNo + 1];
    if (!next.FromNewLine && next.ItemNo == d.ItemNo && next.BiDiLevel != d.BiDiLevel)
      p = TRVDrawPos{p.DItemNo + 1, GetOffsBeforeDrawItem(p.DItemNo + 1)};
  }
  return p;
}

TRVCaretPos TCustomRVFormattedData::FromDrawPos(const TRVDrawPos& Pos) {
  TRVCaretPos p;
  if (Pos.DItemNo < 0 || Pos.DItemNo >= DrawItems.Count())
    return p;
  DrawItem2Item(Pos.DItemNo, Pos.DOffs, p.ItemNo, p.Offs);
  p.AtLineStart =
      Pos.DOffs <= GetOffsBeforeDrawItem(Pos.DItemNo) && DrawItems[Pos.DItemNo]->FromNewLine;
  return p;
}

// -- selection --

void TCustomRVFormattedData::SetSelEnds(const TRVDrawPos& Start, const TRVDrawPos& End) {
  const std::int32_t count = DrawItems.Count();
  if (Start.DItemNo < 0 || End.DItemNo < 0 || Start.DItemNo >= count || End.DItemNo >= count) {
    DropSelection();
    return;
  }
  auto clamped = [this](TRVDrawPos p) {
    p.DOffs = std::clamp(p.DOffs, GetOffsBeforeDrawItem(p.DItemNo), GetOffsAfterDrawItem(p.DItemNo));
    return FromDrawPos(p);
  };
  FSelStart = clamped(Start);
  FSelEnd = clamped(End);
}

void TCustomRVFormattedData::SelectAll() {
  if (ItemCount() == 0)
    return;
  DeselectPartiallySelectedItem(nullptr);
  // A document that is not formatted has nothing to select yet.
  if (DrawItems.Count() == 0) {
    DropSelection();
    return;
  }
  const std::int32_t last = DrawItems.Count() - 1;
  SetSelEnds({0, GetOffsBeforeDrawItem(0)}, {last, GetOffsAfterDrawItem(last)});
  DoOnSelection(false);
  DoSelect();
}

void TCustomRVFormattedData::Deselect(TCustomRVItemInfo* NewPartiallySelected, bool MakeEvent) {
  if (State.Contains(rvstDeselecting))
    return;
  State.Include(rvstDeselecting);
  struct Guard {
    TRVStates& s;
    ~Guard() { s.Exclude(rvstDeselecting); }
  } guard{State};
  State.Exclude(rvstMakingSelection);
  State.Exclude(rvstLineSelection);
  DropSelection();
  // Items with keyboard focus (controls, tables) are not part of this engine; only the number
  // is forgotten.
  FocusedItemNo = -1;
  DeselectPartiallySelectedItem(NewPartiallySelected);
  if (MakeEvent)
    DoSelect();
}

void TCustomRVFormattedData::DeselectPartiallySelectedItem(TCustomRVItemInfo* NewPartiallySelected) {
  if (FPartialSelectedItem != nullptr && FPartialSelectedItem != NewPartiallySelected)
    FPartialSelectedItem = nullptr;
}

void TCustomRVFormattedData::SetPartialSelectedItem(TCustomRVItemInfo* Item) {
  if (Item == FPartialSelectedItem)
    return;
  Deselect(Item, true);
  FPartialSelectedItem = Item;
  DoSelect();
}

void TCustomRVFormattedData::GetSelBounds(std::int32_t& StartNo, std::int32_t& EndNo,
                                          std::int32_t& StartOffs, std::int32_t& EndOffs,
                                          bool Normalize) {
  const TRVDrawPos start = HasSelectionEnds() ? ToDrawPos(FSelStart) : TRVDrawPos{};
  const TRVDrawPos end = HasSelectionEnds() ? ToDrawPos(FSelEnd) : TRVDrawPos{};
  if (start.DItemNo < 0 || end.DItemNo < 0) {
    StartNo = EndNo = -1;
    StartOffs = EndOffs = 0;
    return;
  }
  StartNo = start.DItemNo;
  EndNo = end.DItemNo;
  StartOffs = start.DOffs;
  EndOffs = end.DOffs;
  if (!Normalize)
    return;
  if (EndNo < StartNo) {
    std::swap(StartNo, EndNo);
    std::swap(StartOffs, EndOffs);
  } else if (StartNo == EndNo && EndOffs < StartOffs) {
    std::swap(StartOffs, EndOffs);
  }
}

bool TCustomRVFormattedData::SelectionExists(bool AllowReset, bool UsePartialSelected) {
  if (UsePartialSelected && FPartialSelectedItem != nullptr)
    return true;
  std::int32_t sno = -1, eno = -1, so = -1, eo = -1;
  GetSelBounds(sno, eno, so, eo, true);
  if (sno >= 0) {
    const bool empty =
        (sno == eno && so == eo) ||
        (eno == sno + 1 && eno < DrawItems.Count() && so >= GetOffsAfterDrawItem(sno) &&
         eo <= GetOffsBeforeDrawItem(eno) && !DrawItems[eno]->FromNewLine);
    if (empty) {
      if (AllowReset && !State.Contains(rvstMakingSelection))
        Deselect(FPartialSelectedItem, false);
      return false;
    }
  }
  // Positions left over from an older layout select nothing.
  return sno >= 0 && eno >= 0 && sno < DrawItems.Count() && eno < DrawItems.Count();
}

void TCustomRVFormattedData::StoreSelBounds(std::int32_t& StartNo, std::int32_t& EndNo,
                                            std::int32_t& StartOffs, std::int32_t& EndOffs,
                                            bool Normalize) {
  std::int32_t sno = -1, eno = -1, so = -1, eo = -1;
  GetSelBounds(sno, eno, so, eo, Normalize);
  DrawItem2Item(sno, so, StartNo, StartOffs);
  DrawItem2Item(eno, eo, EndNo, EndOffs);
}

void TCustomRVFormattedData::RestoreSelBounds(std::int32_t StartNo, std::int32_t EndNo,
                                              std::int32_t StartOffs, std::int32_t EndOffs,
                                              bool PreferLineBeginning) {
  TRVDrawPos start, end;
  Item2DrawItem(StartNo, StartOffs, start.DItemNo, start.DOffs, rvdpBetterBelow);
  Item2DrawItem(EndNo, EndOffs, end.DItemNo, end.DOffs, rvdpBetterBelow);
  if (PreferLineBeginning) {
    ShiftPosToTheNewLine(start.DItemNo, start.DOffs);
    ShiftPosToTheNewLine(end.DItemNo, end.DOffs);
  }
  SetSelEnds(start, end);
}

void TCustomRVFormattedData::GetSelectionBounds(std::int32_t& StartItemNo,
                                                std::int32_t& StartItemOffs,
                                                std::int32_t& EndItemNo, std::int32_t& EndItemOffs,
                                                bool Normalize) {
  StoreSelBounds(StartItemNo, EndItemNo, StartItemOffs, EndItemOffs, Normalize);
  if (StartItemNo < 0 || EndItemNo < 0)
    StartItemNo = EndItemNo = -1;
}

void TCustomRVFormattedData::GetSelectionBoundsEx(std::int32_t& StartItemNo,
                                                  std::int32_t& StartItemOffs,
                                                  std::int32_t& EndItemNo,
                                                  std::int32_t& EndItemOffs, bool Normalize) {
  GetSelectionBounds(StartItemNo, StartItemOffs, EndItemNo, EndItemOffs, Normalize);
}

void TCustomRVFormattedData::SetSelectionBounds(std::int32_t StartItemNo,
                                                std::int32_t StartItemOffs,
                                                std::int32_t EndItemNo, std::int32_t EndItemOffs) {
  DeselectPartiallySelectedItem(nullptr);
  if (StartItemNo >= 0 && EndItemNo >= 0) {
    auto skipMarker = [this](std::int32_t& no, std::int32_t& offs) {
      if (no < ItemCount() && GetItem(no)->StyleNo == rvsListMarker && no + 1 < ItemCount()) {
        ++no;
        offs = GetOffsBeforeItem(no);
      }
    };
    skipMarker(StartItemNo, StartItemOffs);
    skipMarker(EndItemNo, EndItemOffs);
  }
  RestoreSelBounds(StartItemNo, EndItemNo, StartItemOffs, EndItemOffs, false);
  DoOnSelection(true);
  DoSelect();
}

void TCustomRVFormattedData::SetSelectionBoundsDown(std::int32_t StartItemNo,
                                                    std::int32_t StartItemOffs,
                                                    std::int32_t EndItemNo,
                                                    std::int32_t EndItemOffs) {
  DeselectPartiallySelectedItem(nullptr);
  if (StartItemNo >= 0 && EndItemNo >= 0) {
    auto skipMarker = [this](std::int32_t& no, std::int32_t& offs) {
      if (no < ItemCount() && GetItem(no)->StyleNo == rvsListMarker && no + 1 < ItemCount()) {
        ++no;
        offs = GetOffsBeforeItem(no);
      }
    };
    skipMarker(StartItemNo, StartItemOffs);
    skipMarker(EndItemNo, EndItemOffs);
  }
  RestoreSelBounds(StartItemNo, EndItemNo, StartItemOffs, EndItemOffs, true);
  DoOnSelection(true);
  DoSelect();
}

void TCustomRVFormattedData::GetSelStart(std::int32_t& DINo, std::int32_t& DIOffs) {
  SelectionExists(false, false);
  std::int32_t endNo = -1, endOffs = 0;
  GetSelBounds(DINo, endNo, DIOffs, endOffs, false);
}

void TCustomRVFormattedData::GetSingleSelectedItem(TCustomRVFormattedData*& RVData,
                                                   std::int32_t& ItemNo) {
  RVData = nullptr;
  ItemNo = -1;
  std::int32_t s = -1, so = -1, e = -1, eo = -1;
  GetSelectionBounds(s, so, e, eo, true);
  if (s < 0 || e < 0)
    return;
  auto first = [this](std::int32_t i) { return GetOffsBeforeItem(i); };
  auto last = [this](std::int32_t i) { return GetOffsAfterItem(i); };
  std::int32_t result = -1;
  if (s == e) {
    if (so <= first(s) && eo >= last(s))
      result = s;
  } else if (e == s + 1) {
    if (so > first(s)) {
      if (so >= last(s) && eo >= last(e))
        result = e;
    } else if (eo < last(e) && eo <= first(e)) {
      result = s;
    }
  } else if (e == s + 2) {
    if (so >= last(s) && eo <= first(e))
      result = s + 1;
  }
  if (result >= 0) {
    RVData = this;
    ItemNo = result;
  }
}

bool TCustomRVFormattedData::Item_InsideSelection(std::int32_t ItemNo, std::int32_t ItemOffs,
                                                  bool IncludeBorders) {
  std::int32_t s = -1, so = -1, e = -1, eo = -1;
  GetSelectionBounds(s, so, e, eo, true);
  if (s < 0 || e < 0 || (s == e && so == eo))
    return false;
  if (IncludeBorders)
    return (s < ItemNo || (s == ItemNo && ItemOffs >= so)) &&
           (ItemNo < e || (ItemNo == e && ItemOffs <= eo));
  return (s < ItemNo || (s == ItemNo && ItemOffs > so)) &&
         (ItemNo < e || (ItemNo == e && ItemOffs < eo));
}

bool TCustomRVFormattedData::DItem_InsideSelection(std::int32_t DItemNo, std::int32_t DItemOffs,
                                                   bool IncludeBorders) {
  if (!SelectionExists(false, false))
    return false;
  std::int32_t s, e, so, eo;
  GetSelBounds(s, e, so, eo, true);
  if (IncludeBorders)
    return (s < DItemNo || (s == DItemNo && DItemOffs >= so)) &&
           (DItemNo < e || (DItemNo == e && DItemOffs <= eo));
  return (s < DItemNo || (s == DItemNo && DItemOffs > so)) &&
         (DItemNo < e || (DItemNo == e && DItemOffs < eo));
}

bool TCustomRVFormattedData::IsMultiParagraphSelection() {
  std::int32_t s, e, so, eo;
  GetSelBounds(s, e, so, eo, true);
  if (s < 0 || e < 0 || e >= DrawItems.Count())
    return false;
  for (std::int32_t i = s + 1; i <= e; ++i) {
    const std::int32_t itemNo = DrawItems[i]->ItemNo;
    if (itemNo != DrawItems[i - 1]->ItemNo && IsParaStartEx(itemNo))
      return true;
  }
  return false;
}

bool TCustomRVFormattedData::IsWholeParagraphSelection() {
  std::int32_t s = -1, so = -1, e = -1, eo = -1;
  GetSelectionBounds(s, so, e, eo, true);
  if (s < 0 || e < 0)
    return false;
  if (so != GetOffsBeforeItem(s) || eo != GetOffsAfterItem(e))
    return false;
  if (!IsParaStartEx(s) && !(s > 0 && GetItem(s - 1)->StyleNo == rvsListMarker))
    return false;
  return e + 1 >= ItemCount() || IsParaStartEx(e + 1);
}

void TCustomRVFormattedData::RVFGetLimits(TRVFSaveScope SaveScope, std::int32_t& StartItem,
                                          std::int32_t& EndItem, std::int32_t& StartOffs,
                                          std::int32_t& EndOffs, TRVMultiDrawItemPart*& StartPart,
                                          TRVMultiDrawItemPart*& EndPart,
                                          TCustomRVItemInfo*& SelectedItem) {
  StartPart = nullptr;
  EndPart = nullptr;
  SelectedItem = nullptr;
  if (SaveScope == rvfss_Selection) {
    if (FPartialSelectedItem != nullptr) {
      SelectedItem = FPartialSelectedItem;
      return;
    }
    StoreSelBounds(StartItem, EndItem, StartOffs, EndOffs, true);
    return;
  }
  TCustomRVData::RVFGetLimits(SaveScope, StartItem, EndItem, StartOffs, EndOffs, StartPart,
                              EndPart, SelectedItem);
}

} // namespace richtext
