// Reading RTF: what the engine's writer writes comes back with its styles and links; what word
// processors write (tables, style sheets, lists, code pages, \u with fallbacks, fields); and the
// all-or-nothing errors and limits.
#include <gtest/gtest.h>

#include <string>

#include "richtext/base/RVStream.h"
#include "richtext/export/RVRTFReader.h"
#include "richtext/export/import/ImportDump.h"
#include "richtext/export/rvf/ExportFixture.h"
#include "richtext/style/StyleDump.h"

namespace richtext::test {
namespace {

class RTFReaderTest : public ExportFixture {
protected:
  RTFReaderTest() {
    TFontInfo link;
    link.Assign(Style.TextStyles[0]);
    link.Color = clBlue;
    link.Style.Include(fsUnderline);
    link.Jump = true;
    Link = Style.FindTextStyle(link);
    TFontInfo bold;
    bold.Assign(Style.TextStyles[0]);
    bold.Style.Include(fsBold);
    Bold = Style.FindTextStyle(bold);
  }
  std::string Read(std::string_view Rtf) {
    RVRTFLoadDocument(Data(), Rtf);
    return ImportDump(Data());
  }
  std::string Written() {
    RV.Format();
    TRVMemoryStream stream;
    EXPECT_TRUE(RV.SaveRTFToStream(stream, false));
    return stream.Bytes();
  }
  int Link = 0, Bold = 0;
};

TEST_F(RTFReaderTest, OurOwnRTFReadsBackWithItsStylesAndLinks) {
  RV.AddNLTag(u"Quillon \u8BF4\u660E \U0001F517", Link, 0, u"https://example.com/quillon docs");
  RV.AddNL(u" and ", 0, -1);
  RV.AddNL(u"bold \u05E9\u05DC\u05D5\u05DD", Bold, -1);
  RV.AddNL(u"second {para} \\ 100%", 0, 0);
  RV.AddNLTag(u"q\"uote+d", Link, -1, u"http://x/a\"b+c%20d");
  RV.AddNLTag(u"anchor", Link, -1, u"http://x.example/p#a b");
  // Every character the writer writes as a word of its own.
  RV.AddNL(u"\u00A0\u00AD\u2002\u2003\u2005 \u0643\u200C\u0628 \u0643\u200D\u0628 "
           u"\u2013\u2014\u2018\u2019\u201C\u201D\u2022",
           0, 0);
  const std::string expected = ImportDump(Data());
  const int styles = Style.TextStyles.Count();
  const std::string rtf = Written();
  EXPECT_EQ(expected, Read(rtf)) << rtf;
  EXPECT_EQ(styles, Style.TextStyles.Count()) << "every style was found in the sheet\n"
                                              << DumpFonts(Style.TextStyles);
}

TEST_F(RTFReaderTest, WordProcessorFormattingAndStructure) {
  EXPECT_EQ("|p 'a ' b'b' ' ' i'i' ' ' u'u' ' ' s'x' ' ' bi'bi' 'c' |p '' / 'line' > 'tab' |p ''"
            " |p 'end'",
            Read("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}a {\\b b} {\\i i} {\\ul u} "
                 "{\\strike x} \\b\\i bi\\b0\\i0 c\\par\\line line\\tab tab\\par\\par end\\par}"));
  // A table: cells are separated by tabs, rows are paragraphs.
  EXPECT_EQ("|p 'x' > 'y' |p 'z' > 'w'",
            Read("{\\rtf1\\trowd\\cellx100\\cellx200 x\\cell y\\cell\\row\\trowd z\\cell w\\cell\\row}"));
  // Heading by style sheet name and by outline level; a list with its marker text.
  EXPECT_EQ("|h1 b'Head' |h2 b'Sub' |li '\xE2\x80\xA2 one' |li '2. two' |p 'plain'",
            Read("{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1\\b Heading 1;}}"
                 "\\pard\\s1 Head\\par\\pard\\outlinelevel1 Sub\\par"
                 "\\pard\\ls1{\\listtext\\f3\\'b7\\tab}one\\par"
                 "\\pard\\ls2{\\listtext 2.\\tab}two\\par\\pard plain\\par}"));
}

TEST_F(RTFReaderTest, FieldsBecomeLinksAndOtherFieldsKeepTheirText) {
  EXPECT_EQ("|p 'see ' @http://a.example/'A' ' and ' @http://b.example/x#top'B' ' page 3'",
            Read("{\\rtf1 see {\\field{\\*\\fldinst{HYPERLINK \"http://a.example/\"}}"
                 "{\\fldrslt{\\ul\\cf1 A}}} and {\\field{\\*\\fldinst HYPERLINK "
                 "\"http://b.example/x\" \\\\l \"top\" \\\\o \"tip\"}{\\fldrslt B}} "
                 "{\\field{\\*\\fldinst PAGE}{\\fldrslt page 3}}}"));
  // A link's own colour is kept, a link without one is blue.
  Read("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}{\\field{\\*\\fldinst HYPERLINK \"u\"}"
       "{\\fldrslt\\cf1 red}}}");
  const TFontInfo& red = *Style.TextStyles.Items(Data().GetItem(0)->StyleNo);
  EXPECT_EQ(0x0000FF, red.Color);
  EXPECT_TRUE(red.Jump);
}

TEST_F(RTFReaderTest, AnEmptyAnchorKeepsTheAddresssHash) {
  // The writer gives "x#" as the address and an empty \l; the "#" was lost on reading.
  EXPECT_EQ("|p @http://a.example/x#'l'",
            Read("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://a.example/x\" \\\\l \"\"}{\\fldrslt l}}}"));
}

TEST_F(RTFReaderTest, ALineBreakBeforeTheParagraphEndLeavesAnEmptyLine) {
  // As word processors show it, and as the writer writes such a line; it was dropped, so a
  // document with an empty last line did not read back whole (found by the HTML fuzzer).
  const std::string read = Read("{\\rtf1 a\\line b\\line \\line \\par c\\par}");
  EXPECT_EQ("|p 'a' / 'b' / '' / '' |p 'c'", read);
  EXPECT_EQ(read, Read(Written()));
  EXPECT_EQ("|p 'a' / '' |p 'b'", Read("{\\rtf1 a\\line\\par b}"));
}

TEST_F(RTFReaderTest, LinksThatWouldRunCodeKeepOnlyTheirText) {
  // Before, each became a live link, which a blog editor trusting rich HTML would run.
  EXPECT_EQ("|p 'a js vb data ' @http://ok.example/'ok'",
            Read("{\\rtf1 a {\\field{\\*\\fldinst HYPERLINK \"JavaScript:alert(1)\"}{\\fldrslt js}} "
                 "{\\field{\\*\\fldinst HYPERLINK \" vbscript:x\"}{\\fldrslt vb}} "
                 "{\\field{\\*\\fldinst HYPERLINK \"data:text/html,<script>x</script>\"}{\\fldrslt data}} "
                 "{\\field{\\*\\fldinst HYPERLINK \"http://ok.example/\"}{\\fldrslt ok}}}"));
}

TEST_F(RTFReaderTest, CodePagesUnicodeAndFallbacks) {
  // \ansicpg for \'hh, double-byte characters split over two \'hh, a font's own charset.
  // Each font is a style of its own.
  EXPECT_EQ("|p 'caf\xC3\xA9 ' '\xD0\x96' ' ' '\xE4\xBD\xA0\xE5\xA5\xBD'",
            Read("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}"
                 "{\\f2\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}caf\\'e9 {\\f1\\'c6} {\\f2\\'c4\\'e3\\'ba\\'c3}}"));
  // \u with one fallback by default, \uc2 with two, \uc0 with none; negative values; surrogates.
  EXPECT_EQ("|p '\xE8\xAF\xB4\xE6\x98\x8E \xF0\x9F\x98\x80 \xEF\xBF\xBD!'",
            Read("{\\rtf1 \\u35828?{\\uc2\\u26126\\'3f\\'3f} \\uc0\\u-10179\\u-8704  \\u-10179!}"));
  // The font name comes from the table, in the font's code page.
  Read("{\\rtf1{\\fonttbl{\\f0\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f1\\fmodern Courier New;}}"
       "\\f0 a{\\f1 b}}");
  EXPECT_EQ(u"\u5B8B\u4F53", Style.TextStyles.Items(Data().GetItem(0)->StyleNo)->FontName);
  EXPECT_EQ("|p 'a' c'b'", ImportDump(Data()));
}

TEST_F(RTFReaderTest, DestinationsToSkip) {
  EXPECT_EQ("|p 'body'",
            Read("{\\rtf1{\\info{\\title no}{\\author no}}{\\*\\generator no;}{\\header no\\par}"
                 "{\\*\\unknowndest no}{\\pict\\pngblip 0a0b}{\\footnote no}body}"));
  EXPECT_EQ("|p 'a}b{c\\d'", Read("{\\rtf1 a\\}b\\{c\\\\d}"));
}

TEST_F(RTFReaderTest, AFailedReadLeavesDocumentAndStylesAsTheyWere) {
  Read("{\\rtf1 {\\b kept}}");
  auto state = [&] { return ImportDump(Data()) + DumpFonts(Style.TextStyles) + DumpParas(Style.ParaStyles); };
  const std::string before = state();
  std::string deep = "{\\rtf1 ";
  for (int i = 0; i < 600; ++i)
    deep += "{";
  const struct {
    std::string Rtf;
    const char* Message;
  } cases[] = {
      {"plain text", "RTF reading error: the stream does not start with {\\rtf"},
      {"{\\rtf1 {\\b truncated", "RTF reading error: the stream ends inside a group"},
      {"{\\rtf1 \\'zz}", "RTF reading error: \\' without two hexadecimal digits"},
      {"{\\rtf1 \\'4", "RTF reading error: the stream ends inside \\'hh"},
      {"{\\rtf1 \\b12345678901}", "RTF reading error: a number longer than 10 digits"},
      {"{\\rtf1 \\b9999999999}", "RTF reading error: a number beyond 32 bits"},
      {"{\\rtf1 \\" + std::string(40, 'a') + "}", "RTF reading error: a control word longer than 32 letters"},
      {"{\\rtf1 x\\", "RTF reading error: the stream ends after a backslash"},
      {deep, "RTF reading error: groups nested deeper than 512"},
  };
  for (const auto& c : cases) {
    try {
      RVRTFLoadDocument(Data(), c.Rtf);
      ADD_FAILURE() << "read: " << c.Rtf.substr(0, 60);
    } catch (const ERichViewError& e) {
      EXPECT_STREQ(c.Message, e.what());
    }
    EXPECT_EQ(before, state());
  }
  // What follows the document's closing brace is not read.
  EXPECT_EQ("|p 'x'", Read("{\\rtf1 x}}garbage{"));
}

} // namespace
} // namespace richtext::test
