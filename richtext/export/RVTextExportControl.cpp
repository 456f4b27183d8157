// The control's text and RVF writing operations: thin forwarders to its document.
#include "richtext/control/RichView.h"
#include "richtext/export/RVTextExport.h"

namespace richtext {

std::u16string TCustomRichView::GetSelTextW() const {
  return RVData->GetSelTextW(false);
}

std::string TCustomRichView::GetSelTextA() const {
  return RVData->GetSelTextA();
}

bool TCustomRichView::SaveTextToStreamW(const std::u16string& Path, TRVStream& Stream,
                                        int LineWidth, bool SelectionOnly, bool TextOnly) const {
  return RVData->SaveTextToStreamW(Path, Stream, LineWidth, SelectionOnly, TextOnly, false, false,
                                   true);
}

bool TCustomRichView::SaveTextToStreamA(const std::u16string& Path, TRVStream& Stream,
                                        int LineWidth, bool SelectionOnly, bool TextOnly,
                                        TRVCodePage CodePage) const {
  return RVData->SaveTextToStreamA(Path, Stream, LineWidth, SelectionOnly, TextOnly, CodePage,
                                   true);
}

bool TCustomRichView::SaveRVFToStream(TRVStream& Stream, bool SelectionOnly) const {
  return RVData->SaveRVFToStream(Stream, SelectionOnly, Color, Background.get(), nullptr, true);
}

bool TCustomRichView::SaveRVF(const std::u16string& FileName, bool SelectionOnly) const {
  return RVData->SaveRVF(FileName, SelectionOnly, Color, Background.get(), nullptr);
}

} // namespace richtext
