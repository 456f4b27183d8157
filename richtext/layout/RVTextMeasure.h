// How much of a run of text fits in a width, and how wide a run is.
//
// Measuring may happen on the high-resolution format canvas (RVFORMATCANVASFACTOR times the
// resolution), so that widths do not depend on the screen's rounding; widths and sizes handed
// back to layout are always device pixels.
#pragma once

#include <cstdint>
#include <string_view>

#include "richtext/base/RVUni.h"
#include "richtext/graphics/RVGrIn.h"
#include "richtext/style/RVStyleTypes.h"

namespace richtext {

class TRVFontInfoCacheItem;
class TRVTextWidths;

inline constexpr int RVFORMATCANVASFACTOR = 100;

// v x RVFORMATCANVASFACTOR.
int RVConvertToFormatCanvas(int Value);
// v / RVFORMATCANVASFACTOR rounded to the nearest integer, ties to the even one.
int RVConvertFromFormatCanvas(int Value);

// How the fit of a run is found: the graphic interface's own MaxFit always (rvsfmEngine),
// the engine's probing search always (rvsfmTRichView), or whichever the interface prefers.
enum TRVStringFormatMethod : std::uint8_t { rvsfmAuto, rvsfmEngine, rvsfmTRichView };
extern TRVStringFormatMethod RichViewStringFormatMethod;


// The font and surface a run is measured with. Widths here are measuring units: format canvas
// units when UseFormatCanvas, device pixels otherwise.
struct TRVMeasureContext {
  TRVGraphicInterface* GraphicInterface = nullptr;
  TRVCanvas* Canvas = nullptr;
  int AverageCharWidth = 1;
  // Width a run ending in a soft hyphen gains (the hyphen then shown).
  int HyphenWidth = 0;
  bool IsSymbolFont = false;
  TRVBiDiMode BiDiMode = rvbdUnspecified;
  bool UseFormatCanvas = false;
  // The widths of the text being laid out in this font, when it was measured at once: runs
  // inside that text are then looked up, not measured. Not owned; may be null.
  const TRVTextWidths* Widths = nullptr;
  // The font's cell height in measuring units: the height of every run looked up.
  int CellHeight = 0;

  // The context of a cached font: its canvas, AverageCharWidth, HyphenWidthFC, symbol flag
  // and the direction it was applied for.
  static TRVMeasureContext FromCacheItem(TRVGraphicInterface& GraphicInterface,
                                         const TRVFontInfoCacheItem& Item, bool UseFormatCanvas);

  // TextSize of the run, in measuring units.
  TRVSize Measure(std::u16string_view Run) const;
  // The same plus HyphenWidth when the run ends in a soft hyphen.
  TRVSize MeasureWithHyphen(std::u16string_view Run) const;
};

// The number of leading characters of Str that fit in Width device pixels, with
// RichViewStringFormatMethod choosing the search. MaxLength > 0 caps the characters looked at;
// without CanWrap (no-wrap paragraph, word wrap not allowed) everything looked at fits. A fit
// never ends inside a character cluster or right before a soft hyphen. Size, when given,
// receives the size of the fitting run in device pixels, with the hyphen's width when it ends
// in a soft hyphen. Width 0 or below fits nothing.
int MaxFitW(const TRVMeasureContext& Context, std::u16string_view Str, int Width, int MaxLength,
            bool CanWrap, TRVSize* Size = nullptr);

// The fit through the graphic interface's MaxFit, with soft hyphens and clusters settled.
// Width and Size are measuring units; MaxLength > 0 caps the characters looked at.
int MaxFitSafe(const TRVMeasureContext& Context, std::u16string_view Str, int Width, int MaxLength,
               TRVSize& Size);

// Doubling probes for the fit search over Str (all of it is looked at). Returns true when
// the whole of Str fits in Width (Hi = length, HiWidth its width); otherwise Hi is a count of
// characters that does not fit and HiWidth its width.
bool GetBSearchInitialBounds(const TRVMeasureContext& Context, std::u16string_view Str, int Width,
                             int& Hi, int& HiWidth);

// Widens a fit of Fit characters to end on a character boundary (surrogate pairs and
// clusters kept whole); 0 stays 0.
int AdjustMaxFit(std::u16string_view Str, int Fit);
// Narrows a fit to the character boundary before it.
int AdjustMaxFitL(std::u16string_view Str, int Fit);

// Size of a run in device pixels (converted back from the format canvas), with the hyphen's
// width when the run ends in a soft hyphen.
TRVSize CalculateStringSize(const TRVMeasureContext& Context, std::u16string_view Run);

} // namespace richtext
