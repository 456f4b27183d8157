#include "richtext/control/RichViewEdit.h"

namespace richtext {

namespace {

std::unique_ptr<TRichViewRVData> CreateEditData(TCustomRichView* RichView) {
  return std::make_unique<TRVEditRVData>(RichView);
}

} // namespace

void TRVEditRVData::Clear() {
  CurTextStyleNo = 0;
  CurParaStyleNo = 0;
  TRichViewRVData::Clear();
  CurTextStyleNo = 0;
  CurParaStyleNo = 0;
  UndoList.Clear();
  Composition = TRVEditGroup{};
  State.Include(rvstEditorUnformatted);
}

TCustomRichViewEdit::TCustomRichViewEdit() : TCustomRichView(&CreateEditData) {
  KeyboardScroll = false;
  Flags = RVDefaultEditorFlags;
  FRVCursor = crIBeam;
  FLiveSpellingMode = rvlspOnChange;
}

TRichViewRVDataClass TCustomRichViewEdit::GetDataClass() const {
  return &CreateEditData;
}

} // namespace richtext
