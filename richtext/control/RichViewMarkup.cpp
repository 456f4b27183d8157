#include "richtext/control/RichViewMarkup.h"

#include "richtext/export/RVClipboard.h"

namespace richtext {

void RVCopySelMarkup(TCustomRichView& View, TRVMarkupFormat Format) {
  const std::u16string text = RVGetSelMarkup(*View.RVData, Format);
  if (text.empty())
    return;
  RVSystemClipboard().Clear();
  RVSetTextToClipboardW(text, CF_UNICODETEXT);
}

} // namespace richtext
