#include "platform/qt/RVQtCursors.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include "richtext/style/RVStyle.h"

namespace quillon {

namespace {

constexpr int kSize = 32;

QPixmap BlankCursorPixmap() {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// An arrow that points up and to the right, for selecting whole lines from the left margin.
QCursor FlipArrowCursor() {
  QPixmap pixmap = BlankCursorPixmap();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPolygonF arrow({{20, 1}, {20, 17}, {16, 13}, {12, 21}, {9, 19}, {13, 11}, {8, 11}});
  painter.setPen(QPen(Qt::white, 1.5));
  painter.setBrush(Qt::black);
  painter.drawPolygon(arrow);
  painter.end();
  return QCursor(pixmap, 20, 1);
}

// An I-beam lying on its side, for text that runs vertically.
QCursor LayingIBeamCursor() {
  QPixmap pixmap = BlankCursorPixmap();
  QPainter painter(&pixmap);
  painter.setPen(QPen(Qt::white, 3));
  painter.drawLine(6, 16, 26, 16);
  painter.drawLine(6, 12, 6, 20);
  painter.drawLine(26, 12, 26, 20);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(6, 16, 26, 16);
  painter.drawLine(6, 12, 6, 20);
  painter.drawLine(26, 12, 26, 20);
  painter.end();
  return QCursor(pixmap, 16, 16);
}

} // namespace

QCursor RVQtCursor(richtext::TCursor Id) {
  using namespace richtext;
  switch (Id) {
  case crIBeam:
    return QCursor(Qt::IBeamCursor);
  case crHandPoint:
    return QCursor(Qt::PointingHandCursor);
  case crJump:
    // The system's hand is preferred to a drawn one.
    return RVIsCursorRegistered(Id) ? QCursor(Qt::PointingHandCursor) : QCursor(Qt::ArrowCursor);
  case crRVFlipArrow:
    return RVIsCursorRegistered(Id) ? FlipArrowCursor() : QCursor(Qt::ArrowCursor);
  case crRVLayingIBeam:
    return RVIsCursorRegistered(Id) ? LayingIBeamCursor() : QCursor(Qt::ArrowCursor);
  default:
    return QCursor(Qt::ArrowCursor);
  }
}

} // namespace quillon
