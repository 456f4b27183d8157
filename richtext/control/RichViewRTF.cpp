// The control's RTF writing operations: thin forwarders to its document.
#include <fstream>

#include "richtext/control/RichView.h"
#include "richtext/base/RVUni.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/export/RVRTFWriter.h"
#include "richtext/base/RVStream.h"

namespace richtext {

bool TCustomRichView::SaveRTFToStream(TRVStream& Stream, bool SelectionOnly) const {
  TRVRTFSavingData savingData;
  return richtext::SaveRTFToStream(*RVData, Stream, SelectionOnly, 0, Color, Background.get(), savingData, 0,
                                 true, false);
}

bool TCustomRichView::SaveRTF(const std::u16string& FileName, bool SelectionOnly) const {
  try {
    TRVMemoryStream bytes;
    const bool ok = SaveRTFToStream(bytes, SelectionOnly);
    std::ofstream file(RVU_UnicodeToUtf8(FileName), std::ios::binary | std::ios::trunc);
    if (!file)
      return false;
    file.write(bytes.Bytes().data(), static_cast<std::streamsize>(bytes.Bytes().size()));
    file.close();
    return ok && file.good();
  } catch (...) {
    return false;
  }
}

} // namespace richtext
