// Text measuring for the engine over Qt fonts: extents from QFontMetricsF, outline metrics
// from the font file's own tables through QRawFont. All results are pixels of the canvas the
// font is set on; fonts are sized in those pixels, so no resolution enters here.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
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
  // A soft hyphen is measured as the hyphen it is drawn as. Text that needs no shaping is
  // summed from the font's advance table; other text is shaped whole by Qt.
  richtext::TRVSize TextSizeBasic(richtext::TRVCanvas& Canvas, std::u16string_view Text) override;
  // Advances in 1/64 pixel (Qt's fixed-point unit, so sums are exact) for text of Latin,
  // Greek, Cyrillic, Han, kana, Hangul syllables and bopomofo with the common punctuation,
  // digits and symbols, as Qt lays such text out with kerning off: each character's advance
  // in the font Qt picks for its script. Marks, controls, surrogates (emoji and other
  // supplementary characters) and every other script need shaping, as does a common
  // character whose advance differs between the scripts the text holds.
  bool GetTextAdvances(richtext::TRVCanvas& Canvas, std::u16string_view Text,
                       std::int32_t* Advances, int& Denominator) override;
  // From the advances above where they serve; otherwise one layout of the run, each
  // cluster's edge read from it (RVQtGlyphs.cpp).
  void GetClusterAdvances(richtext::TRVCanvas& Canvas, std::u16string_view Text,
                          std::vector<int>& Advances) override;
  // HORZRES and VERTRES are the primary screen's size in device pixels.
  int GetDeviceCaps(richtext::TRVCanvas& Canvas, int Index) override;
  std::unique_ptr<richtext::TRVCanvas> CreateScreenCanvas() override;
  std::unique_ptr<richtext::TRVCanvas> CreateCompatibleCanvas(richtext::TRVCanvas& Canvas) override;

  // Scripts around a common character that may change the font Qt measures it in: none,
  // then Latin, Greek, Cyrillic, Han, hiragana, katakana, Hangul, bopomofo, Hebrew.
  static constexpr int Contexts = 10;

private:
  // How a character is measured without shaping.
  struct TCharAdvance {
    // 1/64 pixel: a strong character's own advance; a common character's with no script
    // around it.
    std::int32_t Advance = 0;
    std::uint8_t Kind = 0;
    // Context of a strong character's script; 0 for common characters.
    std::uint8_t Context = 0;
    // For a common character, bit k is set when it takes another advance in context k.
    std::uint16_t DiffersIn = 0;
  };
  static_assert(Contexts <= 16, "a context's bit in DiffersIn");
  using TAdvancePage = std::array<TCharAdvance, 256>;
  struct TWordHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view S) const {
      return std::hash<std::u16string_view>{}(S);
    }
  };
  using TWordAdvances =
      std::unordered_map<std::u16string, std::int64_t, TWordHash, std::equal_to<>>;
  struct TFontEntry {
    TFontEntry(const richtext::TRVFont& K, const QFont& F) : Key(K), Font(F), Metrics(F) {}
    richtext::TRVFont Key;
    QFont Font;
    QFontMetricsF Metrics;
    int CellHeight = 0;
    bool OutlineRead = false;
    std::optional<richtext::TRVOutlineTextMetric> Outline;
    // The advance table, filled as characters are met, by pages of 256 code units.
    std::array<std::unique_ptr<TAdvancePage>, 256> Pages;
    // Shaped advances (1/64 pixel) of the words of text that needs shaping (each with the
    // spaces after it), by the script before the word.
    std::unordered_map<int, TWordAdvances> Words;
    std::size_t WordCount = 0;
  };
  // The few fonts a format call alternates between stay made; the most recent first.
  TFontEntry& Entry(const richtext::TRVCanvas& Canvas);
  const TCharAdvance& CharAdvance(TFontEntry& Entry, char16_t Ch);
  // Every unit's advance in 1/64 pixel; false when the text needs shaping.
  bool Advances(TFontEntry& Entry, std::u16string_view Text, std::int32_t* Out);
  // The advance of text that needs shaping (1/64 pixel), as Qt lays it out whole: the sum of
  // its words, each shaped once after the script that precedes it.
  std::int64_t ShapedAdvance(TFontEntry& Entry, std::u16string_view Text);
  std::vector<std::unique_ptr<TFontEntry>> FFonts;
  // Font serials of canvases met lately and their fonts' entries, the most recent first, so
  // that a canvas's font is not looked for again.
  std::vector<std::pair<std::uint64_t, TFontEntry*>> FSerials;
  std::vector<std::int32_t> FScratch;
};

// Outline metrics of a font file's tables for a font of PixelSize pixels; nothing when the
// font has no "OS/2" table.
std::optional<richtext::TRVOutlineTextMetric> RVQtReadOutlineMetrics(const QRawFont& Font);

} // namespace quillon
