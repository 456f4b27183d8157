// The widths of every part of one text, from one measurement.
//
// The fit search probes a line's text several times and the formatter measures the run it
// settles on, the space it drops at a wrap and the characters a distributed line widens. When
// the graphic interface can give the text's advances (text that needs no shaping as a whole),
// the text is measured once and every part's width is a difference of prefix sums, equal to
// what TextSize would give for that part. Otherwise nothing is kept and parts are measured one
// by one, each shaped whole.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "richtext/graphics/RVGrIn.h"

namespace richtext {

class TRVTextWidths {
public:
  // Measures Text in the canvas's current font; false (and nothing kept) when the interface
  // gives no advances for it. Text must outlive the widths or the next Assign.
  bool Assign(TRVGraphicInterface& GraphicInterface, TRVCanvas& Canvas, std::u16string_view Text,
              bool IsSymbolFont);
  void Clear();
  bool IsValid() const { return FValid; }
  std::u16string_view Text() const { return FText; }

  // Run lies inside the measured text (the same characters in the same memory).
  bool Covers(std::u16string_view Run) const {
    return FValid && Run.data() >= FText.data() &&
           Run.data() + Run.size() <= FText.data() + FText.size();
  }
  // TextSize width of the characters From to To (excluded) of the text.
  int Width(std::size_t From, std::size_t To) const;
  // TextSize width of a run Covers accepts.
  int Width(std::u16string_view Run) const {
    const auto from = static_cast<std::size_t>(Run.data() - FText.data());
    return Width(from, from + Run.size());
  }
  // The longest prefix of Run (which Covers accepts) no wider than MaxExtent: the fit of the
  // graphic interface's MaxFit, found by halving over the prefix sums.
  int Fit(std::u16string_view Run, int MaxExtent) const;

private:
  std::u16string_view FText;
  bool FValid = false;
  int FDenominator = 1;
  int FExtra = 0;
  // Sums of the advances of the first i units, i = 0 .. size.
  std::vector<std::int64_t> FPrefix;
  // Sums of the pixel widths the first i units give back, for the characters that take no
  // width in laid-out text (soft hyphens; before Vista also zero-width spaces and word
  // joiners); empty when the text has none.
  std::vector<std::int32_t> FTakenOut;
  std::vector<std::int32_t> FAdvances;
};

// Clusters of Run that widen a distributed line (GetExpandableCharCount), and whether its
// first and its last cluster are among them: from one measurement when the interface gives
// the run's advances, else cluster by cluster through the interface.
int RVCountExpandableChars(TRVGraphicInterface& GraphicInterface, TRVCanvas& Canvas,
                           std::u16string_view Run, bool IsSymbolFont, bool& FirstExpands,
                           bool& LastExpands);

} // namespace richtext
