// Text measuring for the engine over Qt fonts: extents from QFontMetricsF, outline metrics
// from the font file's own tables through QRawFont. All results are pixels of the canvas the
// font is set on; fonts are sized in those pixels, so no resolution enters here.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <memory>
#include <optional>
#include <vector>

#include "richtext/graphics/RVGrIn.h"

namespace quillon {

class TRVQtGraphicInterface : public richtext::TRVGraphicInterface {
public:
  // Ascent and descent are rounded up to whole pixels, so that the cell holds every glyph;
  // the height is their sum, the internal leading what it has above the em size.
  bool GetTextMetrics(richtext::TRVCanvas& Canvas, richtext::TRVTextMetric& Metric) override;
  // Script sizes and offsets from the "OS/2" table, the underline from "post", scaled by the
  // em size; false when the font has no "OS/2" table.
  bool GetOutlineTextMetrics(richtext::TRVCanvas& Canvas,
                             richtext::TRVOutlineTextMetric& Metric) override;
  // A soft hyphen is measured as the hyphen it is drawn as.
  richtext::TRVSize TextSizeBasic(richtext::TRVCanvas& Canvas, std::u16string_view Text) override;
  // One layout of the run, each cluster's edge read from it (RVQtGlyphs.cpp).
  void GetClusterAdvances(richtext::TRVCanvas& Canvas, std::u16string_view Text,
                          std::vector<int>& Advances) override;
  // HORZRES and VERTRES are the primary screen's size in device pixels.
  int GetDeviceCaps(richtext::TRVCanvas& Canvas, int Index) override;
  std::unique_ptr<richtext::TRVCanvas> CreateScreenCanvas() override;
  std::unique_ptr<richtext::TRVCanvas> CreateCompatibleCanvas(richtext::TRVCanvas& Canvas) override;

private:
  struct TFontEntry {
    richtext::TRVFont Key;
    QFont Font;
    QFontMetricsF Metrics;
    bool OutlineRead = false;
    std::optional<richtext::TRVOutlineTextMetric> Outline;
  };
  // The few fonts a format call alternates between stay made; the most recent first.
  TFontEntry& Entry(const richtext::TRVCanvas& Canvas);
  std::vector<std::unique_ptr<TFontEntry>> FFonts;
};

// Outline metrics of a font file's tables for a font of PixelSize pixels; nothing when the
// font has no "OS/2" table.
std::optional<richtext::TRVOutlineTextMetric> RVQtReadOutlineMetrics(const QRawFont& Font);

} // namespace quillon
