// The background of a document beside its colour. Pictures are not part of this engine, so a
// background is its placement style alone and draws nothing over the colour; the writers and
// the painter take it so that the colour and the background travel together.
#pragma once

#include <cstdint>

namespace richtext {

enum class TBackgroundStyle : std::uint8_t {
  bsNoBitmap,
  bsStretched,
  bsTiled,
  bsTiledAndScrolled,
  bsCentered,
  bsTopLeft,
  bsTopRight,
  bsBottomLeft,
  bsBottomRight
};
using enum TBackgroundStyle;

class TRVBackground {
public:
  TBackgroundStyle Style = bsNoBitmap;
  // Whether anything is drawn over the background colour.
  bool Visible() const { return false; }
};

} // namespace richtext
