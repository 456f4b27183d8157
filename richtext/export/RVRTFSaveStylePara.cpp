// Paragraph style properties as RTF.
#include <algorithm>

#include "richtext/export/RVRTFSaveStyle.h"
#include "richtext/export/RVRTFSaveStyleWords.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/base/RVStream.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

void AppendWord(std::string& out, std::string_view word, long long value) {
  out += word;
  out += std::to_string(value);
}

void AppendLineSpacing(std::string& out, const TCustomRVParaInfo& pi, const TRVStyle& sheet) {
  switch (pi.LineSpacingType) {
  case rvlsPercent:
    // "\slN\slmult1" is a multiple of single spacing in 240ths.
    if (pi.LineSpacing != 100) {
      AppendWord(out, RTF_LineSpacing, pi.LineSpacing * 240 / 100);
      out += RTF_LineSpacingMultiple;
    }
    break;
  case rvlsLineHeightAtLeast:
    AppendWord(out, RTF_LineSpacing, sheet.GetAsTwips(pi.LineSpacing));
    out += RTF_LineSpacingTwips;
    break;
  case rvlsLineHeightExact: // a negative height means "exactly"
    AppendWord(out, RTF_LineSpacing, -sheet.GetAsTwips(pi.LineSpacing));
    out += RTF_LineSpacingTwips;
    break;
  case rvlsSpaceBetween: // RTF has no way to say it
    break;
  }
}

void AppendTabs(std::string& out, const TRVTabInfos& tabs, const TRVStyle& sheet,
                int minAllowedTabPos) {
  for (int i = 0; i < tabs.Count(); ++i) {
    const TRVTabInfo& tab = *tabs.Items(i);
    if (tab.GetPosition() <= minAllowedTabPos)
      continue;
    switch (tab.Align) {
    case rvtaRight:
      out += RTF_TabRight;
      break;
    case rvtaCenter:
      out += RTF_TabCenter;
      break;
    case rvtaLeft:
      break;
    }
    out += RTFTabLeaderWord(tab.Leader);
    AppendWord(out, RTF_TabPosition, sheet.GetAsTwips(tab.GetPosition()));
  }
}

// One side's line description: kind, colour and width.
std::string BorderLine(std::string_view kind, int colorRef, int widthTwips) {
  std::string line(kind);
  AppendWord(line, RTF_BorderColor, colorRef);
  AppendWord(line, RTF_BorderWidth, widthTwips);
  return line;
}

void AppendBorder(std::string& out, const TRVBorder& border, const TCustomRVRTFTables& tables,
                  const TRVStyle& sheet) {
  if (border.Style == rvbNone || border.Color == clNone)
    return;
  out += RTF_BorderBetween;
  std::string_view leftTopKind, rightBottomKind;
  int width = border.Width;
  switch (border.Style) {
  case rvbSingle:
    leftTopKind = rightBottomKind = RTF_BorderSingle;
    break;
  case rvbDouble:
    leftTopKind = rightBottomKind = RTF_BorderDouble;
    break;
  case rvbTriple:
    leftTopKind = rightBottomKind = RTF_BorderTriple;
    break;
  case rvbThickInside:
    leftTopKind = RTF_BorderThickThin;
    rightBottomKind = RTF_BorderThinThick;
    width *= 2;
    break;
  case rvbThickOutside:
    leftTopKind = RTF_BorderThinThick;
    rightBottomKind = RTF_BorderThickThin;
    width *= 2;
    break;
  case rvbNone:
    return;
  }
  const int colorRef = RTFColorRef(tables, border.Color);
  const int widthTwips = sheet.GetAsTwips(width);
  const std::string leftTop = BorderLine(leftTopKind, colorRef, widthTwips);
  const std::string rightBottom = BorderLine(rightBottomKind, colorRef, widthTwips);
  const TRVRect& offsets = border.BorderOffsets;
  const TRVBooleanRect& visible = border.VisibleBorders;
  auto side = [&](bool shown, std::string_view word, int offset, const std::string& line) {
    if (!shown)
      return;
    out += word;
    AppendWord(out, RTF_BorderSpace, std::max(0, sheet.GetAsTwips(offset)));
    out += line;
  };
  side(visible.Left, RTF_BorderLeft, offsets.Left, leftTop);
  side(visible.Top, RTF_BorderTop, offsets.Top, leftTop);
  side(visible.Right, RTF_BorderRight, offsets.Right, rightBottom);
  side(visible.Bottom, RTF_BorderBottom, offsets.Bottom, rightBottom);
}

// Space minus what a reader puts inside it when the side's border is drawn.
int SpaceForRTF(int space, const TRVBorder& border, bool sideVisible, int sideOffset) {
  if (border.Style != rvbNone && border.Width > 0 && sideVisible)
    space -= std::max(0, sideOffset) + border.GetTotalWidth();
  return std::max(0, space);
}

} // namespace

std::string_view RTFTabLeaderWord(std::u16string_view Leader) {
  if (Leader.empty())
    return {};
  switch (Leader.front()) {
  case u'-':
    return RTF_TabLeaderHyphens;
  case u'=':
    return RTF_TabLeaderEquals;
  case u'_':
    return RTF_TabLeaderUnderline;
  case u'\u00B7':
    return RTF_TabLeaderMiddleDots;
  default:
    return RTF_TabLeaderDots;
  }
}

int GetSpaceBeforeForRTF(const TCustomRVParaInfo& ParaInfo) {
  const TRVBorder& b = ParaInfo.Border;
  return SpaceForRTF(ParaInfo.GetSpaceBefore(), b, b.VisibleBorders.Top, b.BorderOffsets.Top);
}

int GetSpaceAfterForRTF(const TCustomRVParaInfo& ParaInfo) {
  const TRVBorder& b = ParaInfo.Border;
  return SpaceForRTF(ParaInfo.GetSpaceAfter(), b, b.VisibleBorders.Bottom, b.BorderOffsets.Bottom);
}

std::string MakeParaInfoRTF(const TCustomRVParaInfo& ParaInfo, const TCustomRVRTFTables& RTFTables,
                            const TRVStyle& RVStyle, std::string_view FILIText,
                            int MinAllowedTabPos) {
  const TCustomRVParaInfo& pi = ParaInfo;
  std::string out;
  switch (pi.BiDiMode) {
  case rvbdLeftToRight:
    out += RTF_LeftToRightPara;
    break;
  case rvbdRightToLeft:
    out += RTF_RightToLeftPara;
    break;
  case rvbdUnspecified:
    break;
  }
  AppendLineSpacing(out, pi, RVStyle);
  if (pi.Options.Contains(rvpaoKeepLinesTogether))
    out += RTF_KeepLinesTogether;
  if (pi.Options.Contains(rvpaoKeepWithNext))
    out += RTF_KeepWithNext;
  if (pi.Options.Contains(rvpaoWidowOrphanControl))
    out += RTF_WidowOrphanControl;
  if (!FILIText.empty()) {
    out += FILIText;
  } else {
    AppendWord(out, RTF_FirstIndent, RVStyle.GetAsTwips(pi.FirstIndent));
    AppendWord(out, RTF_LeftIndent, RVStyle.GetAsTwips(pi.LeftIndent));
  }
  AppendTabs(out, pi.Tabs, RVStyle, MinAllowedTabPos);
  out += RTF_Alignment;
  const auto align = static_cast<std::size_t>(pi.Alignment);
  out += align < std::size(RTFAlignmentLetters) ? RTFAlignmentLetters[align] : 'l';
  AppendWord(out, RTF_RightIndent, RVStyle.GetAsTwips(pi.RightIndent));
  if (pi.IsHeading(9))
    AppendWord(out, RTF_OutlineLevel, pi.OutlineLevel - 1);
  if (pi.Background.Color != clNone)
    AppendWord(out, RTF_ParaBackColor, RTFColorRef(RTFTables, pi.Background.Color));
  AppendBorder(out, pi.Border, RTFTables, RVStyle);
  AppendWord(out, RTF_SpaceBefore, RVStyle.GetAsTwips(GetSpaceBeforeForRTF(pi)));
  AppendWord(out, RTF_SpaceAfter, RVStyle.GetAsTwips(GetSpaceAfterForRTF(pi)));
  return out;
}

void SaveParaInfoRTFToStream(TRVStream& Stream, const TCustomRVParaInfo& ParaInfo,
                             const TCustomRVRTFTables& RTFTables, const TRVStyle& RVStyle,
                             std::string_view FILIText, int MinAllowedTabPos) {
  Stream.Write(MakeParaInfoRTF(ParaInfo, RTFTables, RVStyle, FILIText, MinAllowedTabPos));
}

} // namespace richtext
