#include "platform/qt/RVQtGraphicInterface.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "platform/qt/RVQtCanvas.h"
#include "richtext/base/RVUni.h"

namespace quillon {

using richtext::TRVCanvas;
using richtext::TRVOutlineTextMetric;
using richtext::TRVSize;
using richtext::TRVTextMetric;

namespace {

constexpr std::size_t MaxCachedFonts = 16;

// Byte offsets of the fields read from the "OS/2" and "post" tables (big-endian int16).
constexpr int OS2SubscriptXSize = 10;
constexpr int OS2SubscriptYSize = 12;
constexpr int OS2SubscriptXOffset = 14;
constexpr int OS2SubscriptYOffset = 16;
constexpr int OS2SuperscriptXSize = 18;
constexpr int OS2SuperscriptYSize = 20;
constexpr int OS2SuperscriptXOffset = 22;
constexpr int OS2SuperscriptYOffset = 24;
constexpr int OS2TypoAscender = 68;
constexpr int OS2TypoDescender = 70;
constexpr int PostUnderlinePosition = 8;
constexpr int PostUnderlineThickness = 10;

int Int16At(const QByteArray& Table, int Offset) {
  return qFromBigEndian<qint16>(Table.constData() + Offset);
}

int CeilPixels(qreal v) {
  // Tolerate the fixed-point noise of the font engine before rounding up.
  return static_cast<int>(std::ceil(v - 1.0 / 64));
}

} // namespace

std::optional<TRVOutlineTextMetric> RVQtReadOutlineMetrics(const QRawFont& Font) {
  if (!Font.isValid() || Font.unitsPerEm() <= 0)
    return std::nullopt;
  const QByteArray os2 = Font.fontTable("OS/2");
  if (os2.size() < OS2SuperscriptYOffset + 2)
    return std::nullopt;
  const qreal scale = Font.pixelSize() / Font.unitsPerEm();
  auto px = [scale](int units) { return static_cast<int>(std::lround(units * scale)); };
  TRVOutlineTextMetric m;
  m.otmptSubscriptSize = {px(Int16At(os2, OS2SubscriptXSize)), px(Int16At(os2, OS2SubscriptYSize))};
  m.otmptSubscriptOffset = {px(Int16At(os2, OS2SubscriptXOffset)),
                            px(Int16At(os2, OS2SubscriptYOffset))};
  m.otmptSuperscriptSize = {px(Int16At(os2, OS2SuperscriptXSize)),
                            px(Int16At(os2, OS2SuperscriptYSize))};
  m.otmptSuperscriptOffset = {px(Int16At(os2, OS2SuperscriptXOffset)),
                              px(Int16At(os2, OS2SuperscriptYOffset))};
  if (os2.size() >= OS2TypoDescender + 2) {
    m.otmAscent = px(Int16At(os2, OS2TypoAscender));
    m.otmDescent = px(Int16At(os2, OS2TypoDescender));
  } else {
    m.otmAscent = static_cast<int>(std::lround(Font.ascent()));
    m.otmDescent = -static_cast<int>(std::lround(Font.descent()));
  }
  const QByteArray post = Font.fontTable("post");
  if (post.size() >= PostUnderlineThickness + 2) {
    m.otmsUnderscorePosition = px(Int16At(post, PostUnderlinePosition));
    m.otmsUnderscoreSize = std::max(1, px(Int16At(post, PostUnderlineThickness)));
  } else {
    m.otmsUnderscorePosition = -static_cast<int>(std::lround(Font.underlinePosition()));
    m.otmsUnderscoreSize = std::max(1, static_cast<int>(std::lround(Font.lineThickness())));
  }
  return m;
}

TRVQtGraphicInterface::TFontEntry& TRVQtGraphicInterface::Entry(const TRVCanvas& Canvas) {
  const richtext::TRVFont& key = Canvas.GetFont();
  auto it =
      std::find_if(FFonts.begin(), FFonts.end(), [&](const auto& e) { return e->Key == key; });
  if (it == FFonts.end()) {
    QFont font = RVQtMakeFont(key);
    auto e = std::unique_ptr<TFontEntry>(
        new TFontEntry{key, font, QFontMetricsF(font), false, std::nullopt});
    if (FFonts.size() >= MaxCachedFonts)
      FFonts.pop_back();
    FFonts.insert(FFonts.begin(), std::move(e));
    return *FFonts.front();
  }
  std::rotate(FFonts.begin(), it, it + 1);
  return *FFonts.front();
}

bool TRVQtGraphicInterface::GetTextMetrics(TRVCanvas& Canvas, TRVTextMetric& M) {
  TFontEntry& e = Entry(Canvas);
  const QFontMetricsF& fm = e.Metrics;
  M = {};
  M.tmAscent = CeilPixels(fm.ascent());
  M.tmDescent = CeilPixels(fm.descent());
  M.tmHeight = M.tmAscent + M.tmDescent;
  M.tmInternalLeading = std::max(0, M.tmHeight - e.Font.pixelSize());
  M.tmExternalLeading = std::max(0, static_cast<int>(std::lround(fm.leading())));
  M.tmAveCharWidth = static_cast<int>(std::lround(fm.averageCharWidth()));
  M.tmMaxCharWidth = static_cast<int>(std::lround(fm.maxWidth()));
  M.tmWeight = e.Font.weight();
  return true;
}

bool TRVQtGraphicInterface::GetOutlineTextMetrics(TRVCanvas& Canvas, TRVOutlineTextMetric& M) {
  TFontEntry& e = Entry(Canvas);
  if (!e.OutlineRead) {
    e.Outline = RVQtReadOutlineMetrics(QRawFont::fromFont(e.Font));
    e.OutlineRead = true;
  }
  if (!e.Outline)
    return false;
  M = *e.Outline;
  return true;
}

TRVSize TRVQtGraphicInterface::TextSizeBasic(TRVCanvas& Canvas, std::u16string_view Text) {
  TFontEntry& e = Entry(Canvas);
  const int height = CeilPixels(e.Metrics.ascent()) + CeilPixels(e.Metrics.descent());
  if (Text.empty())
    return {0, height};
  QString s = QString::fromUtf16(Text.data(), static_cast<qsizetype>(Text.size()));
  s.replace(QChar(richtext::RV_SOFTHYPHEN), QChar(u'-'));
  const int cx = static_cast<int>(std::lround(e.Metrics.horizontalAdvance(s))) +
                 Canvas.GetTextCharacterExtra() * static_cast<int>(Text.size());
  return {cx, height};
}

int TRVQtGraphicInterface::GetDeviceCaps(TRVCanvas& Canvas, int Index) {
  if (Index == richtext::HORZRES || Index == richtext::VERTRES) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
      return 0;
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    return Index == richtext::HORZRES ? size.width() : size.height();
  }
  return TRVGraphicInterface::GetDeviceCaps(Canvas, Index);
}

std::unique_ptr<TRVCanvas> TRVQtGraphicInterface::CreateScreenCanvas() {
  const int ppi = richtext::RV_GetScreenPixelsPerInch();
  return std::make_unique<TRVQtCanvas>(ppi, ppi);
}

std::unique_ptr<TRVCanvas> TRVQtGraphicInterface::CreateCompatibleCanvas(TRVCanvas& Canvas) {
  return std::make_unique<TRVQtCanvas>(Canvas.GetPixelsPerInchX(), Canvas.GetPixelsPerInchY());
}

} // namespace quillon
