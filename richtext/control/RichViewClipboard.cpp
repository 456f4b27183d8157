// The control's clipboard operations: thin forwarders to its document.
#include "richtext/control/RichView.h"
#include "richtext/export/RVClipboardCopy.h"

namespace richtext {

void TCustomRichView::Copy() {
  TRVSelectionCopier(*RVData).Copy(GetColor(), Background.get());
}

bool TCustomRichView::CopyDef() {
  return TRVSelectionCopier(*RVData).CopyDef(GetColor(), Background.get());
}

void TCustomRichView::CopyText() {
  TRVSelectionCopier(*RVData).CopyText();
}

void TCustomRichView::CopyTextA() {
  TRVSelectionCopier(*RVData).CopyTextA();
}

void TCustomRichView::CopyTextW() {
  TRVSelectionCopier(*RVData).CopyTextW();
}

void TCustomRichView::CopyRVF() {
  TRVSelectionCopier(*RVData).CopyRVF(Color, Background.get());
}

void TCustomRichView::CopyRTF() {
  TRVSelectionCopier(*RVData).CopyRTF(Color, Background.get());
}

} // namespace richtext
