#include "richtext/style/RVColor.h"

#include <utility>

#include "richtext/style/RVSysColorsData.h"

namespace richtext {

namespace {
TRVSysColorProvider& Provider() {
  static TRVSysColorProvider provider;
  return provider;
}
} // namespace

void RVSetSysColorProvider(TRVSysColorProvider P) {
  Provider() = std::move(P);
}

TColor ColorToRGB(TColor Color) {
  if (Color == clNone || Color == clDefault)
    return clBlack;
  if (RVIsSysColor(Color)) {
    int index = static_cast<int>(Color & 0xFF);
    if (Provider())
      return Provider()(index) & 0x00FFFFFF;
    if (index < RVSysColorCount)
      return RVDefaultSysColors[index];
    return clBlack;
  }
  return Color & 0x00FFFFFF;
}

int RVColorLightness(TColor Color) {
  TColor c = ColorToRGB(Color);
  return (RVGetRValue(c) * 299 + RVGetGValue(c) * 587 + RVGetBValue(c) * 114) / 1000;
}

TColor RVColorToGray(TColor Color) {
  int l = RVColorLightness(Color);
  return RVRGB(l, l, l);
}

} // namespace richtext
