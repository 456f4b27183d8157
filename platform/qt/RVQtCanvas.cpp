#include "platform/qt/RVQtCanvas.h"

#include <QFontMetricsF>
#include <QPen>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "richtext/style/RVColor.h"

namespace quillon {

namespace {

// Cell heights are turned into em sizes with the family's proportions measured at this size.
constexpr int ReferencePixelSize = 1000;
// A font without a height is shown at 12 points.
constexpr int DefaultPoints = 12;

QFont BaseFont(const richtext::TRVFont& Font) {
  QFont f(QString::fromStdU16String(Font.Name));
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setKerning(false);
  const int weight =
      Font.Weight > 0 ? Font.Weight : (Font.Style.Contains(richtext::fsBold) ? 700 : 400);
  f.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
  f.setItalic(Font.Style.Contains(richtext::fsItalic));
  f.setUnderline(Font.Style.Contains(richtext::fsUnderline));
  f.setStrikeOut(Font.Style.Contains(richtext::fsStrikeOut));
  return f;
}

} // namespace

int RVQtFontPixelSize(const richtext::TRVFont& Font) {
  if (Font.Height < 0)
    return -Font.Height;
  if (Font.Height == 0) {
    const int ppi = Font.PixelsPerInch > 0 ? Font.PixelsPerInch : 96;
    return std::max(1, static_cast<int>(std::lround(DefaultPoints * ppi / 72.0)));
  }
  QFont ref = BaseFont(Font);
  ref.setPixelSize(ReferencePixelSize);
  const QFontMetricsF fm(ref);
  const qreal cell = fm.ascent() + fm.descent();
  if (cell <= 0)
    return Font.Height;
  return std::max(1, static_cast<int>(std::lround(Font.Height * ReferencePixelSize / cell)));
}

QFont RVQtMakeFont(const richtext::TRVFont& Font) {
  QFont f = BaseFont(Font);
  f.setPixelSize(RVQtFontPixelSize(Font));
  if (Font.Width > 0) {
    const qreal natural = QFontMetricsF(f).averageCharWidth();
    if (natural > 0)
      f.setStretch(
          std::clamp(static_cast<int>(std::lround(Font.Width * 100.0 / natural)), 1, 4000));
  }
  return f;
}

QColor RVQtColor(richtext::TColor Color) {
  const richtext::TColor rgb = richtext::ColorToRGB(Color);
  return QColor(richtext::RVGetRValue(rgb), richtext::RVGetGValue(rgb),
                richtext::RVGetBValue(rgb));
}

void TRVQtCanvas::SetTextCharacterExtra(int Extra) {
  if (Extra != GetTextCharacterExtra())
    FQFontValid = false;
  TRVStateCanvas::SetTextCharacterExtra(Extra);
}

void TRVQtCanvas::FillRect(const richtext::TRect& R) {
  if (FPainter == nullptr || GetBrush().Style == richtext::bsClear || R.Width() <= 0 ||
      R.Height() <= 0)
    return;
  FPainter->fillRect(QRect(R.Left, R.Top, R.Width(), R.Height()), RVQtColor(GetBrush().Color));
}

void TRVQtCanvas::TextOut(int X, int Y, std::u16string_view Text) {
  if (FPainter == nullptr || Text.empty())
    return;
  const QString text = QString::fromUtf16(Text.data(), static_cast<qsizetype>(Text.size()));
  const QFont& font = GetQFont();
  const QFontMetricsF fm(font);
  const unsigned align = GetTextAlign();
  qreal x = X;
  qreal y = Y;
  if ((align & richtext::TA_BASELINE) == richtext::TA_BASELINE)
    ; // Qt draws at the baseline already
  else if (align & richtext::TA_BOTTOM)
    y -= fm.descent();
  else
    y += fm.ascent();
  if ((align & richtext::TA_CENTER) == richtext::TA_CENTER)
    x -= fm.horizontalAdvance(text) / 2;
  else if (align & richtext::TA_RIGHT)
    x -= fm.horizontalAdvance(text);
  FPainter->setFont(font);
  FPainter->setPen(RVQtColor(GetFont().Color));
  if (align & richtext::TA_RTLREADING) {
    // Laid out right to left from x: the text's own bidirectional pass starts from that side.
    const Qt::LayoutDirection direction = FPainter->layoutDirection();
    FPainter->setLayoutDirection(Qt::RightToLeft);
    FPainter->drawText(QPointF(x, y), text);
    FPainter->setLayoutDirection(direction);
    return;
  }
  FPainter->drawText(QPointF(x, y), text);
}

void TRVQtCanvas::Line(int X1, int Y1, int X2, int Y2) {
  if (FPainter == nullptr || GetPen().Style == richtext::psClear)
    return;
  const QColor color = RVQtColor(GetPen().Color);
  const int w = std::max(1, GetPen().Width);
  // Straight lines are filled pixel rows or columns, so that they land on exact pixels
  // whatever the painter's pen rules; the end point is not drawn.
  if (Y1 == Y2) {
    FPainter->fillRect(QRect(std::min(X1, X2), Y1 - (w - 1) / 2, std::abs(X2 - X1), w), color);
    return;
  }
  if (X1 == X2) {
    FPainter->fillRect(QRect(X1 - (w - 1) / 2, std::min(Y1, Y2), w, std::abs(Y2 - Y1)), color);
    return;
  }
  FPainter->setPen(QPen(color, w));
  FPainter->drawLine(X1, Y1, X2, Y2);
}

void TRVQtCanvas::SaveClip() {
  if (FPainter != nullptr)
    FPainter->save();
}

void TRVQtCanvas::IntersectClipRect(const richtext::TRect& R) {
  if (FPainter != nullptr)
    FPainter->setClipRect(QRect(R.Left, R.Top, R.Width(), R.Height()), Qt::IntersectClip);
}

void TRVQtCanvas::RestoreClip() {
  if (FPainter != nullptr)
    FPainter->restore();
}

void TRVQtCanvas::SetFont(const richtext::TRVFont& Font) {
  if (!(Font == GetFont()))
    FQFontValid = false;
  TRVStateCanvas::SetFont(Font);
}

const QFont& TRVQtCanvas::GetQFont() {
  if (!FQFontValid) {
    FQFont = RVQtMakeFont(GetFont());
    if (GetTextCharacterExtra() != 0)
      FQFont.setLetterSpacing(QFont::AbsoluteSpacing, GetTextCharacterExtra());
    FRawFontValid = false;
    FQFontValid = true;
  }
  return FQFont;
}

} // namespace quillon
