#include "richtext/layout/CRVFData.h"

#include "richtext/style/RVStyle.h"

namespace richtext {

TCustomRVFormattedData::TCustomRVFormattedData() = default;

TCustomRVFormattedData::~TCustomRVFormattedData() = default;

void TCustomRVFormattedData::Clear() {
  const bool wasClearing = State.Contains(rvstClearing);
  State.Include(rvstClearing);
  struct Guard {
    TRVStates& s;
    bool was;
    ~Guard() {
      if (!was)
        s.Exclude(rvstClearing);
    }
  } guard{State, wasClearing};
  Deselect(nullptr, true);
  ClearTemporal();
  TCustomRVData::Clear();
}

void TCustomRVFormattedData::ClearTemporal() {
  DrawItems.Clear();
  for (std::int32_t i = 0; i < ItemCount(); ++i)
    if (TCustomRVItemInfo* item = Items().GetObject(i))
      item->DrawItemNo = -1;
  nJmps = 0;
  LastItemFormatted = -1;
}

bool TCustomRVFormattedData::IsHidden(std::int32_t ItemNo) {
  TCustomRVItemInfo* item = GetItem(ItemNo);
  if (item->StyleNo >= 0) {
    if (GetOptions().Contains(rvoShowHiddenText))
      return false;
    TRVStyle* style = GetRVStyle();
    return style != nullptr &&
           style->TextStyles[GetActualStyle(item)].Options.Contains(rvteoHidden);
  }
  auto* nonText = dynamic_cast<TRVNonTextItemInfo*>(item);
  return nonText != nullptr && nonText->Hidden && !GetOptions().Contains(rvoShowHiddenText);
}

bool TCustomRVFormattedData::IsParaStartEx(std::int32_t ItemNo) {
  if (IsParaStart(ItemNo))
    return true;
  // The first visible item after hidden ones takes over their paragraph start.
  for (std::int32_t i = ItemNo - 1; i >= 0; --i) {
    if (!IsHidden(i))
      return false;
    if (IsParaStart(i))
      return true;
  }
  return false;
}

bool TCustomRVFormattedData::IsFromNewLineEx(std::int32_t ItemNo) {
  if (IsFromNewLine(ItemNo))
    return true;
  for (std::int32_t i = ItemNo - 1; i >= 0; --i) {
    if (!IsHidden(i))
      return false;
    if (IsFromNewLine(i))
      return true;
  }
  return false;
}

void TCustomRVFormattedData::GetSADForFormatting(TRVCanvas* Canvas, TRVScreenAndDevice& sad) {
  if (RichViewPixelsPerInch > 0) {
    sad.ppixScreen = sad.ppiyScreen = sad.ppixDevice = sad.ppiyDevice = RichViewPixelsPerInch;
  } else {
    sad.ppixScreen = sad.ppiyScreen = RV_GetScreenPixelsPerInch();
    sad.ppixDevice = Canvas != nullptr ? Canvas->GetPixelsPerInchX() : sad.ppixScreen;
    sad.ppiyDevice = Canvas != nullptr ? Canvas->GetPixelsPerInchY() : sad.ppiyScreen;
  }
  sad.LeftMargin = 0;
  sad.RightMargin = 0;
}

} // namespace richtext
