// What assistive technology (a screen reader) learns of a rich view widget: its text, the caret
// and the selection, through Qt's accessibility interface. The text is the document's text as
// TRVTextMap lays it out; a hyperlink's target is the description while the caret is in it.
#pragma once

#include <QAccessibleWidget>

namespace richtext {
class TCustomRichView;
}

namespace quillon {

class TRVQtRichViewWidget;

// Registers the interface for rich view widgets with Qt (once; later calls do nothing).
void RVQtInstallAccessibleFactory();

// The caret's offset and the selection's offsets in the accessible text.
int RVQtAccessibleCaretOffset(richtext::TCustomRichView& View);
void RVQtAccessibleSelection(richtext::TCustomRichView& View, int& Start, int& End);

class TRVQtAccessibleRichView : public QAccessibleWidget, public QAccessibleTextInterface {
public:
  explicit TRVQtAccessibleRichView(TRVQtRichViewWidget* Widget);

  void* interface_cast(QAccessible::InterfaceType Type) override;
  QString text(QAccessible::Text Type) const override;
  QAccessible::State state() const override;

  // -- QAccessibleTextInterface --
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
  TRVQtRichViewWidget* Widget() const;
  richtext::TCustomRichView& View() const;
};

} // namespace quillon
