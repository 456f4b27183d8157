#include <gtest/gtest.h>

#include "StyleDump.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

using test::DumpFont;

TEST(TextStyle, CreationDefaults) {
  TFontInfo f;
  EXPECT_EQ(DumpFont(f), "Font Style|Arial|20");
  EXPECT_EQ(f.BaseStyleNo, -1);
  EXPECT_TRUE(f.Standard);
  EXPECT_EQ(f.StyleTemplateId, -1);
  EXPECT_EQ(f.ParaStyleTemplateId, -1);
  EXPECT_EQ(f.Color, static_cast<TColor>(0xFF000008));
  EXPECT_EQ(f.BackColor, 0x1FFFFFFF);
  EXPECT_EQ(f.JumpCursor, 101);
  EXPECT_EQ(f.Charset, 1);
  EXPECT_EQ(f.CharScale, 100);
  EXPECT_TRUE(f.Unicode);
  EXPECT_FALSE(f.Jump);
  EXPECT_EQ(f.NextStyleNo, -1);
  EXPECT_EQ(f.GetRVStyle(), nullptr);
  EXPECT_EQ(f.GetID(), -1);
  EXPECT_TRUE(f.CanUseTFont());
  f.CharScale = 90;
  EXPECT_FALSE(f.CanUseTFont());
}

TEST(TextStyle, SizeIsHalfOfSizeDouble) {
  TFontInfo f;
  f.SizeDouble = 21;
  EXPECT_EQ(f.GetSize(), 10);
  f.SetSize(11);
  EXPECT_EQ(f.SizeDouble, 22);
  f.SizeDouble = -21;
  EXPECT_EQ(f.GetSize(), -10); // toward zero
}

TFontInfo Unusual() {
  TFontInfo f;
  f.StyleName = u"Odd";
  f.BaseStyleNo = 2;
  f.Standard = false;
  f.StyleTemplateId = 7;
  f.ParaStyleTemplateId = 8;
  f.FontName = u"Courier New";
  f.SizeDouble = 23;
  f.Color = clRed;
  f.BackColor = clLime;
  f.HoverColor = clBlue;
  f.HoverBackColor = clNavy;
  f.UnderlineColor = clGreen;
  f.HoverUnderlineColor = clMaroon;
  f.UnderlineType = rvutDashDotted;
  f.HoverEffects.Include(rvheUnderline);
  f.Style = {fsBold, fsStrikeOut};
  f.StyleEx = {rvfsAllCaps};
  f.VShift = -30;
  f.Charset = 204;
  f.Protection = {rvprStickToBottom, rvprModifyProtect};
  f.Options = {rvteoHidden};
  f.CharScale = 80;
  f.CharSpacing = 2;
  f.EmptyWidth = 5;
  f.SubSuperScriptType = rvsssSuperScript;
  f.BiDiMode = rvbdRightToLeft;
  f.JumpCursor = crHandPoint;
  f.Jump = true;
  f.NextStyleNo = 3;
  f.ModifiedProperties = {rvfiColor};
  return f;
}

TEST(TextStyle, AssignCopiesEveryPropertyButUnicode) {
  const TFontInfo src = Unusual();
  TFontInfo dst;
  dst.Unicode = false; // shows that Unicode is left alone
  dst.Assign(src);
  EXPECT_EQ(DumpFont(dst), DumpFont(src));
  EXPECT_FALSE(dst.Unicode);
  // Into the base class only the character properties travel.
  TErrFontInfo err(nullptr);
  err.Assign(src);
  EXPECT_EQ(DumpFont(err), DumpFont(src));
}

TEST(TextStyle, AssignFromAFontOfTheDrawingLayer) {
  TFontInfo f = Unusual();
  TRVFont font;
  font.Name = u"Liberation Serif";
  font.PixelsPerInch = 96;
  font.SetSize(14);
  font.Color = clBlue;
  font.Style = {fsItalic};
  font.Charset = 238;
  f.Assign(font);
  EXPECT_EQ(DumpFont(f), "Odd|Liberation Serif|28 color=FF0000 back=FF00 hover=FF0000 "
                         "hoverback=800000 ucolor=8000 hucolor=80 style=2 styleex=2 heffects=1 "
                         "utype=9 vshift=-30 charset=238 prot=4100 opts=16 scale=80 spacing=2 "
                         "empty=5 sss=2 bidi=2 cursor=-21 base=2 tmpl=7 ptmpl=8 next=3 jump=1 "
                         "standard=0 modified=4096");
}

TEST(TextStyle, AssignFromAnotherKindRaisesTheAssignError) {
  TFontInfo f;
  TParaInfo p;
  try {
    f.Assign(p);
    FAIL() << "no error";
  } catch (const ERichViewError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TParaInfo to a TFontInfo");
  }
  try {
    p.Assign(f);
    FAIL() << "no error";
  } catch (const ERichViewError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TFontInfo to a TParaInfo");
  }
  TRVBorder b;
  TRVBackgroundRect g;
  EXPECT_THROW(b.Assign(g), ERichViewError);
  EXPECT_THROW(g.Assign(b), ERichViewError);
  EXPECT_THROW(p.Tabs.Assign(b), ERichViewError);
}

TEST(TextStyle, ResetKeepsNameStandardTemplatesAndModifiedProperties) {
  TFontInfo f = Unusual();
  f.Reset();
  EXPECT_EQ(DumpFont(f), "Odd|Arial|20 tmpl=7 ptmpl=8 standard=0 modified=4096");
}

TEST(TextStyle, IsEqualComparesEachPropertyUnlessIgnored) {
  // Each row changes one field; the style then differs exactly in that property.
  struct Row {
    TRVFontInfoProperty prop;
    void (*change)(TFontInfo&);
  };
  const Row rows[] = {
      {rvfiFontName, [](TFontInfo& f) { f.FontName = u"Times"; }},
      {rvfiSize, [](TFontInfo& f) { f.SizeDouble = 21; }},
      {rvfiCharset, [](TFontInfo& f) { f.Charset = 0; }},
      {rvfiBold, [](TFontInfo& f) { f.Style.Include(fsBold); }},
      {rvfiItalic, [](TFontInfo& f) { f.Style.Include(fsItalic); }},
      {rvfiUnderline, [](TFontInfo& f) { f.Style.Include(fsUnderline); }},
      {rvfiStrikeout, [](TFontInfo& f) { f.Style.Include(fsStrikeOut); }},
      {rvfiOverline, [](TFontInfo& f) { f.StyleEx.Include(rvfsOverline); }},
      {rvfiAllCaps, [](TFontInfo& f) { f.StyleEx.Include(rvfsAllCaps); }},
      {rvfiSubSuperScriptType, [](TFontInfo& f) { f.SubSuperScriptType = rvsssSubscript; }},
      {rvfiVShift, [](TFontInfo& f) { f.VShift = 1; }},
      {rvfiColor, [](TFontInfo& f) { f.Color = clRed; }},
      {rvfiBackColor, [](TFontInfo& f) { f.BackColor = clRed; }},
      {rvfiJump, [](TFontInfo& f) { f.Jump = true; }},
      {rvfiHoverBackColor, [](TFontInfo& f) { f.HoverBackColor = clRed; }},
      {rvfiHoverColor, [](TFontInfo& f) { f.HoverColor = clRed; }},
      {rvfiHoverUnderline, [](TFontInfo& f) { f.HoverEffects.Include(rvheUnderline); }},
      {rvfiJumpCursor, [](TFontInfo& f) { f.JumpCursor = 0; }},
      {rvfiNextStyleNo, [](TFontInfo& f) { f.NextStyleNo = 2; }},
      {rvfiProtection, [](TFontInfo& f) { f.Protection.Include(rvprStickToBottom); }},
      {rvfiCharScale, [](TFontInfo& f) { f.CharScale = 50; }},
      {rvfiBaseStyleNo, [](TFontInfo& f) { f.BaseStyleNo = 0; }},
      {rvfiBiDiMode, [](TFontInfo& f) { f.BiDiMode = rvbdLeftToRight; }},
      {rvfiCharSpacing, [](TFontInfo& f) { f.CharSpacing = 1; }},
      {rvfiHTMLCode, [](TFontInfo& f) { f.Options.Include(rvteoHTMLCode); }},
      {rvfiRTFCode, [](TFontInfo& f) { f.Options.Include(rvteoRTFCode); }},
      {rvfiDocXCode, [](TFontInfo& f) { f.Options.Include(rvteoDocXInRunCode); }},
      {rvfiHidden, [](TFontInfo& f) { f.Options.Include(rvteoHidden); }},
      {rvfiUnderlineType, [](TFontInfo& f) { f.UnderlineType = rvutDouble; }},
      {rvfiUnderlineColor, [](TFontInfo& f) { f.UnderlineColor = clRed; }},
      {rvfiHoverUnderlineColor, [](TFontInfo& f) { f.HoverUnderlineColor = clRed; }},
      {rvfiEmptyWidth, [](TFontInfo& f) { f.EmptyWidth = 3; }},
  };
  const TFontInfo base;
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.prop));
    TFontInfo f;
    row.change(f);
    EXPECT_FALSE(f.IsEqual(base, {}));
    EXPECT_TRUE(f.IsEqual(base, {row.prop}));
    // Ignoring every other property does not hide this one.
    EXPECT_FALSE(f.IsEqual(base, RVAllFontInfoProperties - TRVFontInfoProperties{row.prop}));
  }
}

TEST(TextStyle, IsEqualIgnoresNameStandardUnicodeModifiedButNotTemplateIds) {
  TFontInfo a, b;
  b.StyleName = u"Other";
  b.Standard = false;
  b.Unicode = false;
  b.ModifiedProperties = {rvfiSize};
  EXPECT_TRUE(a.IsEqual(b, {}));
  b.StyleTemplateId = 4;
  EXPECT_FALSE(a.IsEqual(b, RVAllFontInfoProperties));
  b.StyleTemplateId = -1;
  b.ParaStyleTemplateId = 4;
  EXPECT_FALSE(a.IsEqual(b, RVAllFontInfoProperties));
  b.ParaStyleTemplateId = -1;
  RichViewCompareStyleNames = true;
  EXPECT_FALSE(a.IsEqual(b, RVAllFontInfoProperties));
  b.StyleName = a.StyleName;
  EXPECT_TRUE(a.IsEqual(b, {}));
  RichViewCompareStyleNames = false;
}

TEST(TextStyle, IsSimpleEqualAndMapping) {
  TFontInfo a = Unusual(), b = Unusual();
  b.BaseStyleNo = 9; // not compared
  EXPECT_TRUE(a.IsSimpleEqual(b, false));
  b.NextStyleNo = 1;
  EXPECT_FALSE(a.IsSimpleEqual(b, false));
  EXPECT_TRUE(a.IsSimpleEqual(b, true));
  b.FontName = u"COURIER NEW";
  EXPECT_TRUE(a.IsSimpleEqual(b, true));
  b.HoverEffects = {};
  EXPECT_FALSE(a.IsSimpleEqual(b, true));

  // The other sheet's style 1 maps to our style 3 (a.NextStyleNo).
  TFontInfo c = Unusual();
  c.NextStyleNo = 1;
  EXPECT_TRUE(a.IsSimpleEqualEx(c, {0, 3}));
  EXPECT_FALSE(a.IsSimpleEqualEx(c, {0, 2}));
  c.NextStyleNo = 5; // beyond the mapping: the reference is dropped
  EXPECT_TRUE(a.IsSimpleEqualEx(c, {0, 3}));
  EXPECT_EQ(c.NextStyleNo, -1);
}

TEST(TextStyle, SimilarityValue) {
  TFontInfo a, b;
  // Identical default styles: every term at its maximum.
  const int same = 5000 + 1000 + 50000 + 300 + 1000 + (3000) + (50000 + 30000) + 1000 + 50000 +
                   10000 + 4 * 50000 + 2 * 50000 + 50000 + 2 * 50000 + 50000 + 5000 + 50000;
  EXPECT_EQ(a.SimilarityValue(b), same);
  b.SizeDouble = 60; // (1 - 2*40/80) * 5000 = 0
  EXPECT_EQ(a.SimilarityValue(b), same - 5000);
  b.SizeDouble = 20;
  b.Protection = {rvprStyleProtect};
  EXPECT_EQ(a.SimilarityValue(b), same - 100000);
  b.Protection = {};
  b.Charset = 0; // one of them is the default set
  EXPECT_EQ(a.SimilarityValue(b), same - 50000 + 12500);
  b.Charset = 1;
  b.BackColor = clWhite; // exactly one none
  EXPECT_EQ(a.SimilarityValue(b), same - 80000);
  EXPECT_EQ(RV_CompareInts(10, 30, 1000), 0);
  EXPECT_EQ(RV_CompareInts(10, 20, 300), 100);
  EXPECT_EQ(RV_CompareInts(1, 2, 2), 1); // 2/3 -> 1 (0.667)
  EXPECT_EQ(RV_CompareInts(3, 5, 1), 0); // 0.5 -> 0, ties to even
  EXPECT_EQ(RV_CompareInts(5, -5, 700), 0);
  EXPECT_EQ(RV_CompareInts(0, 0, 700), 700);
  EXPECT_EQ(RV_CompareColors(clBlack, clWhite, 255, 7), -765);
  EXPECT_EQ(RV_CompareColors(clBlack, 0x00303030, 255, 7), -144 + 7);
}

TEST(TextStyleCollection, AddFontAndFinders) {
  TFontInfos c(nullptr);
  c.Add();                                                          // 0
  c.AddFont(u"Arial", 12, clBlack, clNone, {});                     // 1
  c.AddFontEx(u"Arial", 10, clRed, clWhite, {fsBold, fsItalic}, 0); // 2
  c.AddFont(u"Times", 10, clWindowText, clNone, {});                // 3
  c.AddFontEx(u"Arial", 10, clWindowText, clNone, {}, 204);         // 4
  c.AddFont(u"Arial", 10, clWindowText, clNone, {fsBold});          // 5
  EXPECT_EQ(DumpFont(*c.Items(2)), "Font Style|Arial|20 color=FF back=FFFFFF style=3 charset=0");

  EXPECT_EQ(c.FindStyleWithFontSize(0, 10), 0);  // the base has it
  EXPECT_EQ(c.FindStyleWithFontSize(0, 12), -1); // 1 differs in colour too
  c.Items(1)->Color = clWindowText;
  EXPECT_EQ(c.FindStyleWithFontSize(0, 12), 1);
  c.Items(1)->SizeDouble = 25;
  EXPECT_EQ(c.FindStyleWithFontSize(0, 12), -1); // odd SizeDouble is never a whole size
  EXPECT_EQ(c.FindStyleWithFontName(0, u"Times"), 3);
  EXPECT_EQ(c.FindStyleWithFontName(0, u"times"), -1);
  EXPECT_EQ(c.FindStyleWithCharset(0, 204), 4);
  EXPECT_EQ(c.FindStyleWithFontStyle(0, {fsBold}, {fsBold}), 5);
  EXPECT_EQ(c.FindStyleWithFontStyle(0, {fsBold}, {fsItalic}), 0); // italic matches already
  EXPECT_EQ(c.FindStyleWithFontStyle(3, {fsBold}, {fsBold}), -1);  // 5 is not Times
  EXPECT_EQ(c.FindStyleWithColor(0, clRed, clWhite), -1);          // 2 is bold italic
  EXPECT_EQ(c.FindStyleWithColor(2, clWindowText, clNone), -1);
  c.Items(2)->Style = {};
  c.Items(2)->Charset = 1;
  EXPECT_EQ(c.FindStyleWithColor(0, clRed, clWhite), 2);

  TRVFont font;
  font.Name = u"Arial";
  font.SetSize(10);
  font.Style = {fsBold};
  font.Color = clWindowText;
  EXPECT_EQ(c.FindStyleWithFont(0, font), 5);
  font.Name = u"ARIAL"; // the face name must match exactly
  EXPECT_EQ(c.FindStyleWithFont(0, font), -1);
}

TEST(TextStyleCollection, FindSuchStyleWithMask) {
  TFontInfos c(nullptr);
  c.Add();
  c.AddFont(u"Arial", 10, clRed, clNone, {});
  c.AddFont(u"Arial", 14, clRed, clNone, {});
  TFontInfo want;
  want.Color = clRed;
  want.SizeDouble = 40;
  EXPECT_EQ(c.FindSuchStyle(0, want, RVAllFontInfoProperties), -1);
  EXPECT_EQ(c.FindSuchStyle(0, want, {rvfiColor}), 1);
  EXPECT_EQ(c.FindSuchStyle(2, want, {rvfiColor}), 2); // base first
  EXPECT_EQ(c.FindSuchStyle(0, want, {rvfiSize}), -1);
  EXPECT_EQ(c.FindSuchStyle(0, want, {rvfiFontName}), 0);
  EXPECT_EQ(c.FindSuchStyle(9, want, {rvfiColor}), 1); // a bad base is no answer
  EXPECT_EQ(c.FindSuchStyleEx(0, want, RVAllFontInfoProperties), 3);
  EXPECT_EQ(c.FindSuchStyleEx(0, want, RVAllFontInfoProperties), 3);
  EXPECT_FALSE(c.Items(3)->Standard);
  EXPECT_EQ(c.Count(), 4);
}

TEST(TextStyleCollection, InvalidIndexStyleIsOneWhiteOnRedObject) {
  TRVStyle s;
  s.TextStyles[0].FontName = u"Verdana";
  TFontInfo* bad = s.TextStyles.Items(-1);
  EXPECT_EQ(bad, s.TextStyles.Items(s.TextStyles.Count()));
  EXPECT_EQ(bad, s.TextStyles.Items(1000));
  EXPECT_EQ(bad, s.TextStyles.InvalidItem());
  EXPECT_STREQ(bad->ClassName(), "TErrFontInfo");
  EXPECT_EQ(DumpFont(*bad), "Normal text|Verdana|20 color=FFFFFF back=FF");
  EXPECT_EQ(bad->GetRVStyle(), &s);
  EXPECT_EQ(bad->GetCollection(), nullptr);
  EXPECT_EQ(s.TextStyles.IndexOf(bad), -1);

  TFontInfos empty(nullptr);
  EXPECT_EQ(DumpFont(*empty.Items(0)), "Font Style|Arial|20 color=FFFFFF back=FF");
  // Writing copies into the existing object.
  TFontInfo w;
  w.FontName = u"Tahoma";
  empty.SetItems(5, w);
  EXPECT_EQ(test::Utf8(empty.Items(7)->FontName), "Tahoma");
  s.TextStyles.SetItems(1, w);
  EXPECT_EQ(DumpFont(s.TextStyles[1]), "Font Style|Tahoma|20");
}

TEST(TextStyle, ProcessedStringForFormattingAndDisplay) {
  TFontInfo f;
  const std::u16string s = u"co\u00ADop\u2011x\u00AD";
  EXPECT_EQ(RV_ReturnProcessedString(s, f, false, false, false, false), u"co\u00ADop-x\u00AD");
  EXPECT_EQ(RV_ReturnProcessedString(s, f, true, false, false, false), u"co\u00ADop-x-");
  EXPECT_EQ(RV_ReturnProcessedString(s, f, true, true, false, false), u"co\u00ACop-x-");
  EXPECT_EQ(RV_ReturnProcessedString(s, f, false, false, false, true), s); // symbol set
  int a = 4, b = 9;
  EXPECT_EQ(RV_ReturnProcessedStringEx(s, f, false, false, true, false, a, b), u"coop-x");
  EXPECT_EQ(a, 3); // the hyphen at 3 was before it
  EXPECT_EQ(b, 7);

  RVVisibleSpecialCharacters.Exclude(rvscSoftHyphen);
  EXPECT_EQ(RV_ReturnProcessedString(s, f, false, true, false, false), u"co\u00ADop-x\u00AD");
  RVVisibleSpecialCharacters.Include(rvscSoftHyphen);

  f.StyleEx.Include(rvfsAllCaps);
  EXPECT_EQ(RV_ReturnProcessedString(u"stra\u00DFe \u00E9t\u00E9 \U00010428", f, false, false,
                                     false, false),
            u"STRA\u00DFE \u00C9T\u00C9 \U00010400"); // length kept; supplementary letters too

  // Zero-width space and word joiner are kept on current systems, removed on old ones.
  f.StyleEx = {};
  EXPECT_EQ(RV_ReturnProcessedString(u"a\u200Bb\u2060", f, false, false, true, false),
            u"a\u200Bb\u2060");
  RVVista = false;
  int c = 3, d = 5;
  EXPECT_EQ(RV_ReturnProcessedStringEx(u"a\u200Bb\u2060", f, false, false, true, false, c, d),
            u"ab");
  EXPECT_EQ(c, 2);
  EXPECT_EQ(d, 3);
  RVVista = true;
}

} // namespace
} // namespace richtext
