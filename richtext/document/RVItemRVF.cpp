// The items' own RichView Format records: the header of a non-text item, its kind-specific
// tail and its extra-property lines.
#include "richtext/document/RVItem.h"

#include <string>

#include "richtext/export/RVFMisc.h"
#include "richtext/export/RVFWriter.h"

namespace richtext {

namespace {

// Header of a non-text item: kind, extra-property count, paragraph, options, read type 0, tag
// and the kind's tail; then the extra-property lines.
void WriteNonTextRecord(const TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                        std::int32_t ParaNo, bool ForceSameAsPrev) {
  RVFWriteLine(Stream, std::to_string(Item.StyleNo) + ' ' +
                           std::to_string(Item.GetRVFExtraPropertyCount()) + ' ' +
                           RVFSavePara(RVData, ParaNo) + ' ' +
                           std::to_string(RVFGetItemOptions(Item.ItemOptions, ForceSameAsPrev)) +
                           ' ' + std::to_string(RVF_READTYPE_TEXT) + ' ' + RVFSaveTag(Item.Tag) +
                           ' ' + Item.SaveRVFHeaderTail(RVData));
  Item.SaveRVFExtraProperties(Stream);
}

} // namespace

void TCustomRVItemInfo::SaveRVF(TRVStream&, TCustomRVData*, std::int32_t, std::int32_t,
                                const TRVUnicodeString&, TRVMultiDrawItemPart*, bool) {}

std::string TCustomRVItemInfo::SaveRVFHeaderTail(TCustomRVData*) const {
  return {};
}

std::int32_t TCustomRVItemInfo::GetRVFExtraPropertyCount() const {
  return 0;
}

void TCustomRVItemInfo::SaveRVFExtraProperties(TRVStream&) const {}

bool TCustomRVItemInfo::SaveRVFSelection(TRVStream&, TCustomRVData*) {
  return false;
}

std::int32_t TRVNonTextItemInfo::GetRVFExtraPropertyCount() const {
  return (Hint.empty() ? 0 : 1) + (DeleteProtect ? 1 : 0) + (Hidden ? 1 : 0);
}

void TRVNonTextItemInfo::SaveRVFExtraProperties(TRVStream& Stream) const {
  if (!Hint.empty())
    RVFWriteLine(Stream, std::string(RVF_EXTRA_HINT) + '=' + UnicodeStringToRVFString(Hint));
  if (DeleteProtect)
    RVFWriteLine(Stream, std::string(RVF_EXTRA_UNREMOVABLE) + "=1");
  if (Hidden)
    RVFWriteLine(Stream, std::string(RVF_EXTRA_HIDDEN) + "=1");
}

void TRVBreakItemInfo::SaveRVF(TRVStream& Stream, TCustomRVData* RVData, std::int32_t,
                               std::int32_t ParaNo, const TRVUnicodeString&, TRVMultiDrawItemPart*,
                               bool ForceSameAsPrev) {
  WriteNonTextRecord(*this, Stream, RVData, ParaNo, ForceSameAsPrev);
}

std::string TRVBreakItemInfo::SaveRVFHeaderTail(TCustomRVData*) const {
  return std::to_string(Color) + ' ' + std::to_string(static_cast<int>(Style)) + ' ' +
         std::to_string(LineWidth);
}

void TRVTabItemInfo::SaveRVF(TRVStream& Stream, TCustomRVData* RVData, std::int32_t,
                             std::int32_t ParaNo, const TRVUnicodeString&, TRVMultiDrawItemPart*,
                             bool ForceSameAsPrev) {
  WriteNonTextRecord(*this, Stream, RVData, ParaNo, ForceSameAsPrev);
}

std::string TRVTabItemInfo::SaveRVFHeaderTail(TCustomRVData* ParentRVData) const {
  return RVFSaveText(ParentRVData, TextStyleNo);
}

} // namespace richtext
