#include "platform/qt/RVQtRichViewWidget.h"

#include <QPainter>
#include <QPalette>
#include <exception>

namespace quillon {

TRVQtRichViewWidget::TRVQtRichViewWidget(richtext::TCustomRichView& View, TRVQtCanvas& Canvas,
                                         QWidget* parent)
    : QFrame(parent), FView(&View), FCanvas(&Canvas) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, Editor() != nullptr);
  FView->SetHost(this);
  UpdateClientSize();
}

TRVQtRichViewWidget::~TRVQtRichViewWidget() {
  if (FView->GetHost() == this)
    FView->SetHost(nullptr);
}

void TRVQtRichViewWidget::UpdateClientSize() {
  const QRect area = contentsRect();
  if (area.width() == FView->GetClientWidth() && area.height() == FView->GetClientHeight())
    return;
  FView->SetClientSize(area.width(), area.height());
  if (FView->RVData->DrawItems.Count() > 0)
    FView->Reformat();
  update();
}

void TRVQtRichViewWidget::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  UpdateClientSize();
}

void TRVQtRichViewWidget::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  update(); // the selection changes colour with the focus
}

void TRVQtRichViewWidget::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  update();
}

void TRVQtRichViewWidget::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  const QRect area = contentsRect();
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
    data.PaintTo(*FCanvas, richtext::TRect{0, 0, area.width(), area.height()}, false, false,
                 false, false, false, 0, 0);
  } catch (const std::exception&) {
  }
  FCanvas->SetPainter(nullptr);
  PaintPreedit(painter);
}

} // namespace quillon
