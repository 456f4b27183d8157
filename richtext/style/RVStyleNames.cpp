// Origin: the identifiers of the style enumerations, in declaration order (see RVStyleTypes.h
// and RVCanvas.h); position in a table = ordinal = bit number in a set.
#include "richtext/style/RVStyleNames.h"

namespace richtext {

namespace {
const char* const BiDiMode[] = {"rvbdUnspecified", "rvbdLeftToRight", "rvbdRightToLeft"};
const char* const UnderlineType[] = {"rvutNormal",
                                     "rvutThick",
                                     "rvutDouble",
                                     "rvutDotted",
                                     "rvutThickDotted",
                                     "rvutDashed",
                                     "rvutThickDashed",
                                     "rvutLongDashed",
                                     "rvutThickLongDashed",
                                     "rvutDashDotted",
                                     "rvutThickDashDotted",
                                     "rvutDashDotDotted",
                                     "rvutThickDashDotDotted"};
const char* const SubSuperScriptType[] = {"rvsssNormal", "rvsssSubscript", "rvsssSuperScript"};
const char* const FontStyle[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
const char* const FontStyleEx[] = {"rvfsOverline", "rvfsAllCaps"};
const char* const HoverEffect[] = {"rvheUnderline"};
const char* const ProtectOption[] = {
    "rvprStyleProtect",   "rvprStyleSplitProtect", "rvprModifyProtect",   "rvprDeleteProtect",
    "rvprConcateProtect", "rvprRVFInsertProtect",  "rvprDoNotAutoSwitch", "rvprParaStartProtect",
    "rvprSticking",       "rvprSticking2",         "rvprSticking3",       "rvprStickToTop",
    "rvprStickToBottom"};
const char* const TextOption[] = {"rvteoHTMLCode", "rvteoRTFCode", "rvteoDocXCode",
                                  "rvteoDocXInRunCode", "rvteoHidden"};
const char* const FontInfoProperty[] = {"rvfiFontName",
                                        "rvfiSize",
                                        "rvfiCharset",
                                        "rvfiUnicode",
                                        "rvfiBold",
                                        "rvfiItalic",
                                        "rvfiUnderline",
                                        "rvfiStrikeout",
                                        "rvfiOverline",
                                        "rvfiAllCaps",
                                        "rvfiSubSuperScriptType",
                                        "rvfiVShift",
                                        "rvfiColor",
                                        "rvfiBackColor",
                                        "rvfiJump",
                                        "rvfiHoverBackColor",
                                        "rvfiHoverColor",
                                        "rvfiHoverUnderline",
                                        "rvfiJumpCursor",
                                        "rvfiNextStyleNo",
                                        "rvfiProtection",
                                        "rvfiCharScale",
                                        "rvfiBaseStyleNo",
                                        "rvfiBiDiMode",
                                        "rvfiCharSpacing",
                                        "rvfiHTMLCode",
                                        "rvfiRTFCode",
                                        "rvfiDocXCode",
                                        "rvfiHidden",
                                        "rvfiUnderlineType",
                                        "rvfiUnderlineColor",
                                        "rvfiHoverUnderlineColor",
                                        "rvfiEmptyWidth",
                                        "rvfiCustom",
                                        "rvfiCustom2",
                                        "rvfiCustom3",
                                        "rvfiCustom4",
                                        "rvfiCustom5"};
const char* const Alignment[] = {"rvaLeft", "rvaRight", "rvaCenter", "rvaJustify", "rvaDistribute"};
const char* const LastLineAlignment[] = {"rvllaDefault", "rvllaLeft", "rvllaRight", "rvllaCenter",
                                         "rvllaJustify"};
const char* const BorderStyle[] = {"rvbNone",   "rvbSingle",      "rvbDouble",
                                   "rvbTriple", "rvbThickInside", "rvbThickOutside"};
const char* const LineSpacingType[] = {"rvlsPercent", "rvlsSpaceBetween", "rvlsLineHeightAtLeast",
                                       "rvlsLineHeightExact"};
const char* const ParaOption[] = {"rvpaoNoWrap",
                                  "rvpaoReadOnly",
                                  "rvpaoStyleProtect",
                                  "rvpaoDoNotWantReturns",
                                  "rvpaoKeepLinesTogether",
                                  "rvpaoKeepWithNext",
                                  "rvpaoWidowOrphanControl"};
const char* const TabAlign[] = {"rvtaLeft", "rvtaRight", "rvtaCenter"};
const char* const ParaInfoProperty[] = {"rvpiFirstIndent",
                                        "rvpiLeftIndent",
                                        "rvpiRightIndent",
                                        "rvpiSpaceBefore",
                                        "rvpiSpaceAfter",
                                        "rvpiAlignment",
                                        "rvpiLastLineAlignment",
                                        "rvpiNextParaNo",
                                        "rvpiDefStyleNo",
                                        "rvpiLineSpacing",
                                        "rvpiLineSpacingType",
                                        "rvpiBackground_Color",
                                        "rvpiBackground_Opacity",
                                        "rvpiBackground_BO_Left",
                                        "rvpiBackground_BO_Top",
                                        "rvpiBackground_BO_Right",
                                        "rvpiBackground_BO_Bottom",
                                        "rvpiBorder_Color",
                                        "rvpiBorder_Style",
                                        "rvpiBorder_Width",
                                        "rvpiBorder_InternalWidth",
                                        "rvpiBorder_BO_Left",
                                        "rvpiBorder_BO_Top",
                                        "rvpiBorder_BO_Right",
                                        "rvpiBorder_BO_Bottom",
                                        "rvpiBorder_Vis_Left",
                                        "rvpiBorder_Vis_Top",
                                        "rvpiBorder_Vis_Right",
                                        "rvpiBorder_Vis_Bottom",
                                        "rvpiNoWrap",
                                        "rvpiReadOnly",
                                        "rvpiStyleProtect",
                                        "rvpiDoNotWantReturns",
                                        "rvpiKeepLinesTogether",
                                        "rvpiKeepWithNext",
                                        "rvpiWidowOrphanControl",
                                        "rvpiTabs",
                                        "rvpiBiDiMode",
                                        "rvpiOutlineLevel",
                                        "rvpiCustom",
                                        "rvpiCustom2",
                                        "rvpiCustom3",
                                        "rvpiCustom4",
                                        "rvpiCustom5"};

template <std::size_t N> constexpr TRVNameTable Table(const char* const (&names)[N]) {
  return {names, static_cast<int>(N)};
}
} // namespace

const TRVNameTable RVBiDiModeNames = Table(BiDiMode);
const TRVNameTable RVUnderlineTypeNames = Table(UnderlineType);
const TRVNameTable RVSubSuperScriptTypeNames = Table(SubSuperScriptType);
const TRVNameTable RVFontStyleNames = Table(FontStyle);
const TRVNameTable RVFontStyleExNames = Table(FontStyleEx);
const TRVNameTable RVHoverEffectNames = Table(HoverEffect);
const TRVNameTable RVProtectOptionNames = Table(ProtectOption);
const TRVNameTable RVTextOptionNames = Table(TextOption);
const TRVNameTable RVFontInfoPropertyNames = Table(FontInfoProperty);
const TRVNameTable RVAlignmentNames = Table(Alignment);
const TRVNameTable RVLastLineAlignmentNames = Table(LastLineAlignment);
const TRVNameTable RVBorderStyleNames = Table(BorderStyle);
const TRVNameTable RVLineSpacingTypeNames = Table(LineSpacingType);
const TRVNameTable RVParaOptionNames = Table(ParaOption);
const TRVNameTable RVTabAlignNames = Table(TabAlign);
const TRVNameTable RVParaInfoPropertyNames = Table(ParaInfoProperty);

int RVNameIndex(const TRVNameTable& t, std::string_view Name) {
  for (int i = 0; i < t.Count; ++i)
    if (Name == t.Names[i])
      return i;
  return -1;
}

std::vector<std::string> RVSetToNames(const TRVNameTable& t, std::uint64_t Bits) {
  std::vector<std::string> r;
  for (int i = 0; i < t.Count; ++i)
    if (Bits & (std::uint64_t{1} << i))
      r.emplace_back(t.Names[i]);
  return r;
}

std::uint64_t RVNamesToSet(const TRVNameTable& t, const std::vector<std::string>& Names) {
  std::uint64_t bits = 0;
  for (const std::string& n : Names) {
    int i = RVNameIndex(t, n);
    if (i >= 0)
      bits |= std::uint64_t{1} << i;
  }
  return bits;
}

} // namespace richtext
