// Text style properties as RTF control words.
#include <gtest/gtest.h>

#include "RTFControlWords.h"
#include "richtext/export/RVRTFSaveStyle.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/base/RVStream.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

using test::RTFWords;

// Colour table: 0 window text, 1 blue, 2 red, 3 black, 4 green.
class FontStyleRTF : public ::testing::Test {
protected:
  void SetUp() override {
    RichViewPixelsPerInch = 96; // one pixel is 15 twips
    for (TColor c : {clBlue, clRed, clBlack, clGreen})
      tables.AddColor(c);
  }
  void TearDown() override { RichViewPixelsPerInch = 0; }

  std::string Bytes(const TCustomRVFontInfo& fi, bool inherited = false) {
    TRVMemoryStream s;
    SaveFontInfoRTFToStream(s, fi, tables, sheet, inherited);
    return s.Bytes();
  }
  std::string Words(const TCustomRVFontInfo& fi, bool inherited = false) {
    return RTFWords(MakeFontInfoRTF(fi, tables, sheet, inherited));
  }

  TRVStyle sheet;
  TRVRTFTables tables;
  TFontInfo fi; // Arial, 10 points, window text
};

TEST_F(FontStyleRTF, DefaultSheetStylesAndTheHyperlinkStyle) {
  EXPECT_EQ(Bytes(*sheet.TextStyles.Items(0)), R"(\fs20)");        // Normal text
  EXPECT_EQ(Bytes(*sheet.TextStyles.Items(1)), R"(\b\fs20\cf1)");  // Heading, blue
  EXPECT_EQ(Bytes(*sheet.TextStyles.Items(4)), R"(\ul\fs20\cf4)"); // Jump 1, green
  // The application's link: a copy of style 0 made blue, underlined and a jump.
  TFontInfo link;
  link.Assign(*sheet.TextStyles.Items(0));
  link.Color = clBlue;
  link.Style.Include(fsUnderline);
  link.Jump = true;
  EXPECT_EQ(Bytes(link), R"(\ul\fs20\cf1)");
}

TEST_F(FontStyleRTF, FontStyleSet) {
  fi.Style = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
  EXPECT_EQ(Bytes(fi), R"(\b\i\ul\strike\fs20)");
  fi.Style = {fsStrikeOut};
  fi.UnderlineType = rvutDouble; // without underline in the set, no underline
  fi.UnderlineColor = clRed;
  EXPECT_EQ(Words(fi), "strike fs20");
}

TEST_F(FontStyleRTF, UnderlineTypesAndUnderlineColour) {
  fi.Style = {fsUnderline};
  std::string all;
  for (int t = rvutNormal; t <= rvutThickDashDotDotted; ++t) {
    fi.UnderlineType = static_cast<TRVUnderlineType>(t);
    all += Words(fi) + "; ";
  }
  EXPECT_EQ(all, "ul fs20; ulth fs20; uldb fs20; uld fs20; ulthd fs20; uldash fs20; "
                 "ulthdash fs20; ulldash fs20; ulthldash fs20; uldashd fs20; ulthdashd fs20; "
                 "uldashdd fs20; ulthdashdd fs20; ");
  fi.UnderlineType = rvutDouble;
  fi.UnderlineColor = clRed;
  EXPECT_EQ(Bytes(fi), R"(\uldb\ulc2\fs20)");
}

TEST_F(FontStyleRTF, ColoursReferTheColourTable) {
  fi.Color = clBlue;
  EXPECT_EQ(Words(fi), "fs20 cf1");
  fi.Color = clBlack; // black is its own entry, not the auto colour
  fi.BackColor = clGreen;
  EXPECT_EQ(Words(fi), "fs20 chcbpat4 cf3");
  fi.Color = clWindowText;
  fi.BackColor = clNone;
  EXPECT_EQ(Words(fi), "fs20");
}

TEST_F(FontStyleRTF, ColourMissingFromTheTableFallsBackToTheDefaultEntry) {
  fi.Color = RVRGB(1, 2, 3);
  fi.BackColor = RVRGB(4, 5, 6);
  fi.Style = {fsUnderline};
  fi.UnderlineColor = RVRGB(7, 8, 9);
  EXPECT_EQ(Words(fi), "ul ulc0 fs20 chcbpat0 cf0");
  EXPECT_EQ(RTFColorRef(tables, clGreen), 4);
  EXPECT_EQ(RTFColorRef(tables, clNone), 0);
}

TEST_F(FontStyleRTF, VerticalShiftInHalfPointsRoundedHalfToEven) {
  struct Case {
    int vshift, size;
    const char* words;
  };
  // Shift in half points = VShift% of the size; 5.5 rounds up to 6, 4.5 down to 4.
  const Case cases[] = {
      {50, 20, "up10 fs20"}, {-50, 20, "dn10 fs20"}, {25, 22, "up6 fs22"}, {-25, 22, "dn6 fs22"},
      {25, 18, "up4 fs18"},  {-25, 18, "dn4 fs18"},  {33, 20, "up7 fs20"}, {0, 20, "fs20"},
      {1, 20, "up0 fs20"},   {30, -20, "up6 fs20"}, // a character height: its magnitude is the size
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.vshift) + " " + std::to_string(c.size));
    fi.VShift = c.vshift;
    fi.SizeDouble = c.size;
    EXPECT_EQ(Words(fi), c.words);
  }
}

TEST_F(FontStyleRTF, ScriptScaleAndSpacing) {
  fi.SubSuperScriptType = rvsssSubscript;
  EXPECT_EQ(Words(fi), "sub fs20");
  fi.SubSuperScriptType = rvsssSuperScript;
  EXPECT_EQ(Words(fi), "super fs20");
  fi.SubSuperScriptType = rvsssNormal;
  fi.CharScale = 150;
  fi.CharSpacing = 2; // pixels
  EXPECT_EQ(Bytes(fi), R"(\charscalex150\expndtw30\fs20)");
  fi.CharScale = 100;
  fi.CharSpacing = -1;
  EXPECT_EQ(Words(fi), "expndtw-15 fs20");
  sheet.Units = rvstuTwips;
  fi.CharSpacing = 7;
  EXPECT_EQ(Words(fi), "expndtw7 fs20");
}

TEST_F(FontStyleRTF, CapsDirectionHiddenAndProtection) {
  fi.StyleEx = {rvfsAllCaps, rvfsOverline}; // overline has no RTF form
  EXPECT_EQ(Words(fi), "caps fs20");
  fi.StyleEx = {};
  fi.BiDiMode = rvbdLeftToRight;
  EXPECT_EQ(Words(fi), "ltrch fs20");
  fi.BiDiMode = rvbdRightToLeft;
  EXPECT_EQ(Words(fi), "rtlch fs20");
  fi.BiDiMode = rvbdUnspecified;
  fi.Options = {rvteoHidden};
  EXPECT_EQ(Words(fi), "v fs20");
  fi.Options = {rvteoRTFCode};
  EXPECT_EQ(Words(fi), "fs20");
  fi.Protection = {rvprModifyProtect}; // protected only against both
  EXPECT_EQ(Words(fi), "fs20");
  fi.Protection = {rvprModifyProtect, rvprDeleteProtect, rvprStyleProtect};
  EXPECT_EQ(Words(fi), "protect fs20");
}

TEST_F(FontStyleRTF, CharsetGivesLanguage) {
  struct Case {
    int charset;
    const char* words;
  };
  const Case cases[] = {{DEFAULT_CHARSET, "fs20"}, {ANSI_CHARSET, "fs20"}, {204, "lang1049 fs20"},
                        {128, "lang1041 fs20"},    {134, "lang2052 fs20"}, {238, "fs20"},
                        {2, "lang1024 fs20"},      {255, "lang1024 fs20"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.charset);
    fi.Charset = static_cast<TFontCharset>(c.charset);
    EXPECT_EQ(Words(fi), c.words);
  }
}

TEST_F(FontStyleRTF, InheritedStyleLeavesOutOnlyTheDefaultSize) {
  EXPECT_EQ(Bytes(fi, true), "");
  fi.SizeDouble = 24;
  EXPECT_EQ(Bytes(fi, true), R"(\fs24)");
  fi.SizeDouble = 21; // odd half points are written as they are
  EXPECT_EQ(Bytes(fi, false), R"(\fs21)");
}

TEST_F(FontStyleRTF, EveryPropertyInItsPlace) {
  fi.Style = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
  fi.UnderlineType = rvutThick;
  fi.UnderlineColor = clRed;
  fi.SubSuperScriptType = rvsssSuperScript;
  fi.SizeDouble = 24;
  fi.VShift = 20;
  fi.CharScale = 90;
  fi.CharSpacing = 1;
  fi.StyleEx = {rvfsAllCaps};
  fi.BiDiMode = rvbdRightToLeft;
  fi.Charset = 204;
  fi.Options = {rvteoHidden};
  fi.Protection = {rvprModifyProtect, rvprDeleteProtect};
  fi.BackColor = clGreen;
  fi.Color = clBlue;
  EXPECT_EQ(Words(fi), "b i ulth ulc2 strike super up5 charscalex90 expndtw15 caps rtlch "
                       "lang1049 v protect fs24 chcbpat4 cf1");
}

} // namespace
} // namespace richtext
