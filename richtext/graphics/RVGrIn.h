// The graphic interface: text measuring on a canvas.
//
// Everything that needs a real font engine (metrics, extents) goes through this class; the
// platform binding implements it, tests use a fixed-width double. Each style sheet owns one,
// made by the factory the platform registers.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "richtext/base/RVSystem.h"
#include "richtext/graphics/RVCanvas.h"

namespace richtext {

// Metrics of the canvas's current font, in pixels.
struct TRVTextMetric {
  int tmHeight = 0;
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
  int tmWeight = 400;
};

// The outline metrics the engine reads (sub- and superscript sizes and offsets, underscore).
struct TRVOutlineTextMetric {
  int otmAscent = 0;
  int otmDescent = 0;
  TRVSize otmptSubscriptSize;
  TRVSize otmptSubscriptOffset;
  TRVSize otmptSuperscriptSize;
  TRVSize otmptSuperscriptOffset;
  int otmsUnderscoreSize = 0;
  int otmsUnderscorePosition = 0;
};

// Indices of GetDeviceCaps.
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

// Per-font data a graphic interface may keep beside a cached font (shaping caches and the
// like); the plain interface keeps none.
class TRVExtraFontInfo {
public:
  virtual ~TRVExtraFontInfo() = default;
};

class TRVGraphicInterface {
public:
  virtual ~TRVGraphicInterface() = default;

  // False when the font has no such metrics.
  virtual bool GetTextMetrics(TRVCanvas& Canvas, TRVTextMetric& Metric) = 0;
  virtual bool GetOutlineTextMetrics(TRVCanvas& Canvas, TRVOutlineTextMetric& Metric) = 0;
  // Extent of the text in the canvas's current font, every character drawn as its glyph (a
  // soft hyphen as a hyphen). Character extra spacing set on the canvas is added once per
  // UTF-16 unit. cy is the font's cell height.
  virtual TRVSize TextSizeBasic(TRVCanvas& Canvas, std::u16string_view Text) = 0;

  // The advance of every UTF-16 unit of Text in the canvas's current font, in 1/Denominator
  // pixels, when Text's extent is the sum of its parts: TextSizeBasic of any part of Text is
  // then its advances' sum divided by Denominator and rounded (halves up), plus the character
  // extra spacing per unit, and TextSize is derived from it as this class does. Measuring
  // once and summing is then the same as measuring every part. False, with Advances left as
  // they are, when the text must be shaped as a whole (complex scripts, clusters, widths that
  // depend on the neighbours): its parts are measured one by one. Advances has room for
  // Text.size() values. The default knows no advances.
  virtual bool GetTextAdvances(TRVCanvas& Canvas, std::u16string_view Text, std::int32_t* Advances,
                               int& Denominator);

  // Extent as text is laid out: TextSizeBasic less the width of every soft hyphen (unless the
  // font is a symbol font), and before Vista also of zero-width spaces and word joiners.
  virtual void TextSize(TRVCanvas& Canvas, std::u16string_view Text, TRVSize& Size,
                        bool IsSymbolFont, TRVBiDiMode BiDiMode);
  int TextWidth(TRVCanvas& Canvas, std::u16string_view Text, bool IsSymbolFont,
                TRVBiDiMode BiDiMode);
  // How many characters of Text fit in MaxExtent (each prefix measured as TextSize), and the
  // size of the whole text. A MaxExtent below 0 fits nothing. The default bisects over
  // prefixes; implementations with cumulative advances do better.
  virtual void MaxFit(TRVCanvas& Canvas, std::u16string_view Text, TRVSize& Size, int& Fit,
                      bool IsSymbolFont, TRVBiDiMode BiDiMode, int MaxExtent);
  // Whether MaxFit is cheaper than the engine's own probing for a text of Length characters
  // of which about EstimatedFit are expected to fit.
  virtual bool PreferMaxFit(TRVCanvas& Canvas, TRVBiDiMode BiDiMode, int EstimatedFit, int Length,
                            bool UseFormatCanvas);
  // The advance of each character cluster of Text as drawn in the canvas's current font (soft
  // hyphens as TextSizeBasic draws them), on the cluster's first UTF-16 unit; the other units
  // of a cluster get 0. Advances has one entry per unit and adds up to TextSizeBasic's width.
  // They come from GetTextAdvances where it serves; the default otherwise measures each prefix
  // that ends a cluster.
  virtual void GetClusterAdvances(TRVCanvas& Canvas, std::u16string_view Text,
                                  std::vector<int>& Advances);
  // Characters that widen a distributed line: those that start a character cluster and have
  // a non-zero advance.
  virtual int GetExpandableCharCount(TRVCanvas& Canvas, std::u16string_view Text, bool IsSymbolFont,
                                     TRVBiDiMode BiDiMode);

  // Device capabilities (LOGPIXELSX, LOGPIXELSY, HORZRES, VERTRES); 0 for what is unknown.
  virtual int GetDeviceCaps(TRVCanvas& Canvas, int Index);
  // A canvas for the screen, and one compatible with Canvas (same device and resolution,
  // default font and state, identity mapping). The defaults are state-only canvases.
  virtual std::unique_ptr<TRVCanvas> CreateScreenCanvas();
  virtual std::unique_ptr<TRVCanvas> CreateCompatibleCanvas(TRVCanvas& Canvas);
  void DestroyScreenCanvas(std::unique_ptr<TRVCanvas>& Canvas) { Canvas.reset(); }

protected:
  // Cluster advances summed from GetTextAdvances, rounded at each cluster's edge as
  // TextSizeBasic rounds a prefix; false when the text has no such advances.
  bool ClusterAdvancesFromTextAdvances(TRVCanvas& Canvas, std::u16string_view Text,
                                       std::vector<int>& Advances);

public:

  // Mapping modes, extents and world transforms, kept by the canvas.
  int GetMapMode(TRVCanvas& Canvas) { return Canvas.GetMapMode(); }
  void SetMapMode(TRVCanvas& Canvas, int Mode) { Canvas.SetMapMode(Mode); }
  TRVSize GetWindowExt(TRVCanvas& Canvas) { return Canvas.GetWindowExt(); }
  void SetWindowExt(TRVCanvas& Canvas, TRVSize Ext) { Canvas.SetWindowExt(Ext); }
  TRVSize GetViewportExt(TRVCanvas& Canvas) { return Canvas.GetViewportExt(); }
  void SetViewportExt(TRVCanvas& Canvas, TRVSize Ext) { Canvas.SetViewportExt(Ext); }
  int GetGraphicsMode(TRVCanvas& Canvas) { return Canvas.GetGraphicsMode(); }
  void SetGraphicsMode(TRVCanvas& Canvas, int Mode) { Canvas.SetGraphicsMode(Mode); }
  TRVXForm GetWorldTransform(TRVCanvas& Canvas) { return Canvas.GetWorldTransform(); }
  void SetWorldTransform(TRVCanvas& Canvas, const TRVXForm& XForm) {
    Canvas.SetWorldTransform(XForm);
  }
};

// Makes the graphic interface for a style sheet; ComplexScripts asks for the shaping variant.
using TRVGraphicInterfaceFactory =
    std::function<std::unique_ptr<TRVGraphicInterface>(bool ComplexScripts)>;

// The platform binding registers its factory once at start-up. Without one, style sheets have
// no graphic interface and the operations that need metrics fall back to plain estimates.
void RVSetGraphicInterfaceFactory(TRVGraphicInterfaceFactory Factory);
std::unique_ptr<TRVGraphicInterface> RVCreateGraphicInterface(bool ComplexScripts);

} // namespace richtext
