// Paragraph styles: copying, reset, comparison and similarity.
#include <algorithm>

#include "richtext/style/RVStyle.h"

namespace richtext {

TCustomRVParaInfo::TCustomRVParaInfo(TCustomRVInfos* Collection)
    : TCustomFontOrParaRVInfo(Collection) {
  StyleName = u"Paragraph Style";
}

void TCustomRVParaInfo::Assign(const TRVPersistent& Source) {
  auto* s = dynamic_cast<const TCustomRVParaInfo*>(&Source);
  if (!s)
    AssignError(Source);
  FirstIndent = s->FirstIndent;
  LeftIndent = s->LeftIndent;
  RightIndent = s->RightIndent;
  Alignment = s->Alignment;
  LastLineAlignment = s->LastLineAlignment;
  SetSpaceBefore(s->GetSpaceBefore());
  SetSpaceAfter(s->GetSpaceAfter());
  LineSpacing = s->LineSpacing;
  LineSpacingType = s->LineSpacingType;
  Background.Assign(s->Background);
  Border.Assign(s->Border);
  Tabs.Assign(s->Tabs);
  Options = s->Options;
  BiDiMode = s->BiDiMode;
  OutlineLevel = s->OutlineLevel;
  StyleTemplateId = s->StyleTemplateId;
  StyleName = s->StyleName;
  BaseStyleNo = s->BaseStyleNo;
  Standard = s->Standard;
}

void TCustomRVParaInfo::Reset() {
  TCustomFontOrParaRVInfo::Reset();
  FirstIndent = 0;
  LeftIndent = 0;
  RightIndent = 0;
  FSpaceBefore = 0;
  FSpaceAfter = 0;
  LineSpacing = 100;
  LineSpacingType = rvlsPercent;
  Alignment = rvaLeft;
  LastLineAlignment = rvllaDefault;
  Tabs.Clear();
  Options = {};
  BiDiMode = rvbdUnspecified;
  OutlineLevel = 0;
  Background.Reset();
  Border.Reset();
}

bool TCustomRVParaInfo::IsEqual(const TCustomRVParaInfo& v, TRVParaInfoProperties ignore) const {
  auto use = [&](TRVParaInfoProperty p) { return !ignore.Contains(p); };
  if (use(rvpiAlignment) && Alignment != v.Alignment)
    return false;
  if (use(rvpiLastLineAlignment) && LastLineAlignment != v.LastLineAlignment)
    return false;
  if (use(rvpiFirstIndent) && FirstIndent != v.FirstIndent)
    return false;
  if (use(rvpiLeftIndent) && LeftIndent != v.LeftIndent)
    return false;
  if (use(rvpiRightIndent) && RightIndent != v.RightIndent)
    return false;
  if (use(rvpiSpaceBefore) && FSpaceBefore != v.FSpaceBefore)
    return false;
  if (use(rvpiSpaceAfter) && FSpaceAfter != v.FSpaceAfter)
    return false;
  if (use(rvpiLineSpacing) && LineSpacing != v.LineSpacing)
    return false;
  if (use(rvpiLineSpacingType) && LineSpacingType != v.LineSpacingType)
    return false;
  for (int i = 0; i <= rvpaoWidowOrphanControl; ++i) {
    auto prop = static_cast<TRVParaInfoProperty>(rvpiNoWrap + i);
    auto opt = static_cast<TRVParaOption>(i);
    if (use(prop) && Options.Contains(opt) != v.Options.Contains(opt))
      return false;
  }
  if (use(rvpiBiDiMode) && BiDiMode != v.BiDiMode)
    return false;
  if (use(rvpiOutlineLevel) && OutlineLevel != v.OutlineLevel)
    return false;
  if (use(rvpiTabs) && !Tabs.IsEqual(v.Tabs))
    return false;
  const TRVBackgroundRect &b1 = Background, &b2 = v.Background;
  if ((use(rvpiBackground_Color) && b1.Color != b2.Color) ||
      (use(rvpiBackground_Opacity) && b1.Opacity != b2.Opacity) ||
      (use(rvpiBackground_BO_Left) && b1.BorderOffsets.Left != b2.BorderOffsets.Left) ||
      (use(rvpiBackground_BO_Top) && b1.BorderOffsets.Top != b2.BorderOffsets.Top) ||
      (use(rvpiBackground_BO_Right) && b1.BorderOffsets.Right != b2.BorderOffsets.Right) ||
      (use(rvpiBackground_BO_Bottom) && b1.BorderOffsets.Bottom != b2.BorderOffsets.Bottom))
    return false;
  const TRVBorder &r1 = Border, &r2 = v.Border;
  if ((use(rvpiBorder_Color) && r1.Color != r2.Color) ||
      (use(rvpiBorder_Style) && r1.Style != r2.Style) ||
      (use(rvpiBorder_Width) && r1.Width != r2.Width) ||
      (use(rvpiBorder_InternalWidth) && r1.InternalWidth != r2.InternalWidth) ||
      (use(rvpiBorder_BO_Left) && r1.BorderOffsets.Left != r2.BorderOffsets.Left) ||
      (use(rvpiBorder_BO_Top) && r1.BorderOffsets.Top != r2.BorderOffsets.Top) ||
      (use(rvpiBorder_BO_Right) && r1.BorderOffsets.Right != r2.BorderOffsets.Right) ||
      (use(rvpiBorder_BO_Bottom) && r1.BorderOffsets.Bottom != r2.BorderOffsets.Bottom) ||
      (use(rvpiBorder_Vis_Left) && r1.VisibleBorders.Left != r2.VisibleBorders.Left) ||
      (use(rvpiBorder_Vis_Top) && r1.VisibleBorders.Top != r2.VisibleBorders.Top) ||
      (use(rvpiBorder_Vis_Right) && r1.VisibleBorders.Right != r2.VisibleBorders.Right) ||
      (use(rvpiBorder_Vis_Bottom) && r1.VisibleBorders.Bottom != r2.VisibleBorders.Bottom))
    return false;
  if (RichViewCompareStyleNames && StyleName != v.StyleName)
    return false;
  return true;
}

bool TCustomRVParaInfo::IsSimpleEqual(const TCustomRVInfo& Value, bool, bool) const {
  auto* v = dynamic_cast<const TCustomRVParaInfo*>(&Value);
  if (!v)
    return false;
  return Alignment == v->Alignment && LastLineAlignment == v->LastLineAlignment &&
         FirstIndent == v->FirstIndent && LeftIndent == v->LeftIndent &&
         RightIndent == v->RightIndent && FSpaceBefore == v->FSpaceBefore &&
         FSpaceAfter == v->FSpaceAfter && LineSpacing == v->LineSpacing &&
         LineSpacingType == v->LineSpacingType && Options == v->Options &&
         BiDiMode == v->BiDiMode && OutlineLevel == v->OutlineLevel &&
         Background.IsEqual(v->Background) && Tabs.IsEqual(v->Tabs) && Border.IsEqual(v->Border) &&
         (!RichViewCompareStyleNames || StyleName == v->StyleName);
}

bool TCustomRVParaInfo::ExtraLineSpacing() const {
  if (LineSpacingType == rvlsPercent)
    return LineSpacing != 100;
  return LineSpacing > 0;
}

int TCustomRVParaInfo::SimilarityValue(const TCustomRVInfo& Value) const {
  auto* pv = dynamic_cast<const TCustomRVParaInfo*>(&Value);
  if (!pv)
    return 0;
  const TCustomRVParaInfo& v = *pv;
  TRVStyle* sheet = GetRVStyle();
  const int u = sheet && sheet->Units == rvstuTwips ? 15 : 1;
  int r = 0;
  r += RV_CompareInts(FirstIndent, v.FirstIndent, 1000 / u);
  r += RV_CompareInts(LeftIndent, v.LeftIndent, 1000 / u);
  r += RV_CompareInts(RightIndent, v.RightIndent, 1000 / u);
  r += RV_CompareInts(FSpaceBefore, v.FSpaceBefore, 1000 / u);
  r += RV_CompareInts(FSpaceAfter, v.FSpaceAfter, 1000 / u);

  // Background.
  {
    const TRVRect &o1 = Background.BorderOffsets, &o2 = v.Background.BorderOffsets;
    r += RV_CompareColors(Background.Color, v.Background.Color, 10000, 50000) +
         RV_CompareInts(Background.Opacity, v.Background.Opacity, 1000) +
         (RV_CompareInts(o1.Left, o2.Left, 100) + RV_CompareInts(o1.Top, o2.Top, 100) +
          RV_CompareInts(o1.Right, o2.Right, 100) + RV_CompareInts(o1.Bottom, o2.Bottom, 100)) /
             u;
  }

  // Tabs.
  {
    const int m = std::min(Tabs.Count(), v.Tabs.Count());
    for (int i = 0; i < m; ++i) {
      const TRVTabInfo &t1 = *Tabs.Items(i), &t2 = *v.Tabs.Items(i);
      r += RV_CompareInts(t1.GetPosition(), t2.GetPosition(), 200 / u);
      if (t1.Align == t2.Align)
        r += 100;
      if (t1.Leader == t2.Leader)
        r += 50;
    }
    r += 800 * m - 400 * Tabs.Count() - 400 * v.Tabs.Count();
  }

  // Border.
  {
    const TRVBorder &b1 = Border, &b2 = v.Border;
    const bool vis1[4] = {b1.VisibleBorders.Left, b1.VisibleBorders.Top, b1.VisibleBorders.Right,
                          b1.VisibleBorders.Bottom};
    const bool vis2[4] = {b2.VisibleBorders.Left, b2.VisibleBorders.Top, b2.VisibleBorders.Right,
                          b2.VisibleBorders.Bottom};
    const int off1[4] = {b1.BorderOffsets.Left, b1.BorderOffsets.Top, b1.BorderOffsets.Right,
                         b1.BorderOffsets.Bottom};
    const int off2[4] = {b2.BorderOffsets.Left, b2.BorderOffsets.Top, b2.BorderOffsets.Right,
                         b2.BorderOffsets.Bottom};
    int k = 0;
    int sides = 0;
    for (int i = 0; i < 4; ++i) {
      const bool d1 = b1.Style != rvbNone && vis1[i];
      const bool d2 = b2.Style != rvbNone && vis2[i];
      if (d1 && d2) {
        ++k;
        sides += RV_CompareInts(off1[i], off2[i], 100 / u);
      } else if (!d1 && !d2) {
        sides += 20000;
      } else {
        sides -= 20000;
      }
    }
    if (k > 0)
      r += (RV_CompareColors(b1.Color, b2.Color, 3333, 3000) +
            RV_CompareInts(b1.Width, b2.Width, 1000 / u) +
            RV_CompareInts(b1.InternalWidth, b2.InternalWidth, 1000 / u) +
            (b1.Style == b2.Style ? 1000 : 0)) *
           k;
    r += sides;
  }

  if (Alignment == v.Alignment)
    r += LastLineAlignment == v.LastLineAlignment ? 66666 : 50000;
  if (BiDiMode == v.BiDiMode)
    r += 10000;
  if (OutlineLevel == v.OutlineLevel)
    r += 50000;
  static constexpr int optionWeights[7] = {1000, 100000, 1000, 10000, 500, 500, 500};
  for (int i = 0; i < 7; ++i) {
    auto opt = static_cast<TRVParaOption>(i);
    if (Options.Contains(opt) == v.Options.Contains(opt))
      r += optionWeights[i];
  }
  if (LineSpacingType == v.LineSpacingType)
    r += RV_CompareInts(LineSpacing, v.LineSpacing,
                        LineSpacingType == rvlsPercent ? 5000 : 5000 / u);
  else if (ExtraLineSpacing() != v.ExtraLineSpacing())
    r -= 20000;
  return r;
}

void TParaInfo::Assign(const TRVPersistent& Source) {
  if (auto* s = dynamic_cast<const TParaInfo*>(&Source)) {
    NextParaNo = s->NextParaNo;
    DefStyleNo = s->DefStyleNo;
    ModifiedProperties = s->ModifiedProperties;
  }
  TCustomRVParaInfo::Assign(Source);
}

void TParaInfo::Reset() {
  TCustomRVParaInfo::Reset();
  NextParaNo = -1;
  DefStyleNo = -1;
}

bool TParaInfo::IsEqual(const TCustomRVParaInfo& Value, TRVParaInfoProperties IgnoreList) const {
  if (!TCustomRVParaInfo::IsEqual(Value, IgnoreList))
    return false;
  auto* v = dynamic_cast<const TParaInfo*>(&Value);
  if (!v)
    return true;
  if (!IgnoreList.Contains(rvpiNextParaNo) && NextParaNo != v->NextParaNo)
    return false;
  if (!IgnoreList.Contains(rvpiDefStyleNo) && DefStyleNo != v->DefStyleNo)
    return false;
  return StyleTemplateId == v->StyleTemplateId;
}

bool TParaInfo::IsSimpleEqual(const TCustomRVInfo& Value, bool IgnoreReferences,
                              bool IgnoreID) const {
  if (!TCustomRVParaInfo::IsSimpleEqual(Value, IgnoreReferences, IgnoreID))
    return false;
  auto* v = dynamic_cast<const TParaInfo*>(&Value);
  if (!v)
    return true;
  return ModifiedProperties == v->ModifiedProperties && StyleTemplateId == v->StyleTemplateId &&
         (IgnoreReferences || (NextParaNo == v->NextParaNo && DefStyleNo == v->DefStyleNo));
}

bool TParaInfo::IsSimpleEqualEx(TCustomRVInfo& Value, const std::vector<int>& Mapping) const {
  if (!IsSimpleEqual(Value, true))
    return false;
  auto* v = dynamic_cast<TParaInfo*>(&Value);
  if (!v || v->NextParaNo < 0)
    return true;
  if (v->NextParaNo < static_cast<int>(Mapping.size()))
    return Mapping[static_cast<std::size_t>(v->NextParaNo)] == NextParaNo;
  v->NextParaNo = -1;
  return true;
}

} // namespace richtext
