#include "richtext/graphics/RVCanvas.h"

#include <atomic>

#include "richtext/base/RVRound.h"

namespace richtext {

int RichViewPixelsPerInch = 0;

namespace {
int ScreenPixelsPerInch = 96;
}

void TRVCanvas::FontChanged() {
  static std::atomic<std::uint64_t> serials{0};
  FFontSerial = ++serials;
}

int RV_GetScreenPixelsPerInch() {
  return ScreenPixelsPerInch;
}

void RV_SetScreenPixelsPerInch(int PixelsPerInch) {
  if (PixelsPerInch > 0)
    ScreenPixelsPerInch = PixelsPerInch;
}

int TRVFont::GetSize() const {
  if (PixelsPerInch <= 0)
    return 0;
  return static_cast<int>(RVRoundDiv(-static_cast<std::int64_t>(Height) * 72, PixelsPerInch));
}

void TRVFont::SetSize(int points) {
  Height = -static_cast<int>(RVRoundDiv(static_cast<std::int64_t>(points) * PixelsPerInch, 72));
}

void TRVCanvas::SetFontColor(TColor Color) {
  TRVFont f = GetFont();
  f.Color = Color;
  SetFont(f);
}

void TRVCanvas::SetBrushColor(TColor Color) {
  TRVBrush b = GetBrush();
  b.Color = Color;
  b.Style = bsSolid;
  SetBrush(b);
}

void TRVCanvas::SetBrushStyle(TRVBrushStyle Style) {
  TRVBrush b = GetBrush();
  b.Style = Style;
  SetBrush(b);
}

} // namespace richtext
