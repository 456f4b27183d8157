// The window that shows a rich view control: a sunken frame around a white client area in
// which the engine paints the control's formatted document, with a vertical scroll bar while the
// document is taller than the area.
//
// The control stays the engine's object, owned elsewhere; this widget tells it its client size,
// formats it again when that size changes, paints it on request, and turns Qt's mouse, key,
// wheel and focus events into the control's calls. The caret blinks at the desktop's rate. For
// an editor it turns editing keys and input-method events into the editor's calls
// (RVQtRichViewWidgetEditing.cpp). A widget too low for a scroll bar's arrows shows none
// and keeps its line clear of its frame; it still scrolls with the wheel and the keys.
//
// Several widgets may stand for one control, say a one-line editor and a larger window over
// the same document. One of them shows it at a time, as the control's host (a control has
// one layout, formatted for one width); the others stay empty but for a line saying where
// the document is, and take no input.
#pragma once

#include <QElapsedTimer>
#include <QFrame>
#include <QString>
#include <QVariant>
#include <QPoint>
#include <QTimer>
#include <functional>

#include "platform/qt/RVQtCanvas.h"
#include "richtext/control/RichViewEdit.h"
#include "richtext/control/RichViewMarkup.h"

class QMenu;
class QScrollBar;

namespace quillon {

class TRVQtRichViewWidget : public QFrame, public richtext::TRVControlHost {
  Q_OBJECT
public:
  // View and Canvas (the canvas the control measures on) must outlive the widget.
  TRVQtRichViewWidget(richtext::TCustomRichView& View, TRVQtCanvas& Canvas,
                      QWidget* parent = nullptr);
  ~TRVQtRichViewWidget() override;

  richtext::TCustomRichView& View() const { return *FView; }
  // Gives the control the size of the area inside the frame; a formatted document is
  // formatted again for it. Runs on every resize; call it after moving a hidden widget.
  void UpdateClientSize();

  // Takes the control over from the widget that shows it (a new widget takes it at once):
  // the document is formatted again for this widget's area, with its caret and selection.
  void ShowView();
  bool ShowsView() const { return FView->GetHost() == this; }
  // What the widget says while another widget shows its control.
  void SetAwayText(const QString& Text);
  QString AwayText() const { return FAwayText; }

  // Runs a call into the engine from an input event; the default swallows what it throws (an
  // exception must not leave Qt's event dispatch). The application passes its error box.
  using TGuard = std::function<void(const std::function<void()>&)>;
  void SetGuard(TGuard Guard) { FGuard = std::move(Guard); }

  QScrollBar* VerticalScrollBar() const { return FScrollBar; }
  // The caret's blink period in milliseconds (0: it does not blink).
  int CaretBlinkInterval() const { return FBlinkTimer.interval(); }

  // -- the control's requests --
  void Invalidate() override;
  void CaretMoved() override;
  void CursorChanged(richtext::TCursor Cursor) override;
  void ScrollTimerChanged(bool Active) override;
  void OpenLink(const std::u16string& Target) override;

  // The context menu's actions.
  void CopyToClipboard();
  void SelectAllText();
  // The target of the hyperlink the caret is in; empty outside one.
  QString LinkAtCaret() const;
  // The target of item ItemNo when it is hyperlink text; empty otherwise.
  static QString LinkTargetOf(richtext::TCustomRichView& View, std::int32_t ItemNo);

  // The context menu: Undo, Redo, Cut, Copy, Paste, Delete and Select All, each enabled
  // when it applies and showing its shortcut, then, with the caret in a hyperlink, opening
  // it and copying its address. The caller owns the menu and may add entries to it; the
  // widget's own menu is this one with what ContextMenuAboutToShow adds.
  QMenu* CreateStandardContextMenu();

signals:
  // The context menu is about to open: entries added to Menu show in it.
  void ContextMenuAboutToShow(QMenu* Menu);
  // A click on the widget while another widget shows its control.
  void AwayClicked();

public:

  // The selection as Markdown or BBCode text.
  void CopyAsMarkup(richtext::TRVMarkupFormat Format);

  // -- editing (RVQtRichViewWidgetEditing.cpp) --
  // Typing, Enter and Shift+Enter, Backspace and Delete (with Ctrl by word), undo (Ctrl+Z),
  // redo (Ctrl+Y, Ctrl+Shift+Z), cut (Ctrl+X, Shift+Delete) and paste (Ctrl+V, Shift+Insert)
  // on an editor; true when the key was one of them.
  bool HandleEditingKey(QKeyEvent* event);
  // The input method's text not yet committed, laid out at the caret and underlined.
  QString PreeditText() const;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  // The editor shown, or none for a viewer.
  richtext::TCustomRichViewEdit* Editor() const;
  // The caret's box in widget coordinates; empty without one.
  QRect CaretRect() const;
  // The current text style's font, for the input method.
  QFont TypingFont() const;
  // Underlines the composition's text.
  void PaintComposition(QPainter& Painter);
  // Asks the input method to commit its composition; what it leaves is taken out.
  void EndComposition();
  void Run(const std::function<void()>& Call);
  // Gives up the control to another widget: the control's own margins come back, timers
  // and the scroll bar stop, and the widget takes no focus until it shows the control again.
  void ReleaseView();
  // Formats the control for this widget's area.
  void FitView();
  // Input that a widget not showing its control swallows.
  static bool IsInput(const QEvent& Event);
  // The scroll bar's place, range and value from the control.
  void SyncScrollBar();
  // Whether the area is high enough for a scroll bar's arrows and slider.
  bool HasRoomForScrollBar() const;
  // The scroll bar's width and the vertical margins for the area's height: a view too low
  // for a bar keeps its line clear of the frame.
  void FitMargins();
  // Runs an edit of the menu and shows its result.
  void RunEdit(const std::function<void()>& Call);
  // Opens the context menu at Pos (widget coordinates).
  void ShowContextMenu(const QPoint& Pos);
  QPoint ToClient(const QPointF& WidgetPos) const;
  void RestartBlink();

  richtext::TCustomRichView* FView;
  TRVQtCanvas* FCanvas;
  QScrollBar* FScrollBar = nullptr;
  QTimer FBlinkTimer;
  QTimer FScrollTimer;
  TGuard FGuard;
  // The control's own vertical margins, for a view tall enough to show them.
  int FTopMargin = 0;
  int FBottomMargin = 0;
  int FWheelRemainder = 0;
  // A press soon after a double click at the same place is a triple click.
  QElapsedTimer FDoubleClickTime;
  QPoint FDoubleClickPos;
  QString FAwayText;
};

} // namespace quillon
