// Plain text export: a range of a document (the selection, for the clipboard) as UTF-16 text.
//
// One writer, DoSaveTextToStreamW, produces UTF-16 little-endian code units in a stream; the
// clipboard asks for the selection as a string (GetSelTextW) and converts it to bytes itself
// when it needs 8-bit text.
#pragma once

#include <cstdint>
#include <string>

#include "richtext/base/RVCodePage.h"

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

class TCustomRVData;
class TCustomRVFormattedData;
class TRVStream;

// The range (the selection, or everything) as UTF-16 little-endian text. False when writing
// failed; what was written stays in the stream.
bool SaveTextToStreamW(TCustomRVData& RVData, const std::u16string& Path, TRVStream& Stream,
                       std::int32_t LineWidth, bool SelectionOnly, bool TextOnly, bool ForANSI,
                       bool UnicodeWriteSignature, bool Root);
// The same text converted to CodePage ("?" for what it cannot hold).
bool SaveTextToStreamA(TCustomRVData& RVData, const std::u16string& Path, TRVStream& Stream,
                       std::int32_t LineWidth, bool SelectionOnly, bool TextOnly,
                       TRVCodePage CodePage, bool Root);
bool DoSaveTextToStreamW(TCustomRVData& RVData, TRVStream& Stream, bool SelectionOnly,
                         const TRVTextSavingData& SaveData, bool Root);
// The selected text; empty without a selection or when writing failed.
std::u16string GetSelTextW(TCustomRVFormattedData& RVData, bool ForANSI);
// The selected text in the document's default code page.
std::string GetSelTextA(TCustomRVFormattedData& RVData);

} // namespace richtext
