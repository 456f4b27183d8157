// The window that shows a rich view control: a sunken frame around a white client area in
// which the engine paints the control's formatted document.
//
// The control stays the engine's object, owned elsewhere; this widget only tells it its
// client size, formats it again when that size changes, and paints it on request. For an
// editor it turns editing keys and input-method events into the editor's calls
// (RVQtRichViewWidgetEditing.cpp).
#pragma once

#include <QFrame>
#include <QString>
#include <QVariant>

#include "platform/qt/RVQtCanvas.h"
#include "richtext/control/RichViewEdit.h"

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

  // The control asks for a repaint.
  void Invalidate() override { update(); }

  // -- editing (RVQtRichViewWidgetEditing.cpp) --
  // Typing, Enter and Shift+Enter, Backspace and Delete (with Ctrl by word), undo (Ctrl+Z),
  // redo (Ctrl+Y, Ctrl+Shift+Z), cut (Ctrl+X, Shift+Delete) and paste (Ctrl+V, Shift+Insert)
  // on an editor; true when the key was one of them.
  bool HandleEditingKey(QKeyEvent* event);
  // The input method's text not yet committed, shown underlined at the caret.
  const QString& PreeditText() const { return FPreedit; }
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

private:
  // The editor shown, or none for a viewer.
  richtext::TCustomRichViewEdit* Editor() const;
  // The caret's box in widget coordinates; empty without one.
  QRect CaretRect() const;
  // The current text style's font, for the preedit text.
  QFont TypingFont() const;
  void PaintPreedit(QPainter& Painter);

  richtext::TCustomRichView* FView;
  TRVQtCanvas* FCanvas;
  QString FPreedit;
};

} // namespace quillon
