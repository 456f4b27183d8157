#include "richtext/document/RVRootProps.h"

#include "richtext/document/CRVData.h"

namespace richtext {

const std::u16string RVDefaultDelimiters =
    u" .;,:(){}\"/\\<>!?[]\u2018\u2019\u201C\u201D-+*=\u00A0\u201E\u00AB\u00BB\u2026\u200B"
    u"\u2002\u2003\u2005";

void TRVRootEvents::WriteHyperlink(int, TCustomRVData* RVData, int ItemNo, TRVSaveFormat,
                                   std::u16string& Target, std::u16string& Extras) {
  Target = RVData->GetItemTag(ItemNo);
  Extras.clear();
}

bool TRVRootEvents::SaveItemToFile(const std::u16string&, TCustomRVData*, int, TRVSaveFormat,
                                   std::u16string&) {
  return false;
}

std::string TRVRootEvents::GetExtraRTFCode(TRVRTFSaveArea, const void*, int, int, bool) {
  return {};
}

} // namespace richtext
