// The caret of a rich view control: the end of the document's selection (an item position, its
// start the anchor), drawn over the painted document, and kept in view.
#include <algorithm>

#include "richtext/control/RichView.h"
#include "richtext/style/RVColor.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

// -- the document's side --

void TRichViewRVData::DoOnSelection(bool AllowScrolling) {
  FRichView->DocumentSelectionChanged(AllowScrolling);
}

void TRichViewRVData::PostPaintTo(TRVCanvas& Canvas, std::int32_t XShift, std::int32_t YShift,
                                  std::int32_t /*FirstDrawItemNo*/,
                                  std::int32_t /*LastDrawItemNo*/, bool PrintMode) {
  if (!PrintMode && IsRoot())
    FRichView->PaintCaret(Canvas, XShift, YShift);
}

void TRichViewRVData::SetCaretSelection(const TRVCaretPos& Anchor, const TRVCaretPos& Caret) {
  DeselectPartiallySelectedItem(nullptr);
  FSelStart = Anchor;
  FSelEnd = Caret;
  RaiseOnSelect();
}

// -- the control's side --

TRVCaretLayout TCustomRichView::CaretLayout() {
  TRVCanvas* canvas = GetCanvas();
  if (canvas == nullptr) {
    if (!FFallbackCanvas)
      FFallbackCanvas = std::make_unique<TRVStateCanvas>();
    canvas = FFallbackCanvas.get();
  }
  return TRVCaretLayout(*RVData, *canvas);
}

TRVCaretPos TCustomRichView::GetAnchorPos() const {
  return RVData->HasSelectionEnds() ? RVData->GetSelStartPos() : RVData->GetSelEndPos();
}

void TCustomRichView::DocumentSelectionChanged(bool AllowScrolling) {
  if (!RVData->HasSelectionEnds())
    return;
  FInput.DesiredX = -1;
  if (AllowScrolling)
    ScrollToCaret();
  if (GetHost() != nullptr)
    GetHost()->CaretMoved();
}

void TCustomRichView::DocumentSelectionDropped() {
  if (GetHost() != nullptr)
    GetHost()->CaretMoved();
}

void TCustomRichView::MoveCaret(const TRVCaretPos& Anchor, const TRVCaretPos& Caret, bool Scroll) {
  TRVCaretLayout layout = CaretLayout();
  const TRVCaretPos caret = layout.Validate(Caret);
  RVData->SetCaretSelection(Anchor.IsValid() ? layout.Validate(Anchor) : caret, caret);
  Invalidate();
  FInput.BlinkOn = true;
  if (Scroll)
    ScrollToCaret();
  if (GetHost() != nullptr)
    GetHost()->CaretMoved();
}

void TCustomRichView::SetCaretPos(const TRVCaretPos& Pos, bool Extend) {
  if (RVData->DrawItems.Count() == 0)
    return;
  const TRVCaretPos anchor = GetAnchorPos();
  FInput.DesiredX = -1;
  MoveCaret(Extend && anchor.IsValid() ? anchor : Pos, Pos, true);
}

void TCustomRichView::SetFocused(bool Value) {
  if (FInput.Focused == Value)
    return;
  FInput.Focused = Value;
  FInput.BlinkOn = true;
  // A control that gets the focus shows its caret at once, at the document's start when it
  // never had one.
  if (Value && HasCaret() && RVData->DrawItems.Count() > 0 && !GetCaretPos().IsValid()) {
    const TRVCaretPos start = CaretLayout().DocStart();
    RVData->SetCaretSelection(start, start);
    Invalidate();
  }
  RVData->PaintControlFocused = Value;
  Invalidate();
}

void TCustomRichView::SetCaretBlinkOn(bool Value) {
  if (FInput.BlinkOn == Value)
    return;
  FInput.BlinkOn = Value;
  Invalidate();
}

TRect TCustomRichView::GetCaretRect() {
  if (!HasCaret() || !FInput.Focused || !FInput.BlinkOn || RVData->DrawItems.Count() == 0 ||
      FStyle == nullptr)
    return {};
  TRVCaretLayout layout = CaretLayout();
  TRect r = layout.CaretRect(layout.Validate(GetCaretPos()));
  if (r.Width() <= 0)
    return {};
  // A caret one pixel wide at 96 pixels per inch, wider on denser screens.
  const TRVCanvas* canvas = GetCanvas();
  const int ppi = canvas != nullptr ? canvas->GetPixelsPerInchX() : 96;
  r.Right = r.Left + std::max(1, ppi / 96);
  r.Top -= GetVScrollPos();
  r.Bottom -= GetVScrollPos();
  return r;
}

void TCustomRichView::PaintCaret(TRVCanvas& Canvas, std::int32_t XShift, std::int32_t YShift) {
  TRect r = GetCaretRect();
  if (r.Width() <= 0)
    return;
  // GetCaretRect is in client pixels; the painting pass shifts from document coordinates.
  const std::int32_t dy = GetVScrollPos() - YShift;
  r = TRect{r.Left - XShift, r.Top + dy, r.Right - XShift, r.Bottom + dy};
  Canvas.SetBrush(TRVBrush{clWindowText, bsSolid});
  Canvas.FillRect(r);
}

void TCustomRichView::ScrollToY(int Y) {
  const int old = GetVScrollPos();
  ScrollTo(Y);
  if (GetVScrollPos() != old)
    Invalidate();
}

void TCustomRichView::ScrollToCaret() {
  if (RVData->DrawItems.Count() == 0 || !GetCaretPos().IsValid())
    return;
  TRVCaretLayout layout = CaretLayout();
  const TRVDrawPos p = layout.ToDraw(layout.Validate(GetCaretPos()));
  if (p.DItemNo < 0)
    return;
  std::int32_t top = 0, bottom = 0;
  const std::int32_t first = layout.LineFirst(p.DItemNo);
  layout.LineExtent(first, top, bottom);
  // The first and last lines bring the document's margins into view with them.
  if (first == 0)
    top = 0;
  if (layout.LineLast(p.DItemNo) + 1 >= RVData->DrawItems.Count())
    bottom = std::max(bottom, RVData->DocumentHeight);
  const int pos = GetVScrollPos();
  const int height = GetAreaHeight();
  if (bottom - top >= height || top < pos)
    ScrollToY(top);
  else if (bottom > pos + height)
    ScrollToY(bottom - height);
}

} // namespace richtext
