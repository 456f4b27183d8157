#include "platform/qt/RVQtCanvas.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <cmath>

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

void TRVQtCanvas::SetFont(const richtext::TRVFont& Font) {
  if (!(Font == GetFont()))
    FQFontValid = false;
  TRVStateCanvas::SetFont(Font);
}

const QFont& TRVQtCanvas::GetQFont() {
  if (!FQFontValid) {
    FQFont = RVQtMakeFont(GetFont());
    FQFontValid = true;
  }
  return FQFont;
}

} // namespace quillon
