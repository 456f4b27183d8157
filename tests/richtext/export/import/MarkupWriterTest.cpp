// Markdown and BBCode of documents and selections: structure, inline markers around blanks,
// escaping of text and addresses, code spans, and the selection's ends.
#include <gtest/gtest.h>

#include <string>

#include "richtext/base/RVUni.h"
#include "richtext/export/RVHTMLReader.h"
#include "richtext/export/RVMarkupWriter.h"
#include "richtext/export/rvf/ExportFixture.h"

namespace richtext::test {
namespace {

class MarkupWriterTest : public ExportFixture {
protected:
  std::string Markdown(std::string_view Html) {
    RVHTMLLoadDocument(Data(), Html);
    return RVU_UnicodeToUtf8(RVGetMarkup(Data(), TRVMarkupFormat::rvmfMarkdown));
  }
  std::string BBCode(std::string_view Html) {
    RVHTMLLoadDocument(Data(), Html);
    return RVU_UnicodeToUtf8(RVGetMarkup(Data(), TRVMarkupFormat::rvmfBBCode));
  }
};

TEST_F(MarkupWriterTest, MarkersStayOutsideBlanksAndNestInOrder) {
  EXPECT_EQ("a **bold** *it **both*** c\n", Markdown("a <b> bold </b><i> it <b>both</b></i> c"));
  EXPECT_EQ("a [b]bold[/b] [i]it [b]both[/b][/i] c\n",
            BBCode("a <b> bold </b><i> it <b>both</b></i> c"));
  EXPECT_EQ("~~gone~~ under\n", Markdown("<s>gone</s> <u>under</u>")) << "Markdown has no underline";
  EXPECT_EQ("[s]gone[/s] [u]under[/u]\n", BBCode("<s>gone</s> <u>under</u>"));
}

TEST_F(MarkupWriterTest, TextIsEscapedForEachFormat) {
  EXPECT_EQ("\\# not \\*a\\* \\[heading\\](x) \\<b\\> a\\_b \\`c\\` 100% & \\&amp; \\\\ \\|\n",
            Markdown("# not *a* [heading](x) &lt;b&gt; a_b `c` 100% &amp; &amp;amp; \\ |"));
  EXPECT_EQ("\\- item\n\n\\+ plus\n\n12\\. twelve\n\n\\> quote\n\n\\===\n",
            Markdown("<p>- item<p>+ plus<p>12. twelve<p>&gt; quote<p>==="));
  EXPECT_EQ("[\xE2\x80\x8B""b]not bold[\xE2\x80\x8B/b] [1] [\n", BBCode("[b]not bold[/b] [1] ["));
}

TEST_F(MarkupWriterTest, LinksCodeHeadingsAndLists) {
  EXPECT_EQ("[a (b)](http://x/%28y%29%20z%3Cw%3E) [**in** out](http://u)\n",
            Markdown("<a href=\"http://x/(y) z<w>\">a (b)</a> <a href=http://u><b>in</b> out</a>"));
  EXPECT_EQ("[url=http://x/%5By%5D%20z]a [\xE2\x80\x8B""b][/url]\n",
            BBCode("<a href=\"http://x/[y] z\">a [b]</a>"));
  EXPECT_EQ("`plain` ``a`b`` `` `x` ``\n", Markdown("<code>plain</code> <code>a`b</code> <code>`x`</code>"));
  EXPECT_EQ("# One\n\n###### Six\n\n1. a\n2. b\n\n- c\n- d\n", Markdown("<h1>One</h1><h6>Six</h6><ol><li>a<li>b</ol><ul><li>c<li>d</ul>"));
  EXPECT_EQ("[size=200][b]One[/b][/size]\n\n[list=1]\n[*]a\n[*]b\n[/list]\n\n[list]\n[*]c\n[/list]\n",
            BBCode("<h1>One</h1><ol><li>a<li>b</ol><ul><li>c</ul>"));
  EXPECT_EQ("", Markdown("")) << "an empty document writes nothing";
}

TEST_F(MarkupWriterTest, ASelectionTakesPartsOfItsEndItems) {
  RVHTMLLoadDocument(Data(), "<p>first <b>bold</b> tail<p>second <a href=http://l>link</a>");
  FormatAndSelectAll();
  EXPECT_EQ("first **bold** tail\n\nsecond [link](http://l)\n",
            RVU_UnicodeToUtf8(RVGetSelMarkup(Data(), TRVMarkupFormat::rvmfMarkdown)));
  // From inside "bold" to inside "link".
  Select(1, 3, 4, 3);
  EXPECT_EQ("**ld** tail\n\nsecond [li](http://l)\n",
            RVU_UnicodeToUtf8(RVGetSelMarkup(Data(), TRVMarkupFormat::rvmfMarkdown)));
  EXPECT_EQ("[b]ld[/b] tail\n\nsecond [url=http://l]li[/url]\n",
            RVU_UnicodeToUtf8(RVGetSelMarkup(Data(), TRVMarkupFormat::rvmfBBCode)));
  Select(0, 1, 0, 1);
  EXPECT_EQ("", RVU_UnicodeToUtf8(RVGetSelMarkup(Data(), TRVMarkupFormat::rvmfMarkdown)));
}

} // namespace
} // namespace richtext::test
