// The items' own RTF: what a non-text item adds to the tables of a save and what it writes
// at its place in the body.
#include <string>

#include "richtext/document/CRVData.h"
#include "richtext/document/RVItem.h"
#include "richtext/export/RVRTFSaveStyle.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/export/RVStream.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

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

} // namespace

void TCustomRVItemInfo::FillRTFTables(TCustomRVRTFTables&, TCustomRVData*) const {}

void TCustomRVItemInfo::SaveRTF(TRVStream&, TCustomRVData*, bool, std::int32_t, TRVRTFSavingData&,
                                std::int32_t, std::int32_t) {}

void TRVBreakItemInfo::FillRTFTables(TCustomRVRTFTables& RTFTables, TCustomRVData*) const {
  RTFTables.AddColor(Color);
}

// The line is the bottom border of an empty paragraph of its own, in a tiny font so that the
// paragraph is barely taller than the line.
void TRVBreakItemInfo::SaveRTF(TRVStream& Stream, TCustomRVData* RVData, bool HiddenParent,
                               std::int32_t, TRVRTFSavingData& SavingData, std::int32_t Level,
                               std::int32_t) {
  const TRVStyle* style = RVData->GetRVStyle();
  const int width = style != nullptr ? style->GetAsTwips(LineWidth) : LineWidth * 15;
  const int colorIndex =
      Color == clNone || !SavingData.RTFTables ? 0 : RTFColorRef(*SavingData.RTFTables, Color);
  const std::string marker = TableNestingMarker(Level);
  const bool hidden = Hidden || HiddenParent;
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

void TRVTabItemInfo::SaveRTF(TRVStream& Stream, TCustomRVData*, bool HiddenParent, std::int32_t,
                             TRVRTFSavingData&, std::int32_t, std::int32_t) {
  Stream.Write(Hidden || HiddenParent ? RTF_HiddenTabItem : RTF_TabItem);
}

} // namespace richtext
