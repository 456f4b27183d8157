// Plain text export: a range of a document (the selection, for the clipboard) as UTF-16 text.
//
// One writer, TCustomRVData::DoSaveTextToStreamW, produces UTF-16 little-endian code units in a
// stream; the clipboard asks for the selection as a string (GetSelTextW) and converts it to
// bytes itself when it needs 8-bit text. The operations are declared on the document classes
// (CRVData.h, CRVFData.h) and on the control; this header holds what they share.
#pragma once

#include <cstdint>
#include <string>

namespace richtext {

// The options of one text export.
struct TRVTextSavingData {
  // Line width in characters; the separator line before endnotes is a third of it.
  std::int32_t LineWidth = 80;
  // Leave out hidden text, hidden items and items that are not part of the text.
  bool TextOnly = true;
  // The text is going to be converted to a single-byte code page (symbol-font text is then
  // simplified to look-alikes instead of mapped to Unicode pictures).
  bool ForANSI = false;
  // Start the stream with the byte-order mark.
  bool WriteSignature = false;
  // Folder for files that an owner's custom item saver may write.
  std::u16string Path;
};

// Line and page separators of exported text.
inline constexpr char16_t RVTextLineBreak[] = u"\r\n";
inline constexpr char16_t RVTextPageBreak = u'\f';
inline constexpr char16_t RVTextTab = u'\t';

// When true, a page break before an item is exported as a form feed instead of CR LF.
// Off unless the application turns it on.
extern bool RichViewSavePageBreaksInText;

} // namespace richtext
