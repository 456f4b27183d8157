// The HTML fragment of the selection.
#include <gtest/gtest.h>

#include <string>

#include "richtext/export/RVClipboardHTML.h"
#include "tests/richtext/export/clipboard/ClipboardFixture.h"

namespace richtext::test {
namespace {

using ClipboardHTMLTest = ClipboardFixture;

const std::string Meta = "<meta charset=\"utf-8\">";
const std::string LinkStyle = " style=\"color:#0000ff;text-decoration:underline\"";

TEST_F(ClipboardHTMLTest, TitleAndAddressAreEscaped) {
  Doc.Build(u"<b>Tom & \"Jerry\"</b>", u"http://x.example/?a=1&b='2'\"");
  EXPECT_EQ(Meta + "<a href=\"http://x.example/?a=1&amp;b=&#39;2&#39;&quot;\"" + LinkStyle +
                ">&lt;b&gt;Tom &amp; &quot;Jerry&quot;&lt;/b&gt;</a>",
            RVGetSelHTMLFragment(*Editor().RVData));
}

TEST_F(ClipboardHTMLTest, NonLatinTitleIsUtf8) {
  Doc.Build(u"博客 \U0001F600", u"http://例子.example/");
  EXPECT_EQ(Meta + "<a href=\"http://例子.example/\"" + LinkStyle + ">博客 \U0001F600</a>",
            RVGetSelHTMLFragment(*Editor().RVData));
}

TEST_F(ClipboardHTMLTest, ParagraphsOnlyWhenTheSelectionSpansSeveral) {
  BuildPlain(u"a<1\nb\nc");
  EXPECT_EQ(Meta + "<p>a&lt;1</p><p>b</p><p>c</p>", RVGetSelHTMLFragment(*Editor().RVData));
  Editor().SetSelectionBounds(0, 2, 1, 2);
  EXPECT_EQ(Meta + "<p>&lt;1</p><p>b</p>", RVGetSelHTMLFragment(*Editor().RVData));
  Editor().SetSelectionBounds(0, 1, 0, 2);
  EXPECT_EQ(Meta + "a", RVGetSelHTMLFragment(*Editor().RVData));
  Editor().Deselect();
  EXPECT_EQ("", RVGetSelHTMLFragment(*Editor().RVData));
}

TEST_F(ClipboardHTMLTest, ColouredTextThatIsNoLinkIsASpan) {
  Editor().ClearAll();
  Editor().AddNL(u"plain ", 0, 0);
  Editor().AddNL(u"dark", 3, -1); // the default sheet's "Keywords", maroon
  Editor().Format();
  Editor().SelectAll();
  ASSERT_EQ(0x00000080, Doc.RVStyle1.TextStyles.Items(3)->Color);
  EXPECT_EQ(Meta + "plain <span style=\"color:#800000\">dark</span>",
            RVGetSelHTMLFragment(*Editor().RVData));
}

} // namespace
} // namespace richtext::test
