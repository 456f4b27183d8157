// Putting a text style on a canvas: its font, spacing, alignment and drawing colours.
#include <algorithm>
#include <cstdlib>

#include "richtext/base/RVRound.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

// Measuring on the format canvas happens at this many times the resolution.
constexpr int FormatCanvasFactor = 100;
// Logical font face names are limited to 31 characters.
constexpr std::size_t MaxFaceNameLength = 31;

// The colour as the current visual theme shows it. Themes are the platform's business; the
// engine's own mapping resolves system colours to the colours the platform reports.
TColor ThemeColor(TColor c) {
  return c == clNone ? c : ColorToRGB(c);
}

} // namespace

void TCustomRVFontInfo::Apply(TRVCanvas& Canvas, TRVBiDiMode DefBiDiMode, bool CanUseCustomPPI,
                              bool IgnoreSubSuperScript, bool ToFormatCanvas,
                              TRVGraphicInterface* GraphicInterface) const {
  TRVFont f = Canvas.GetFont();
  bool specialPPI = false;
  int r = f.PixelsPerInch > 0 ? f.PixelsPerInch : Canvas.GetPixelsPerInchY();
  if (CanUseCustomPPI && RichViewPixelsPerInch > 0) {
    r = RichViewPixelsPerInch;
    specialPPI = true;
  }
  if (ToFormatCanvas) {
    r *= FormatCanvasFactor;
    specialPPI = true;
  }
  const int height = -static_cast<int>(RVRoundDiv(static_cast<std::int64_t>(SizeDouble) * r, 144));

  f.PixelsPerInch = r;
  f.Charset = Charset;
  f.Style = Style;
  if (CanUseTFont()) {
    f.Name = FontName;
    f.Weight = 0;
    f.Width = 0;
    if (SizeDouble % 2 == 0 && !specialPPI)
      f.SetSize(SizeDouble / 2);
    else
      f.Height = height;
    Canvas.SetFont(f);
  } else {
    f.Name = FontName.substr(0, MaxFaceNameLength);
    f.Height = height;
    f.Weight = Style.Contains(fsBold) ? 700 : 400;
    f.Width = 0;
    Canvas.SetFont(f);
    int average = 0;
    TRVTextMetric tm;
    if (GraphicInterface && GraphicInterface->GetTextMetrics(Canvas, tm))
      average = tm.tmAveCharWidth;
    else if (GraphicInterface)
      average = GraphicInterface->TextSizeBasic(Canvas, u"x").cx;
    else
      average = static_cast<int>(RVRoundDiv(std::abs(height), 2));
    f.Width = static_cast<int>(RVRoundDiv(static_cast<std::int64_t>(average) * CharScale, 100));
    if (f.Width < 1)
      f.Width = 1;
    Canvas.SetFont(f);
  }

  if (!IgnoreSubSuperScript && SubSuperScriptType != rvsssNormal) {
    const int fontHeight = std::abs(Canvas.GetFont().Height);
    int size;
    TRVOutlineTextMetric otm;
    if (GraphicInterface && GraphicInterface->GetOutlineTextMetrics(Canvas, otm)) {
      size = SubSuperScriptType == rvsssSubscript ? otm.otmptSubscriptSize.cy
                                                  : otm.otmptSuperscriptSize.cy;
      size = std::abs(size);
      int third = fontHeight / 3;
      if (size < third)
        size = third;
    } else {
      size = static_cast<int>(RVRoundDiv(2 * static_cast<std::int64_t>(fontHeight), 3));
    }
    TRVFont sf = Canvas.GetFont();
    sf.Height = -size;
    if (!CanUseTFont()) {
      // Keep the horizontal scale of the smaller font in proportion.
      sf.Width = fontHeight > 0
                     ? std::max(1, static_cast<int>(RVRoundDiv(
                                       static_cast<std::int64_t>(sf.Width) * size, fontHeight)))
                     : sf.Width;
    }
    Canvas.SetFont(sf);
  }

  int spacing = CharSpacing;
  if (const TRVStyle* sheet = GetRVStyle())
    spacing = sheet->GetAsPixels(CharSpacing, 1);
  if (ToFormatCanvas)
    spacing *= FormatCanvasFactor;
  Canvas.SetTextCharacterExtra(spacing);

  TRVBiDiMode bidi = BiDiMode == rvbdUnspecified ? DefBiDiMode : BiDiMode;
  Canvas.SetTextAlign(TA_BASELINE | (bidi == rvbdRightToLeft ? TA_RTLREADING : 0));
}

TColor TCustomRVFontInfo::GetTextColorFor(const TRVStyle& RVStyle, TRVTextDrawStates DrawState,
                                          bool Printing, TRVColorMode ColorMode) const {
  const bool selected = DrawState.Contains(rvtsSelected);
  const bool hover = DrawState.Contains(rvtsHover);
  const bool disabled = DrawState.Contains(rvtstControlDisabled);
  const bool useDisabled = disabled && RVStyle.DisabledFontColor != clNone;
  TColor c;
  if (selected)
    c = RVStyle.GetSelectionColor(DrawState.Contains(rvtsControlFocused), false);
  else if (hover)
    c = useDisabled ? RVStyle.DisabledFontColor
                    : (HoverColor != clNone ? HoverColor : RVStyle.HoverColor);
  else
    c = useDisabled ? RVStyle.DisabledFontColor : Color;
  if (c == clNone)
    c = Color;

  if (Printing && !selected && !hover) {
    switch (ColorMode) {
    case rvcmPrinterColor:
      c = ColorToRGB(c);
      break;
    case rvcmGrayScale:
      c = RVColorToGray(c);
      break;
    case rvcmBlackAndWhite: {
      bool white;
      if (BackColor != clNone)
        white = RVColorLightness(c) >= RVColorLightness(BackColor);
      else
        white = ColorToRGB(c) == clWhite;
      c = white ? clWhite : clBlack;
      break;
    }
    case rvcmBlackOnWhite:
      c = clBlack;
      break;
    default:
      break;
    }
  }
  if (ColorMode == rvcmVCLThemeColor)
    c = ThemeColor(c);
  return c;
}

TColor TCustomRVFontInfo::GetBackColorFor(const TRVStyle& RVStyle, TRVTextDrawStates DrawState,
                                          bool Printing, TRVColorMode ColorMode) const {
  const bool selected = DrawState.Contains(rvtsSelected);
  const bool hover = DrawState.Contains(rvtsHover);
  TColor c;
  if (selected)
    c = RVStyle.GetSelectionColor(DrawState.Contains(rvtsControlFocused), true);
  else if (hover)
    c = HoverBackColor;
  else
    c = BackColor;

  if (Printing && !selected && !hover && c != clNone) {
    switch (ColorMode) {
    case rvcmPrinterColor:
      c = ColorToRGB(c);
      break;
    case rvcmGrayScale:
      c = RVColorToGray(c);
      break;
    case rvcmBlackAndWhite:
      // The opposite of the text: black behind white text, white behind black text.
      c = GetTextColorFor(RVStyle, DrawState, Printing, ColorMode) == clWhite ? clBlack : clWhite;
      break;
    case rvcmBlackOnWhite:
      c = clNone;
      break;
    default:
      break;
    }
  }
  if (ColorMode == rvcmVCLThemeColor)
    c = ThemeColor(c);
  return c;
}

void TCustomRVFontInfo::ApplyTextColor(TRVCanvas& Canvas, const TRVStyle& RVStyle,
                                       TRVTextDrawStates DrawState, bool Printing,
                                       TRVColorMode ColorMode) const {
  TRVFont f = Canvas.GetFont();
  f.Color = GetTextColorFor(RVStyle, DrawState, Printing, ColorMode);
  if (DrawState.Contains(rvtsHover) && HoverEffects.Contains(rvheUnderline) && CanUseTFont())
    f.Style.Include(fsUnderline);
  Canvas.SetFont(f);
}

void TCustomRVFontInfo::ApplyBackColor(TRVCanvas& Canvas, const TRVStyle& RVStyle,
                                       TRVTextDrawStates DrawState, bool Printing,
                                       TRVColorMode ColorMode) const {
  TColor back = GetBackColorFor(RVStyle, DrawState, Printing, ColorMode);
  if (back == clNone)
    Canvas.SetBrushStyle(bsClear);
  else
    Canvas.SetBrushColor(back);
}

void TCustomRVFontInfo::ApplyColor(TRVCanvas& Canvas, const TRVStyle& RVStyle,
                                   TRVTextDrawStates DrawState, bool Printing,
                                   TRVColorMode ColorMode) const {
  ApplyTextColor(Canvas, RVStyle, DrawState, Printing, ColorMode);
  ApplyBackColor(Canvas, RVStyle, DrawState, Printing, ColorMode);
}

} // namespace richtext
