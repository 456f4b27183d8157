// RichView Format writing: what the document writer and the items' own writers share.
//
// An RVF stream is a sequence of records, each a header line of numbers and short strings
// separated by single spaces and ended by CR LF, followed by the data lines the header
// announces. The primitives that write lines and encode strings are in RVFMisc.h; the
// writer itself is SaveRVFToStreamEx below, and each non-text kind's record comes from its
// item writer (RVItemWriters.h).
#pragma once

#include <cstdint>
#include <string>

#include "richtext/document/CRVData.h"
#include "richtext/document/RVItem.h"

namespace richtext {

class TCustomRVData;
class TRVStream;

// The version line: -8 1 3 followed by the sub-sub-version.
inline constexpr std::int32_t RVFVersion = 1;
inline constexpr std::int32_t RVFSubVersion = 3;
inline constexpr const char* RVFSubSubVersion = " 2";

// Read types: the fifth number of a header, how the data lines are encoded.
inline constexpr std::int32_t RVF_READTYPE_TEXT = 0;   // lines; text items: raw UTF-16 + U+2029
inline constexpr std::int32_t RVF_READTYPE_BINARY = 2; // 32-bit length, then that many bytes
inline constexpr std::int32_t RVF_READTYPE_HEX = 3;    // text items as hexadecimal UTF-16

// Kinds of document property records (the seventh number of a -9 header).
inline constexpr std::int32_t RVF_DOCPROP_TEXTSTYLES = 1;
inline constexpr std::int32_t RVF_DOCPROP_PARASTYLES = 2;
inline constexpr std::int32_t RVF_DOCPROP_LAYOUT = 3;
inline constexpr std::int32_t RVF_DOCPROP_LISTSTYLES = 4;
inline constexpr std::int32_t RVF_DOCPROP_DOCPROPLIST = 5;
inline constexpr std::int32_t RVF_DOCPROP_PREVMARKERS = 6;
inline constexpr std::int32_t RVF_DOCPROP_DOCPARAMETERS = 7;
inline constexpr std::int32_t RVF_DOCPROP_EXTRADOCUMENT = 8;
inline constexpr std::int32_t RVF_DOCPROP_UNITS = 9;
inline constexpr std::int32_t RVF_DOCPROP_STYLETEMPLATES = 10;
inline constexpr std::int32_t RVF_DOCPROP_STYLETEMPLATENAMES = 11;
inline constexpr std::int32_t RVF_DOCPROP_DOCOBJECTS = 12;
inline constexpr std::int32_t RVF_DOCPROP_PIXELSPERINCH = 13;

// Names of the extra-property lines of non-text items.
inline constexpr const char* RVF_EXTRA_HINT = "hint";
inline constexpr const char* RVF_EXTRA_UNREMOVABLE = "unremovable";
inline constexpr const char* RVF_EXTRA_HIDDEN = "hidden";

// When true, an item holding a selection of its own (a table with selected cells) writes that
// selection when the selection is saved. On unless the application clears it.
extern bool RichViewAllowCopyTableCells;

// A text style reference in a header: the number, or with rvfoUseStyleNames and a valid
// number the style's name in double quotes.
std::string RVFSaveText(TCustomRVData* RVData, std::int32_t StyleNo);
// A paragraph style reference; -1 stays "-1".
std::string RVFSavePara(TCustomRVData* RVData, std::int32_t ParaNo);
// Item options as written: masked to the stored bits; with Force, the item is made to continue
// the previous line (no page break, no line break).
std::int32_t RVFGetItemOptions(TRVItemOptions Options, bool Force);
// An item's hint as the tail of a header: a space and the quoted hint, or nothing.
std::string RVFSaveHint(const TRVUnicodeString& Hint);
// A checkpoint record: its header (tag, raise-event and persistent flags) and its name line.
void RVFWriteCheckpoint(TRVStream& Stream, const TRVCPInfo& Checkpoint);
// The resolution written into the pixels-per-inch record.
std::int32_t RV_GetPixelsPerInch();

// RichView Format of the selection or of the whole document. Root: the main document of a
// control (nested documents are written with Root false). False when writing failed; what
// was written stays in the stream.
bool SaveRVFToStream(TCustomRVData& RVData, TRVStream& Stream, bool SelectionOnly, TColor Color,
                     TRVBackground* Background, TRVLayoutInfo* Layout, bool Root);
bool SaveRVFToStreamEx(TCustomRVData& RVData, TRVStream& Stream, TRVFSaveScope SaveScope,
                       const TRVScreenAndDevice* sad, bool Root, TRVLayoutInfo* Layout,
                       TRVBackground* Background, TColor Color);
// Into a new file (UTF-8 file name); false on any failure.
bool SaveRVF(TCustomRVData& RVData, const std::u16string& FileName, bool SelectionOnly,
             TColor Color, TRVBackground* Background, TRVLayoutInfo* Layout);

} // namespace richtext
