// The larger editing window: the main window's hyperlink document with room for several
// paragraphs. It shows the same editor control as the one-line editor beside the blue label,
// not a copy: what the user types here is what the one-line editor shows and copies, and a
// click on the label (or a list's copy) fills it while it is open. Enter starts a paragraph,
// the scroll bar comes when the text is taller than the window, the context menu is the
// editor's own; Esc or the close button closes it, and the one-line editor shows the
// document again.
#pragma once

#include <QDialog>

#include "app/HyperlinkDocument.h"
#include "platform/qt/RVQtRichViewWidget.h"

class QPushButton;

namespace quillon {

class TEditorWindow : public QDialog {
  Q_OBJECT
public:
  // Document and Canvas are the one-line editor's (they must outlive the window); OneLine
  // shows the document whenever this window does not. Guard runs the editor's calls from
  // input and the copy button: the form passes its error box.
  TEditorWindow(THyperlinkDocument& Document, TRVQtCanvas& Canvas, TRVQtRichViewWidget& OneLine,
                TRVQtRichViewWidget::TGuard Guard, QWidget* parent);
  ~TEditorWindow() override;

  // Shows the window with the document, its caret and selection where they were, and the
  // focus in it; brings it forward when it is open already.
  void Open();
  // The label's copy of the document as it is now: all of it, in every format.
  void CopyAll();

  TRVQtRichViewWidget* Editor;
  QPushButton* CopyAllButton;
  QPushButton* CloseButton;

signals:
  // CopyAll put the document on the clipboard.
  void CopiedAll();

protected:
  // Shown, the window holds the document; hidden (closed, or minimised by the desktop), the
  // one-line editor does.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  THyperlinkDocument* FDocument;
  TRVQtRichViewWidget* FOneLine;
  TRVQtRichViewWidget::TGuard FGuard;
  bool FPlaced = false;
};

} // namespace quillon
