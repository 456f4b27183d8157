#include "platform/qt/RVQtRichViewWidget.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleHints>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <exception>

#include "platform/qt/RVQtAccessible.h"
#include "platform/qt/RVQtCursors.h"
#include "richtext/export/RVStr.h"
#include "richtext/style/RVStyle.h"

namespace quillon {

namespace {

// The rate at which a drag past an edge scrolls on.
constexpr int kAutoScrollIntervalMs = 50;
// One notch of a mouse wheel in Qt's eighths of a degree.
constexpr int kWheelNotch = 120;

richtext::TShiftState ShiftState(Qt::KeyboardModifiers Modifiers) {
  richtext::TShiftState shift;
  if (Modifiers & Qt::ShiftModifier)
    shift.Include(richtext::ssShift);
  if (Modifiers & Qt::ControlModifier)
    shift.Include(richtext::ssCtrl);
  if (Modifiers & Qt::AltModifier)
    shift.Include(richtext::ssAlt);
  return shift;
}

// The control's key code of a Qt key; 0 for keys the control does not know.
std::uint16_t KeyCode(int Key) {
  switch (Key) {
  case Qt::Key_Left:
    return richtext::VK_LEFT;
  case Qt::Key_Right:
    return richtext::VK_RIGHT;
  case Qt::Key_Up:
    return richtext::VK_UP;
  case Qt::Key_Down:
    return richtext::VK_DOWN;
  case Qt::Key_Home:
    return richtext::VK_HOME;
  case Qt::Key_End:
    return richtext::VK_END;
  case Qt::Key_PageUp:
    return richtext::VK_PRIOR;
  case Qt::Key_PageDown:
    return richtext::VK_NEXT;
  case Qt::Key_Insert:
    return richtext::VK_INSERT;
  default:
    // Letters: Qt's codes are the capitals, as the control's.
    return Key >= Qt::Key_A && Key <= Qt::Key_Z ? static_cast<std::uint16_t>(Key) : 0;
  }
}

richtext::TMouseButton MouseButton(Qt::MouseButton Button) {
  switch (Button) {
  case Qt::RightButton:
    return richtext::mbRight;
  case Qt::MiddleButton:
    return richtext::mbMiddle;
  default:
    return richtext::mbLeft;
  }
}

} // namespace

TRVQtRichViewWidget::TRVQtRichViewWidget(richtext::TCustomRichView& View, TRVQtCanvas& Canvas,
                                         QWidget* parent)
    : QFrame(parent), FView(&View), FCanvas(&Canvas) {
  RVQtInstallAccessibleFactory();
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, Editor() != nullptr);
  setMouseTracking(true);
  setAttribute(Qt::WA_Hover);
  setCursor(RVQtCursor(FView->GetCursor()));

  FScrollBar = new QScrollBar(Qt::Vertical, this);
  FScrollBar->setFocusPolicy(Qt::NoFocus);
  FScrollBar->hide();
  // The control's own margins, not those a widget showing it now has fitted to its area.
  if (auto* other = dynamic_cast<TRVQtRichViewWidget*>(FView->GetHost()))
    other->ReleaseView();
  FView->VScrollBarWidth = FScrollBar->sizeHint().width();
  FTopMargin = FView->GetTopMargin();
  FBottomMargin = FView->GetBottomMargin();
  connect(FScrollBar, &QScrollBar::valueChanged, this,
          [this](int value) { Run([&] { FView->ScrollToY(value); }); });

  // The desktop's flash time is a whole on-and-off period.
  const int flash = QGuiApplication::styleHints()->cursorFlashTime();
  FBlinkTimer.setInterval(flash > 0 ? flash / 2 : 0);
  connect(&FBlinkTimer, &QTimer::timeout, this,
          [this] { FView->SetCaretBlinkOn(!FView->IsCaretBlinkOn()); });
  FScrollTimer.setInterval(kAutoScrollIntervalMs);
  connect(&FScrollTimer, &QTimer::timeout, this, [this] { Run([&] { FView->ScrollTimerTick(); }); });

  FView->SetHost(this);
  FitView();
}

TRVQtRichViewWidget::~TRVQtRichViewWidget() {
  if (ShowsView()) {
    FView->SetTopMargin(FTopMargin);
    FView->SetBottomMargin(FBottomMargin);
    FView->SetHost(nullptr);
  }
}

void TRVQtRichViewWidget::ShowView() {
  if (ShowsView())
    return;
  if (auto* other = dynamic_cast<TRVQtRichViewWidget*>(FView->GetHost()))
    other->ReleaseView();
  FView->SetHost(this);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, Editor() != nullptr);
  setCursor(RVQtCursor(FView->GetCursor()));
  FitView();
}

void TRVQtRichViewWidget::ReleaseView() {
  // The focus leaves while the control still knows this widget, so it hears of it.
  if (hasFocus())
    clearFocus();
  EndComposition();
  FBlinkTimer.stop();
  FScrollTimer.stop();
  FView->SetTopMargin(FTopMargin);
  FView->SetBottomMargin(FBottomMargin);
  FView->SetHost(nullptr);
  FScrollBar->hide();
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setCursor(Qt::ArrowCursor);
  update();
}

void TRVQtRichViewWidget::SetAwayText(const QString& Text) {
  FAwayText = Text;
  if (!ShowsView())
    update();
}

bool TRVQtRichViewWidget::IsInput(const QEvent& Event) {
  switch (Event.type()) {
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
  case QEvent::Leave:
  case QEvent::Wheel:
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
  case QEvent::ShortcutOverride:
  case QEvent::InputMethod:
  case QEvent::ContextMenu:
  case QEvent::FocusIn:
  case QEvent::FocusOut:
    return true;
  default:
    return false;
  }
}

void TRVQtRichViewWidget::Run(const std::function<void()>& Call) {
  if (FGuard) {
    FGuard(Call);
    return;
  }
  try {
    Call();
  } catch (const std::exception&) {
  }
}

bool TRVQtRichViewWidget::HasRoomForScrollBar() const {
  // Its two arrows and the smallest slider between them.
  const QStyle* style = FScrollBar->style();
  const int arrows = 2 * style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FScrollBar);
  return contentsRect().height() >=
         arrows + style->pixelMetric(QStyle::PM_ScrollBarSliderMin, nullptr, FScrollBar);
}

void TRVQtRichViewWidget::FitMargins() {
  const bool room = HasRoomForScrollBar();
  // Without room for a bar's arrows there is no bar, and the document takes the whole width.
  FView->VScrollBarWidth = room ? FScrollBar->sizeHint().width() : 0;
  int top = FTopMargin, bottom = FBottomMargin;
  if (!room && FView->GetStyle() != nullptr) {
    // A line of the window's text stands in the middle of the area, where the margins
    // made for a taller view would push its lower part out of sight.
    FView->GetStyle()->ApplyStyle(*FCanvas, 0, richtext::rvbdUnspecified, false);
    const int line = QFontMetrics(FCanvas->GetQFont()).height();
    top = std::clamp((contentsRect().height() - line) / 2, 0, FTopMargin);
    bottom = 0;
  }
  FView->SetTopMargin(top);
  FView->SetBottomMargin(bottom);
}

void TRVQtRichViewWidget::UpdateClientSize() {
  // The control keeps the area of the widget that shows it.
  if (!ShowsView())
    return;
  const QRect area = contentsRect();
  if (area.width() == FView->GetClientWidth() && area.height() == FView->GetClientHeight()) {
    SyncScrollBar();
    return;
  }
  FitView();
}

void TRVQtRichViewWidget::FitView() {
  const QRect area = contentsRect();
  FitMargins();
  FView->SetClientSize(area.width(), area.height());
  if (FView->RVData->DrawItems.Count() > 0)
    FView->Reformat();
  SyncScrollBar();
  update();
}

void TRVQtRichViewWidget::SyncScrollBar() {
  if (!ShowsView())
    return;
  // The bar follows the control here; its own signals would only echo that back.
  const QSignalBlocker quiet(FScrollBar);
  const QRect area = contentsRect();
  const bool visible = FView->IsVScrollBarVisible() && HasRoomForScrollBar();
  if (visible) {
    const int w = FView->VScrollBarWidth;
    FScrollBar->setGeometry(area.right() - w + 1, area.top(), w, area.height());
    FScrollBar->setRange(0, FView->GetVScrollMax());
    FScrollBar->setPageStep(std::max(1, FView->GetAreaHeight()));
    FScrollBar->setSingleStep(16);
    FScrollBar->setValue(FView->GetVScrollPos());
  }
  FScrollBar->setVisible(visible);
}

void TRVQtRichViewWidget::Invalidate() {
  SyncScrollBar();
  update();
}

void TRVQtRichViewWidget::RestartBlink() {
  FView->SetCaretBlinkOn(true);
  if (hasFocus() && FBlinkTimer.interval() > 0)
    FBlinkTimer.start();
}

void TRVQtRichViewWidget::CaretMoved() {
  RestartBlink();
  update();
  if (QAccessible::isActive()) {
    QAccessibleTextCursorEvent cursorEvent(this, RVQtAccessibleCaretOffset(*FView));
    QAccessible::updateAccessibility(&cursorEvent);
    QAccessibleTextSelectionEvent selectionEvent(this, 0, 0);
    int start = 0, end = 0;
    RVQtAccessibleSelection(*FView, start, end);
    selectionEvent.setSelection(start, end);
    QAccessible::updateAccessibility(&selectionEvent);
  }
}

void TRVQtRichViewWidget::CursorChanged(richtext::TCursor Cursor) {
  setCursor(RVQtCursor(Cursor));
}

void TRVQtRichViewWidget::ScrollTimerChanged(bool Active) {
  if (Active)
    FScrollTimer.start();
  else
    FScrollTimer.stop();
}

void TRVQtRichViewWidget::OpenLink(const std::u16string& Target) {
  // An address typed without a scheme is a web address, as a browser's address bar takes it.
  const QUrl url = QUrl::fromUserInput(QString::fromStdU16String(Target));
  if (url.isValid())
    QDesktopServices::openUrl(url);
}

void TRVQtRichViewWidget::CopyToClipboard() {
  Run([&] { FView->CopyDef(); });
}

void TRVQtRichViewWidget::CopyAsMarkup(richtext::TRVMarkupFormat Format) {
  Run([&] { richtext::RVCopySelMarkup(*FView, Format); });
}

void TRVQtRichViewWidget::SelectAllText() {
  Run([&] {
    FView->SelectAll();
    FView->Invalidate();
  });
}

QPoint TRVQtRichViewWidget::ToClient(const QPointF& WidgetPos) const {
  return WidgetPos.toPoint() - contentsRect().topLeft();
}

void TRVQtRichViewWidget::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  UpdateClientSize();
}

void TRVQtRichViewWidget::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  Run([&] { FView->SetFocused(true); });
  RestartBlink();
  update(); // the selection changes colour with the focus
}

void TRVQtRichViewWidget::focusOutEvent(QFocusEvent* event) {
  EndComposition();
  QFrame::focusOutEvent(event);
  FBlinkTimer.stop();
  Run([&] { FView->SetFocused(false); });
  update();
}

bool TRVQtRichViewWidget::event(QEvent* event) {
  // The document is shown and edited in another widget: nothing here may reach the control,
  // whose layout is that widget's; a click asks for that widget.
  if (!ShowsView() && IsInput(*event)) {
    if (event->type() == QEvent::MouseButtonPress)
      emit AwayClicked();
    event->accept();
    return true;
  }
  // Keys the control answers are not taken by shortcuts of the window around it.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const std::uint16_t code = KeyCode(key->key());
    const richtext::TShiftState shift = ShiftState(key->modifiers());
    if (richtext::TCustomRichView::IsCopyShortcut(code, shift) ||
        (code == 'A' && shift == richtext::TShiftState{richtext::ssCtrl})) {
      event->accept();
      return true;
    }
  }
  return QFrame::event(event);
}

void TRVQtRichViewWidget::mousePressEvent(QMouseEvent* event) {
  EndComposition();
  if (event->button() == Qt::LeftButton) {
    int clicks = 1;
    if (FDoubleClickTime.isValid() &&
        FDoubleClickTime.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval() &&
        (event->position().toPoint() - FDoubleClickPos).manhattanLength() <=
            QGuiApplication::styleHints()->startDragDistance())
      clicks = 3;
    FDoubleClickTime.invalidate();
    const QPoint p = ToClient(event->position());
    Run([&] { FView->MouseDown(richtext::mbLeft, ShiftState(event->modifiers()), p.x(), p.y(), clicks); });
  }
  QFrame::mousePressEvent(event);
}

void TRVQtRichViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QFrame::mouseDoubleClickEvent(event);
    return;
  }
  FDoubleClickTime.start();
  FDoubleClickPos = event->position().toPoint();
  const QPoint p = ToClient(event->position());
  Run([&] { FView->MouseDown(richtext::mbLeft, ShiftState(event->modifiers()), p.x(), p.y(), 2); });
}

void TRVQtRichViewWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = ToClient(event->position());
  Run([&] { FView->MouseMove(ShiftState(event->modifiers()), p.x(), p.y()); });
  QFrame::mouseMoveEvent(event);
}

void TRVQtRichViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = ToClient(event->position());
  Run([&] {
    FView->MouseUp(MouseButton(event->button()), ShiftState(event->modifiers()), p.x(), p.y());
  });
  QFrame::mouseReleaseEvent(event);
}

void TRVQtRichViewWidget::leaveEvent(QEvent* event) {
  Run([&] { FView->MouseLeave(); });
  QFrame::leaveEvent(event);
}

void TRVQtRichViewWidget::wheelEvent(QWheelEvent* event) {
  // Fine-grained wheels and touchpads send parts of a notch: they add up.
  FWheelRemainder += event->angleDelta().y();
  const int notches = FWheelRemainder / kWheelNotch;
  FWheelRemainder -= notches * kWheelNotch;
  if (notches != 0)
    Run([&] { FView->MouseWheel(notches); });
  SyncScrollBar();
  event->accept();
}

void TRVQtRichViewWidget::keyPressEvent(QKeyEvent* event) {
  // A key the input method let through ends its composition.
  EndComposition();
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, CaretRect().bottomLeft(),
                           mapToGlobal(CaretRect().bottomLeft()), event->modifiers());
    contextMenuEvent(&menu);
    event->accept();
    return;
  }
  if (HandleEditingKey(event)) {
    SyncScrollBar();
    RestartBlink();
    return;
  }
  std::uint16_t key = KeyCode(event->key());
  if (key != 0) {
    Run([&] { FView->KeyDown(key, ShiftState(event->modifiers())); });
    if (key == 0) {
      SyncScrollBar();
      event->accept();
      return;
    }
  }
  QFrame::keyPressEvent(event);
}

QString TRVQtRichViewWidget::LinkTargetOf(richtext::TCustomRichView& View, std::int32_t ItemNo) {
  richtext::TRVStyle* style = View.GetStyle();
  if (style == nullptr || ItemNo < 0 || ItemNo >= View.ItemCount() || View.GetItemStyle(ItemNo) < 0)
    return {};
  const std::int32_t styleNo = View.RVData->GetActualStyle(View.GetItem(ItemNo));
  if (!style->TextStyles[styleNo].Jump)
    return {};
  return QString::fromStdU16String(View.GetItemTag(ItemNo));
}

QString TRVQtRichViewWidget::LinkAtCaret() const {
  return LinkTargetOf(*FView, FView->GetCaretPos().ItemNo);
}

void TRVQtRichViewWidget::RunEdit(const std::function<void()>& Call) {
  EndComposition();
  Run(Call);
  SyncScrollBar();
  update();
}

QMenu* TRVQtRichViewWidget::CreateStandardContextMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("RichViewContextMenu"));
  richtext::TCustomRichViewEdit* editor = Editor();
  const bool editable = editor != nullptr && !editor->GetReadOnly();
  const bool selected = FView->RVData->SelectionExists(false, true);
  auto add = [&](const QString& caption, QKeySequence::StandardKey key, bool enabled,
                 const std::function<void()>& call) {
    QAction* action = menu->addAction(caption, this, [this, call] { RunEdit(call); });
    action->setShortcut(key);
    // Shown also where the desktop's theme leaves shortcuts out of context menus.
    action->setShortcutVisibleInContextMenu(true);
    action->setEnabled(enabled);
    return action;
  };
  if (editor != nullptr) {
    add(tr("&Undo"), QKeySequence::Undo, editable && editor->CanUndo(), [editor] { editor->Undo(); });
    add(tr("&Redo"), QKeySequence::Redo, editable && editor->CanRedo(), [editor] { editor->Redo(); });
    menu->addSeparator();
    add(tr("Cu&t"), QKeySequence::Cut, editable && selected, [editor] { editor->CutDef(); });
  }
  add(tr("&Copy"), QKeySequence::Copy, selected, [this] { FView->CopyDef(); });
  for (const auto& [caption, format] :
       {std::pair{tr("Copy as &Markdown"), richtext::TRVMarkupFormat::rvmfMarkdown},
        std::pair{tr("Copy as &BBCode"), richtext::TRVMarkupFormat::rvmfBBCode}})
    menu->addAction(caption, this, [this, format = format] { CopyAsMarkup(format); })
        ->setEnabled(selected);
  if (editor != nullptr) {
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    const bool pasteable =
        clip != nullptr && (clip->hasText() || clip->hasHtml() ||
                            clip->hasFormat(QStringLiteral("text/rtf")) ||
                            clip->hasFormat(QString::fromUtf16(richtext::RVFORMATNAME)));
    add(tr("&Paste"), QKeySequence::Paste, editable && pasteable, [editor] { editor->PasteDef(); });
    add(tr("Delete"), QKeySequence::Delete, editable && selected,
        [editor] { editor->DeleteSelection(); });
  }
  menu->addSeparator();
  add(tr("Select &All"), QKeySequence::SelectAll, FView->ItemCount() > 0, [this] {
    FView->SelectAll();
    FView->Invalidate();
  });
  const QString target = LinkAtCaret();
  if (!target.isEmpty()) {
    menu->addSeparator();
    QAction* open = menu->addAction(tr("&Open Link"), this, [this, target] {
      OpenLink(target.toStdU16String());
    });
    open->setObjectName(QStringLiteral("OpenLinkAction"));
    QAction* copyAddress = menu->addAction(tr("Copy &Link Address"), this, [target] {
      QGuiApplication::clipboard()->setText(target);
    });
    copyAddress->setObjectName(QStringLiteral("CopyLinkAddressAction"));
  }
  return menu;
}

void TRVQtRichViewWidget::ShowContextMenu(const QPoint& Pos) {
  std::unique_ptr<QMenu> menu(CreateStandardContextMenu());
  emit ContextMenuAboutToShow(menu.get());
  menu->exec(mapToGlobal(Pos));
}

void TRVQtRichViewWidget::contextMenuEvent(QContextMenuEvent* event) {
  // From the menu key the menu opens at the caret.
  QPoint pos = event->pos();
  if (event->reason() == QContextMenuEvent::Keyboard) {
    const QRect caret = CaretRect();
    pos = caret.isValid() ? caret.bottomLeft() : contentsRect().topLeft();
  }
  ShowContextMenu(pos);
}

void TRVQtRichViewWidget::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  const QRect area = contentsRect();
  if (!ShowsView()) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    const QRect line = area.adjusted(4, 0, -4, 0);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(FAwayText, Qt::ElideRight, line.width()));
    return;
  }
  const int width = std::max(0, FView->GetAreaWidth());
  QPainter painter(this);
  painter.setClipRect(area);
  painter.translate(area.topLeft());
  painter.fillRect(QRect(QPoint(0, 0), area.size()), RVQtColor(FView->GetColor()));

  richtext::TRichViewRVData& data = *FView->RVData;
  data.PaintControlFocused = hasFocus();
  data.PaintControlDisabled = !isEnabled();
  FCanvas->SetPainter(&painter);
  // An exception must not leave Qt's event dispatch; what was drawn so far stays.
  try {
    data.PaintTo(*FCanvas, richtext::TRect{0, 0, width, area.height()});
  } catch (const std::exception&) {
  }
  FCanvas->SetPainter(nullptr);
  PaintComposition(painter);
}

} // namespace quillon
