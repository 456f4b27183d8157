// The formatted hyperlink: the one-item document that the main window's label builds in its
// editor (the title in a blue, underlined hyperlink style, the address as the item's tag),
// formatted and selected, ready to be copied.
//
// Plain C++ over the engine: the window, the command-line tool and the tests build the
// document through the same steps. The caller supplies the canvas the editor measures on.
#pragma once

#include <string>
#include <vector>

#include "app/StoredLinks.h"

#include "richtext/control/RichViewEdit.h"
#include "richtext/style/RVStyle.h"

namespace quillon {

// How RTF reading meets the style sheet: the editor is configured to add text and paragraph
// styles when needed, which is what the engine's RTF and HTML readers do (they add only the
// styles the sheet lacks); the setting is kept with the editor so that its configuration is
// complete in one place.
enum class TRVReaderStyleMode { rvrsUseSpecified, rvrsUseClosest, rvrsAddIfNeeded };

struct TRVRTFReadProperties {
  TRVReaderStyleMode TextStyleMode = TRVReaderStyleMode::rvrsAddIfNeeded;
  TRVReaderStyleMode ParagraphStyleMode = TRVReaderStyleMode::rvrsAddIfNeeded;
};

// The editor's place and size on the main window.
inline constexpr int HyperlinkEditorLeft = 288;
inline constexpr int HyperlinkEditorTop = 51;
inline constexpr int HyperlinkEditorWidth = 306;
inline constexpr int HyperlinkEditorHeight = 21;

// The blue of the link text (0x00BBGGRR).
inline constexpr richtext::TColor HyperlinkColor = 0x00FF0000;

// Binds the editor to the style sheet and gives it the main window's settings: editable,
// palette mode rvpaCreateCopies, the RVF options of the clipboard data, position and size.
void ConfigureHyperlinkEditor(richtext::TRichViewEdit& Editor, richtext::TRVStyle& Style);

// The index of the hyperlink style matching text style StyleNo: a copy of it (name included)
// in HyperlinkColor, underlined, marked as a jump; appended to the sheet on first use.
int GetHypertextStyleNo(richtext::TRVStyle& Style, int StyleNo);

// The label's steps up to the copy: clears the editor's document, appends Title as one text
// item in the hyperlink style of text style 0 with Address as its tag, formats, selects all.
void BuildHyperlinkDocument(richtext::TRichViewEdit& Editor, richtext::TRVStyle& Style,
                            const std::u16string& Title, const std::u16string& Address);

// Many links at once: clears the document and appends one paragraph per entry, a link as
// the label builds it (its address shown when its title is empty), any other entry as plain
// text in text style 0; formats and selects all.
void BuildHyperlinkListDocument(richtext::TRichViewEdit& Editor, richtext::TRVStyle& Style,
                                const std::vector<TStoredEntry>& Entries);

// What the clipboard copy of the editor's selection holds, one format each (empty when
// nothing is selected). Each sets Ok to false when the engine's writer reported a failure.
// "Rich Text Format": the RTF of the selection with the editor's colour.
std::string HyperlinkClipboardRTF(richtext::TRichViewEdit& Editor, bool& Ok);
// "RichView Format" without the clipboard block's length prefix.
std::string HyperlinkClipboardRVF(richtext::TRichViewEdit& Editor, bool& Ok);
// The Unicode text.
std::u16string HyperlinkClipboardText(richtext::TRichViewEdit& Editor);

// A style sheet with its editor, as the main window holds them ("RVStyle1" and
// "RichViewEdit1"), for callers without a window.
class THyperlinkDocument {
public:
  // Canvas: what the editor measures on (not owned; it must outlive this object). Set the
  // style sheet's graphic interface, if it is to differ from the registered one, before Build.
  explicit THyperlinkDocument(richtext::TRVCanvas* Canvas);

  richtext::TRVStyle RVStyle1;
  richtext::TRichViewEdit RichViewEdit1;
  TRVRTFReadProperties RTFReadProperties;

  void Build(const std::u16string& Title, const std::u16string& Address) {
    BuildHyperlinkDocument(RichViewEdit1, RVStyle1, Title, Address);
  }
  bool SelectionExists() { return RichViewEdit1.RVData->SelectionExists(true, true); }
  // What the main window's label does: builds the document, then copies the selection to
  // the system clipboard in every format. An empty title selects nothing, and the clipboard
  // keeps what it held. Clipboard errors propagate (ERichViewError).
  void BuildAndCopy(const std::u16string& Title, const std::u16string& Address) {
    Build(Title, Address);
    RichViewEdit1.Copy();
  }
  // The label's copy of what the editor holds now, the user's edits included: selects the
  // whole document and copies it in every format. False when the document holds nothing to
  // copy; the clipboard then keeps what it held.
  bool SelectAllAndCopy() {
    RichViewEdit1.SelectAll();
    if (!SelectionExists())
      return false;
    RichViewEdit1.Copy();
    return true;
  }
  // The same copy for the selected entries of a list.
  void BuildListAndCopy(const std::vector<TStoredEntry>& Entries) {
    BuildHyperlinkListDocument(RichViewEdit1, RVStyle1, Entries);
    RichViewEdit1.Copy();
  }
};

} // namespace quillon
