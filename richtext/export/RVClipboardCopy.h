// Copying a formatted document's selection to the system clipboard in several representations
// side by side: RichView Format, text, RTF, and an HTML fragment.
//
// The document needs a layout and a selection (format, then select) before any of these does
// anything; with an empty selection the clipboard is left alone. This engine has no pictures
// and no sub-documents, so nothing here copies a picture or redirects to an inner document.
#pragma once

#include <string>

#include "richtext/style/RVColor.h"

namespace richtext {

class TCustomRVFormattedData;
class TRVBackground;

class TRVSelectionCopier {
public:
  explicit TRVSelectionCopier(TCustomRVFormattedData& RVData) : FRVData(RVData) {}

  // Every representation, whatever the options say: clears the clipboard, opens it (with
  // retries), fires OnCopy, then writes "RichView Format", the 8-bit text (only on systems
  // that are not NT-class), the Unicode text, "Rich Text Format" and "HTML Format", and
  // closes it once, also when a writer raises.
  void Copy(TColor Color, TRVBackground* Background);
  // What the control's options ask for; true when anything was to be copied (an option or an
  // OnCopy handler applies), even when the selection is empty. The HTML fragment travels with
  // the RTF block: both are formatted text.
  bool CopyDef(TColor Color, TRVBackground* Background);

  // One representation each, in a clipboard emptied first; OnCopy is not fired.
  void CopyText() { CopyTextW(); }
  void CopyTextA();
  void CopyTextW();
  void CopyRVF(TColor Color, TRVBackground* Background);
  void CopyRTF(TColor Color, TRVBackground* Background);

  // Block writers: each adds its block to a clipboard already emptied and does nothing else.
  // CopyTextA_ converts with the keyboard's code page, not the document's.
  void CopyTextA_();
  void CopyTextW_();
  // A 32-bit little-endian length N, then the N bytes of the selection's RVF.
  void CopyRVF_(TColor Color, TRVBackground* Background);
  // The selection as a complete RTF file, without a terminating zero.
  void CopyRTF_(TColor Color, TRVBackground* Background);
  // The selection as a UTF-8 HTML fragment (RVGetSelHTMLFragment), so that editors that
  // take HTML receive real links.
  void CopyHTML_();

private:
  bool HasSelection();
  TCustomRVFormattedData& FRVData;
};

} // namespace richtext
