// Paragraph style properties as RTF control words.
#include <gtest/gtest.h>

#include "RTFControlWords.h"
#include "richtext/export/RVRTFSaveStyle.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/base/RVStream.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

using test::RTFWords;

// Colour table: 0 window text, 1 blue, 2 red, 3 green.
class ParaStyleRTF : public ::testing::Test {
protected:
  void SetUp() override {
    RichViewPixelsPerInch = 96; // one pixel is 15 twips
    for (TColor c : {clBlue, clRed, clGreen})
      tables.AddColor(c);
  }
  void TearDown() override { RichViewPixelsPerInch = 0; }

  std::string Bytes(const TCustomRVParaInfo& pi, std::string_view fili = {}, int minTab = 0) {
    TRVMemoryStream s;
    SaveParaInfoRTFToStream(s, pi, tables, sheet, fili, minTab);
    return s.Bytes();
  }
  std::string Words(const TCustomRVParaInfo& pi, std::string_view fili = {}, int minTab = 0) {
    return RTFWords(MakeParaInfoRTF(pi, tables, sheet, fili, minTab));
  }

  TRVStyle sheet;
  TRVRTFTables tables;
  TParaInfo pi;
};

TEST_F(ParaStyleRTF, DefaultStylesOfTheSheet) {
  EXPECT_EQ(Bytes(*sheet.ParaStyles.Items(0)), R"(\fi0\li0\ql\ri0\sb0\sa0)");
  EXPECT_EQ(Bytes(*sheet.ParaStyles.Items(1)), R"(\fi0\li0\qc\ri0\sb0\sa0)");
}

TEST_F(ParaStyleRTF, Alignments) {
  std::string letters;
  for (TRVAlignment a : {rvaLeft, rvaRight, rvaCenter, rvaJustify, rvaDistribute}) {
    pi.Alignment = a;
    letters += Words(pi) + "; ";
  }
  EXPECT_EQ(letters, "fi0 li0 ql ri0 sb0 sa0; fi0 li0 qr ri0 sb0 sa0; fi0 li0 qc ri0 sb0 sa0; "
                     "fi0 li0 qj ri0 sb0 sa0; fi0 li0 qd ri0 sb0 sa0; ");
}

TEST_F(ParaStyleRTF, IndentsInTwips) {
  pi.FirstIndent = -20;
  pi.LeftIndent = 40;
  pi.RightIndent = 10;
  EXPECT_EQ(Bytes(pi), R"(\fi-300\li600\ql\ri150\sb0\sa0)");
  // 576 pixels per inch: a pixel is 2.5 twips, and halves go to the even neighbour.
  RichViewPixelsPerInch = 576;
  pi.FirstIndent = 1; // 2.5
  pi.LeftIndent = 3;  // 7.5
  pi.RightIndent = 5; // 12.5
  EXPECT_EQ(Words(pi), "fi2 li8 ql ri12 sb0 sa0");
  sheet.Units = rvstuTwips; // twips pass through
  EXPECT_EQ(Words(pi), "fi1 li3 ql ri5 sb0 sa0");
}

TEST_F(ParaStyleRTF, ListIndentsReplaceTheStyleIndents) {
  pi.FirstIndent = 10;
  pi.LeftIndent = 20;
  pi.RightIndent = 4;
  EXPECT_EQ(Bytes(pi, R"(\li720\fi-360\jclisttab\tx720)"),
            R"(\li720\fi-360\jclisttab\tx720\ql\ri60\sb0\sa0)");
}

TEST_F(ParaStyleRTF, LineSpacing) {
  struct Case {
    TRVLineSpacingType type;
    int value;
    const char* words;
  };
  const Case cases[] = {
      {rvlsPercent, 150, "sl360 slmult1"},         {rvlsPercent, 100, ""},
      {rvlsPercent, 115, "sl276 slmult1"},         {rvlsPercent, 133, "sl319 slmult1"}, // 319.2
      {rvlsPercent, 50, "sl120 slmult1"},          {rvlsLineHeightAtLeast, 20, "sl300 slmult0"},
      {rvlsLineHeightExact, 20, "sl-300 slmult0"}, {rvlsSpaceBetween, 10, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words);
    pi.LineSpacingType = c.type;
    pi.LineSpacing = c.value;
    std::string expected = c.words;
    expected += expected.empty() ? "" : " ";
    EXPECT_EQ(Words(pi), expected + "fi0 li0 ql ri0 sb0 sa0");
  }
  pi.LineSpacingType = rvlsPercent;
  pi.LineSpacing = 150;
  EXPECT_EQ(Bytes(pi), R"(\sl360\slmult1\fi0\li0\ql\ri0\sb0\sa0)");
}

TEST_F(ParaStyleRTF, DirectionOptionsAndOutlineLevel) {
  pi.BiDiMode = rvbdRightToLeft;
  pi.Options = {rvpaoKeepLinesTogether, rvpaoKeepWithNext, rvpaoWidowOrphanControl, rvpaoNoWrap,
                rvpaoReadOnly}; // the last two have no RTF form
  pi.OutlineLevel = 1;
  EXPECT_EQ(Words(pi), "rtlpar keep keepn widctlpar fi0 li0 ql ri0 outlinelevel0 sb0 sa0");
  pi.BiDiMode = rvbdLeftToRight;
  pi.Options = {rvpaoKeepWithNext};
  pi.OutlineLevel = 9;
  EXPECT_EQ(Words(pi), "ltrpar keepn fi0 li0 ql ri0 outlinelevel8 sb0 sa0");
  pi.BiDiMode = rvbdUnspecified;
  pi.Options = {};
  pi.OutlineLevel = 10; // not a heading level
  EXPECT_EQ(Words(pi), "fi0 li0 ql ri0 sb0 sa0");
}

TEST_F(ParaStyleRTF, TabsWithKindsAndLeaders) {
  pi.Tabs.Add(100);
  pi.Tabs.Add(200, rvtaRight, u"-");
  pi.Tabs.Add(300, rvtaCenter, u"=");
  pi.Tabs.Add(400, rvtaLeft, u"_");
  pi.Tabs.Add(500, rvtaLeft, u"\u00B7");
  pi.Tabs.Add(600, rvtaRight, u"x-"); // any other leader is dots
  EXPECT_EQ(Words(pi), "fi0 li0 tx1500 tqr tlhyph tx3000 tqc tleq tx4500 tlul tx6000 "
                       "tlmdot tx7500 tqr tldot tx9000 ql ri0 sb0 sa0");
  // Stops at or before a list marker's tab are left out.
  EXPECT_EQ(Words(pi, {}, 200), "fi0 li0 tqc tleq tx4500 tlul tx6000 tlmdot tx7500 tqr tldot "
                                "tx9000 ql ri0 sb0 sa0");
  EXPECT_EQ(RTFTabLeaderWord(u""), "");
}

TEST_F(ParaStyleRTF, BackgroundColour) {
  pi.Background.Color = clGreen;
  EXPECT_EQ(Words(pi), "fi0 li0 ql ri0 cbpat3 sb0 sa0");
  pi.Background.Color = RVRGB(1, 1, 1); // not in the table
  EXPECT_EQ(Words(pi), "fi0 li0 ql ri0 cbpat0 sb0 sa0");
}

TEST_F(ParaStyleRTF, SingleBorderOnEverySideWithOffsets) {
  TRVBorder& b = pi.Border;
  b.Style = rvbSingle;
  b.Color = clRed;
  b.Width = 1;
  b.BorderOffsets.Left = 1;
  b.BorderOffsets.Top = 2;
  b.BorderOffsets.Right = 3;
  b.BorderOffsets.Bottom = -4; // never a negative distance
  EXPECT_EQ(Bytes(pi), R"(\fi0\li0\ql\ri0\brdrbtw)"
                       R"(\brdrl\brsp15\brdrs\brdrcf2\brdrw15)"
                       R"(\brdrt\brsp30\brdrs\brdrcf2\brdrw15)"
                       R"(\brdrr\brsp45\brdrs\brdrcf2\brdrw15)"
                       R"(\brdrb\brsp0\brdrs\brdrcf2\brdrw15\sb0\sa0)");
}

TEST_F(ParaStyleRTF, BorderStylesSidesAndWidths) {
  TRVBorder& b = pi.Border;
  b.Color = clBlue;
  b.Width = 2;
  b.VisibleBorders.Left = false;
  b.VisibleBorders.Right = false;
  struct Case {
    TRVBorderStyle style;
    const char* words;
  };
  const Case cases[] = {
      {rvbDouble, "brdrt brsp0 brdrdb brdrcf1 brdrw30 brdrb brsp0 brdrdb brdrcf1 brdrw30"},
      {rvbTriple, "brdrt brsp0 brdrtriple brdrcf1 brdrw30 brdrb brsp0 brdrtriple brdrcf1 brdrw30"},
      // Thick styles: the width is doubled and the thick line swaps sides at right/bottom.
      {rvbThickInside,
       "brdrt brsp0 brdrthtnmg brdrcf1 brdrw60 brdrb brsp0 brdrtnthmg brdrcf1 brdrw60"},
      {rvbThickOutside,
       "brdrt brsp0 brdrtnthmg brdrcf1 brdrw60 brdrb brsp0 brdrthtnmg brdrcf1 brdrw60"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words);
    b.Style = c.style;
    EXPECT_EQ(Words(pi), std::string("fi0 li0 ql ri0 brdrbtw ") + c.words + " sb0 sa0");
  }
  b.Style = rvbThickInside;
  b.VisibleBorders.SetAll(true);
  EXPECT_EQ(Words(pi),
            "fi0 li0 ql ri0 brdrbtw "
            "brdrl brsp0 brdrthtnmg brdrcf1 brdrw60 brdrt brsp0 brdrthtnmg brdrcf1 brdrw60 "
            "brdrr brsp0 brdrtnthmg brdrcf1 brdrw60 brdrb brsp0 brdrtnthmg brdrcf1 brdrw60 "
            "sb0 sa0");
  // No style, or no colour: no border at all.
  b.Style = rvbNone;
  EXPECT_EQ(Words(pi), "fi0 li0 ql ri0 sb0 sa0");
  b.Style = rvbSingle;
  b.Color = clNone;
  EXPECT_EQ(Words(pi), "fi0 li0 ql ri0 sb0 sa0");
}

TEST_F(ParaStyleRTF, SpaceBeforeAndAfterLessTheBorderInsideThem) {
  pi.SetSpaceBefore(10);
  pi.SetSpaceAfter(5);
  EXPECT_EQ(GetSpaceBeforeForRTF(pi), 10);
  EXPECT_EQ(GetSpaceAfterForRTF(pi), 5);
  EXPECT_EQ(Words(pi), "fi0 li0 ql ri0 sb150 sa75");

  TRVBorder& b = pi.Border;
  b.Style = rvbSingle;
  b.Color = clRed;
  b.Width = 1;
  b.BorderOffsets.Top = 2;
  b.BorderOffsets.Bottom = 4;
  EXPECT_EQ(GetSpaceBeforeForRTF(pi), 7); // 10 - (2 + 1)
  EXPECT_EQ(GetSpaceAfterForRTF(pi), 0);  // 5 - (4 + 1)
  b.Style = rvbDouble;                    // total width 2 * 1 + 1
  b.BorderOffsets.Top = -3;               // a negative offset takes nothing off
  EXPECT_EQ(GetSpaceBeforeForRTF(pi), 7);
  pi.SetSpaceAfter(20);
  EXPECT_EQ(GetSpaceAfterForRTF(pi), 13); // 20 - (4 + 3)
  b.VisibleBorders.Top = false;           // a hidden side takes nothing off
  EXPECT_EQ(GetSpaceBeforeForRTF(pi), 10);
  b.VisibleBorders.Top = true;
  b.Width = 0;
  EXPECT_EQ(GetSpaceBeforeForRTF(pi), 10);
  b.Width = 1;
  b.Style = rvbNone;
  EXPECT_EQ(GetSpaceAfterForRTF(pi), 20);
  // Converted to twips after the reduction.
  b.Style = rvbSingle;
  b.BorderOffsets.Top = 1;
  EXPECT_EQ(Words(pi).substr(Words(pi).rfind(" sb")), " sb120 sa225"); // 8 and 15 pixels
}

TEST_F(ParaStyleRTF, EveryPropertyInItsPlace) {
  pi.BiDiMode = rvbdLeftToRight;
  pi.LineSpacingType = rvlsLineHeightAtLeast;
  pi.LineSpacing = 16;
  pi.Options = {rvpaoKeepLinesTogether};
  pi.FirstIndent = 8;
  pi.LeftIndent = 4;
  pi.Tabs.Add(48, rvtaCenter, u".");
  pi.Alignment = rvaJustify;
  pi.RightIndent = 2;
  pi.OutlineLevel = 3;
  pi.Background.Color = clBlue;
  pi.Border.Style = rvbSingle;
  pi.Border.Color = clGreen;
  pi.Border.VisibleBorders.Left = pi.Border.VisibleBorders.Right = false;
  pi.Border.VisibleBorders.Bottom = false;
  pi.SetSpaceBefore(6);
  pi.SetSpaceAfter(3);
  EXPECT_EQ(Words(pi), "ltrpar sl240 slmult0 keep fi120 li60 tqc tldot tx720 qj ri30 "
                       "outlinelevel2 cbpat1 brdrbtw brdrt brsp0 brdrs brdrcf3 brdrw15 sb75 sa45");
}

} // namespace
} // namespace richtext
