// The editable rich view control. Editing itself (caret, typing, undo, drag and drop, paste)
// is not part of this engine; the editor differs from the viewer in its construction
// defaults and in what clearing its document does.
#pragma once

#include <cstdint>

#include "richtext/control/RichView.h"

namespace richtext {

enum class TRVEditorOption : unsigned { rvoCtrlJumps, rvoWantTabs };
using enum TRVEditorOption;
using TRVEditorOptions = TRVSet<TRVEditorOption, std::uint32_t>;

// The owner flags of a new editor (0x1B04): the viewer's without rvflUseJumps and
// rvflUseExternalLeading, with rvflRootEditor.
inline constexpr TRVFlags RVDefaultEditorFlags =
    (RVDefaultViewerFlags - TRVFlags{rvflUseJumps, rvflUseExternalLeading}) |
    TRVFlags{rvflRootEditor};

// The editor's document: it keeps the current text and paragraph styles and remembers that
// it was cleared, so that the next reformatting formats from scratch.
class TRVEditRVData : public TRichViewRVData {
public:
  using TRichViewRVData::TRichViewRVData;

  std::int32_t CurTextStyleNo = 0;
  std::int32_t CurParaStyleNo = 0;

  void Clear() override;
};

class TCustomRichViewEdit : public TCustomRichView {
public:
  TCustomRichViewEdit();

  TRVEditorOptions EditorOptions{rvoCtrlJumps, rvoWantTabs};
  // -1: unlimited.
  int UndoLimit = -1;

  TRVEditRVData* GetEditData() const { return static_cast<TRVEditRVData*>(RVData.get()); }

  TRichViewRVDataClass GetDataClass() const override;
  bool HasCaret() const override { return true; }
  virtual void SetReadOnly(bool Value) { FReadOnly = Value; }
  virtual bool GetReadOnly() const { return FReadOnly; }

private:
  bool FReadOnly = false;
};

class TRichViewEdit : public TCustomRichViewEdit {
public:
  TRichViewEdit() = default;
};

} // namespace richtext
