// The graphic interface: text measuring on a canvas.
//
// Everything that needs a real font engine (metrics, extents) goes through this class; the
// platform binding implements it, tests use a fixed-width double. Each style sheet owns one,
// made by the factory the platform registers.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "richtext/layout/RVCanvas.h"

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

class TRVGraphicInterface {
public:
  virtual ~TRVGraphicInterface() = default;

  // False when the font has no such metrics.
  virtual bool GetTextMetrics(TRVCanvas& Canvas, TRVTextMetric& Metric) = 0;
  virtual bool GetOutlineTextMetrics(TRVCanvas& Canvas, TRVOutlineTextMetric& Metric) = 0;
  // Extent of the text in the canvas's current font; character extra spacing set on the
  // canvas is added once per character.
  virtual TRVSize TextSizeBasic(TRVCanvas& Canvas, std::u16string_view Text) = 0;
};

// Makes the graphic interface for a style sheet; ComplexScripts asks for the shaping variant.
using TRVGraphicInterfaceFactory =
    std::function<std::unique_ptr<TRVGraphicInterface>(bool ComplexScripts)>;

// The platform binding registers its factory once at start-up. Without one, style sheets have
// no graphic interface and the operations that need metrics fall back to plain estimates.
void RVSetGraphicInterfaceFactory(TRVGraphicInterfaceFactory Factory);
std::unique_ptr<TRVGraphicInterface> RVCreateGraphicInterface(bool ComplexScripts);

} // namespace richtext
