#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "StyleDump.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

using test::DumpFonts;
using test::DumpParas;

TEST(StyleSheet, NewSheetHasTheSixTextStylesAndTwoParagraphStyles) {
  TRVStyle s;
  EXPECT_EQ(DumpFonts(s.TextStyles), "0 Normal text|Arial|20\n"
                                     "1 Heading|Arial|20 color=FF0000 style=1\n"
                                     "2 Subheading|Arial|20 color=800000 style=1\n"
                                     "3 Keywords|Arial|20 color=80 style=2\n"
                                     "4 Jump 1|Arial|20 color=8000 style=4 jump=1\n"
                                     "5 Jump 2|Arial|20 color=8000 style=4 jump=1\n");
  EXPECT_EQ(DumpParas(s.ParaStyles), "0 Paragraph Style\n1 Centered align=2\n");
  for (int i = 0; i < s.TextStyles.Count(); ++i) {
    EXPECT_TRUE(s.TextStyles[i].Unicode);
    EXPECT_TRUE(s.TextStyles[i].Standard);
    EXPECT_EQ(s.TextStyles[i].GetID(), i);
    EXPECT_EQ(s.TextStyles[i].GetRVStyle(), &s);
    EXPECT_EQ(s.TextStyles[i].GetIndex(), i);
  }
  EXPECT_EQ(s.ListStyles.Count(), 0);
  EXPECT_EQ(s.StyleTemplates.Count(), 0);
}

TEST(StyleSheet, FieldValuesAfterCreation) {
  TRVStyle s;
  EXPECT_EQ(s.Color, static_cast<TColor>(0xFF000005));
  EXPECT_EQ(s.HoverColor, clNone);
  EXPECT_EQ(s.CurrentItemColor, clNone);
  EXPECT_EQ(s.SelColor, static_cast<TColor>(0xFF00000D));
  EXPECT_EQ(s.SelTextColor, static_cast<TColor>(0xFF00000E));
  EXPECT_EQ(s.InactiveSelColor, static_cast<TColor>(0xFF00000D));
  EXPECT_EQ(s.InactiveSelTextColor, static_cast<TColor>(0xFF00000E));
  EXPECT_EQ(s.CheckpointColor, 0x00008000);
  EXPECT_EQ(s.CheckpointEvColor, 0x0000FF00);
  EXPECT_EQ(s.PageBreakColor, static_cast<TColor>(0xFF000010));
  EXPECT_EQ(s.SoftPageBreakColor, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(s.LiveSpellingColor, 0x000000FF);
  EXPECT_EQ(s.GridColor, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(s.GridReadOnlyColor, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(s.FloatingLineColor, 0x00BDA28A);
  EXPECT_EQ(s.SpecialCharactersColor, clNone);
  EXPECT_EQ(s.FieldHighlightColor, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(s.DisabledFontColor, clNone);
  EXPECT_EQ(s.GetTextEngine(), rvteUniscribe);
  EXPECT_EQ(s.LineWrapMode, rvWrapNormal);
  EXPECT_EQ(s.Units, rvstuPixels);
  EXPECT_EQ(s.MainRVStyle, nullptr);
  EXPECT_EQ(s.JumpCursor, 101);
  EXPECT_EQ(s.LineSelectCursor, 106);
  EXPECT_EQ(s.SpacesInTab, 0);
  EXPECT_EQ(s.DefTabWidth, 48);
  EXPECT_FALSE(s.FullRedraw);
  EXPECT_TRUE(s.UseSound);
  EXPECT_TRUE(s.DefaultUnicodeStyles);
  EXPECT_EQ(s.DefUnicodeStyle, -1);
  EXPECT_EQ(s.DefCodePage, 0u);
  EXPECT_EQ(s.SelectionMode, rvsmWord);
  EXPECT_EQ(s.SelectionStyle, rvssItems);
  EXPECT_EQ(s.TextBackgroundKind, rvtbkItems);
  EXPECT_EQ(s.GridStyle, psDot);
  EXPECT_EQ(s.GridReadOnlyStyle, psClear);
  EXPECT_EQ(s.FieldHighlightType, rvfhCurrent);
  EXPECT_EQ(s.FootnoteNumbering, rvseqDecimal);
  EXPECT_EQ(s.EndnoteNumbering, rvseqLowerRoman);
  EXPECT_EQ(s.SidenoteNumbering, rvseqLowerAlpha);
  EXPECT_TRUE(s.FootnotePageReset);
  EXPECT_EQ(s.SelectionHandleKind, rvshkWedge);
  EXPECT_EQ(s.FontQuality, fqDefault);
  EXPECT_FALSE(s.OnApplyStyle);
  EXPECT_FALSE(s.OnApplyStyleColor);
  EXPECT_FALSE(s.OnDrawStyleText);
  EXPECT_FALSE(RichViewCompareStyleNames);
  EXPECT_EQ(RichViewPixelsPerInch, 0);
  EXPECT_EQ(RVVisibleSpecialCharacters.Value(), 0xFF);
}

TEST(StyleSheet, CreationRegistersTheThreeCursorsById) {
  TRVStyle s;
  std::string dump;
  for (const auto& c : RVGetRegisteredCursors())
    dump += std::to_string(c.Id) + ' ' + test::Utf8(c.ResourceName) +
            (c.PreferSystemHand ? " hand" : "") + '\n';
  EXPECT_EQ(dump, "101 RV_JUMP_CURSOR hand\n106 RV_FLIPARROW_CURSOR\n107 RV_LAYINGIBEAM_CURSOR\n");
  // A second sheet registers the same ids again without duplicates.
  TRVStyle s2;
  EXPECT_EQ(RVGetRegisteredCursors().size(), 3u);
  EXPECT_TRUE(RVIsCursorRegistered(crRVLayingIBeam));
  EXPECT_FALSE(RVIsCursorRegistered(crDefault));
}

TEST(StyleSheet, GraphicInterfaceComesFromTheRegisteredFactoryAndFollowsTheEngine) {
  std::vector<bool> requests;
  RVSetGraphicInterfaceFactory([&](bool complex) {
    requests.push_back(complex);
    return std::make_unique<test::TFixedGraphicInterface>();
  });
  {
    TRVStyle s;
    EXPECT_NE(s.GetGraphicInterface(), nullptr);
    s.SetTextEngine(rvteWindows);
    s.SetTextEngine(rvteWindows); // unchanged: no new interface
    EXPECT_EQ(requests, (std::vector<bool>{true, false}));
  }
  RVSetGraphicInterfaceFactory(nullptr);
  TRVStyle plain;
  EXPECT_EQ(plain.GetGraphicInterface(), nullptr);
}

TEST(StyleSheet, ResetReplacesAddedStylesAndAddDeleteKeepIndices) {
  TRVStyle s;
  EXPECT_EQ(s.AddTextStyle(), 6);
  EXPECT_EQ(test::DumpFont(s.TextStyles[6]), "Font Style|Arial|20");
  s.DeleteTextStyle(1);
  EXPECT_EQ(test::Utf8(s.TextStyles[1].StyleName), "Subheading");
  EXPECT_EQ(s.TextStyles.Count(), 6);
  EXPECT_THROW(s.DeleteTextStyle(6), EListError);
  EXPECT_THROW(s.DeleteTextStyle(-1), EListError);
  try {
    s.DeleteTextStyle(40);
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (40)");
  }
  s.ResetTextStyles();
  EXPECT_EQ(s.TextStyles.Count(), 6);
  EXPECT_EQ(test::Utf8(s.TextStyles[1].StyleName), "Heading");
  s.ParaStyles.Add();
  s.ResetParaStyles();
  EXPECT_EQ(DumpParas(s.ParaStyles), "0 Paragraph Style\n1 Centered align=2\n");
}

TEST(StyleSheet, DefaultJumpStylesTakeTheSheetsJumpCursor) {
  TRVStyle s;
  s.JumpCursor = crHandPoint;
  s.ResetTextStyles();
  EXPECT_EQ(s.TextStyles[4].JumpCursor, crHandPoint);
  EXPECT_EQ(s.TextStyles[5].JumpCursor, crHandPoint);
  EXPECT_EQ(s.TextStyles[0].JumpCursor, crJump);
}

TEST(StyleSheet, HoverColourFallsBackToTheSheet) {
  TRVStyle s;
  EXPECT_EQ(s.GetHoverColor(4), clNone);
  s.HoverColor = clRed;
  EXPECT_EQ(s.GetHoverColor(4), clRed);
  s.TextStyles[4].HoverColor = clBlue;
  EXPECT_EQ(s.GetHoverColor(4), clBlue);
}

TEST(StyleSheet, HoverSensitivity) {
  TRVStyle s;
  EXPECT_FALSE(s.StyleHoverSensitive(4)); // "Jump 1" with default hover fields
  s.TextStyles[1].HoverBackColor = clLime;
  EXPECT_TRUE(s.StyleHoverSensitive(1));
  s.TextStyles[2].HoverUnderlineColor = clRed;
  EXPECT_TRUE(s.StyleHoverSensitive(2));
  s.TextStyles[3].HoverEffects.Include(rvheUnderline);
  EXPECT_TRUE(s.StyleHoverSensitive(3));
  s.HoverColor = clRed; // every style now changes colour under the pointer
  EXPECT_TRUE(s.StyleHoverSensitive(0));
  int asked = -1;
  s.OnStyleHoverSensitive = [&](const TRVStyle&, int StyleNo, bool& Sensitive) {
    asked = StyleNo;
    Sensitive = false;
  };
  EXPECT_FALSE(s.StyleHoverSensitive(0));
  EXPECT_EQ(asked, 0);
}

TEST(StyleSheet, SelectionColours) {
  TRVStyle s;
  s.SelColor = 1;
  s.SelTextColor = 2;
  s.InactiveSelColor = 3;
  s.InactiveSelTextColor = 4;
  EXPECT_EQ(s.GetSelectionColor(true, true), 1);
  EXPECT_EQ(s.GetSelectionColor(true, false), 2);
  EXPECT_EQ(s.GetSelectionColor(false, true), 3);
  EXPECT_EQ(s.GetSelectionColor(false, false), 4);
}

TEST(StyleSheet, HyperlinkStyleIsAppendedOnceAndFoundAgain) {
  TRVStyle s;
  auto request = [&] {
    TFontInfo link; // belongs to no collection
    EXPECT_EQ(link.GetRVStyle(), nullptr);
    link.Assign(s.TextStyles[0]);
    link.Color = 0x00FF0000;
    link.Style.Include(fsUnderline);
    link.Jump = true;
    return s.FindTextStyle(link);
  };
  EXPECT_EQ(request(), 6);
  EXPECT_EQ(s.TextStyles.Count(), 7);
  EXPECT_EQ(test::DumpFont(s.TextStyles[6]),
            "Normal text|Arial|20 color=FF0000 style=4 jump=1 standard=0");
  EXPECT_EQ(request(), 6);
  EXPECT_EQ(request(), 6);
  EXPECT_EQ(s.TextStyles.Count(), 7);
}

TEST(StyleSheet, FindTextStyleTriesTheBaseFirstThenAscending) {
  TRVStyle s;
  TFontInfo copy;
  copy.Assign(s.TextStyles[3]);
  EXPECT_EQ(s.FindTextStyle(copy), 3);
  copy.Assign(s.TextStyles[0]);
  copy.FontName = u"ARIAL";
  EXPECT_EQ(s.FindTextStyle(copy), 0);
  // Jump 1 and Jump 2 are equal: the first in ascending order wins.
  copy.Assign(s.TextStyles[5]);
  EXPECT_EQ(s.FindTextStyle(copy), 4);
  EXPECT_EQ(s.TextStyles.Count(), 6);
}

TEST(StyleSheet, FindParaStyle) {
  TRVStyle s;
  TParaInfo p;
  p.Alignment = rvaCenter;
  EXPECT_EQ(s.FindParaStyle(p), 1);
  p.Alignment = rvaRight;
  EXPECT_EQ(s.FindParaStyle(p), 2);
  EXPECT_FALSE(s.ParaStyles[2].Standard);
  EXPECT_EQ(s.FindParaStyle(p), 2);
  EXPECT_EQ(s.ParaStyles.Count(), 3);
}

} // namespace
} // namespace richtext
