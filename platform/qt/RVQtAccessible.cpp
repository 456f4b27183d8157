#include "platform/qt/RVQtAccessible.h"

#include <algorithm>

#include "platform/qt/RVQtRichViewWidget.h"
#include "richtext/control/RVTextMap.h"
#include "richtext/style/RVStyle.h"

namespace quillon {

namespace {

QAccessibleInterface* Factory(const QString& /*ClassName*/, QObject* Object) {
  if (auto* widget = qobject_cast<TRVQtRichViewWidget*>(Object))
    return new TRVQtAccessibleRichView(widget);
  return nullptr;
}

QString ToQt(const std::u16string& s) {
  return QString::fromStdU16String(s);
}

} // namespace

void RVQtInstallAccessibleFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

int RVQtAccessibleCaretOffset(richtext::TCustomRichView& View) {
  const int offset = richtext::TRVTextMap(*View.RVData).OffsetOf(View.GetCaretPos());
  return std::max(offset, 0);
}

void RVQtAccessibleSelection(richtext::TCustomRichView& View, int& Start, int& End) {
  Start = End = 0;
  std::int32_t s = -1, so = 0, e = -1, eo = 0;
  View.GetSelectionBounds(s, so, e, eo, true);
  if (s < 0 || !View.RVData->SelectionExists(false, true))
    return;
  const richtext::TRVTextMap map(*View.RVData);
  Start = map.OffsetOf({s, so, false});
  End = map.OffsetOf({e, eo, false});
}

TRVQtAccessibleRichView::TRVQtAccessibleRichView(TRVQtRichViewWidget* Widget)
    : QAccessibleWidget(Widget, QAccessible::EditableText) {}

TRVQtRichViewWidget* TRVQtAccessibleRichView::Widget() const {
  return static_cast<TRVQtRichViewWidget*>(widget());
}

richtext::TCustomRichView& TRVQtAccessibleRichView::View() const {
  return Widget()->View();
}

void* TRVQtAccessibleRichView::interface_cast(QAccessible::InterfaceType Type) {
  if (Type == QAccessible::TextInterface)
    return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(Type);
}

QAccessible::State TRVQtAccessibleRichView::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.multiLine = true;
  s.selectableText = true;
  s.editable = View().HasCaret();
  return s;
}

QString TRVQtAccessibleRichView::text(QAccessible::Text Type) const {
  switch (Type) {
  case QAccessible::Value:
    return ToQt(richtext::TRVTextMap(*View().RVData).Text());
  case QAccessible::Name:
    return widget()->accessibleName().isEmpty() ? widget()->objectName()
                                                 : widget()->accessibleName();
  case QAccessible::Description: {
    // The target of the hyperlink at the caret, or of the document's only hyperlink.
    richtext::TCustomRichView& view = View();
    QString target = Widget()->LinkAtCaret();
    if (target.isEmpty() && view.ItemCount() == 1)
      target = TRVQtRichViewWidget::LinkTargetOf(view, 0);
    return target.isEmpty() ? QAccessibleWidget::text(Type)
                            : TRVQtRichViewWidget::tr("Link: %1").arg(target);
  }
  default:
    return QAccessibleWidget::text(Type);
  }
}

void TRVQtAccessibleRichView::selection(int selectionIndex, int* startOffset,
                                        int* endOffset) const {
  int start = 0, end = 0;
  if (selectionIndex == 0)
    RVQtAccessibleSelection(View(), start, end);
  *startOffset = start;
  *endOffset = end;
}

int TRVQtAccessibleRichView::selectionCount() const {
  int start = 0, end = 0;
  RVQtAccessibleSelection(View(), start, end);
  return start != end ? 1 : 0;
}

void TRVQtAccessibleRichView::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void TRVQtAccessibleRichView::removeSelection(int selectionIndex) {
  if (selectionIndex == 0)
    View().SetCaretPos(View().GetCaretPos(), false);
}

void TRVQtAccessibleRichView::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex != 0)
    return;
  const richtext::TRVTextMap map(*View().RVData);
  View().SetCaretPos(map.PosOf(startOffset), false);
  View().SetCaretPos(map.PosOf(endOffset), true);
}

int TRVQtAccessibleRichView::cursorPosition() const {
  return RVQtAccessibleCaretOffset(View());
}

void TRVQtAccessibleRichView::setCursorPosition(int position) {
  View().SetCaretPos(richtext::TRVTextMap(*View().RVData).PosOf(position), false);
}

QString TRVQtAccessibleRichView::text(int startOffset, int endOffset) const {
  const QString all = ToQt(richtext::TRVTextMap(*View().RVData).Text());
  startOffset = std::clamp(startOffset, 0, static_cast<int>(all.size()));
  endOffset = std::clamp(endOffset, startOffset, static_cast<int>(all.size()));
  return all.mid(startOffset, endOffset - startOffset);
}

int TRVQtAccessibleRichView::characterCount() const {
  return static_cast<int>(richtext::TRVTextMap(*View().RVData).Text().size());
}

QRect TRVQtAccessibleRichView::characterRect(int offset) const {
  richtext::TCustomRichView& view = View();
  if (view.RVData->DrawItems.Count() == 0 || view.GetCanvas() == nullptr)
    return {};
  const richtext::TRVTextMap map(*view.RVData);
  richtext::TRVCaretLayout layout(*view.RVData, *view.GetCanvas());
  const richtext::TRVCaretPos from = layout.Validate(map.PosOf(offset));
  const richtext::TRVCaretPos to = layout.Validate(map.PosOf(offset + 1));
  const richtext::TRect a = layout.CaretRect(from);
  const richtext::TRect b = layout.CaretRect(to);
  // Between the two carets on one line, whichever side each stands on (right to left the
  // character's end is on its left).
  const bool oneLine = b.Top == a.Top && b.Left != a.Left;
  const int left = oneLine ? std::min(a.Left, b.Left) : a.Left;
  const int right = oneLine ? std::max(a.Left, b.Left) : a.Right;
  const QPoint origin = Widget()->mapToGlobal(Widget()->contentsRect().topLeft());
  return QRect(origin.x() + left, origin.y() + a.Top - view.GetVScrollPos(), right - left,
               a.Height());
}

int TRVQtAccessibleRichView::offsetAtPoint(const QPoint& point) const {
  richtext::TCustomRichView& view = View();
  if (view.RVData->DrawItems.Count() == 0 || view.GetCanvas() == nullptr)
    return -1;
  const QPoint p = Widget()->mapFromGlobal(point) - Widget()->contentsRect().topLeft();
  richtext::TRVCaretLayout layout(*view.RVData, *view.GetCanvas());
  return richtext::TRVTextMap(*view.RVData)
      .OffsetOf(layout.PosAt(p.x(), p.y() + view.GetVScrollPos()));
}

void TRVQtAccessibleRichView::scrollToSubstring(int startIndex, int /*endIndex*/) {
  richtext::TCustomRichView& view = View();
  const richtext::TRVCaretPos keep = view.GetCaretPos();
  const richtext::TRVCaretPos anchor = view.GetAnchorPos();
  view.SetCaretPos(richtext::TRVTextMap(*view.RVData).PosOf(startIndex), false);
  const int y = view.GetVScrollPos();
  // Only the view moves: the caret and the selection go back where they were.
  view.SetCaretPos(anchor, false);
  view.SetCaretPos(keep, true);
  view.ScrollToY(y);
}

QString TRVQtAccessibleRichView::attributes(int offset, int* startOffset, int* endOffset) const {
  *startOffset = offset;
  *endOffset = offset;
  return {};
}

} // namespace quillon
