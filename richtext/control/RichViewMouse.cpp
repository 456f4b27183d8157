// The mouse over a rich view control: placing the caret, selecting by dragging (by characters,
// or by words and paragraphs after a double or triple click), scrolling on while a drag is past
// an edge, the wheel, and hyperlinks under the pointer.
#include <algorithm>

#include "richtext/control/RichView.h"
#include "richtext/document/RVItem.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

// Pixels one step of drag scrolling moves, and the fallback height of a wheel line.
constexpr int kScrollStep = 16;

} // namespace

void TCustomRichView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y,
                                int ClickCount) {
  if (Button != mbLeft || RVData->DrawItems.Count() == 0 || FStyle == nullptr)
    return;
  TRVCaretLayout layout = CaretLayout();
  const int docY = Y + GetVScrollPos();
  FInput.PressedJumpItemNo = -1;
  // Ctrl+click follows a hyperlink (on release); a plain click only places the caret.
  if (Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
    const std::int32_t jump = layout.JumpItemAt(X, docY);
    if (jump >= 0) {
      FInput.PressedJumpItemNo = jump;
      return;
    }
  }
  if (!FOptions.Contains(rvoAllowSelection)) {
    SetCaretPos(layout.PosAt(X, docY), false);
    return;
  }
  FInput.Dragging = true;
  FInput.LastMouseX = X;
  FInput.LastMouseY = Y;
  RVData->State.Include(rvstMakingSelection);
  FInput.DesiredX = -1;
  if (ClickCount >= 3) {
    FInput.DragUnit = rvduParagraph;
    layout.ParagraphAt(layout.PosAt(X, docY), FInput.DragFrom, FInput.DragTo);
    MoveCaret(FInput.DragFrom, FInput.DragTo, false);
  } else if (ClickCount == 2 && FOptions.Contains(rvoDblClickSelectsWord)) {
    FInput.DragUnit = rvduWord;
    SelectWordAt(X, Y);
    FInput.DragFrom = GetAnchorPos();
    FInput.DragTo = GetCaretPos();
  } else {
    FInput.DragUnit = rvduChar;
    const TRVCaretPos pos = layout.PosAt(X, docY);
    const TRVCaretPos anchor = GetAnchorPos();
    MoveCaret(Shift.Contains(ssShift) && anchor.IsValid() ? anchor : pos, pos, false);
  }
}

void TCustomRichView::SelectWordAt(int X, int Y) {
  if (RVData->DrawItems.Count() == 0)
    return;
  TRVCaretLayout layout = CaretLayout();
  const int docY = Y + GetVScrollPos();
  // The character under the pointer, not the nearest gap between characters: a click on the
  // right half of a word's last letter still means that word.
  TRVCaretPos pos = layout.PosAt(X, docY);
  const TRVDrawPos p = layout.ToDraw(pos);
  if (p.DItemNo >= 0 && layout.XOf(p) > X) {
    const TRVCaretPos before = layout.PrevChar(pos);
    if (before.ItemNo == pos.ItemNo)
      pos = before;
  }
  TRVCaretPos from, to;
  layout.WordAt(pos, from, to);
  FInput.DesiredX = -1;
  MoveCaret(from, to, false);
}

void TCustomRichView::ExpandSelectionToParagraph() {
  if (RVData->DrawItems.Count() == 0)
    return;
  TRVCaretLayout layout = CaretLayout();
  const TRVCaretPos caret = GetCaretPos(), anchor = GetAnchorPos();
  const bool backwards = RVCaretPosBefore(caret, anchor);
  const TRVCaretPos& first = backwards ? caret : anchor;
  const TRVCaretPos& last = backwards ? anchor : caret;
  TRVCaretPos from, to, unused;
  layout.ParagraphAt(first, from, unused);
  layout.ParagraphAt(last, unused, to);
  MoveCaret(backwards ? to : from, backwards ? from : to, false);
}

void TCustomRichView::ExtendMouseSelection(int X, int Y) {
  TRVCaretLayout layout = CaretLayout();
  const int areaHeight = GetAreaHeight();
  // Past the top or bottom edge the pointer selects from the first or last visible line.
  const int clampedY = std::clamp(Y, 0, std::max(0, areaHeight - 1));
  const TRVCaretPos pos = layout.PosAt(X, clampedY + GetVScrollPos());
  if (FInput.DragUnit == rvduChar) {
    MoveCaret(GetAnchorPos(), pos, false);
  } else {
    TRVCaretPos from, to;
    if (FInput.DragUnit == rvduWord)
      layout.WordAt(pos, from, to);
    else
      layout.ParagraphAt(pos, from, to);
    // The unit of the first click stays whole; the selection grows to the unit under the
    // pointer on whichever side it is.
    if (RVCaretPosBefore(from, FInput.DragFrom))
      MoveCaret(FInput.DragTo, from, false);
    else
      MoveCaret(FInput.DragFrom, RVCaretPosBefore(FInput.DragTo, to) ? to : FInput.DragTo, false);
  }
}

void TCustomRichView::MouseMove(TShiftState /*Shift*/, int X, int Y) {
  FInput.LastMouseX = X;
  FInput.LastMouseY = Y;
  if (!FInput.Dragging) {
    UpdateHover(X, Y);
    return;
  }
  ExtendMouseSelection(X, Y);
  const bool outside = Y < 0 || Y >= GetAreaHeight();
  if (outside != ScrollTimerActive) {
    ScrollTimerActive = outside;
    if (GetHost() != nullptr)
      GetHost()->ScrollTimerChanged(outside);
  }
}

void TCustomRichView::ScrollTimerTick() {
  if (!FInput.Dragging) {
    if (ScrollTimerActive) {
      ScrollTimerActive = false;
      if (GetHost() != nullptr)
        GetHost()->ScrollTimerChanged(false);
    }
    return;
  }
  // The further past the edge, the faster.
  const int height = GetAreaHeight();
  if (FInput.LastMouseY < 0)
    ScrollToY(GetVScrollPos() - std::max(kScrollStep, -FInput.LastMouseY));
  else if (FInput.LastMouseY >= height)
    ScrollToY(GetVScrollPos() + std::max(kScrollStep, FInput.LastMouseY - height + 1));
  ExtendMouseSelection(FInput.LastMouseX, FInput.LastMouseY);
}

void TCustomRichView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != mbLeft)
    return;
  const bool wasDragging = FInput.Dragging;
  FInput.Dragging = false;
  RVData->State.Exclude(rvstMakingSelection);
  if (ScrollTimerActive) {
    ScrollTimerActive = false;
    if (GetHost() != nullptr)
      GetHost()->ScrollTimerChanged(false);
  }
  const std::int32_t pressed = FInput.PressedJumpItemNo;
  FInput.PressedJumpItemNo = -1;
  if (pressed >= 0 && Shift.Contains(ssCtrl) && pressed < ItemCount() &&
      RVData->DrawItems.Count() > 0 &&
      CaretLayout().JumpItemAt(X, Y + GetVScrollPos()) == pressed) {
    TCustomRVItemInfo* item = RVData->GetItem(pressed);
    RVData->DoJump(item->JumpID + RVData->GetFirstJumpNo());
    if (GetHost() != nullptr)
      GetHost()->OpenLink(RVData->GetItemTag(pressed));
  }
  if (wasDragging)
    UpdateHover(X, Y);
}

void TCustomRichView::MouseLeave() {
  if (FInput.Dragging)
    return;
  UpdateHover(-1, -1);
}

void TCustomRichView::UpdateHover(int X, int Y) {
  std::int32_t jump = -1;
  if (RVData->DrawItems.Count() > 0 && FStyle != nullptr && X >= 0 && Y >= 0)
    jump = CaretLayout().JumpItemAt(X, Y + GetVScrollPos());
  TCursor cursor = FRVCursor;
  if (jump >= 0)
    cursor = FStyle->TextStyles[RVData->GetActualStyle(RVData->GetItem(jump))].JumpCursor;
  if (jump != FInput.HoverItemNo || jump != RVData->HoverItemNo) {
    FInput.HoverItemNo = jump;
    RVData->HoverItemNo = jump;
    if (jump >= 0)
      RVData->State.Include(rvstDrawHover);
    else
      RVData->State.Exclude(rvstDrawHover);
    Invalidate();
  }
  if (cursor != FInput.Cursor) {
    FInput.Cursor = cursor;
    if (GetHost() != nullptr)
      GetHost()->CursorChanged(cursor);
  }
}

void TCustomRichView::MouseWheel(int Notches) {
  if (RVData->DrawItems.Count() == 0 || Notches == 0)
    return;
  // WheelStep lines a notch, a line as tall as the one at the top of the view.
  TRVCaretLayout layout = CaretLayout();
  std::int32_t top = 0, bottom = 0;
  layout.LineExtent(layout.LineAtY(GetVScrollPos()), top, bottom);
  const int line = bottom > top ? bottom - top : kScrollStep;
  ScrollToY(GetVScrollPos() - Notches * WheelStep * line);
  UpdateHover(FInput.LastMouseX, FInput.LastMouseY);
}

} // namespace richtext
