// Keys of a rich view control: the copy shortcut, Select All, and the caret keys (arrows by
// character or, with Ctrl, by word; Home and End by line or, with Ctrl, by document; Page Up and
// Page Down), each extending the selection with Shift.
#include <algorithm>

#include "richtext/control/RichView.h"

namespace richtext {

namespace {

constexpr std::uint16_t kKeyA = 'A';
constexpr std::uint16_t kKeyC = 'C';

} // namespace

bool TCustomRichView::IsCopyShortcut(std::uint16_t Key, TShiftState Shift) {
  return (Key == kKeyC || Key == VK_INSERT) && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
}

void TCustomRichView::WMCopy() {
  // No in-place editor exists in this engine to pass the request on to.
  CopyDef();
}

void TCustomRichView::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (IsCopyShortcut(Key, Shift)) {
    WMCopy();
    Key = 0;
    return;
  }
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool shift = Shift.Contains(ssShift);
  if (Shift.Contains(ssAlt))
    return;
  if (Key == kKeyA && ctrl && !shift) {
    if (FOptions.Contains(rvoAllowSelection))
      SelectAll();
    Invalidate();
    Key = 0;
    return;
  }
  if (RVData->DrawItems.Count() == 0)
    return;
  TRVCaretLayout layout = CaretLayout();
  const TRVCaretPos caret = layout.Validate(GetCaretPos());
  const TRVCaretPos anchor = GetAnchorPos();
  const bool selected = anchor.IsValid() && !(layout.Validate(anchor) == caret);
  const bool extend = shift && FOptions.Contains(rvoAllowSelection);
  // x kept over a run of vertical moves, so that a short line in between does not pull the
  // caret to the left for good.
  auto desiredX = [&] {
    if (FInput.DesiredX < 0)
      FInput.DesiredX = layout.XOf(layout.ToDraw(caret));
    return FInput.DesiredX;
  };
  TRVCaretPos target;
  bool vertical = false;
  switch (Key) {
  case VK_LEFT:
  case VK_RIGHT: {
    // The caret moves in logical order; in a right-to-left paragraph the Right key steps
    // back, so that it goes the way it points where the paragraph reads.
    const bool forward = (Key == VK_RIGHT) != layout.IsRightToLeftParagraph(caret);
    if (selected && !extend && !ctrl) {
      // An arrow without Shift collapses a selection to the side it points to.
      const bool caretFirst = RVCaretPosBefore(caret, anchor);
      target = (forward != caretFirst) ? caret : layout.Validate(anchor);
    } else if (ctrl) {
      target = forward ? layout.NextWord(caret) : layout.PrevWord(caret);
    } else {
      target = forward ? layout.NextChar(caret) : layout.PrevChar(caret);
    }
    break;
  }
  case VK_UP:
  case VK_DOWN:
    if (ctrl)
      return;
    target = layout.LineDown(caret, Key == VK_DOWN ? 1 : -1, desiredX());
    vertical = true;
    break;
  case VK_PRIOR:
  case VK_NEXT: {
    const int page = std::max(1, GetAreaHeight());
    const int x = desiredX();
    target = layout.PageDown(caret, Key == VK_NEXT ? page : -page, x);
    ScrollToY(GetVScrollPos() + (Key == VK_NEXT ? page : -page));
    vertical = true;
    break;
  }
  case VK_HOME:
    target = ctrl ? layout.DocStart() : layout.LineHome(caret);
    break;
  case VK_END:
    target = ctrl ? layout.DocEnd() : layout.LineEnd(caret);
    break;
  default:
    return;
  }
  Key = 0;
  if (!vertical)
    FInput.DesiredX = -1;
  MoveCaret(extend ? anchor : target, target, true);
}

} // namespace richtext
