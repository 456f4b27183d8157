// The control's text and RVF writing operations: thin forwarders to its document.
#include "richtext/control/RichView.h"
#include "richtext/export/RVFWriter.h"
#include "richtext/export/RVTextExport.h"

namespace richtext {

std::u16string TCustomRichView::GetSelTextW() const {
  return richtext::GetSelTextW(*RVData, false);
}

std::string TCustomRichView::GetSelTextA() const {
  return richtext::GetSelTextA(*RVData);
}

bool TCustomRichView::SaveTextToStreamW(const std::u16string& Path, TRVStream& Stream,
                                        int LineWidth, bool SelectionOnly, bool TextOnly) const {
  return richtext::SaveTextToStreamW(*RVData, Path, Stream, LineWidth, SelectionOnly, TextOnly, false, false,
                                   true);
}

bool TCustomRichView::SaveTextToStreamA(const std::u16string& Path, TRVStream& Stream,
                                        int LineWidth, bool SelectionOnly, bool TextOnly,
                                        TRVCodePage CodePage) const {
  return richtext::SaveTextToStreamA(*RVData, Path, Stream, LineWidth, SelectionOnly, TextOnly, CodePage,
                                   true);
}

bool TCustomRichView::SaveRVFToStream(TRVStream& Stream, bool SelectionOnly) const {
  return richtext::SaveRVFToStream(*RVData, Stream, SelectionOnly, Color, Background.get(), nullptr, true);
}

bool TCustomRichView::SaveRVF(const std::u16string& FileName, bool SelectionOnly) const {
  return richtext::SaveRVF(*RVData, FileName, SelectionOnly, Color, Background.get(), nullptr);
}

} // namespace richtext
