#include <gtest/gtest.h>

#include "StyleDump.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

using test::DumpPara;

TEST(ParaStyle, DefaultsAndParts) {
  TParaInfo p;
  EXPECT_EQ(DumpPara(p), "Paragraph Style");
  EXPECT_EQ(p.LineSpacing, 100);
  EXPECT_EQ(p.NextParaNo, -1);
  EXPECT_EQ(p.DefStyleNo, -1);
  EXPECT_EQ(p.Border.Color, static_cast<TColor>(0xFF000008));
  EXPECT_EQ(p.Border.Width, 1);
  EXPECT_EQ(p.Border.InternalWidth, 1);
  EXPECT_TRUE(p.Border.VisibleBorders.Left && p.Border.VisibleBorders.Bottom);
  EXPECT_EQ(p.Background.Color, clNone);
  EXPECT_EQ(p.Background.Opacity, 100000);
  p.SetSpaceBefore(-5);
  p.SetSpaceAfter(-1);
  EXPECT_EQ(p.GetSpaceBefore(), 0);
  EXPECT_EQ(p.GetSpaceAfter(), 0);
  p.SetSpaceBefore(8);
  EXPECT_EQ(p.GetSpaceBefore(), 8);
}

TEST(ParaStyle, BorderTotalWidthByStyle) {
  TRVBorder b;
  b.Width = 1;
  b.InternalWidth = 1;
  std::string widths;
  for (TRVBorderStyle st :
       {rvbNone, rvbSingle, rvbDouble, rvbTriple, rvbThickInside, rvbThickOutside}) {
    b.Style = st;
    widths += std::to_string(b.GetTotalWidth()) + ' ';
  }
  EXPECT_EQ(widths, "0 1 3 5 4 4 ");
  b.Width = 3;
  b.InternalWidth = 2;
  b.Style = rvbTriple;
  EXPECT_EQ(b.GetTotalWidth(), 13);
}

TEST(ParaStyle, BackgroundIsSemitransparentOnlyWithAColourAndPartialOpacity) {
  TRVBackgroundRect g;
  g.Opacity = 50000;
  EXPECT_FALSE(g.IsSemitransparent());
  g.Color = clRed;
  EXPECT_TRUE(g.IsSemitransparent());
  for (int op : {0, 100000}) {
    g.Opacity = op;
    EXPECT_FALSE(g.IsSemitransparent()) << op;
  }
  for (int op : {1, 99999}) {
    g.Opacity = op;
    EXPECT_TRUE(g.IsSemitransparent()) << op;
  }
}

std::string Positions(const TRVTabInfos& t) {
  std::string r;
  for (int i = 0; i < t.Count(); ++i)
    r += std::to_string(t.Items(i)->GetPosition()) + ' ';
  return r;
}

TEST(ParaStyle, TabsStaySortedAndFindUsesExactPositions) {
  TRVTabInfos t;
  EXPECT_EQ(t.Find(0), -1);
  t.Add(300);
  t.Add(100, rvtaRight, u".");
  TRVTabInfo* mid = t.Add(200);
  EXPECT_EQ(Positions(t), "100 200 300 ");
  EXPECT_EQ(t.Find(200), 1);
  EXPECT_EQ(t.Find(150), -1);
  EXPECT_EQ(t.Find(100), 0);
  EXPECT_EQ(t.Find(300), 2);
  EXPECT_EQ(t.Find(400), -1);
  mid->SetPosition(500); // re-sorts at once
  EXPECT_EQ(Positions(t), "100 300 500 ");
  EXPECT_EQ(t.Items(2), mid);
  EXPECT_EQ(t.Find(500), 2);
  TRVTabInfo* fresh = t.Add(); // position 0 sorts first
  EXPECT_EQ(t.Items(0), fresh);
  t.Delete(0);
  EXPECT_EQ(Positions(t), "100 300 500 ");
  EXPECT_THROW(t.Items(3), EListError);
  EXPECT_THROW(t.Delete(-1), EListError);
}

TEST(ParaStyle, TabCollectionsCompareStopByStop) {
  TRVTabInfos a, b;
  a.Add(100, rvtaLeft, u"-");
  a.Add(200);
  b.Add(200);
  b.Add(100, rvtaLeft, u"-");
  EXPECT_TRUE(a.IsEqual(b));
  b.Add(300);
  EXPECT_FALSE(a.IsEqual(b)); // different counts
  b.Delete(2);
  b.Items(0)->Leader = u"_";
  EXPECT_FALSE(a.IsEqual(b));
  b.Items(0)->Leader = u"-";
  b.Items(1)->Align = rvtaCenter;
  EXPECT_FALSE(a.IsEqual(b));
  b.Assign(a);
  EXPECT_TRUE(a.IsEqual(b));
}

TEST(ParaStyle, IsEqualComparesEachPropertyUnlessIgnored) {
  struct Row {
    TRVParaInfoProperty prop;
    void (*change)(TParaInfo&);
  };
  const Row rows[] = {
      {rvpiAlignment, [](TParaInfo& p) { p.Alignment = rvaJustify; }},
      {rvpiLastLineAlignment, [](TParaInfo& p) { p.LastLineAlignment = rvllaCenter; }},
      {rvpiFirstIndent, [](TParaInfo& p) { p.FirstIndent = 1; }},
      {rvpiLeftIndent, [](TParaInfo& p) { p.LeftIndent = 1; }},
      {rvpiRightIndent, [](TParaInfo& p) { p.RightIndent = 1; }},
      {rvpiSpaceBefore, [](TParaInfo& p) { p.SetSpaceBefore(1); }},
      {rvpiSpaceAfter, [](TParaInfo& p) { p.SetSpaceAfter(1); }},
      {rvpiLineSpacing, [](TParaInfo& p) { p.LineSpacing = 150; }},
      {rvpiLineSpacingType, [](TParaInfo& p) { p.LineSpacingType = rvlsLineHeightExact; }},
      {rvpiNoWrap, [](TParaInfo& p) { p.Options.Include(rvpaoNoWrap); }},
      {rvpiReadOnly, [](TParaInfo& p) { p.Options.Include(rvpaoReadOnly); }},
      {rvpiStyleProtect, [](TParaInfo& p) { p.Options.Include(rvpaoStyleProtect); }},
      {rvpiDoNotWantReturns, [](TParaInfo& p) { p.Options.Include(rvpaoDoNotWantReturns); }},
      {rvpiKeepLinesTogether, [](TParaInfo& p) { p.Options.Include(rvpaoKeepLinesTogether); }},
      {rvpiKeepWithNext, [](TParaInfo& p) { p.Options.Include(rvpaoKeepWithNext); }},
      {rvpiWidowOrphanControl, [](TParaInfo& p) { p.Options.Include(rvpaoWidowOrphanControl); }},
      {rvpiBiDiMode, [](TParaInfo& p) { p.BiDiMode = rvbdRightToLeft; }},
      {rvpiOutlineLevel, [](TParaInfo& p) { p.OutlineLevel = 2; }},
      {rvpiTabs, [](TParaInfo& p) { p.Tabs.Add(10); }},
      {rvpiBackground_Color, [](TParaInfo& p) { p.Background.Color = clRed; }},
      {rvpiBackground_Opacity, [](TParaInfo& p) { p.Background.Opacity = 5; }},
      {rvpiBackground_BO_Left, [](TParaInfo& p) { p.Background.BorderOffsets.Left = 1; }},
      {rvpiBackground_BO_Top, [](TParaInfo& p) { p.Background.BorderOffsets.Top = 1; }},
      {rvpiBackground_BO_Right, [](TParaInfo& p) { p.Background.BorderOffsets.Right = 1; }},
      {rvpiBackground_BO_Bottom, [](TParaInfo& p) { p.Background.BorderOffsets.Bottom = 1; }},
      {rvpiBorder_Color, [](TParaInfo& p) { p.Border.Color = clRed; }},
      {rvpiBorder_Style, [](TParaInfo& p) { p.Border.Style = rvbDouble; }},
      {rvpiBorder_Width, [](TParaInfo& p) { p.Border.Width = 2; }},
      {rvpiBorder_InternalWidth, [](TParaInfo& p) { p.Border.InternalWidth = 2; }},
      {rvpiBorder_BO_Left, [](TParaInfo& p) { p.Border.BorderOffsets.Left = 1; }},
      {rvpiBorder_BO_Top, [](TParaInfo& p) { p.Border.BorderOffsets.Top = 1; }},
      {rvpiBorder_BO_Right, [](TParaInfo& p) { p.Border.BorderOffsets.Right = 1; }},
      {rvpiBorder_BO_Bottom, [](TParaInfo& p) { p.Border.BorderOffsets.Bottom = 1; }},
      {rvpiBorder_Vis_Left, [](TParaInfo& p) { p.Border.VisibleBorders.Left = false; }},
      {rvpiBorder_Vis_Top, [](TParaInfo& p) { p.Border.VisibleBorders.Top = false; }},
      {rvpiBorder_Vis_Right, [](TParaInfo& p) { p.Border.VisibleBorders.Right = false; }},
      {rvpiBorder_Vis_Bottom, [](TParaInfo& p) { p.Border.VisibleBorders.Bottom = false; }},
      {rvpiNextParaNo, [](TParaInfo& p) { p.NextParaNo = 1; }},
      {rvpiDefStyleNo, [](TParaInfo& p) { p.DefStyleNo = 1; }},
  };
  const TParaInfo base;
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.prop));
    TParaInfo p;
    row.change(p);
    EXPECT_FALSE(p.IsEqual(base, {}));
    EXPECT_TRUE(p.IsEqual(base, {row.prop}));
    EXPECT_FALSE(p.IsEqual(base, RVAllParaInfoProperties - TRVParaInfoProperties{row.prop}));
  }
  // Never ignorable: the style template; never compared: name (by default), Standard.
  TParaInfo p;
  p.StyleName = u"x";
  p.Standard = false;
  p.ModifiedProperties = {rvpiTabs};
  EXPECT_TRUE(p.IsEqual(base, {}));
  p.StyleTemplateId = 3;
  EXPECT_FALSE(p.IsEqual(base, RVAllParaInfoProperties));
}

TEST(ParaStyle, AssignResetAndTheHelpers) {
  TParaInfo src;
  src.StyleName = u"Quote";
  src.Standard = false;
  src.BaseStyleNo = 0;
  src.StyleTemplateId = 2;
  src.FirstIndent = 10;
  src.LeftIndent = 20;
  src.RightIndent = 30;
  src.SetSpaceBefore(4);
  src.SetSpaceAfter(6);
  src.LineSpacing = 12;
  src.LineSpacingType = rvlsSpaceBetween;
  src.Alignment = rvaJustify;
  src.LastLineAlignment = rvllaRight;
  src.Options = {rvpaoKeepWithNext};
  src.BiDiMode = rvbdLeftToRight;
  src.OutlineLevel = 3;
  src.Tabs.Add(50, rvtaCenter, u"..");
  src.Border.Style = rvbDouble;
  src.Border.Color = clRed;
  src.Border.Width = 2;
  src.Border.BorderOffsets.SetAll(4);
  src.Border.VisibleBorders.Top = false;
  src.Background.Color = clLime;
  src.Background.Opacity = 5000;
  src.Background.BorderOffsets.Right = 7;
  src.NextParaNo = 1;
  src.DefStyleNo = 2;
  src.ModifiedProperties = {rvpiTabs};
  const std::string dump =
      "Quote first=10 left=20 right=30 before=4 after=6 ls=12 lstype=1 align=3 lla=2 opts=32 "
      "bidi=1 outline=3 next=1 def=2 base=0 standard=0 modified=68719476736 border(2 FF w2 iw1 "
      "off4,4,4,4 vis1011) back(FF00 op5000 off0,0,7,0) tabs(50:2:..)";
  EXPECT_EQ(DumpPara(src), dump);
  TParaInfo dst;
  dst.Assign(src);
  EXPECT_EQ(DumpPara(dst), dump);
  EXPECT_EQ(dst.StyleTemplateId, 2);
  EXPECT_TRUE(dst.IsSimpleEqual(src, false));
  EXPECT_TRUE(dst.ExtraLineSpacing());
  EXPECT_TRUE(dst.IsHeading(3));
  EXPECT_FALSE(dst.IsHeading(2));
  dst.Reset();
  EXPECT_EQ(DumpPara(dst), "Quote standard=0 modified=68719476736");
  EXPECT_FALSE(dst.ExtraLineSpacing());
  EXPECT_FALSE(dst.IsHeading(9));
  dst.LineSpacing = 0;
  dst.LineSpacingType = rvlsLineHeightAtLeast;
  EXPECT_FALSE(dst.ExtraLineSpacing());
}

TEST(ParaStyle, IsSimpleEqualExMapsTheNextParagraphStyle) {
  TParaInfo a, b;
  a.NextParaNo = 4;
  b.NextParaNo = 0;
  EXPECT_FALSE(a.IsSimpleEqual(b, false));
  EXPECT_TRUE(a.IsSimpleEqualEx(b, {4}));
  EXPECT_FALSE(a.IsSimpleEqualEx(b, {3}));
  b.NextParaNo = 2;
  EXPECT_TRUE(a.IsSimpleEqualEx(b, {4}));
  EXPECT_EQ(b.NextParaNo, -1);
  b.ModifiedProperties = {rvpiTabs};
  EXPECT_FALSE(a.IsSimpleEqualEx(b, {4}));
}

TEST(ParaStyle, SimilarityValue) {
  TParaInfo a, b;
  // Default styles: indents 5000, background 80000 + 1000 + 400, no tabs 0, no border on
  // either side 80000, alignment 66666, bidi 10000, outline 50000, options 113500, spacing 5000.
  const int same = 5000 + 81400 + 80000 + 66666 + 10000 + 50000 + 113500 + 5000;
  EXPECT_EQ(a.SimilarityValue(b), same);
  b.Tabs.Add(100);
  EXPECT_EQ(a.SimilarityValue(b), same - 400);
  a.Tabs.Add(100, rvtaRight);
  EXPECT_EQ(a.SimilarityValue(b), same + 200 + 50);
  a.Tabs.Clear();
  b.Tabs.Clear();
  b.Border.Style = rvbSingle;
  b.Border.VisibleBorders.Left = false;
  EXPECT_EQ(a.SimilarityValue(b), same - 80000 + 20000 - 3 * 20000);
  a.Border.Style = rvbSingle; // three sides in both, equal: (3000 + 1000 + 1000 + 1000) * 3
  EXPECT_EQ(a.SimilarityValue(b), same - 80000 - 20000 + 6000 * 3 + 3 * 100);
  a.Border = TRVBorder();
  b.Border = TRVBorder();
  b.LastLineAlignment = rvllaLeft;
  EXPECT_EQ(a.SimilarityValue(b), same - 16666);
  b.LineSpacingType = rvlsSpaceBetween;
  b.LineSpacing = 5;
  EXPECT_EQ(a.SimilarityValue(b), same - 16666 - 5000 - 20000);
}

TEST(ParaStyleCollection, InvalidIndexStyleIsRedBorderedAndPadded) {
  TRVStyle s;
  s.ParaStyles[0].FirstIndent = 9;
  TParaInfo* bad = s.ParaStyles.Items(2);
  EXPECT_EQ(bad, s.ParaStyles.Items(-1));
  EXPECT_STREQ(bad->ClassName(), "TErrParaInfo");
  EXPECT_EQ(bad->GetRVStyle(), &s);
  EXPECT_EQ(DumpPara(*bad), "Paragraph Style first=9 left=3 right=3 before=3 after=3 "
                            "border(1 FF w2 iw1 off1,1,1,1 vis1111)");
  TRVStyle twips;
  twips.Units = rvstuTwips; // lengths are converted: 3 px = 45 twips at 96 dpi
  EXPECT_EQ(DumpPara(*twips.ParaStyles.Items(5)),
            "Paragraph Style left=45 right=45 before=45 after=45 "
            "border(1 FF w30 iw1 off15,15,15,15 vis1111)");
  TParaInfos empty(nullptr);
  EXPECT_EQ(
      DumpPara(*empty.InvalidItem()),
      "Paragraph Style left=3 right=3 before=3 after=3 border(1 FF w2 iw1 off1,1,1,1 vis1111)");
}

TEST(ParaStyleCollection, FindersAndAlignment) {
  TParaInfos c(nullptr);
  c.Add();
  c.Add()->Alignment = rvaCenter;
  TParaInfo* r = c.Add();
  r->Alignment = rvaRight;
  r->LeftIndent = 5;
  EXPECT_EQ(c.FindStyleWithAlignment(0, rvaLeft), 0);
  EXPECT_EQ(c.FindStyleWithAlignment(0, rvaCenter), 1);
  EXPECT_EQ(c.FindStyleWithAlignment(0, rvaRight), -1); // indent differs
  EXPECT_EQ(c.FindStyleWithAlignment(1, rvaLeft), 0);
  TParaInfo want;
  want.LeftIndent = 5;
  EXPECT_EQ(c.FindSuchStyle(0, want, {rvpiLeftIndent}), 2);
  EXPECT_EQ(c.FindSuchStyle(0, want, RVAllParaInfoProperties), -1);
  EXPECT_EQ(c.FindSuchStyleEx(0, want, RVAllParaInfoProperties), 3);
  EXPECT_FALSE(c.Items(3)->Standard);
  EXPECT_EQ(c.Items(3)->GetID(), 3);
  c.Delete(0);
  EXPECT_EQ(c.Items(2)->GetID(), 3); // ids are never reused
  EXPECT_EQ(c.Add()->GetID(), 4);
}

} // namespace
} // namespace richtext
