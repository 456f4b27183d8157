// Style bases and the style collection base.
#include <cstdio>
#include <cstdlib>

#include "richtext/base/RVRound.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

void TRVPersistent::Assign(const TRVPersistent& Source) {
  AssignError(Source);
}

void TRVPersistent::AssignError(const TRVPersistent& Source) const {
  char buf[256];
  std::snprintf(buf, sizeof buf, "Cannot assign a %s to a %s", Source.ClassName(), ClassName());
  throw ERichViewError(buf);
}

TCustomRVInfo::TCustomRVInfo(TCustomRVInfos* Collection) : FCollection(Collection) {}

int TCustomRVInfo::GetIndex() const {
  return FCollection ? FCollection->IndexOf(this) : -1;
}

TRVStyle* TCustomRVInfo::GetRVStyle() const {
  return FCollection ? FCollection->GetOwner() : nullptr;
}

bool TCustomRVInfo::IsSimpleEqual(const TCustomRVInfo&, bool, bool) const {
  return false;
}

bool TCustomRVInfo::IsSimpleEqualEx(TCustomRVInfo&, const std::vector<int>&) const {
  return false;
}

int TCustomRVInfo::SimilarityValue(const TCustomRVInfo&) const {
  return 0;
}

TCustomRVInfos::~TCustomRVInfos() = default;

void TCustomRVInfos::Clear() {
  FItems.clear();
}

void TCustomRVInfos::Delete(int Index) {
  if (!IsValidIndex(Index))
    throw EListError(Index);
  FItems.erase(FItems.begin() + Index);
}

int TCustomRVInfos::IndexOf(const TCustomRVInfo* Item) const {
  for (int i = 0; i < Count(); ++i)
    if (At(i) == Item)
      return i;
  return -1;
}

TCustomRVInfo* TCustomRVInfos::AddItem() {
  std::unique_ptr<TCustomRVInfo> item = CreateItem();
  item->FCollection = this;
  item->FID = FNextID++;
  FItems.push_back(std::move(item));
  return FItems.back().get();
}

// Closeness of two integers, from Weight (equal) down to 0 and below (far apart).
int RV_CompareInts(int a, int b, int Weight) {
  std::int64_t sum = static_cast<std::int64_t>(a) + b;
  if (sum == 0)
    return a == b ? Weight : 0;
  std::int64_t diff = std::llabs(static_cast<std::int64_t>(a) - b);
  // (1 - 2|a-b|/|a+b|) * w = (|a+b| - 2|a-b|) * w / |a+b|
  std::int64_t den = std::llabs(sum);
  return static_cast<int>(RVRoundDiv((den - 2 * diff) * Weight, den));
}

int RV_CompareColors(TColor c1, TColor c2, int w1, int w2) {
  if (c1 == clNone && c2 == clNone)
    return w2 + 3 * w1;
  if (c1 == clNone || c2 == clNone)
    return 0;
  TColor a = ColorToRGB(c1), b = ColorToRGB(c2);
  int r = 0;
  r -= std::abs(RVGetRValue(a) - RVGetRValue(b)) * w1 / 255;
  r -= std::abs(RVGetGValue(a) - RVGetGValue(b)) * w1 / 255;
  r -= std::abs(RVGetBValue(a) - RVGetBValue(b)) * w1 / 255;
  auto light = [](TColor c) {
    return RVGetRValue(c) > 64 || RVGetGValue(c) > 64 || RVGetBValue(c) > 64;
  };
  if (light(a) == light(b))
    r += w2;
  return r;
}

} // namespace richtext
