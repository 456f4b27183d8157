// Text styles: creation, copying, reset and comparison.
#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

// Face names compare as the system compares them: case-insensitively by full case folding.
bool SameFontName(const std::u16string& a, const std::u16string& b) {
  UErrorCode err = U_ZERO_ERROR;
  int r = u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(),
                           static_cast<int32_t>(b.size()), U_FOLD_CASE_DEFAULT, &err);
  return U_SUCCESS(err) && r == 0;
}

int StyleUnitsDivisor(const TCustomRVInfo& info) {
  TRVStyle* sheet = info.GetRVStyle();
  return sheet && sheet->Units == rvstuTwips ? 15 : 1;
}

} // namespace

TCustomRVFontInfo::TCustomRVFontInfo(TCustomRVInfos* Collection)
    : TCustomFontOrParaRVInfo(Collection) {
  StyleName = u"Font Style";
}

void TCustomRVFontInfo::AssignFontProperties(const TCustomRVFontInfo& s) {
  FontName = s.FontName;
  SizeDouble = s.SizeDouble;
  Color = s.Color;
  BackColor = s.BackColor;
  HoverBackColor = s.HoverBackColor;
  HoverColor = s.HoverColor;
  HoverEffects = s.HoverEffects;
  Style = s.Style;
  StyleEx = s.StyleEx;
  Charset = s.Charset;
  JumpCursor = s.JumpCursor;
  Protection = s.Protection;
  Options = s.Options;
  VShift = s.VShift;
  EmptyWidth = s.EmptyWidth;
  CharScale = s.CharScale;
  CharSpacing = s.CharSpacing;
  BiDiMode = s.BiDiMode;
  SubSuperScriptType = s.SubSuperScriptType;
  UnderlineType = s.UnderlineType;
  UnderlineColor = s.UnderlineColor;
  HoverUnderlineColor = s.HoverUnderlineColor;
  ParaStyleTemplateId = s.ParaStyleTemplateId;
  StyleTemplateId = s.StyleTemplateId;
  StyleName = s.StyleName;
  BaseStyleNo = s.BaseStyleNo;
  Standard = s.Standard;
}

void TCustomRVFontInfo::Assign(const TRVPersistent& Source) {
  if (auto* s = dynamic_cast<const TCustomRVFontInfo*>(&Source)) {
    AssignFontProperties(*s);
    return;
  }
  AssignError(Source);
}

void TCustomRVFontInfo::Assign(const TRVFont& Source) {
  FontName = Source.Name;
  SizeDouble = Source.GetSize() * 2;
  Color = Source.Color;
  Style = Source.Style;
  Charset = Source.Charset;
}

void TCustomRVFontInfo::Reset() {
  TCustomFontOrParaRVInfo::Reset();
  FontName = u"Arial";
  SizeDouble = 20;
  Color = clWindowText;
  BackColor = clNone;
  Style = {};
  StyleEx = {};
  Charset = DEFAULT_CHARSET;
  JumpCursor = crJump;
  Protection = {};
  Options = {};
  VShift = 0;
  EmptyWidth = 0;
  CharScale = 100;
  CharSpacing = 0;
  BiDiMode = rvbdUnspecified;
  SubSuperScriptType = rvsssNormal;
  UnderlineType = rvutNormal;
  UnderlineColor = clNone;
  HoverBackColor = clNone;
  HoverColor = clNone;
  HoverEffects = {};
  HoverUnderlineColor = clNone;
}

bool TCustomRVFontInfo::IsEqual(const TCustomRVFontInfo& v, TRVFontInfoProperties ignore) const {
  auto use = [&](TRVFontInfoProperty p) { return !ignore.Contains(p); };
  if (use(rvfiFontName) && !SameFontName(FontName, v.FontName))
    return false;
  if (use(rvfiSize) && SizeDouble != v.SizeDouble)
    return false;
  if (use(rvfiCharset) && Charset != v.Charset)
    return false;
  static constexpr TRVFontInfoProperty styleProps[4] = {rvfiBold, rvfiItalic, rvfiUnderline,
                                                        rvfiStrikeout};
  for (int i = 0; i < 4; ++i) {
    TFontStyle fs = static_cast<TFontStyle>(i);
    if (use(styleProps[i]) && Style.Contains(fs) != v.Style.Contains(fs))
      return false;
  }
  if (use(rvfiOverline) && StyleEx.Contains(rvfsOverline) != v.StyleEx.Contains(rvfsOverline))
    return false;
  if (use(rvfiAllCaps) && StyleEx.Contains(rvfsAllCaps) != v.StyleEx.Contains(rvfsAllCaps))
    return false;
  if (use(rvfiSubSuperScriptType) && SubSuperScriptType != v.SubSuperScriptType)
    return false;
  if (use(rvfiVShift) && VShift != v.VShift)
    return false;
  if (use(rvfiColor) && Color != v.Color)
    return false;
  if (use(rvfiBackColor) && BackColor != v.BackColor)
    return false;
  if (use(rvfiHoverBackColor) && HoverBackColor != v.HoverBackColor)
    return false;
  if (use(rvfiHoverColor) && HoverColor != v.HoverColor)
    return false;
  if (use(rvfiHoverUnderline) &&
      HoverEffects.Contains(rvheUnderline) != v.HoverEffects.Contains(rvheUnderline))
    return false;
  if (use(rvfiJumpCursor) && JumpCursor != v.JumpCursor)
    return false;
  if (use(rvfiProtection) && Protection != v.Protection)
    return false;
  if (use(rvfiCharScale) && CharScale != v.CharScale)
    return false;
  if (use(rvfiBaseStyleNo) && BaseStyleNo != v.BaseStyleNo)
    return false;
  if (use(rvfiBiDiMode) && BiDiMode != v.BiDiMode)
    return false;
  if (use(rvfiCharSpacing) && CharSpacing != v.CharSpacing)
    return false;
  if (use(rvfiHTMLCode) && Options.Contains(rvteoHTMLCode) != v.Options.Contains(rvteoHTMLCode))
    return false;
  if (use(rvfiRTFCode) && Options.Contains(rvteoRTFCode) != v.Options.Contains(rvteoRTFCode))
    return false;
  if (use(rvfiDocXCode) &&
      (Options.Contains(rvteoDocXCode) != v.Options.Contains(rvteoDocXCode) ||
       Options.Contains(rvteoDocXInRunCode) != v.Options.Contains(rvteoDocXInRunCode)))
    return false;
  if (use(rvfiHidden) && Options.Contains(rvteoHidden) != v.Options.Contains(rvteoHidden))
    return false;
  if (use(rvfiUnderlineType) && UnderlineType != v.UnderlineType)
    return false;
  if (use(rvfiUnderlineColor) && UnderlineColor != v.UnderlineColor)
    return false;
  if (use(rvfiHoverUnderlineColor) && HoverUnderlineColor != v.HoverUnderlineColor)
    return false;
  if (use(rvfiEmptyWidth) && EmptyWidth != v.EmptyWidth)
    return false;
  if (RichViewCompareStyleNames && StyleName != v.StyleName)
    return false;
  return true;
}

bool TCustomRVFontInfo::IsSimpleEqual(const TCustomRVInfo& Value, bool, bool) const {
  auto* v = dynamic_cast<const TCustomRVFontInfo*>(&Value);
  if (!v)
    return false;
  return SizeDouble == v->SizeDouble && Charset == v->Charset && Style == v->Style &&
         StyleEx == v->StyleEx && SameFontName(FontName, v->FontName) && VShift == v->VShift &&
         EmptyWidth == v->EmptyWidth && Color == v->Color && BackColor == v->BackColor &&
         HoverColor == v->HoverColor && HoverEffects == v->HoverEffects &&
         HoverBackColor == v->HoverBackColor && HoverUnderlineColor == v->HoverUnderlineColor &&
         JumpCursor == v->JumpCursor && Protection == v->Protection && Options == v->Options &&
         CharScale == v->CharScale && CharSpacing == v->CharSpacing && BiDiMode == v->BiDiMode &&
         SubSuperScriptType == v->SubSuperScriptType && UnderlineType == v->UnderlineType &&
         UnderlineColor == v->UnderlineColor &&
         (!RichViewCompareStyleNames || StyleName == v->StyleName);
}

int TCustomRVFontInfo::SimilarityValue(const TCustomRVInfo& Value) const {
  auto* v = dynamic_cast<const TCustomRVFontInfo*>(&Value);
  if (!v)
    return 0;
  const int u = StyleUnitsDivisor(*this);
  int r = 0;
  r += RV_CompareInts(SizeDouble, v->SizeDouble, 5000);
  r += RV_CompareInts(VShift, v->VShift, 1000);
  r += RV_CompareInts(EmptyWidth, v->EmptyWidth, 50000);
  r += RV_CompareInts(CharScale, v->CharScale, 300);
  r += RV_CompareInts(CharSpacing, v->CharSpacing, 1000 / u);
  r += RV_CompareColors(Color, v->Color, 3333, 3000);
  r += RV_CompareColors(BackColor, v->BackColor, 10000, 50000);
  if (BiDiMode == v->BiDiMode)
    r += 1000;
  if (SubSuperScriptType == v->SubSuperScriptType)
    r += 50000;
  if (SameFontName(FontName, v->FontName))
    r += 10000;
  for (int i = 0; i < 4; ++i)
    if (Style.Contains(static_cast<TFontStyle>(i)) == v->Style.Contains(static_cast<TFontStyle>(i)))
      r += 50000;
  if (StyleEx.Contains(rvfsOverline) == v->StyleEx.Contains(rvfsOverline))
    r += 50000;
  if (StyleEx.Contains(rvfsAllCaps) == v->StyleEx.Contains(rvfsAllCaps))
    r += 50000;
  bool plain = Style.Empty() && StyleEx.Empty();
  bool vplain = v->Style.Empty() && v->StyleEx.Empty();
  if (plain == vplain)
    r += 50000;
  if (Protection != v->Protection)
    r -= 100000;
  if (Options.Contains(rvteoHTMLCode) == v->Options.Contains(rvteoHTMLCode))
    r += 50000;
  if (Options.Contains(rvteoRTFCode) == v->Options.Contains(rvteoRTFCode))
    r += 50000;
  if (Options.Contains(rvteoDocXCode) == v->Options.Contains(rvteoDocXCode) &&
      Options.Contains(rvteoDocXInRunCode) == v->Options.Contains(rvteoDocXInRunCode))
    r += 50000;
  if (Options.Contains(rvteoHidden) == v->Options.Contains(rvteoHidden))
    r += 5000;
  if (Charset == v->Charset)
    r += 50000;
  else if (Charset == DEFAULT_CHARSET || v->Charset == DEFAULT_CHARSET)
    r += 12500;
  auto* f1 = dynamic_cast<const TFontInfo*>(this);
  auto* f2 = dynamic_cast<const TFontInfo*>(v);
  if (f1 && f2 && f1->Jump && f2->Jump) {
    if (HoverEffects.Contains(rvheUnderline) == v->HoverEffects.Contains(rvheUnderline))
      r += 10000;
    if (JumpCursor == v->JumpCursor)
      r += 5000;
    r += RV_CompareColors(HoverColor, v->HoverColor, 3333, 3000) / 2;
    r += RV_CompareColors(HoverBackColor, v->HoverBackColor, 10000, 50000) / 2;
  }
  return r;
}

void TFontInfo::Assign(const TRVPersistent& Source) {
  if (auto* s = dynamic_cast<const TFontInfo*>(&Source)) {
    NextStyleNo = s->NextStyleNo;
    Jump = s->Jump;
    ModifiedProperties = s->ModifiedProperties;
  }
  TCustomRVFontInfo::Assign(Source);
}

void TFontInfo::Reset() {
  TCustomRVFontInfo::Reset();
  NextStyleNo = -1;
  Jump = false;
}

bool TFontInfo::IsEqual(const TCustomRVFontInfo& Value, TRVFontInfoProperties IgnoreList) const {
  if (!TCustomRVFontInfo::IsEqual(Value, IgnoreList))
    return false;
  auto* v = dynamic_cast<const TFontInfo*>(&Value);
  if (!v)
    return true;
  if (!IgnoreList.Contains(rvfiJump) && Jump != v->Jump)
    return false;
  if (!IgnoreList.Contains(rvfiNextStyleNo) && NextStyleNo != v->NextStyleNo)
    return false;
  return StyleTemplateId == v->StyleTemplateId && ParaStyleTemplateId == v->ParaStyleTemplateId;
}

bool TFontInfo::IsSimpleEqual(const TCustomRVInfo& Value, bool IgnoreReferences,
                              bool IgnoreID) const {
  if (!TCustomRVFontInfo::IsSimpleEqual(Value, IgnoreReferences, IgnoreID))
    return false;
  auto* v = dynamic_cast<const TFontInfo*>(&Value);
  if (!v)
    return true;
  return Jump == v->Jump && StyleTemplateId == v->StyleTemplateId &&
         ParaStyleTemplateId == v->ParaStyleTemplateId &&
         (IgnoreReferences || NextStyleNo == v->NextStyleNo);
}

bool TFontInfo::IsSimpleEqualEx(TCustomRVInfo& Value, const std::vector<int>& Mapping) const {
  if (!IsSimpleEqual(Value, true))
    return false;
  auto* v = dynamic_cast<TFontInfo*>(&Value);
  if (!v || v->NextStyleNo < 0)
    return true;
  if (v->NextStyleNo < static_cast<int>(Mapping.size()))
    return Mapping[static_cast<std::size_t>(v->NextStyleNo)] == NextStyleNo;
  v->NextStyleNo = -1;
  return true;
}

} // namespace richtext
