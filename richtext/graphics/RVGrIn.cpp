#include "richtext/graphics/RVGrIn.h"

#include <algorithm>
#include <utility>

#include "richtext/base/RVCharNav.h"
#include "richtext/base/RVUni.h"

namespace richtext {

namespace {

TRVGraphicInterfaceFactory& Factory() {
  static TRVGraphicInterfaceFactory factory;
  return factory;
}

constexpr char16_t ZeroWidthSpace = 0x200B;
constexpr char16_t WordJoiner = 0x2060;

} // namespace

void RVSetGraphicInterfaceFactory(TRVGraphicInterfaceFactory F) {
  Factory() = std::move(F);
}

std::unique_ptr<TRVGraphicInterface> RVCreateGraphicInterface(bool ComplexScripts) {
  if (!Factory())
    return nullptr;
  return Factory()(ComplexScripts);
}

void TRVGraphicInterface::TextSize(TRVCanvas& Canvas, std::u16string_view Text, TRVSize& Size,
                                   bool IsSymbolFont, TRVBiDiMode BiDiMode) {
  (void)BiDiMode;
  Size = TextSizeBasic(Canvas, Text);
  if (IsSymbolFont || Text.empty())
    return;
  // The font draws these as glyphs (or boxes) but text shows them as nothing. Each kind is
  // measured once, alone, so its character extra spacing goes with it.
  auto takeOut = [&](char16_t ch) {
    const auto n = std::count(Text.begin(), Text.end(), ch);
    if (n == 0)
      return;
    const char16_t one[1] = {ch};
    const int w = TextSizeBasic(Canvas, std::u16string_view(one, 1)).cx;
    Size.cx -= static_cast<int>(n) * w;
  };
  takeOut(RV_SOFTHYPHEN);
  if (!RVVista) {
    takeOut(ZeroWidthSpace);
    takeOut(WordJoiner);
  }
}

bool TRVGraphicInterface::GetTextAdvances(TRVCanvas& Canvas, std::u16string_view Text,
                                          std::int32_t* Advances, int& Denominator) {
  (void)Canvas;
  (void)Text;
  (void)Advances;
  (void)Denominator;
  return false;
}

int TRVGraphicInterface::TextWidth(TRVCanvas& Canvas, std::u16string_view Text, bool IsSymbolFont,
                                   TRVBiDiMode BiDiMode) {
  TRVSize sz;
  TextSize(Canvas, Text, sz, IsSymbolFont, BiDiMode);
  return sz.cx;
}

void TRVGraphicInterface::MaxFit(TRVCanvas& Canvas, std::u16string_view Text, TRVSize& Size,
                                 int& Fit, bool IsSymbolFont, TRVBiDiMode BiDiMode, int MaxExtent) {
  TextSize(Canvas, Text, Size, IsSymbolFont, BiDiMode);
  const int n = static_cast<int>(Text.size());
  if (Size.cx <= MaxExtent) {
    Fit = n;
    return;
  }
  // Prefix widths grow with the prefix: the last prefix within MaxExtent is found by halving.
  int lo = 0, hi = n; // prefix lo fits (or is empty), prefix hi does not
  if (MaxExtent < 0) {
    Fit = 0;
    return;
  }
  while (lo + 1 < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (TextWidth(Canvas, Text.substr(0, static_cast<std::size_t>(mid)), IsSymbolFont, BiDiMode) <=
        MaxExtent)
      lo = mid;
    else
      hi = mid;
  }
  Fit = lo;
}

bool TRVGraphicInterface::PreferMaxFit(TRVCanvas& Canvas, TRVBiDiMode BiDiMode, int EstimatedFit,
                                       int Length, bool UseFormatCanvas) {
  (void)Canvas;
  (void)BiDiMode;
  return UseFormatCanvas && Length / std::max(EstimatedFit, 1) < 6;
}

bool TRVGraphicInterface::ClusterAdvancesFromTextAdvances(TRVCanvas& Canvas,
                                                          std::u16string_view Text,
                                                          std::vector<int>& Advances) {
  std::vector<std::int32_t> fine(Text.size(), 0);
  int denominator = 1;
  if (Text.empty() || !GetTextAdvances(Canvas, Text, fine.data(), denominator) ||
      denominator <= 0)
    return false;
  Advances.assign(Text.size(), 0);
  const int extra = Canvas.GetTextCharacterExtra();
  std::int64_t sum = 0;
  int left = 0;
  for (int i = 0, n = static_cast<int>(Text.size()); i < n;) {
    const int next = RVU_NextCharIndex(Text, i);
    for (int k = i; k < next; ++k)
      sum += fine[static_cast<std::size_t>(k)];
    // Halves up, as the prefix's width would be rounded.
    const int right =
        static_cast<int>((2 * sum + denominator) / (2 * static_cast<std::int64_t>(denominator))) +
        extra * next;
    Advances[static_cast<std::size_t>(i)] = right - left;
    left = right;
    i = next;
  }
  return true;
}

void TRVGraphicInterface::GetClusterAdvances(TRVCanvas& Canvas, std::u16string_view Text,
                                             std::vector<int>& Advances) {
  if (ClusterAdvancesFromTextAdvances(Canvas, Text, Advances))
    return;
  Advances.assign(Text.size(), 0);
  int x = 0;
  for (int i = 0, n = static_cast<int>(Text.size()); i < n;) {
    const int next = RVU_NextCharIndex(Text, i);
    const int right = TextSizeBasic(Canvas, Text.substr(0, static_cast<std::size_t>(next))).cx;
    Advances[static_cast<std::size_t>(i)] = right - x;
    x = right;
    i = next;
  }
}

int TRVGraphicInterface::GetExpandableCharCount(TRVCanvas& Canvas, std::u16string_view Text,
                                                bool IsSymbolFont, TRVBiDiMode BiDiMode) {
  int count = 0;
  const int n = static_cast<int>(Text.size());
  for (int i = 0; i < n;) {
    const int next = RVU_NextCharIndex(Text, i);
    const auto cluster =
        Text.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(next - i));
    if (TextWidth(Canvas, cluster, IsSymbolFont, BiDiMode) > 0)
      ++count;
    i = next;
  }
  return count;
}

int TRVGraphicInterface::GetDeviceCaps(TRVCanvas& Canvas, int Index) {
  switch (Index) {
  case LOGPIXELSX:
    return Canvas.GetPixelsPerInchX();
  case LOGPIXELSY:
    return Canvas.GetPixelsPerInchY();
  default:
    return 0;
  }
}

std::unique_ptr<TRVCanvas> TRVGraphicInterface::CreateScreenCanvas() {
  const int ppi = RV_GetScreenPixelsPerInch();
  return std::make_unique<TRVStateCanvas>(ppi, ppi);
}

std::unique_ptr<TRVCanvas> TRVGraphicInterface::CreateCompatibleCanvas(TRVCanvas& Canvas) {
  return std::make_unique<TRVStateCanvas>(Canvas.GetPixelsPerInchX(), Canvas.GetPixelsPerInchY());
}

} // namespace richtext
