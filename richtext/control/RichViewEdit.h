// The editable rich view control: the viewer's construction defaults changed, a document that
// keeps the current styles and the undo history, and the editing operations (typing, breaks,
// deleting, undo and redo, cut and paste; RichViewEditing.cpp) that a host calls for the
// user's keys. The caret is the active end of the selection.
#pragma once

#include <cstdint>

#include "richtext/control/RichView.h"
#include "richtext/document/RVEditOps.h"
#include "richtext/document/RVUndoList.h"

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
  // Emptied by Clear, so that ClearAll starts a fresh history.
  TRVUndoList UndoList;
  // An input method's composition shown in the document: the inverses of the steps that put
  // it there (empty without one), where it lies, and where the caret was before it.
  TRVEditGroup Composition;
  TRVItemPos CompositionFrom, CompositionTo, CompositionCaret;

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

  // -- editing (RichViewEditing.cpp) --
  // Each answers false, changing nothing, when the control is read-only or there is nothing
  // to do. Every change reformats what it touched and leaves the caret (a collapsed
  // selection) after it.
  // Text at the caret in the style the caret is in, replacing the selection. Typing (AsTyping)
  // grows one undo entry per word; otherwise the text is one entry (an input method's commit).
  bool InsertText(const std::u16string& Text, bool AsTyping = true);
  // Enter: a new paragraph in the same paragraph style; Shift+Enter: a new line in it.
  bool InsertParagraphBreak();
  bool InsertLineBreak();
  // Backspace / Delete: the selection, else one character (grapheme cluster) or, ByWord, to the
  // word boundary; at a paragraph's edge the paragraphs join.
  bool DeleteBackward(bool ByWord = false);
  bool DeleteForward(bool ByWord = false);
  bool DeleteSelection();
  bool Undo();
  bool Redo();
  bool CanUndo() const { return GetEditData()->UndoList.CanUndo(); }
  bool CanRedo() const { return GetEditData()->UndoList.CanRedo(); }
  // Copy as the shortcut does, then delete the selection.
  bool CutDef();
  // The richest format the clipboard holds: "RichView Format", else RTF, else HTML (styles the
  // sheet lacks are added), else its Unicode text. A block that does not read gives way to the
  // next format.
  bool PasteDef();
  // An RVF stream / plain text at the caret, replacing the selection.
  bool PasteRVF(std::string_view Bytes);
  // RTF and HTML as other programs copy them; their styles are merged into the sheet as the
  // RVF paste merges its own. A stream that does not read raises and changes nothing.
  bool PasteRTF(std::string_view Bytes);
  bool PasteHTML(std::string_view Bytes);
  bool PasteText(const std::u16string& Text);
  // The caret: the active end of the selection; the end of the document without one.
  TRVItemPos GetEditCaretPos();
  // The text style and tag typing at Pos gets: the item's inside it, and at a hyperlink's
  // ends (where typing must not extend it) the nearest plain text style of the paragraph.
  std::int32_t GetTypingStyle(TRVItemPos Pos, TRVTag& Tag);
  // The caret's box in client coordinates (one pixel wide, the height of its drawing item),
  // for an input method's candidate window; false without a layout.
  bool GetEditCaretRect(TRect& R);
  // The same box for any position.
  bool GetItemPosRect(TRVItemPos Pos, TRect& R);

  // -- input-method composition --
  // An input method's text not yet committed (its preedit), shown at the caret in the typing
  // style and laid out with the document, so that what follows moves aside; the caret goes
  // CursorPos characters into it. It is no edit: the undo history never sees it, and every
  // edit, undo, redo and cut takes it out before it starts. A selection is deleted (an undo
  // step of its own) when a composition starts. An empty Text ends the composition.
  bool SetComposition(const std::u16string& Text, std::int32_t CursorPos);
  bool HasComposition() const { return !GetEditData()->Composition.Empty(); }
  std::u16string GetCompositionText() const;
  // Where the composition lies: two positions in one text item; false without one.
  bool GetCompositionRange(TRVItemPos& From, TRVItemPos& To) const;
  // The input method's commit: ends the composition, selects the Length characters that
  // start Start characters from the caret (in the caret's item; negative: before it) when
  // Start or Length is not 0, and puts Text in their place, as one undo step.
  bool CommitComposition(const std::u16string& Text, std::int32_t Start = 0, std::int32_t Length = 0);

private:
  bool CanEdit() const { return !GetReadOnly() && GetStyle() != nullptr; }
  // Starts an action: a document with no items gets an empty one, and the selection before
  // the action is remembered.
  TRVUndoEntry BeginAction(TRVUndoKind Kind);
  // Deletes the selection into Entry; answers where the caret goes.
  TRVItemPos DeleteSelectionInto(TRVUndoEntry& Entry);
  // Reformats what Entry touched, puts the caret and records the entry; false when the
  // action changed nothing.
  bool EndAction(TRVUndoEntry Entry, TRVItemPos Caret);
  void ReformatAfterEdit(const TRVEditGroup& Steps, std::int32_t OldItemCount);
  bool InsertBreak(bool LineBreak);
  // Takes the composition out of the document, the caret back where it was before it.
  void RemoveComposition();
  bool DeleteStep(bool Forward, bool ByWord);
  bool PasteItems(std::vector<std::unique_ptr<TCustomRVItemInfo>> Items);

  bool FReadOnly = false;
};

class TRichViewEdit : public TCustomRichViewEdit {
public:
  TRichViewEdit() = default;
};

} // namespace richtext
