#include <gtest/gtest.h>

#include "StyleDump.h"
#include "richtext/style/RVStyleStream.h"

namespace richtext {
namespace {

using test::DumpFonts;
using test::DumpParas;
using test::DumpStream;

TEST(PropertyStream, ByteLayoutOfTheValueKinds) {
  std::string out;
  TRVPropertyWriter w(out);
  w.WriteSignature();
  w.BeginObject("T");
  w.WriteInteger("A", -2);
  w.WriteBoolean("B", true);
  w.WriteBoolean("b", false);
  w.WriteString("S", u"\u00E9");
  w.WriteIdent("E", "rvaLeft");
  w.WriteSet("Z", {"x", "yz"});
  w.WriteInt64("L", 0x0102030405060708LL);
  w.BeginCollection("C");
  w.BeginItem();
  w.WriteInteger("P", 1);
  w.EndItem();
  w.EndCollection();
  w.EndObject();
  const std::string expected = std::string("RVPS\x01", 5) + std::string("\x01T", 2) +
                               std::string("\x01"
                                           "A\x01\xFE\xFF\xFF\xFF",
                                           7) +
                               std::string("\x01"
                                           "B\x03",
                                           3) +
                               std::string("\x01"
                                           "b\x02",
                                           3) +
                               std::string("\x01S\x04\x01\x00\x00\x00\xE9\x00", 9) +
                               std::string("\x01"
                                           "E\x05\x07rvaLeft",
                                           11) +
                               std::string("\x01Z\x06\x01x\x02yz\x00", 9) +
                               std::string("\x01L\x08\x08\x07\x06\x05\x04\x03\x02\x01", 11) +
                               std::string("\x01"
                                           "C\x07\x01\x01P\x01\x01\x00\x00\x00\x00\x00",
                                           13) +
                               std::string("\x00", 1);
  EXPECT_EQ(out, expected);
  EXPECT_EQ(DumpStream(out), "object T\nA=-2\nB=true\nb=false\nS='?'\nE=rvaLeft\nZ=[x,yz]\n"
                             "L=72623859790382856L\nC=<\n item\n  P=1\n>\n");
}

TEST(PropertyStream, DamagedInputRaisesErrors) {
  auto error = [](std::string_view bytes) -> std::string {
    try {
      DumpStream(bytes);
    } catch (const ERichViewError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(error(std::string_view("RVPX\x01\x01T\x00", 8)), "Invalid stream format");
  EXPECT_EQ(error(std::string_view("RVPS\x02\x01T\x00", 8)), "Invalid stream format");
  EXPECT_EQ(error(std::string_view("RVPS\x01\x01T\x01"
                                   "A\x09",
                                   10)),
            "Invalid stream format");
  EXPECT_EQ(error(std::string_view("RVPS\x01\x01T\x01"
                                   "A\x01\x00",
                                   10)),
            "Stream read error");
  EXPECT_EQ(error(std::string_view("RVPS\x01\x01T\x01"
                                   "A\x04\xFF\xFF\xFF\xFF",
                                   13)),
            "Stream read error");
  TRVPropertyReader r(std::string_view("\x01\x01", 2));
  EXPECT_EQ(r.PeekValueType(), TRVValueType::Int32);
  EXPECT_THROW(r.ReadString(), ERichViewError);
  // Deeply nested collections are refused rather than followed.
  std::string deep("RVPS\x01\x01T", 7);
  for (int i = 0; i < 100; ++i)
    deep += std::string("\x01"
                        "C\x07\x01",
                        4);
  EXPECT_EQ(error(deep), "Invalid stream format");
}

TEST(StyleStream, DefaultTextStylesWriteOnlyWhatDiffers) {
  TRVStyle s;
  EXPECT_EQ(DumpStream(RVSaveFontInfosToBytes(s.TextStyles)),
            "object TFontInfos\nItems=<\n"
            " item\n  StyleName='Normal text'\n  FontName='Arial'\n  Unicode=true\n  Size=10\n"
            " item\n  StyleName='Heading'\n  FontName='Arial'\n  Style=[fsBold]\n"
            "  Color=16711680\n  Unicode=true\n  Size=10\n"
            " item\n  StyleName='Subheading'\n  FontName='Arial'\n  Style=[fsBold]\n"
            "  Color=8388608\n  Unicode=true\n  Size=10\n"
            " item\n  StyleName='Keywords'\n  FontName='Arial'\n  Style=[fsItalic]\n"
            "  Color=128\n  Unicode=true\n  Size=10\n"
            " item\n  StyleName='Jump 1'\n  FontName='Arial'\n  Style=[fsUnderline]\n"
            "  Color=32768\n  Unicode=true\n  Jump=true\n  Size=10\n"
            " item\n  StyleName='Jump 2'\n  FontName='Arial'\n  Style=[fsUnderline]\n"
            "  Color=32768\n  Unicode=true\n  Jump=true\n  Size=10\n"
            ">\n");
  EXPECT_EQ(DumpStream(RVSaveParaInfosToBytes(s.ParaStyles)),
            "object TParaInfos\nItems=<\n"
            " item\n  Tabs=<\n  >\n"
            " item\n  StyleName='Centered'\n  Alignment=rvaCenter\n  Tabs=<\n  >\n"
            ">\n");
}

TEST(StyleStream, EveryTextPropertyInItsOrder) {
  TFontInfos c(nullptr);
  TFontInfo& f = *c.Add();
  f.BaseStyleNo = 1;
  f.Standard = false;
  f.StyleName = u"All";
  f.StyleTemplateId = 4;
  f.Charset = 0;
  f.SizeDouble = 21;
  f.FontName = u"Tahoma";
  f.Style = {fsBold, fsStrikeOut};
  f.VShift = 5;
  f.Color = clRed;
  f.BackColor = clLime;
  f.HoverBackColor = clNavy;
  f.HoverColor = clBlue;
  f.HoverEffects = {rvheUnderline};
  f.StyleEx = {rvfsOverline, rvfsAllCaps};
  f.JumpCursor = crHandPoint;
  f.CharScale = 90;
  f.CharSpacing = -1;
  f.BiDiMode = rvbdRightToLeft;
  f.SubSuperScriptType = rvsssSubscript;
  f.Protection = {rvprDeleteProtect, rvprStickToTop};
  f.Options = {rvteoRTFCode};
  f.UnderlineType = rvutThickDashed;
  f.UnderlineColor = clGreen;
  f.HoverUnderlineColor = clMaroon;
  f.ParaStyleTemplateId = 6;
  f.EmptyWidth = 8;
  f.NextStyleNo = 0;
  f.Jump = true;
  f.ModifiedProperties = {rvfiSize, rvfiEmptyWidth};
  const std::string bytes = RVSaveFontInfosToBytes(c);
  EXPECT_EQ(DumpStream(bytes),
            "object TFontInfos\nItems=<\n item\n"
            "  BaseStyleNo=1\n  Standard=false\n  StyleName='All'\n  StyleTemplateId=4\n"
            "  Charset=0\n  SizeDouble=21\n  FontName='Tahoma'\n  Style=[fsBold,fsStrikeOut]\n"
            "  VShift=5\n  Color=255\n  BackColor=65280\n  HoverBackColor=8388608\n"
            "  HoverColor=16711680\n  HoverEffects=[rvheUnderline]\n"
            "  StyleEx=[rvfsOverline,rvfsAllCaps]\n  JumpCursor=-21\n  CharScale=90\n"
            "  CharSpacing=-1\n  BiDiMode=rvbdRightToLeft\n  SubSuperScriptType=rvsssSubscript\n"
            "  Protection=[rvprDeleteProtect,rvprStickToTop]\n  Options=[rvteoRTFCode]\n"
            "  UnderlineType=rvutThickDashed\n  UnderlineColor=32768\n"
            "  HoverUnderlineColor=128\n  ParaStyleTemplateId=6\n  EmptyWidth=8\n"
            "  NextStyleNo=0\n  Unicode=true\n  Jump=true\n  SizeDouble=21\n"
            "  ModifiedProps=[rvfiSize,rvfiEmptyWidth]\n>\n");
  TFontInfos back(nullptr);
  back.Add();
  back.Add();
  RVLoadFontInfosFromBytes(bytes, back);
  EXPECT_EQ(DumpFonts(back), DumpFonts(c));
}

TEST(StyleStream, SheetThatIgnoresStyleTemplatesLeavesThemOut) {
  TRVStyle s;
  s.IgnoreStyleTemplates = true;
  s.TextStyles[0].StyleTemplateId = 3;
  s.TextStyles[0].ModifiedProperties = {rvfiColor};
  s.ParaStyles[0].StyleTemplateId = 3;
  s.ParaStyles[0].ModifiedProperties = {rvpiTabs};
  const std::string text = DumpStream(RVSaveFontInfosToBytes(s.TextStyles));
  const std::string para = DumpStream(RVSaveParaInfosToBytes(s.ParaStyles));
  EXPECT_EQ(text.find("StyleTemplateId"), std::string::npos);
  EXPECT_EQ(text.find("ModifiedProps"), std::string::npos);
  EXPECT_EQ(para.find("StyleTemplateId"), std::string::npos);
  s.IgnoreStyleTemplates = false;
  EXPECT_NE(DumpStream(RVSaveFontInfosToBytes(s.TextStyles)).find("StyleTemplateId=3"),
            std::string::npos);
  EXPECT_NE(DumpStream(RVSaveParaInfosToBytes(s.ParaStyles)).find("ModifiedProps=[rvpiTabs]"),
            std::string::npos);
}

TEST(StyleStream, ParagraphStylesRoundTripWithPartsAndTabs) {
  TRVStyle s;
  s.ResetParaStyles();
  TParaInfo& p = *s.ParaStyles.Add();
  p.StyleName = u"Boxed";
  p.FirstIndent = -10;
  p.LeftIndent = 20;
  p.RightIndent = 5;
  p.SetSpaceBefore(3);
  p.SetSpaceAfter(4);
  p.Alignment = rvaDistribute;
  p.LastLineAlignment = rvllaJustify;
  p.Border.Width = 2;
  p.Border.InternalWidth = 3;
  p.Border.Color = clRed;
  p.Border.Style = rvbThickOutside;
  p.Border.VisibleBorders.Right = false;
  p.Border.VisibleBorders.Bottom = false;
  p.Border.BorderOffsets.Left = 1;
  p.Border.BorderOffsets.Bottom = 2;
  p.Background.Color = clLime;
  p.Background.Opacity = 40000;
  p.Background.BorderOffsets.Top = 6;
  p.LineSpacing = 120;
  p.LineSpacingType = rvlsLineHeightAtLeast;
  p.Options = {rvpaoNoWrap, rvpaoWidowOrphanControl};
  p.BiDiMode = rvbdLeftToRight;
  p.OutlineLevel = 1;
  p.Tabs.Add(300, rvtaRight, u".");
  p.Tabs.Add(100);
  p.NextParaNo = 0;
  p.DefStyleNo = 2;
  p.ModifiedProperties = {rvpiFirstIndent, rvpiCustom5};
  const std::string bytes = RVSaveParaInfosToBytes(s.ParaStyles);
  const std::string dump = DumpStream(bytes);
  EXPECT_EQ(dump.substr(dump.find("StyleName='Boxed'")),
            "StyleName='Boxed'\n  FirstIndent=-10\n  LeftIndent=20\n  RightIndent=5\n"
            "  SpaceBefore=3\n  SpaceAfter=4\n  Alignment=rvaDistribute\n"
            "  LastLineAlignment=rvllaJustify\n  Border.Width=2\n  Border.InternalWidth=3\n"
            "  Border.Color=255\n  Border.Style=rvbThickOutside\n"
            "  Border.VisibleBorders.Right=false\n  Border.VisibleBorders.Bottom=false\n"
            "  Border.BorderOffsets.Left=1\n  Border.BorderOffsets.Bottom=2\n"
            "  Background.Color=65280\n  Background.Opacity=40000\n"
            "  Background.BorderOffsets.Top=6\n  LineSpacing=120\n"
            "  LineSpacingType=rvlsLineHeightAtLeast\n"
            "  Options=[rvpaoNoWrap,rvpaoWidowOrphanControl]\n  BiDiMode=rvbdLeftToRight\n"
            "  OutlineLevel=1\n  Tabs=<\n   item\n    Position=100\n   item\n"
            "    Align=rvtaRight\n    Position=300\n    Leader='.'\n  >\n"
            "  NextParaNo=0\n  DefStyleNo=2\n  ModifiedProps=[rvpiFirstIndent,rvpiCustom5]\n>\n");
  TRVStyle other;
  RVLoadParaInfosFromBytes(bytes, other.ParaStyles);
  EXPECT_EQ(DumpParas(other.ParaStyles), DumpParas(s.ParaStyles));
  EXPECT_EQ(other.ParaStyles[2].GetRVStyle(), &other);
}

// Writes one text style item from hand-made records.
template <typename F> std::string OneTextStyle(F props) {
  std::string out;
  TRVPropertyWriter w(out);
  w.WriteSignature();
  w.BeginObject("TFontInfos");
  w.WriteInteger("Version", 7); // unknown object properties are skipped
  w.BeginCollection("Items");
  w.BeginItem();
  props(w);
  w.EndItem();
  w.EndCollection();
  w.EndObject();
  return out;
}

TEST(StyleStream, LegacyAndUnknownPropertiesOnReading) {
  TFontInfos c(nullptr);
  RVLoadFontInfosFromBytes(OneTextStyle([](TRVPropertyWriter& w) {
                             w.WriteBoolean("SingleSymbols", true);
                             w.WriteInteger("Size", 12);
                             w.WriteSet("ModifiedProps", {"rvfiColor", "rvpiTabs", "bogus"});
                             w.BeginCollection("Frobnicate");
                             w.BeginItem();
                             w.WriteString("Deep", u"x");
                             w.EndItem();
                             w.EndCollection();
                             w.WriteBoolean("Unicode", false);
                           }),
                           c);
  EXPECT_EQ(DumpFonts(c), "0 Font Style|Arial|24 prot=65 modified=4096\n");
  EXPECT_TRUE(c.Items(0)->Unicode);

  RVLoadFontInfosFromBytes(OneTextStyle([](TRVPropertyWriter& w) {
                             w.WriteBoolean("SingleSymbols", false);
                             w.WriteInteger("SizeDouble", 17);
                           }),
                           c);
  EXPECT_EQ(DumpFonts(c), "0 Font Style|Arial|17\n");
}

TEST(StyleStream, ModifiedPropsThatIsNotASetIsAnError) {
  TRVStyle s;
  const std::string before = DumpFonts(s.TextStyles);
  try {
    RVLoadFontInfosFromBytes(
        OneTextStyle([](TRVPropertyWriter& w) { w.WriteInteger("ModifiedProps", 3); }),
        s.TextStyles);
    FAIL() << "no error";
  } catch (const ERichViewError& e) {
    EXPECT_STREQ(e.what(), "Invalid value of property ModifiedProps (text)");
  }
  EXPECT_EQ(DumpFonts(s.TextStyles), before); // nothing half-read is left behind

  std::string para;
  TRVPropertyWriter w(para);
  w.WriteSignature();
  w.BeginObject("TParaInfos");
  w.BeginCollection("Items");
  w.BeginItem();
  w.WriteIdent("ModifiedProps", "rvpiTabs");
  w.EndItem();
  w.EndCollection();
  w.EndObject();
  EXPECT_THROW(RVLoadParaInfosFromBytes(para, s.ParaStyles), ERichViewError);
  EXPECT_EQ(s.ParaStyles.Count(), 2);
}

TEST(StyleStream, EveryTruncationFailsCleanly) {
  TRVStyle s;
  s.ParaStyles[1].Tabs.Add(40, rvtaCenter, u"-");
  const std::string text = RVSaveFontInfosToBytes(s.TextStyles);
  const std::string para = RVSaveParaInfosToBytes(s.ParaStyles);
  const std::string textDump = DumpFonts(s.TextStyles);
  const std::string paraDump = DumpParas(s.ParaStyles);
  for (std::size_t n = 0; n < text.size(); ++n)
    EXPECT_THROW(RVLoadFontInfosFromBytes(std::string_view(text).substr(0, n), s.TextStyles),
                 ERichViewError)
        << n;
  for (std::size_t n = 0; n < para.size(); ++n)
    EXPECT_THROW(RVLoadParaInfosFromBytes(std::string_view(para).substr(0, n), s.ParaStyles),
                 ERichViewError)
        << n;
  EXPECT_EQ(DumpFonts(s.TextStyles), textDump);
  EXPECT_EQ(DumpParas(s.ParaStyles), paraDump);
  EXPECT_THROW(RVLoadFontInfosFromBytes(para, s.TextStyles), ERichViewError); // wrong class
}

} // namespace
} // namespace richtext
