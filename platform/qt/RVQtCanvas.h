// The engine's canvas and font on Qt.
//
// Measuring needs no paint device: a font of the drawing layer becomes a QFont sized in
// pixels, and Qt measures it in those pixels whatever the screen. The control's host attaches
// a QPainter for the time of a paint event.
#pragma once

#include <QColor>
#include <QFont>
#include <QRawFont>
#include <QPainter>
#include <string_view>

#include "richtext/graphics/RVCanvas.h"

namespace quillon {

// A font of the drawing layer as a Qt font: the family, a pixel size from Height (negative:
// the character height; positive: the cell height, ascent plus descent), the weight (700 for
// bold, 400 otherwise, unless Weight is set), italic, underline, strike-out, and a horizontal
// stretch when Width asks for a given average character width. Kerning is off, as it is for
// the extents the engine's layout is built on, so that a run's width is the sum of its parts.
QFont RVQtMakeFont(const richtext::TRVFont& Font);

// The pixel size RVQtMakeFont gives a font.
int RVQtFontPixelSize(const richtext::TRVFont& Font);

// The RGB colour of an engine colour (system colours resolved).
QColor RVQtColor(richtext::TColor Color);

// The state of a surface (font, brush, pen, spacing, alignment, resolution), with the Qt font
// of its current font at hand. It measures without a device; while a painter is attached it
// also draws on the painter's device, and draws nothing otherwise.
class TRVQtCanvas : public richtext::TRVStateCanvas {
public:
  explicit TRVQtCanvas(int PixelsPerInchX = 96, int PixelsPerInchY = 96)
      : TRVStateCanvas(PixelsPerInchX, PixelsPerInchY) {}

  void SetFont(const richtext::TRVFont& Font) override;
  void SetTextCharacterExtra(int Extra) override;
  // The Qt font of GetFont(), with the character extra spacing.
  const QFont& GetQFont();

  // Not owned; detach (nullptr) before the painter ends.
  void SetPainter(QPainter* Painter) { FPainter = Painter; }
  QPainter* GetPainter() const { return FPainter; }

  void FillRect(const richtext::TRect& R) override;
  void TextOut(int X, int Y, std::u16string_view Text) override;
  // RVQtGlyphs.cpp.
  void TextOutAdvances(int X, int Y, std::u16string_view Text,
                       std::span<const int> Advances) override;
  void Line(int X1, int Y1, int X2, int Y2) override;
  void SaveClip() override;
  void IntersectClipRect(const richtext::TRect& R) override;
  void RestoreClip() override;

private:
  // TextOutAdvances of text Qt shapes, and of every right-to-left run.
  void TextOutShaped(int X, int Y, std::u16string_view Text, std::span<const int> Advances);

  QFont FQFont;
  bool FQFontValid = false;
  // The glyph source of FQFont for runs drawn glyph by glyph; made again with FQFont.
  QRawFont FRawFont;
  bool FRawFontValid = false;
  QPainter* FPainter = nullptr;
};

} // namespace quillon
