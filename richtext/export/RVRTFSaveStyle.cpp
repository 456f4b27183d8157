// Text style properties as RTF.
#include "richtext/export/RVRTFSaveStyle.h"

#include <cstdlib>

#include "richtext/export/RVRTFSaveStyleWords.h"
#include "richtext/export/RVRTFSaveText.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/base/RVStream.h"
#include "richtext/base/RVRound.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

void AppendWord(std::string& out, std::string_view word, long long value) {
  out += word;
  out += std::to_string(value);
}

} // namespace

std::string_view RTFUnderlineWord(TRVUnderlineType UnderlineType) {
  const auto i = static_cast<std::size_t>(UnderlineType);
  return i < std::size(RTFUnderlineWords) ? RTFUnderlineWords[i] : RTFUnderlineWords[rvutNormal];
}

int RTFColorRef(const TCustomRVRTFTables& RTFTables, TColor Color) {
  // A colour missing from the table would otherwise be written as "-1", which readers take
  // as garbage or as a huge index; the default colour is the closest safe meaning.
  const int index = RTFTables.GetColorIndex(Color);
  return index < 0 ? 0 : index;
}

std::string MakeFontInfoRTF(const TCustomRVFontInfo& FontInfo, const TCustomRVRTFTables& RTFTables,
                            const TRVStyle& RVStyle, bool InheritedStyle) {
  const TCustomRVFontInfo& fi = FontInfo;
  std::string out;
  if (fi.Style.Contains(fsBold))
    out += RTF_Bold;
  if (fi.Style.Contains(fsItalic))
    out += RTF_Italic;
  if (fi.Style.Contains(fsUnderline)) {
    out += RTFUnderlineWord(fi.UnderlineType);
    if (fi.UnderlineColor != clNone)
      AppendWord(out, RTF_UnderlineColor, RTFColorRef(RTFTables, fi.UnderlineColor));
  }
  if (fi.Style.Contains(fsStrikeOut))
    out += RTF_StrikeOut;
  switch (fi.SubSuperScriptType) {
  case rvsssSubscript:
    out += RTF_Subscript;
    break;
  case rvsssSuperScript:
    out += RTF_Superscript;
    break;
  case rvsssNormal:
    break;
  }
  // VShift is a percentage of the font size; RTF moves the baseline in half points.
  const std::int64_t size = std::llabs(static_cast<long long>(fi.SizeDouble));
  if (fi.VShift > 0)
    AppendWord(out, RTF_RaiseBy, RVRoundDiv(std::int64_t{fi.VShift} * size, 100));
  else if (fi.VShift < 0)
    AppendWord(out, RTF_LowerBy, -RVRoundDiv(std::int64_t{fi.VShift} * size, 100));
  if (fi.CharScale != 100)
    AppendWord(out, RTF_CharScaleX, fi.CharScale);
  if (fi.CharSpacing != 0)
    AppendWord(out, RTF_CharSpacing, RVStyle.GetAsTwips(fi.CharSpacing));
  if (fi.StyleEx.Contains(rvfsAllCaps))
    out += RTF_AllCaps;
  switch (fi.BiDiMode) {
  case rvbdLeftToRight:
    out += RTF_LeftToRightChars;
    break;
  case rvbdRightToLeft:
    out += RTF_RightToLeftChars;
    break;
  case rvbdUnspecified:
    break;
  }
  if (fi.Charset != DEFAULT_CHARSET) {
    const int language = RVU_Charset2Language(fi.Charset);
    if (language != 0)
      AppendWord(out, RTF_Language, language);
  }
  if (fi.Options.Contains(rvteoHidden))
    out += RTF_Hidden;
  if (fi.Protection.Contains(rvprModifyProtect) && fi.Protection.Contains(rvprDeleteProtect))
    out += RTF_Protected;
  // A negative size is a character height rather than a cell height; RTF has only sizes,
  // and "\fs-20" would be rejected or misread, so its magnitude is written.
  if (!(InheritedStyle && fi.SizeDouble == 20))
    AppendWord(out, RTF_FontSize, size);
  if (fi.BackColor != clNone)
    AppendWord(out, RTF_CharBackColor, RTFColorRef(RTFTables, fi.BackColor));
  if (fi.Color != clWindowText)
    AppendWord(out, RTF_TextColor, RTFColorRef(RTFTables, fi.Color));
  return out;
}

void SaveFontInfoRTFToStream(TRVStream& Stream, const TCustomRVFontInfo& FontInfo,
                             const TCustomRVRTFTables& RTFTables, const TRVStyle& RVStyle,
                             bool InheritedStyle) {
  Stream.Write(MakeFontInfoRTF(FontInfo, RTFTables, RVStyle, InheritedStyle));
}

} // namespace richtext
