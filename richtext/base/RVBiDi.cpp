// The bidirectional algorithm through ICU.
#include <algorithm>
#include <memory>
#include <numeric>

#include <unicode/ubidi.h>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include "richtext/base/RVBiDi.h"

namespace richtext {

namespace {

struct TBiDiCloser {
  void operator()(UBiDi* BiDi) const { ubidi_close(BiDi); }
};

} // namespace

bool RVBiDi_HasRightToLeft(std::u16string_view Text) {
  // Nothing before Hebrew is right to left or a direction control: blocks of text below it
  // are passed over by their largest unit, which the compiler finds many units at a time.
  constexpr std::size_t Block = 64;
  std::size_t start = 0;
  while (start + Block <= Text.size()) {
    char16_t largest = 0;
    for (std::size_t k = start; k < start + Block; ++k)
      largest = std::max(largest, Text[k]);
    if (largest >= 0x0590)
      break;
    start += Block;
  }
  for (std::size_t i = start; i < Text.size();) {
    if (Text[i] < 0x0590) { // nothing before Hebrew is right to left or a direction control
      ++i;
      continue;
    }
    UChar32 c;
    U16_NEXT(Text.data(), i, Text.size(), c);
    switch (u_charDirection(c)) {
    case U_RIGHT_TO_LEFT:
    case U_RIGHT_TO_LEFT_ARABIC:
    case U_RIGHT_TO_LEFT_EMBEDDING:
    case U_RIGHT_TO_LEFT_OVERRIDE:
    case U_RIGHT_TO_LEFT_ISOLATE:
    case U_LEFT_TO_RIGHT_EMBEDDING:
    case U_LEFT_TO_RIGHT_OVERRIDE:
    case U_LEFT_TO_RIGHT_ISOLATE:
    case U_FIRST_STRONG_ISOLATE:
      return true;
    default:
      break;
    }
  }
  return false;
}

int RVBiDi_Levels(std::u16string_view Text, int BaseLevel, std::vector<std::uint8_t>& Levels) {
  Levels.assign(Text.size(), static_cast<std::uint8_t>(BaseLevel > 0 ? 1 : 0));
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UBiDi, TBiDiCloser> bidi(
      ubidi_openSized(static_cast<int32_t>(Text.size()), 0, &status));
  if (U_FAILURE(status) || Text.empty())
    return BaseLevel > 0 ? 1 : 0;
  const UBiDiLevel base = BaseLevel < 0 ? UBIDI_DEFAULT_LTR : static_cast<UBiDiLevel>(BaseLevel);
  ubidi_setPara(bidi.get(), reinterpret_cast<const UChar*>(Text.data()),
                static_cast<int32_t>(Text.size()), base, nullptr, &status);
  if (U_FAILURE(status))
    return BaseLevel > 0 ? 1 : 0;
  const UBiDiLevel* levels = ubidi_getLevels(bidi.get(), &status);
  if (U_FAILURE(status) || levels == nullptr)
    return BaseLevel > 0 ? 1 : 0;
  Levels.assign(levels, levels + Text.size());
  return ubidi_getParaLevel(bidi.get()) & 1;
}

int RVBiDi_FirstStrong(std::u16string_view Text) {
  switch (ubidi_getBaseDirection(reinterpret_cast<const UChar*>(Text.data()),
                                 static_cast<int32_t>(Text.size()))) {
  case UBIDI_RTL:
    return 1;
  case UBIDI_LTR:
    return 0;
  default:
    return -1;
  }
}

void RVBiDi_VisualOrder(const std::vector<std::uint8_t>& Levels,
                        std::vector<std::int32_t>& Order) {
  Order.resize(Levels.size());
  std::iota(Order.begin(), Order.end(), 0);
  if (Levels.empty())
    return;
  ubidi_reorderVisual(Levels.data(), static_cast<int32_t>(Levels.size()), Order.data());
}

} // namespace richtext
