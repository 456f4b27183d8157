// Colour values of the engine and their conversion to RGB.
//
// 0x00BBGGRR is an RGB colour, 0xFF0000NN system colour number NN, clNone "no colour" so that
// a fallback applies.
#pragma once

#include <cstdint>
#include <functional>

#include "richtext/base/RVClasses.h"

namespace richtext {

inline constexpr TColor RVSysColor(unsigned index) {
  return static_cast<TColor>(0xFF000000u | index);
}

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clMaroon = 0x00000080;
inline constexpr TColor clGreen = 0x00008000;
inline constexpr TColor clNavy = 0x00800000;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clLime = 0x0000FF00;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clWhite = 0x00FFFFFF;

inline constexpr TColor clScrollBar = RVSysColor(0);
inline constexpr TColor clBackground = RVSysColor(1);
inline constexpr TColor clActiveCaption = RVSysColor(2);
inline constexpr TColor clInactiveCaption = RVSysColor(3);
inline constexpr TColor clMenu = RVSysColor(4);
inline constexpr TColor clWindow = RVSysColor(5);
inline constexpr TColor clWindowFrame = RVSysColor(6);
inline constexpr TColor clMenuText = RVSysColor(7);
inline constexpr TColor clWindowText = RVSysColor(8);
inline constexpr TColor clCaptionText = RVSysColor(9);
inline constexpr TColor clActiveBorder = RVSysColor(10);
inline constexpr TColor clInactiveBorder = RVSysColor(11);
inline constexpr TColor clAppWorkSpace = RVSysColor(12);
inline constexpr TColor clHighlight = RVSysColor(13);
inline constexpr TColor clHighlightText = RVSysColor(14);
inline constexpr TColor clBtnFace = RVSysColor(15);
inline constexpr TColor clBtnShadow = RVSysColor(16);
inline constexpr TColor clGrayText = RVSysColor(17);
inline constexpr TColor clBtnText = RVSysColor(18);
inline constexpr TColor clInactiveCaptionText = RVSysColor(19);
inline constexpr TColor clBtnHighlight = RVSysColor(20);
inline constexpr int RVSysColorCount = 31;

inline constexpr bool RVIsSysColor(TColor c) {
  return (static_cast<std::uint32_t>(c) & 0xFF000000u) == 0xFF000000u;
}

// The platform binding may supply the system's current colours (0x00BBGGRR for a colour
// number); without it the classic default palette is used.
using TRVSysColorProvider = std::function<TColor(int Index)>;
void RVSetSysColorProvider(TRVSysColorProvider Provider);

// RGB of a colour: system colours through the provider, clNone and clDefault to black (as the
// system does); RGB values pass unchanged (the top byte is dropped).
TColor ColorToRGB(TColor Color);

inline constexpr int RVGetRValue(TColor c) {
  return static_cast<int>(c & 0xFF);
}
inline constexpr int RVGetGValue(TColor c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int RVGetBValue(TColor c) {
  return static_cast<int>((c >> 16) & 0xFF);
}
inline constexpr TColor RVRGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Lightness 0..255 by the usual luma weights (299, 587, 114 per mille), of the RGB value.
int RVColorLightness(TColor Color);
// The grey of the same lightness.
TColor RVColorToGray(TColor Color);

} // namespace richtext
