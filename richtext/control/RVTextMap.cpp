#include "richtext/control/RVTextMap.h"

#include <algorithm>

#include "richtext/document/CRVData.h"
#include "richtext/document/RVItemKinds.h"

namespace richtext {

namespace {

constexpr char16_t kObjectReplacement = 0xFFFC;

} // namespace

TRVTextMap::TRVTextMap(TCustomRVData& Data) : D(Data) {
  const std::int32_t n = D.ItemCount();
  FItemStart.reserve(static_cast<std::size_t>(n));
  for (std::int32_t i = 0; i < n; ++i) {
    if (i > 0 && (D.IsParaStart(i) || D.IsFromNewLine(i)))
      FText += u'\n';
    FItemStart.push_back(static_cast<int>(FText.size()));
    const std::int32_t styleNo = D.GetItemStyle(i);
    if (styleNo >= 0)
      FText += D.GetItemText(i);
    else
      FText += styleNo == rvsTab ? u'\t' : kObjectReplacement;
  }
}

int TRVTextMap::OffsetOf(const TRVCaretPos& Pos) const {
  if (Pos.ItemNo < 0 || Pos.ItemNo >= static_cast<int>(FItemStart.size()))
    return -1;
  const int start = FItemStart[static_cast<std::size_t>(Pos.ItemNo)];
  if (D.GetItemStyle(Pos.ItemNo) < 0)
    return start + (Pos.Offs > 0 ? 1 : 0);
  const int length = static_cast<int>(D.GetItemText(Pos.ItemNo).size());
  return start + std::clamp(Pos.Offs - 1, 0, length);
}

TRVCaretPos TRVTextMap::PosOf(int Offset) const {
  if (FItemStart.empty())
    return {};
  Offset = std::clamp(Offset, 0, static_cast<int>(FText.size()));
  auto it = std::upper_bound(FItemStart.begin(), FItemStart.end(), Offset);
  const auto itemNo = static_cast<std::int32_t>(it - FItemStart.begin()) - 1;
  const int start = FItemStart[static_cast<std::size_t>(itemNo)];
  if (D.GetItemStyle(itemNo) < 0)
    return TRVCaretPos{itemNo, Offset > start ? 1 : 0, false};
  const int length = static_cast<int>(D.GetItemText(itemNo).size());
  return TRVCaretPos{itemNo, std::min(Offset - start, length) + 1, false};
}

} // namespace richtext
