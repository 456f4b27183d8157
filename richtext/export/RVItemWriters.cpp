// The built-in item writers (horizontal line and tab) and the table by kind.
#include "richtext/export/RVItemWriters.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

#include "richtext/base/RVStream.h"
#include "richtext/document/CRVData.h"
#include "richtext/document/RVItem.h"
#include "richtext/export/RVFMisc.h"
#include "richtext/export/RVFWriter.h"
#include "richtext/export/RVRTFSaveStyle.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/export/RVTextExport.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

// ---- RVF ------------------------------------------------------------------------------------

// "hint", "unremovable" (DeleteProtect) and "hidden" lines, each when it applies.
std::int32_t ExtraPropertyCount(const TRVNonTextItemInfo& Item) {
  return (Item.Hint.empty() ? 0 : 1) + (Item.DeleteProtect ? 1 : 0) + (Item.Hidden ? 1 : 0);
}

void WriteExtraProperties(const TRVNonTextItemInfo& Item, TRVStream& Stream) {
  if (!Item.Hint.empty())
    RVFWriteLine(Stream, std::string(RVF_EXTRA_HINT) + '=' + UnicodeStringToRVFString(Item.Hint));
  if (Item.DeleteProtect)
    RVFWriteLine(Stream, std::string(RVF_EXTRA_UNREMOVABLE) + "=1");
  if (Item.Hidden)
    RVFWriteLine(Stream, std::string(RVF_EXTRA_HIDDEN) + "=1");
}

// Header of a non-text item: kind, extra-property count, paragraph, options, read type 0, tag
// and the kind's tail; then the extra-property lines.
void WriteNonTextRecord(const TRVNonTextItemInfo& Item, const std::string& Tail,
                        TRVStream& Stream, TCustomRVData* RVData, std::int32_t ParaNo,
                        bool ForceSameAsPrev) {
  RVFWriteLine(Stream, std::to_string(Item.StyleNo) + ' ' +
                           std::to_string(ExtraPropertyCount(Item)) + ' ' +
                           RVFSavePara(RVData, ParaNo) + ' ' +
                           std::to_string(RVFGetItemOptions(Item.ItemOptions, ForceSameAsPrev)) +
                           ' ' + std::to_string(RVF_READTYPE_TEXT) + ' ' + RVFSaveTag(Item.Tag) +
                           ' ' + Tail);
  WriteExtraProperties(Item, Stream);
}

// A line's tail: colour, line style and line width.
void BreakSaveRVF(const TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                  std::int32_t, std::int32_t ParaNo, const TRVUnicodeString&,
                  TRVMultiDrawItemPart*, bool ForceSameAsPrev) {
  const auto& line = static_cast<const TRVBreakItemInfo&>(Item);
  WriteNonTextRecord(line,
                     std::to_string(line.Color) + ' ' +
                         std::to_string(static_cast<int>(line.Style)) + ' ' +
                         std::to_string(line.LineWidth),
                     Stream, RVData, ParaNo, ForceSameAsPrev);
}

// A tab's tail: the reference of its text style.
void TabSaveRVF(const TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                std::int32_t, std::int32_t ParaNo, const TRVUnicodeString&, TRVMultiDrawItemPart*,
                bool ForceSameAsPrev) {
  const auto& tab = static_cast<const TRVTabItemInfo&>(Item);
  WriteNonTextRecord(tab, RVFSaveText(RVData, tab.TextStyleNo), Stream, RVData, ParaNo,
                     ForceSameAsPrev);
}

// ---- RTF ------------------------------------------------------------------------------------

constexpr std::string_view RTF_TabItem = "\\tab ";
constexpr std::string_view RTF_HiddenTabItem = "{\\v\\tab}";
constexpr std::string_view RTF_HiddenGroupStart = "{\\v";
constexpr std::string_view RTF_LineParaStart = "\\pard";
constexpr std::string_view RTF_LineBorder = "\\plain\\fs6\\brdrb\\brdrs\\brdrw";
constexpr std::string_view RTF_LineBorderColor = "\\brdrcf";
constexpr std::string_view RTF_LineParaEnd = "\\par\\pard";

// What tells the reader that a paragraph lies in a table cell, by nesting depth.
std::string TableNestingMarker(int Level) {
  if (Level == 0)
    return {};
  if (Level == 1)
    return "\\intbl\\itap1";
  return "\\itap" + std::to_string(Level);
}

void BreakFillRTFTables(const TCustomRVItemInfo& Item, TCustomRVRTFTables& RTFTables,
                        TCustomRVData*) {
  RTFTables.AddColor(static_cast<const TRVBreakItemInfo&>(Item).Color);
}

// The line is the bottom border of an empty paragraph of its own, in a tiny font so that the
// paragraph is barely taller than the line.
void BreakSaveRTF(const TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                  bool HiddenParent, std::int32_t, TRVRTFSavingData& SavingData,
                  std::int32_t Level, std::int32_t) {
  const auto& line = static_cast<const TRVBreakItemInfo&>(Item);
  const TRVStyle* style = RVData->GetRVStyle();
  const int width = style != nullptr ? style->GetAsTwips(line.LineWidth) : line.LineWidth * 15;
  const int colorIndex = line.Color == clNone || !SavingData.RTFTables
                             ? 0
                             : RTFColorRef(*SavingData.RTFTables, line.Color);
  const std::string marker = TableNestingMarker(Level);
  const bool hidden = line.Hidden || HiddenParent;
  std::string out;
  if (hidden)
    out += RTF_HiddenGroupStart;
  out += RTF_LineParaStart;
  out += marker;
  out += RTF_LineBorder;
  out += std::to_string(width);
  out += RTF_LineBorderColor;
  out += std::to_string(colorIndex);
  out += RTF_LineParaEnd;
  out += marker;
  if (hidden)
    out += '}';
  Stream.Write(out);
}

void TabSaveRTF(const TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData*,
                bool HiddenParent, std::int32_t, TRVRTFSavingData&, std::int32_t, std::int32_t) {
  Stream.Write(static_cast<const TRVTabItemInfo&>(Item).Hidden || HiddenParent
                   ? RTF_HiddenTabItem
                   : RTF_TabItem);
}

// ---- plain text -----------------------------------------------------------------------------

// A horizontal line reads as a row of dashes across the text's line width.
TRVUnicodeString BreakAsText(const TCustomRVItemInfo&, TCustomRVData*, std::int32_t,
                             const TRVTextSavingData& SaveData, const TRVUnicodeString&) {
  return TRVUnicodeString(static_cast<std::size_t>(std::max(SaveData.LineWidth, 0)), u'-');
}

TRVUnicodeString TabAsText(const TCustomRVItemInfo&, TCustomRVData*, std::int32_t,
                           const TRVTextSavingData&, const TRVUnicodeString&) {
  return TRVUnicodeString(1, RVTextTab);
}

// ---- the table ------------------------------------------------------------------------------

std::unordered_map<std::int32_t, TRVItemWriter>& Writers() {
  static std::unordered_map<std::int32_t, TRVItemWriter> writers = [] {
    std::unordered_map<std::int32_t, TRVItemWriter> w;
    TRVItemWriter line;
    line.SaveRVF = BreakSaveRVF;
    line.FillRTFTables = BreakFillRTFTables;
    line.SaveRTF = BreakSaveRTF;
    line.AsText = BreakAsText;
    w[rvsBreak] = line;
    TRVItemWriter tab;
    tab.SaveRVF = TabSaveRVF;
    tab.SaveRTF = TabSaveRTF;
    tab.AsText = TabAsText;
    w[rvsTab] = tab;
    return w;
  }();
  return writers;
}

} // namespace

const TRVItemWriter& RVGetItemWriter(std::int32_t StyleNo) {
  static const TRVItemWriter none;
  const auto& writers = Writers();
  const auto it = writers.find(StyleNo);
  return it == writers.end() ? none : it->second;
}

void RVRegisterItemWriter(std::int32_t StyleNo, const TRVItemWriter& Writer) {
  Writers()[StyleNo] = Writer;
}

void RVItemSaveRVF(const TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                   std::int32_t ItemNo, std::int32_t ParaNo, const TRVUnicodeString& Name,
                   TRVMultiDrawItemPart* Part, bool ForceSameAsPrev) {
  if (auto f = RVGetItemWriter(Item.StyleNo).SaveRVF)
    f(Item, Stream, RVData, ItemNo, ParaNo, Name, Part, ForceSameAsPrev);
}

bool RVItemSaveRVFSelection(TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData) {
  auto f = RVGetItemWriter(Item.StyleNo).SaveRVFSelection;
  return f != nullptr && f(Item, Stream, RVData);
}

void RVItemFillRTFTables(const TCustomRVItemInfo& Item, TCustomRVRTFTables& RTFTables,
                         TCustomRVData* RVData) {
  if (auto f = RVGetItemWriter(Item.StyleNo).FillRTFTables)
    f(Item, RTFTables, RVData);
}

void RVItemSaveRTF(const TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                   bool HiddenParent, std::int32_t DocType, TRVRTFSavingData& SavingData,
                   std::int32_t Level, std::int32_t ItemNo) {
  if (auto f = RVGetItemWriter(Item.StyleNo).SaveRTF)
    f(Item, Stream, RVData, HiddenParent, DocType, SavingData, Level, ItemNo);
}

TRVUnicodeString RVItemAsText(const TCustomRVItemInfo& Item, TCustomRVData* RVData,
                              std::int32_t ItemNo, const TRVTextSavingData& SaveData,
                              const TRVUnicodeString& Text) {
  auto f = RVGetItemWriter(Item.StyleNo).AsText;
  return f != nullptr ? f(Item, RVData, ItemNo, SaveData, Text) : TRVUnicodeString();
}

void RVItemSaveTextSelectionW(TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                              const TRVTextSavingData& SaveData) {
  if (auto f = RVGetItemWriter(Item.StyleNo).SaveTextSelectionW)
    f(Item, Stream, RVData, SaveData);
}

} // namespace richtext
