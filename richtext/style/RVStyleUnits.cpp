// Conversions between the sheet's units (pixels or twips), pixels, twips, points and EMU.
#include "richtext/base/RVRound.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

constexpr int TwipsPerInch = 1440;

// A non-zero value never becomes 0: it keeps at least MinNonZero with its sign.
int AtLeast(int result, int value, int minNonZero) {
  if (result == 0 && value != 0)
    return value > 0 ? minNonZero : -minNonZero;
  return result;
}

} // namespace

int TRVStyle::GetPixelsPerInch() const {
  return RichViewPixelsPerInch > 0 ? RichViewPixelsPerInch : RV_GetScreenPixelsPerInch();
}

int TRVStyle::GetAsPixels(int Value, int MinNonZeroValue) const {
  if (Units == rvstuPixels)
    return Value;
  return AtLeast(RV_MulDivEven(Value, GetPixelsPerInch(), TwipsPerInch), Value, MinNonZeroValue);
}

int TRVStyle::GetAsTwips(int Value) const {
  if (Units == rvstuTwips)
    return Value;
  return RV_MulDivEven(Value, TwipsPerInch, GetPixelsPerInch());
}

int TRVStyle::TwipsToUnits(int Value) const {
  if (Units == rvstuTwips)
    return Value;
  return AtLeast(RV_MulDivEven(Value, GetPixelsPerInch(), TwipsPerInch), Value, 1);
}

int TRVStyle::PixelsToUnits(int Value) const {
  if (Units == rvstuPixels)
    return Value;
  return RV_MulDivEven(Value, TwipsPerInch, GetPixelsPerInch());
}

int TRVStyle::TwipsToPixels(int Value) const {
  return AtLeast(RV_MulDivEven(Value, GetPixelsPerInch(), TwipsPerInch), Value, 1);
}

int TRVStyle::PixelsToTwips(int Value) const {
  return RV_MulDivEven(Value, TwipsPerInch, GetPixelsPerInch());
}

int TRVStyle::GetAsDevicePixelsX(int Value, const TRVScreenAndDevice* PSaD,
                                 int MinNonZeroValue) const {
  if (!PSaD)
    return GetAsPixels(Value, 1);
  if (Units == rvstuPixels)
    return RV_MulDivEven(Value, PSaD->ppixDevice, PSaD->ppixScreen);
  return AtLeast(RV_MulDivEven(Value, PSaD->ppixDevice, TwipsPerInch), Value, MinNonZeroValue);
}

int TRVStyle::GetAsDevicePixelsY(int Value, const TRVScreenAndDevice* PSaD,
                                 int MinNonZeroValue) const {
  if (!PSaD)
    return GetAsPixels(Value, 1);
  if (Units == rvstuPixels)
    return RV_MulDivEven(Value, PSaD->ppiyDevice, PSaD->ppiyScreen);
  return AtLeast(RV_MulDivEven(Value, PSaD->ppiyDevice, TwipsPerInch), Value, MinNonZeroValue);
}

double TRVStyle::GetAsPoints(int Value) const {
  if (Units == rvstuTwips)
    return Value / 20.0;
  return Value * 72.0 / GetPixelsPerInch();
}

std::int64_t TRVStyle::GetAsEMU(int Value) const {
  return static_cast<std::int64_t>(GetAsTwips(Value)) * 635;
}

} // namespace richtext
