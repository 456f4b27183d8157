// The window that shows a rich view control: a sunken frame around a white client area in
// which the engine paints the control's formatted document.
//
// The control stays the engine's object, owned elsewhere; this widget only tells it its
// client size, formats it again when that size changes, and paints it on request.
#pragma once

#include <QFrame>

#include "platform/qt/RVQtCanvas.h"
#include "richtext/control/RichView.h"

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

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  richtext::TCustomRichView* FView;
  TRVQtCanvas* FCanvas;
};

} // namespace quillon
