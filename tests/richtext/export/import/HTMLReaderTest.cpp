// Reading HTML as browsers copy it: formatting, links, blocks, white space, character sets and
// fragment markers; and the all-or-nothing errors and limits.
#include <gtest/gtest.h>

#include <string>

#include "richtext/export/RVHTMLReader.h"
#include "richtext/export/import/ImportDump.h"
#include "richtext/export/rvf/ExportFixture.h"
#include "richtext/style/StyleDump.h"

namespace richtext::test {
namespace {

std::string Repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i)
    out += s;
  return out;
}

class HTMLReaderTest : public ExportFixture {
protected:
  std::string Read(std::string_view Html) {
    RVHTMLLoadDocument(Data(), Html);
    return ImportDump(Data());
  }
};

TEST_F(HTMLReaderTest, InlineFormattingAndLinksBecomeStylesAndTags) {
  EXPECT_EQ("|p 'a ' b'bold' ' ' i'it' ' ' u'under' ' ' s'gone' ' ' c'x()' ' ' "
            "@https://example.com/?a=1&b=2'link' ' end'",
            Read("a <b>bold</b> <em>it</em> <u>under</u> <del>gone</del> <code>x()</code> "
                 "<a href=\"https://example.com/?a=1&amp;b=2\">link</a> end"));
  EXPECT_EQ("|p bi'both' b@http://x'bold link'",
            Read("<strong><i>both</i><a href='http://x'>bold link</a></strong>"));
  // Inline CSS as editors write it, including the wrapper that turns bold off again.
  EXPECT_EQ("|p b'heavy' 'plain' i'slanted' u'lined' s'struck' 'none'",
            Read("<span style=\"font-weight:700\">heavy</span>"
                 "<b style=\"font-weight: normal\">plain</b>"
                 "<span style='font-style: italic'>slanted</span>"
                 "<span style=\"text-decoration: underline\">lined</span>"
                 "<span style=\"text-decoration-line: line-through\">struck</span>"
                 "<u style=\"text-decoration: none\">none</u>"));
}

TEST_F(HTMLReaderTest, LinksThatWouldRunCodeKeepOnlyTheirText) {
  // Before, each became a live link, which a blog editor trusting rich HTML would run.
  EXPECT_EQ("|p 'js vb data ' @https://ok.example/'ok'",
            Read("<a href=\"javascript:alert(1)\">js</a> <a href=\" VBScript:x\">vb</a> "
                 "<a href=\"java&#9;script:x\">data</a> <a href=\"https://ok.example/\">ok</a>"));
  EXPECT_EQ("|p 'x'", Read("<a href=\"data:text/html,&lt;script&gt;alert(1)&lt;/script&gt;\">x</a>"));
}

TEST_F(HTMLReaderTest, AddressesAreCleanedAsBrowsersCleanThem) {
  EXPECT_EQ("|p @http://x/ab'l'", Read("<a href=\"\x01 http://x/a\n\tb \x02\">l</a>"));
  EXPECT_EQ("|p @http://x/a\xEF\xBF\xBD" "b'l'", Read(std::string("<a href=\"http://x/a\0b\">l</a>", 28)));
  // An empty line inside a link is no part of it (it has nothing to follow).
  EXPECT_EQ("|p '' / @http://x/'t'", Read("<a href=\"http://x/\"><br>t</a>"));
  // Nothing left of the address: no link.
  EXPECT_EQ("|p 'l'", Read(std::string("<a href=\x01\0\0\n>l</a>", 18)));
}

TEST_F(HTMLReaderTest, TheLinkStyleIsTheLinkToolsAndIsAddedOnce) {
  const int before = Style.TextStyles.Count();
  Read("<a href=\"http://a\">one</a> and <a href=\"http://b\">two</a>");
  EXPECT_EQ(before + 1, Style.TextStyles.Count()) << DumpFonts(Style.TextStyles);
  const TFontInfo& link = *Style.TextStyles.Items(Style.TextStyles.Count() - 1);
  EXPECT_TRUE(link.Jump);
  EXPECT_EQ(clBlue, link.Color);
  EXPECT_TRUE(link.Style.Contains(fsUnderline));
  Read("<a href=\"http://c\">three</a>");
  EXPECT_EQ(before + 1, Style.TextStyles.Count()) << "a second read finds the style";
}

TEST_F(HTMLReaderTest, BlocksHeadingsListsAndBreaksMakeParagraphsAndLines) {
  EXPECT_EQ("|h1 b'Title' |p 'one' |p 'two' / 'line' |li '\xE2\x80\xA2 first' |li '\xE2\x80\xA2 second'"
            " |li '3. third' |li '4. fourth' |p 'after'",
            Read("<h1>Title</h1><p>one<p>two<br>line</p><ul><li>first<li>second</ul>"
                 "<ol start=3><li>third</li><li><p>fourth</p></li></ol><div>after</div>"));
  EXPECT_EQ("|h3 b'Small ' b@http://x'link'", Read("<h3>Small <a href=http://x>link</a></h3>"))
      << "headings are bold and keep their links";
  // Two breaks leave an empty line; a break at the start of a paragraph leaves one too.
  EXPECT_EQ("|p 'a' / '' / 'b'", Read("a<br><br>b"));
  EXPECT_EQ("|p 'x' > 'y' |p b'z' > 'w'",
            Read("<table><tr><td>x</td><td>y</td></tr><tr><th>z</th><td>w</td></tr></table>"));
}

TEST_F(HTMLReaderTest, WhiteSpaceCollapsesAsInBrowsersButNotInPre) {
  EXPECT_EQ("|p 'a b c'", Read("  \n a \t\r\n b   c \n "));
  EXPECT_EQ("|p 'one ' b'two' ' three'", Read("<p> one <b>two</b>\n three </p>"));
  EXPECT_EQ("|p c'  x  y' / c'z'", Read("<pre>\n  x  y\nz</pre>"));
  EXPECT_EQ("|p 'a\xC2\xA0\xC2\xA0 b'", Read("a&nbsp;&nbsp; b"));
}

TEST_F(HTMLReaderTest, ReferencesScriptsStylesCommentsAndUnknownTags) {
  EXPECT_EQ("|p '<&> \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 &bogus; & x'",
            Read("&lt;&amp;&gt; &eacute; &#x20AC; &#128512; &bogus; & x"));
  EXPECT_EQ("|p 'kept text'",
            Read("<head><title>no</title><style>p{}</style></head><script>if (a<b) x();</script>"
                 "<!-- a <b>comment</b> --><custom-tag>kept</custom-tag> <blink>text</blink>"));
  EXPECT_EQ("|p '1 < 2'", Read("1 < 2"));
}

TEST_F(HTMLReaderTest, CharacterSetsAndFragmentMarkers) {
  // Chromium: a <meta charset> and the fragment.
  EXPECT_EQ("|p 'Quillon \xE8\xAF\xB4\xE6\x98\x8E \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D "
            "\xF0\x9F\x94\x97'",
            Read("<meta charset='utf-8'>Quillon \xE8\xAF\xB4\xE6\x98\x8E "
                 "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xF0\x9F\x94\x97"));
  // Firefox: only what lies between the markers, formatted by what encloses them.
  EXPECT_EQ("|p b'in'",
            Read("<html><body>\n<b>out<!--StartFragment-->in<!--EndFragment-->out</b>\n</body></html>"));
  // Another character set by name, and UTF-16 with and without its mark.
  EXPECT_EQ("|p 'caf\xC3\xA9'", Read("<meta http-equiv=Content-Type content=\"text/html; "
                                     "charset=windows-1252\">caf\xE9"));
  EXPECT_EQ("|p 'caf\xC3\xA9'", Read("<meta charset=iso-8859-1>caf\xE9"));
  EXPECT_EQ("|p b'\xE4\xBD\xA0'", Read(std::string("\xFF\xFE<\0b\0>\0\x60\x4F", 10)));
  EXPECT_EQ("|p 'ok'", Read(std::string("<\0p\0>\0o\0k\0", 10)));
  // The Windows clipboard's header is skipped.
  EXPECT_EQ("|p 'w'", Read("Version:0.9\r\nStartHTML:0000000105\r\n<html><body><!--StartFragment-->w"
                           "<!--EndFragment--></body></html>"));
}

TEST_F(HTMLReaderTest, AFailedReadLeavesDocumentAndStylesAsTheyWere) {
  Read("<b>kept</b>");
  const std::string before = ImportDump(Data()) + DumpFonts(Style.TextStyles) + DumpParas(Style.ParaStyles);
  const struct {
    std::string Html;
    const char* Message;
  } cases[] = {
      {"<a href=\"http://x\">ok</a><b", "HTML reading error: the stream ends inside a tag"},
      {"<p title=\"unclosed>text", "HTML reading error: the stream ends inside a tag"},
      {"text <!-- never closed", "HTML reading error: the stream ends inside a comment"},
      {"<script>for(;;);", "HTML reading error: the stream ends inside <script>"},
      {"<meta charset=klingon-8>x", "HTML reading error: unknown character set \"klingon-8\""},
      {Repeat("<span>", 600), "HTML reading error: elements nested deeper than 512"},
  };
  for (const auto& c : cases) {
    try {
      RVHTMLLoadDocument(Data(), c.Html);
      ADD_FAILURE() << "read: " << c.Html.substr(0, 60);
    } catch (const ERichViewError& e) {
      EXPECT_STREQ(c.Message, e.what());
    }
    EXPECT_EQ(before, ImportDump(Data()) + DumpFonts(Style.TextStyles) + DumpParas(Style.ParaStyles));
  }
  // Void and closed elements do not count towards the depth.
  EXPECT_NO_THROW(RVHTMLLoadDocument(Data(), Repeat("<span>x</span><br><img src=a>", 2000)));
}

TEST_F(HTMLReaderTest, AnEmptyStreamIsOneEmptyParagraph) {
  EXPECT_EQ("|p ''", Read(""));
  EXPECT_EQ("|p ''", Read("<html><head><title>t</title></head><body> </body></html>"));
}

} // namespace
} // namespace richtext::test
