// Text forms of items in exported plain text.
#include "richtext/document/RVItem.h"

#include <algorithm>

#include "richtext/export/RVTextExport.h"

namespace richtext {

TRVUnicodeString TCustomRVItemInfo::AsText(TCustomRVData*, std::int32_t, const TRVTextSavingData&,
                                           const TRVUnicodeString&) const {
  return {};
}

void TCustomRVItemInfo::SaveTextSelectionW(TRVStream&, TCustomRVData*, const TRVTextSavingData&) {}

// A horizontal line reads as a row of dashes across the text's line width.
TRVUnicodeString TRVBreakItemInfo::AsText(TCustomRVData*, std::int32_t,
                                          const TRVTextSavingData& SaveData,
                                          const TRVUnicodeString&) const {
  return TRVUnicodeString(static_cast<std::size_t>(std::max(SaveData.LineWidth, 0)), u'-');
}

bool TRVTabItemInfo::GetBoolValue(TRVItemBoolProperty Prop) const {
  if (Prop == rvbpAlwaysInText)
    return true;
  return TRVNonTextItemInfo::GetBoolValue(Prop);
}

TRVUnicodeString TRVTabItemInfo::AsText(TCustomRVData*, std::int32_t, const TRVTextSavingData&,
                                        const TRVUnicodeString&) const {
  return TRVUnicodeString(1, RVTextTab);
}

} // namespace richtext
