// RTF writing of a document: SaveRTFToStream, the pieces of it that are pure functions of their
// input, and the control words the writer emits.
//
// The writer itself walks the items of a range and keeps the run state (last paragraph style,
// last text style) so that "\pard" and "\plain" are written only when something changes. Text
// escaping and the style properties are RVRTFSaveText.h and RVRTFSaveStyle.h; the font and
// colour tables of a save are RVRTFTables.h; each non-text kind's RTF comes from its item
// writer (RVItemWriters.h).
#pragma once

#include <string>
#include <string_view>

#include <cstdint>

#include "richtext/base/RVClasses.h"
#include "richtext/base/RVCodePage.h"

namespace richtext {

// ---- Control words of the document writer ---------------------------------------------------

inline constexpr std::string_view RTF_CRLF = "\r\n";
inline constexpr std::string_view RTF_DocStart = "{\\rtf1\\fbidis\\ansi\\ansicpg";
inline constexpr std::string_view RTF_DefaultFallbackCount = "\\uc";
inline constexpr std::string_view RTF_DefaultFont = "\\deff0";
inline constexpr std::string_view RTF_DefaultLanguage = "\\deflang";
inline constexpr std::string_view RTF_DefaultLanguageFE = "\\deflangfe";
inline constexpr std::string_view RTF_DocEnd = "}";
inline constexpr std::string_view RTF_DefaultPageSetup =
    "\\paperw11906\\paperh16838\\margl1800\\margr1800\\margt1440\\margb1440";
inline constexpr std::string_view RTF_ParaDefaults = "\\pard";
inline constexpr std::string_view RTF_CharDefaults = "\\plain";
inline constexpr std::string_view RTF_ParEnd = "\\par";
inline constexpr std::string_view RTF_PageBreak = "\\page ";
inline constexpr std::string_view RTF_PageBreakBefore = "\\pagebb";
inline constexpr std::string_view RTF_InTable = "\\intbl";
inline constexpr std::string_view RTF_NestingLevel = "\\itap";
inline constexpr std::string_view RTF_FontRef = "\\f";
inline constexpr std::string_view RTF_ParaStyleRef = "\\s";
inline constexpr std::string_view RTF_CharStyleRef = "\\cs";
inline constexpr std::string_view RTF_HiddenText = "\\v";
inline constexpr std::string_view RTF_LeftToRightRun = "\\ltrch ";
inline constexpr std::string_view RTF_RightToLeftRun = "\\rtlch ";
inline constexpr std::string_view RTF_LeftToRightPara = "\\ltrpar";
inline constexpr std::string_view RTF_RightToLeftPara = "\\rtlpar";
inline constexpr std::string_view RTF_FieldStart = "{\\field{\\*\\fldinst HYPERLINK ";
inline constexpr std::string_view RTF_FieldResultStart = "}{\\fldrslt ";
inline constexpr std::string_view RTF_FieldEnd = "}}";
inline constexpr std::string_view RTF_BookmarkStart = "{\\*\\bkmkstart ";
inline constexpr std::string_view RTF_BookmarkEnd = "}{\\*\\bkmkend ";
inline constexpr std::string_view RTF_ListTables = "{\\*\\listtable}{\\*\\listoverridetable}";
inline constexpr std::string_view RTF_StyleSheetStart = "{\\stylesheet";
inline constexpr std::string_view RTF_CharStyleStart = "{\\*\\cs";
inline constexpr std::string_view RTF_CharStyleAdditive = "\\additive";
inline constexpr std::string_view RTF_BackgroundStart =
    "\\viewbksp1{\\*\\background {\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright0\\shpbottom0"
    "\\shpfhdr0\\shpbxmargin\\shpbxignore\\shpbymargin\\shpbyignore\\shpwr0\\shpwrk0"
    "\\shpfblwtxt1\\shpz0{\\sp{\\sn shapeType}{\\sv 1}}{\\sp{\\sn fFlipH}{\\sv 0}}"
    "{\\sp{\\sn fFlipV}{\\sv 0}}{\\sp{\\sn fillColor}{\\sv ";
inline constexpr std::string_view RTF_BackgroundEnd =
    "}}{\\sp{\\sn fFilled}{\\sv 1}}{\\sp{\\sn lineWidth}{\\sv 0}}{\\sp{\\sn fLine}{\\sv 0}}"
    "{\\sp{\\sn bWMode}{\\sv 9}}{\\sp{\\sn fBackground}{\\sv 1}}"
    "{\\sp{\\sn fLayoutInCell}{\\sv 1}}}}}";

// The groups of the six header and footer documents, in the order they are written.
inline constexpr std::string_view RTF_HeaderFooterGroups[6] = {
    "{\\header ", "{\\footer ", "{\\headerf ", "{\\footerf ", "{\\headerl ", "{\\footerl "};

// Bookmark names are cut to this many characters: longer names are refused by some readers.
inline constexpr std::size_t RVRTFMaxBookmarkLength = 43;

// ---- Hyperlink targets ----------------------------------------------------------------------

// LF, CR, space, double quote, "%" and "+" as "%" and two upper-case hexadecimal digits; all
// else unchanged. A target that already holds escapes has their "%" escaped again.
std::u16string RVPercentEncodeURL(std::u16string_view URL);

// Splits the part after "#" off a target as its local target (an anchor). A target that
// begins with "#" is all anchor; otherwise the first "#" after a "." splits it, so that
// "page.htm#top" names the anchor "top" in "page.htm", while a "#" before any "." (as in
// "a#b") belongs to the target.
void CalcLocalURL(std::u16string_view URL, std::u16string& Target, std::u16string& LocalTarget);

// The field switch that shows an item's hint as the link's screen tip: \o "hint", double
// quotes inside the hint replaced by apostrophes. Empty for an empty hint.
std::u16string RVMakeHyperlinkExtras(std::u16string_view Hint);

// The argument text of a HYPERLINK field instruction: the quoted target, the \l switch with
// the quoted local target, then Extras; empty when both targets are empty. Everything is
// escaped for RTF in CodePage, backslashes of the switches doubled as field text needs.
std::string RVMakeRTFHyperlinkFieldText(std::u16string_view Target, std::u16string_view LocalTarget,
                                        std::u16string_view Extras, TRVCodePage CodePage,
                                        bool SaveAnsi);

// ---- Bookmarks -------------------------------------------------------------------------------

// A checkpoint name as a bookmark name: every character that is not a letter or a digit
// becomes "_", the result is cut to RVRTFMaxBookmarkLength characters and escaped.
std::string RVMakeRTFBookmarkName(std::u16string_view Name, TRVCodePage CodePage, bool SaveAnsi);
// "{\*\bkmkstart name}{\*\bkmkend name}" for a checkpoint name.
std::string RVMakeRTFBookmark(std::u16string_view Name, TRVCodePage CodePage, bool SaveAnsi);

// ---- Header ----------------------------------------------------------------------------------

// The code page the header declares after "\ansicpg": the style sheet's default code page,
// with 0 resolved to the process's ANSI code page (the page the fallbacks are written in).
TRVCodePage RVRTFHeaderCodePage(TRVCodePage DefCodePage);

class TCustomRVData;
class TRVBackground;
class TRVStream;
struct TRVRTFSavingData;

// The range (the selection, or everything) as RTF. Level: 0 for the main text, the nesting
// depth for sub-documents. Color: the document's background colour (written unless it is
// clWindow or clNone). SavingData: the state of the whole save, one per save. DocType: which
// kind of sub-document (0: the main text). CompleteDocument: write the header with the
// tables, and the closing brace (the tables of SavingData are made and freed by that call).
// HiddenParent: everything is written as hidden text. The header and footer documents are
// written when given. False when writing failed; what was written stays in the stream.
bool SaveRTFToStream(TCustomRVData& RVData, TRVStream& Stream, bool SelectionOnly,
                     std::int32_t Level, TColor Color, TRVBackground* Background,
                     TRVRTFSavingData& SavingData, std::int32_t DocType, bool CompleteDocument,
                     bool HiddenParent, TCustomRVData* Header = nullptr,
                     TCustomRVData* Footer = nullptr, TCustomRVData* FirstPageHeader = nullptr,
                     TCustomRVData* FirstPageFooter = nullptr,
                     TCustomRVData* EvenPagesHeader = nullptr,
                     TCustomRVData* EvenPagesFooter = nullptr);

} // namespace richtext
