// The engine's canvas and font on Qt.
//
// Measuring needs no paint device: a font of the drawing layer becomes a QFont sized in
// pixels, and Qt measures it in those pixels whatever the screen. Painting on a QPainter is
// added beside this canvas when the control is drawn.
#pragma once

#include <QFont>

#include "richtext/layout/RVCanvas.h"

namespace quillon {

// A font of the drawing layer as a Qt font: the family, a pixel size from Height (negative:
// the character height; positive: the cell height, ascent plus descent), the weight (700 for
// bold, 400 otherwise, unless Weight is set), italic, underline, strike-out, and a horizontal
// stretch when Width asks for a given average character width. Kerning is off, as it is for
// the extents the engine's layout is built on, so that a run's width is the sum of its parts.
QFont RVQtMakeFont(const richtext::TRVFont& Font);

// The pixel size RVQtMakeFont gives a font.
int RVQtFontPixelSize(const richtext::TRVFont& Font);

// A measuring canvas: the state of a surface (font, brush, pen, spacing, alignment,
// resolution), with the Qt font of its current font at hand.
class TRVQtCanvas : public richtext::TRVStateCanvas {
public:
  explicit TRVQtCanvas(int PixelsPerInchX = 96, int PixelsPerInchY = 96)
      : TRVStateCanvas(PixelsPerInchX, PixelsPerInchY) {}

  void SetFont(const richtext::TRVFont& Font) override;
  // The Qt font of GetFont().
  const QFont& GetQFont();

private:
  QFont FQFont;
  bool FQFontValid = false;
};

} // namespace quillon
