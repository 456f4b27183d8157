// Text placed glyph by glyph: the advances a run is measured with, and drawing it at exactly
// those positions, so that selection edges and the caret fall between glyphs as drawn.
//
// Text that needs no shaping (each code point one glyph of the font, no joining, no
// reordering) is drawn as one glyph run at the given positions. A character the font lacks is
// drawn cluster by cluster through Qt's own fallback, each cluster at its place. Complex
// scripts and right-to-left runs are shaped whole by Qt, and their clusters moved to their
// measured places.
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QString>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphicInterface.h"
#include "richtext/base/RVCharNav.h"
#include "richtext/base/RVUni.h"

namespace quillon {

namespace {

// Scripts whose glyphs depend on their neighbours (joining, reordering, marks placed by the
// font), the direction and joining controls, variation selectors and everything outside the
// basic plane (emoji sequences among it).
bool NeedsShaping(std::u16string_view Text) {
  for (char16_t c : Text) {
    if ((c >= 0x0590 && c <= 0x08FF) || (c >= 0x0900 && c <= 0x0DFF) ||
        (c >= 0x0E00 && c <= 0x0FFF) || (c >= 0x1000 && c <= 0x109F) ||
        (c >= 0x1780 && c <= 0x18AF) || (c >= 0x200C && c <= 0x200F) ||
        (c >= 0x202A && c <= 0x202E) || (c >= 0xFB1D && c <= 0xFDFF) ||
        (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xFE70 && c <= 0xFEFF) ||
        richtext::RVU_IsSurrogate(c))
      return true;
  }
  return false;
}

QString ToQString(std::u16string_view Text) {
  return QString::fromUtf16(Text.data(), static_cast<qsizetype>(Text.size()));
}

// One unwrapped line of the run laid out by Qt from x 0, in its direction (a soft hyphen shows
// as the hyphen it stands for); an invalid line when there is nothing to lay out. Right to
// left, the clusters' edges fall from the right end to 0.
QTextLine LayOutRun(QTextLayout& Layout, std::u16string_view Text, bool RightToLeft) {
  QString s = ToQString(Text);
  s.replace(QChar(richtext::RV_SOFTHYPHEN), QChar(u'-'));
  Layout.setText(s);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  if (RightToLeft) {
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
  }
  Layout.setTextOption(option);
  Layout.beginLayout();
  QTextLine line = Layout.createLine();
  if (line.isValid()) {
    line.setLineWidth(1e9);
    line.setPosition(QPointF(0, 0));
  }
  Layout.endLayout();
  return line;
}

} // namespace

void TRVQtGraphicInterface::GetClusterAdvances(richtext::TRVCanvas& Canvas,
                                               std::u16string_view Text,
                                               std::vector<int>& Advances) {
  if (ClusterAdvancesFromTextAdvances(Canvas, Text, Advances))
    return;
  Advances.assign(Text.size(), 0);
  if (Text.empty())
    return;
  auto* qtCanvas = dynamic_cast<TRVQtCanvas*>(&Canvas);
  QFont font = qtCanvas != nullptr ? qtCanvas->GetQFont() : RVQtMakeFont(Canvas.GetFont());
  // One layout of the whole run; each cluster's edge is read from it and rounded, so the
  // advances add up to the run's rounded width.
  const bool rightToLeft = (Canvas.GetTextAlign() & richtext::TA_RTLREADING) != 0;
  QTextLayout layout(QString(), font);
  const QTextLine line = LayOutRun(layout, Text, rightToLeft);
  if (!line.isValid())
    return;
  const int extra = qtCanvas != nullptr ? 0 : Canvas.GetTextCharacterExtra();
  if (rightToLeft) {
    int edge = static_cast<int>(std::lround(line.cursorToX(0)));
    for (int i = 0, n = static_cast<int>(Text.size()); i < n;) {
      const int next = richtext::RVU_NextCharIndex(Text, i);
      const int after = static_cast<int>(std::lround(line.cursorToX(next)));
      Advances[static_cast<std::size_t>(i)] = std::abs(edge - after) + extra * (next - i);
      edge = after;
      i = next;
    }
    return;
  }
  int left = 0;
  for (int i = 0, n = static_cast<int>(Text.size()); i < n;) {
    const int next = richtext::RVU_NextCharIndex(Text, i);
    const int right = static_cast<int>(std::lround(line.cursorToX(next))) + extra * next;
    Advances[static_cast<std::size_t>(i)] = right - left;
    left = right;
    i = next;
  }
}

void TRVQtCanvas::TextOutAdvances(int X, int Y, std::u16string_view Text,
                                  std::span<const int> Advances) {
  const unsigned align = GetTextAlign();
  if (FPainter == nullptr || Text.empty() || Advances.size() != Text.size() ||
      (align & richtext::TA_BASELINE) != richtext::TA_BASELINE ||
      (align & richtext::TA_CENTER) != 0) {
    TextOut(X, Y, Text);
    return;
  }
  if ((align & richtext::TA_RTLREADING) != 0 || NeedsShaping(Text)) {
    TextOutShaped(X, Y, Text, Advances);
    return;
  }
  const QFont& font = GetQFont();
  FPainter->setFont(font);
  FPainter->setPen(RVQtColor(GetFont().Color));
  if (!FRawFontValid) {
    FRawFont = QRawFont::fromFont(font);
    FRawFontValid = true;
  }
  const QRawFont& raw = FRawFont;
  const QString s = ToQString(Text);
  const QList<quint32> glyphs = raw.isValid() ? raw.glyphIndexesForString(s) : QList<quint32>();
  const bool complete = glyphs.size() == static_cast<qsizetype>(Text.size()) &&
                        std::find(glyphs.begin(), glyphs.end(), 0u) == glyphs.end();
  if (!complete) {
    // Characters from fallback fonts: each cluster on its own, at its place.
    int x = X;
    for (int i = 0, n = static_cast<int>(Text.size()); i < n;) {
      const int next = richtext::RVU_NextCharIndex(Text, i);
      FPainter->drawText(QPointF(x, Y), ToQString(Text.substr(static_cast<std::size_t>(i),
                                                              static_cast<std::size_t>(next - i))));
      for (int k = i; k < next; ++k)
        x += Advances[static_cast<std::size_t>(k)];
      i = next;
    }
    return;
  }
  // Each cluster starts at its measured place; marks inside a cluster follow the base glyph
  // by the font's own advances.
  const QList<QPointF> natural = raw.advancesForGlyphIndexes(glyphs);
  QList<QPointF> positions(glyphs.size());
  qreal x = X;
  qreal pen = X;
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    const bool clusterStart =
        i == 0 || richtext::RVU_NextCharIndex(Text, richtext::RVU_PrevCharIndex(
                                                        Text, static_cast<int>(i))) ==
                      static_cast<int>(i);
    if (clusterStart)
      pen = x;
    positions[i] = QPointF(pen, Y);
    pen += natural[i].x() + GetTextCharacterExtra();
    x += Advances[static_cast<std::size_t>(i)];
  }
  QGlyphRun run;
  run.setRawFont(raw);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  FPainter->drawGlyphRun(QPointF(0, 0), run);
}

// Shaped text keeps the glyphs Qt's layout of the whole run gives it (joined, reordered, marks
// placed, mirrored right to left); each cluster is moved by the difference between its left
// edge in that layout and its measured one (a justified line's widened spaces, a distributed
// line's characters), and the clusters moved alike are drawn together.
void TRVQtCanvas::TextOutShaped(int X, int Y, std::u16string_view Text,
                                std::span<const int> Advances) {
  const bool rightToLeft = (GetTextAlign() & richtext::TA_RTLREADING) != 0;
  QTextLayout layout(QString(), GetQFont());
  const QTextLine line = LayOutRun(layout, Text, rightToLeft);
  if (!line.isValid())
    return;
  struct TPiece {
    int From, Length, Shift;
  };
  std::vector<TPiece> pieces;
  int total = 0;
  for (int a : Advances)
    total += a;
  int before = 0;
  // The cluster's edge in reading order before it, carried over from the one before.
  qreal edgeBefore = line.cursorToX(0);
  for (int i = 0, n = static_cast<int>(Text.size()); i < n;) {
    const int next = richtext::RVU_NextCharIndex(Text, i);
    int after = before;
    for (int k = i; k < next; ++k)
      after += Advances[static_cast<std::size_t>(k)];
    // Right to left the run's first cluster is at its right end.
    const int left = rightToLeft ? X + total - after : X + before;
    const qreal edgeAfter = line.cursorToX(next);
    const int natural = static_cast<int>(std::lround(std::min(edgeBefore, edgeAfter)));
    edgeBefore = edgeAfter;
    const int shift = left - natural;
    if (pieces.empty() || pieces.back().Shift != shift)
      pieces.push_back(TPiece{i, next - i, shift});
    else
      pieces.back().Length += next - i;
    before = after;
    i = next;
  }
  FPainter->setPen(RVQtColor(GetFont().Color));
  const qreal top = Y - line.ascent();
  for (const TPiece& piece : pieces)
    for (const QGlyphRun& run : layout.glyphRuns(piece.From, piece.Length))
      FPainter->drawGlyphRun(QPointF(piece.Shift, top), run);
}

} // namespace quillon
