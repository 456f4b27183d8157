// The caret of a rich view control: kept as item positions (the moving end of the selection and
// its anchor), written into the document's selection, drawn over the painted document, and kept
// in view.
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

void TRichViewRVData::SetDrawSelection(const TRVDrawPos& Start, const TRVDrawPos& End) {
  DeselectPartiallySelectedItem(nullptr);
  FSelStartNo = Start.DItemNo;
  FSelStartOffs = Start.DOffs;
  FSelEndNo = End.DItemNo;
  FSelEndOffs = End.DOffs;
  if (FSelStartNo < 0 || FSelEndNo < 0) {
    FSelStartNo = FSelEndNo = -1;
    FSelStartOffs = FSelEndOffs = 0;
  }
  AdjustSelection();
  DoOnSelection(true);
  DoSelect();
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

void TCustomRichView::DocumentSelectionChanged(bool AllowScrolling) {
  if (FInput.Syncing)
    return;
  if (RVData->GetSelStartNo() < 0 || RVData->GetSelEndNo() < 0)
    return;
  TRVCaretLayout layout = CaretLayout();
  FInput.Anchor = layout.FromDraw({RVData->GetSelStartNo(), RVData->GetSelStartOffs()});
  FInput.Caret = layout.FromDraw({RVData->GetSelEndNo(), RVData->GetSelEndOffs()});
  FInput.DesiredX = -1;
  if (AllowScrolling)
    ScrollToCaret();
  if (GetHost() != nullptr)
    GetHost()->CaretMoved();
}

void TCustomRichView::DocumentSelectionDropped() {
  if (FInput.Syncing)
    return;
  FInput.Anchor = FInput.Caret;
  if (GetHost() != nullptr)
    GetHost()->CaretMoved();
}

void TCustomRichView::ApplySelection() {
  TRVCaretLayout layout = CaretLayout();
  FInput.Caret = layout.Validate(FInput.Caret);
  FInput.Anchor = FInput.Anchor.IsValid() ? layout.Validate(FInput.Anchor) : FInput.Caret;
  FInput.Syncing = true;
  struct Guard {
    bool& b;
    ~Guard() { b = false; }
  } guard{FInput.Syncing};
  RVData->SetDrawSelection(layout.ToDraw(FInput.Anchor), layout.ToDraw(FInput.Caret));
  Invalidate();
}

void TCustomRichView::CaretChanged(bool Scroll) {
  ApplySelection();
  FInput.BlinkOn = true;
  if (Scroll)
    ScrollToCaret();
  if (GetHost() != nullptr)
    GetHost()->CaretMoved();
}

void TCustomRichView::SetCaretPos(const TRVCaretPos& Pos, bool Extend) {
  if (RVData->DrawItems.Count() == 0)
    return;
  if (!Extend || !FInput.Anchor.IsValid())
    FInput.Anchor = Pos;
  FInput.Caret = Pos;
  FInput.DesiredX = -1;
  CaretChanged(true);
}

void TCustomRichView::SetFocused(bool Value) {
  if (FInput.Focused == Value)
    return;
  FInput.Focused = Value;
  FInput.BlinkOn = true;
  // A control that gets the focus shows its caret at once, at the document's start when it
  // never had one.
  if (Value && HasCaret() && RVData->DrawItems.Count() > 0 && !FInput.Caret.IsValid()) {
    FInput.Caret = FInput.Anchor = CaretLayout().DocStart();
    ApplySelection();
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
  TRect r = layout.CaretRect(layout.Validate(FInput.Caret));
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
  if (RVData->DrawItems.Count() == 0 || !FInput.Caret.IsValid())
    return;
  TRVCaretLayout layout = CaretLayout();
  const TRVDrawPos p = layout.ToDraw(layout.Validate(FInput.Caret));
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
