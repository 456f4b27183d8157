#include "richtext/layout/RVTextMeasure.h"

#include <algorithm>
#include <cstdlib>

#include "richtext/base/RVCharNav.h"
#include "richtext/layout/RVFontCache.h"
#include "richtext/layout/RVTextWidths.h"
#include "richtext/base/RVRound.h"

namespace richtext {

TRVStringFormatMethod RichViewStringFormatMethod = rvsfmAuto;

namespace {

bool EndsInSoftHyphen(std::u16string_view s) {
  return !s.empty() && s.back() == RV_SOFTHYPHEN;
}

std::u16string_view Head(std::u16string_view s, int n) {
  return s.substr(0, static_cast<std::size_t>(n));
}

TRVSize ToDevice(const TRVMeasureContext& C, TRVSize sz) {
  if (C.UseFormatCanvas)
    return {RVConvertFromFormatCanvas(sz.cx), RVConvertFromFormatCanvas(sz.cy)};
  return sz;
}

// Width of the first n characters as a candidate line: a run cut short right after a soft
// hyphen shows the hyphen.
int ProbeWidth(const TRVMeasureContext& C, std::u16string_view s, int n) {
  const auto run = Head(s, n);
  int w = C.Measure(run).cx;
  if (n < static_cast<int>(s.size()) && EndsInSoftHyphen(run))
    w += C.HyphenWidth;
  return w;
}

// Settles the fit on a character boundary within the characters looked at (Limit) and the
// width: widened over a split cluster, narrowed again when the whole cluster does not fit.
int SettleOnCharacter(const TRVMeasureContext& C, std::u16string_view Str, int Limit, int Fit,
                      int Width) {
  const int widened = AdjustMaxFit(Str, Fit);
  if (widened == Fit)
    return Fit;
  if (widened <= Limit && C.MeasureWithHyphen(Head(Str, widened)).cx <= Width)
    return widened;
  return AdjustMaxFitL(Str, widened);
}

// The engine's own search: doubling probes, then interpolation between a fitting and an
// overflowing count.
int SearchFit(const TRVMeasureContext& C, std::u16string_view s, int W) {
  const int n = static_cast<int>(s.size());
  int hi = 0, cxhi = 0;
  if (GetBSearchInitialBounds(C, s, W, hi, cxhi))
    return n;
  int lo = 0, cxlo = 0;
  while (lo + 1 < hi) {
    int next;
    if (cxhi > cxlo)
      next = lo + static_cast<int>(static_cast<std::int64_t>(hi - lo) * (W - cxlo) / (cxhi - cxlo));
    else
      next = lo + (hi - lo) / 2;
    next = std::clamp(next, lo + 1, hi - 1);
    const int w = ProbeWidth(C, s, next);
    if (w == W) {
      lo = next;
      break;
    }
    // Zero counts as fitting: a run of zero-width characters takes no room.
    if (w >= 0 && w < W) {
      lo = next;
      cxlo = w;
    } else {
      hi = next;
      cxhi = w;
    }
  }
  int fit = lo;
  if (fit > 0 && fit < n && s[static_cast<std::size_t>(fit)] == RV_SOFTHYPHEN)
    --fit;
  return fit;
}

} // namespace

int RVConvertToFormatCanvas(int Value) {
  return Value * RVFORMATCANVASFACTOR;
}

int RVConvertFromFormatCanvas(int Value) {
  return static_cast<int>(RVRoundDiv(Value, RVFORMATCANVASFACTOR));
}

TRVMeasureContext TRVMeasureContext::FromCacheItem(TRVGraphicInterface& GraphicInterface,
                                                   const TRVFontInfoCacheItem& Item,
                                                   bool UseFormatCanvas) {
  TRVMeasureContext c;
  c.GraphicInterface = &GraphicInterface;
  c.Canvas = Item.Canvas.get();
  c.AverageCharWidth = Item.AverageCharWidth;
  c.HyphenWidth = Item.HyphenWidthFC;
  c.IsSymbolFont = Item.IsSymbolFont;
  c.BiDiMode = Item.LastBiDiMode;
  c.UseFormatCanvas = UseFormatCanvas;
  c.CellHeight = Item.CellHeight;
  return c;
}

TRVSize TRVMeasureContext::Measure(std::u16string_view Run) const {
  if (Widths != nullptr && Widths->Covers(Run))
    return {Widths->Width(Run), CellHeight};
  TRVSize sz;
  GraphicInterface->TextSize(*Canvas, Run, sz, IsSymbolFont, BiDiMode);
  return sz;
}

TRVSize TRVMeasureContext::MeasureWithHyphen(std::u16string_view Run) const {
  TRVSize sz = Measure(Run);
  if (EndsInSoftHyphen(Run))
    sz.cx += HyphenWidth;
  return sz;
}

bool GetBSearchInitialBounds(const TRVMeasureContext& C, std::u16string_view Str, int Width,
                             int& Hi, int& HiWidth) {
  const int n = static_cast<int>(Str.size());
  const int average = std::max(C.AverageCharWidth, 1);
  int hi = std::min(n, std::max(10, RV_MulDiv(Width, 2, average)));
  hi = std::max(hi, std::min(n, 1));
  int w = ProbeWidth(C, Str, hi);
  // A probe exactly as wide as the room still fits, so the doubling goes on past it.
  while (w >= 0 && w <= Width && hi < n) {
    hi = std::min(n, 2 * hi);
    w = ProbeWidth(C, Str, hi);
  }
  Hi = hi;
  HiWidth = w;
  return hi == n && w >= 0 && w <= Width;
}

int AdjustMaxFit(std::u16string_view Str, int Fit) {
  if (Fit <= 0)
    return 0;
  return RVU_NextCharIndex(Str, RVU_PrevCharIndex(Str, Fit));
}

int AdjustMaxFitL(std::u16string_view Str, int Fit) {
  if (Fit <= 0)
    return 0;
  return RVU_PrevCharIndex(Str, Fit);
}

int MaxFitSafe(const TRVMeasureContext& C, std::u16string_view Str, int Width, int MaxLength,
               TRVSize& Size) {
  int n = static_cast<int>(Str.size());
  if (MaxLength > 0)
    n = std::min(n, MaxLength);
  const auto s = Head(Str, n);
  int fit = 0;
  if (C.Widths != nullptr && C.Widths->Covers(s)) {
    fit = C.Widths->Fit(s, Width);
    Size = C.Measure(s);
  } else {
    C.GraphicInterface->MaxFit(*C.Canvas, s, Size, fit, C.IsSymbolFont, C.BiDiMode, Width);
  }
  fit = std::clamp(fit, 0, n);
  if (fit > 0 && s[static_cast<std::size_t>(fit - 1)] == RV_SOFTHYPHEN &&
      C.Measure(Head(s, fit)).cx + C.HyphenWidth > Width)
    --fit;
  if (fit > 0 && fit < n && s[static_cast<std::size_t>(fit)] == RV_SOFTHYPHEN)
    --fit;
  fit = SettleOnCharacter(C, Str, n, fit, Width);
  Size = C.MeasureWithHyphen(Head(s, fit));
  return fit;
}

int MaxFitW(const TRVMeasureContext& C, std::u16string_view Str, int Width, int MaxLength,
            bool CanWrap, TRVSize* Size) {
  int n = static_cast<int>(Str.size());
  if (MaxLength > 0)
    n = std::min(n, MaxLength);
  const auto s = Head(Str, n);
  int fit;
  if (!CanWrap) {
    fit = AdjustMaxFit(Str, n) > n ? AdjustMaxFitL(Str, n) : n;
  } else if (Width <= 0 || n == 0) {
    fit = 0;
  } else {
    const int W = C.UseFormatCanvas ? RVConvertToFormatCanvas(Width) : Width;
    const bool useInterface =
        RichViewStringFormatMethod == rvsfmEngine ||
        (RichViewStringFormatMethod == rvsfmAuto &&
         C.GraphicInterface->PreferMaxFit(
             *C.Canvas, C.BiDiMode, W / std::max(C.AverageCharWidth, 1), n, C.UseFormatCanvas));
    if (useInterface) {
      TRVSize sz;
      fit = MaxFitSafe(C, Str, W, n, sz);
    } else {
      fit = SearchFit(C, s, W);
      fit = SettleOnCharacter(C, Str, n, fit, W);
    }
  }
  if (Size)
    *Size = CalculateStringSize(C, Head(s, fit));
  return fit;
}

TRVSize CalculateStringSize(const TRVMeasureContext& C, std::u16string_view Run) {
  return ToDevice(C, C.MeasureWithHyphen(Run));
}

} // namespace richtext
