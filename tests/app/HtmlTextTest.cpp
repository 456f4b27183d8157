// Character references, white space and tags in HTML text.
#include <gtest/gtest.h>

#include "app/HtmlText.h"
#include "app/Utf.h"

namespace quillon {
namespace {

TEST(HtmlTextTest, CharacterReferences) {
  EXPECT_EQ(u"a & b < c > \"d\" 'e' © é Ω — €",
            DecodeHtmlEntities(u"a &amp; b &lt; c &gt; &quot;d&quot; &apos;e&apos; &copy; &eacute; "
                               u"&Omega; &mdash; &euro;"));
  EXPECT_EQ(u"AB\U0001F600中", DecodeHtmlEntities(u"&#65;&#x42;&#X1f600;&#20013;"));
  // Browsers read the C1 range as windows-1252; nothing valid is left of the rest.
  EXPECT_EQ(u"\u20AC\u2122\u0178", DecodeHtmlEntities(u"&#128;&#x99;&#159;"));
  EXPECT_EQ(u"\uFFFD\uFFFD\uFFFD\uFFFD",
            DecodeHtmlEntities(u"&#0;&#xD800;&#x110000;&#99999999999;"));
  // Unknown names, names in the wrong case and references without ';' stay as written.
  EXPECT_EQ(u"&nosuch; &AMP; &amp &#65 &#; &#x; & ;",
            DecodeHtmlEntities(u"&nosuch; &AMP; &amp &#65 &#; &#x; & ;"));
  EXPECT_EQ(u"&amp;", DecodeHtmlEntities(u"&amp;amp;"));
}

TEST(HtmlTextTest, EveryNameOfTheTableDecodes) {
  ASSERT_EQ(253u, kHtmlEntityCount);
  for (std::size_t i = 0; i < kHtmlEntityCount; ++i) {
    const std::u16string name = u"&" + FromUtf8(kHtmlEntities[i].Name) + u";";
    const std::u16string decoded = DecodeHtmlEntities(name);
    EXPECT_EQ(1u, decoded.size()) << kHtmlEntities[i].Name; // all in the Basic Multilingual Plane
    EXPECT_EQ(kHtmlEntities[i].Code, decoded.empty() ? 0 : decoded[0]) << kHtmlEntities[i].Name;
  }
}

TEST(HtmlTextTest, WhiteSpaceCollapses) {
  EXPECT_EQ(u"a b c", CollapseHtmlWhitespace(u" \t\r\n a \n\n b\f\tc \r\n"));
  EXPECT_EQ(u"", CollapseHtmlWhitespace(u" \n\t "));
  // Only HTML's white space: a no-break space and an ideographic space are text.
  EXPECT_EQ(u"a\u00A0\u00A0b\u3000c", CollapseHtmlWhitespace(u"a\u00A0\u00A0b\u3000c"));
}

TEST(HtmlTextTest, TagsAndCommentsGo) {
  EXPECT_EQ(u"the LWN article", StripHtmlTags(u"the <b class=\"x\">LWN</b><!-- <a> --> article"));
  EXPECT_EQ(u"a ", StripHtmlTags(u"a <unfinished tag"));
  EXPECT_EQ(7u, FindAsciiNoCase(u"<p>xx <A HREF", u"a href"));
  EXPECT_EQ(std::u16string_view::npos, FindAsciiNoCase(u"<p>", u"a href"));
}

TEST(HtmlTextTest, AttributesOfATag) {
  const auto attributes =
      ParseHtmlAttributes(u" title=\"x href=y\" HREF = 'a?b=1&amp;c=2' data-x=plain disabled/");
  ASSERT_EQ(4u, attributes.size());
  EXPECT_EQ(u"title", attributes[0].first);
  EXPECT_EQ(u"x href=y", attributes[0].second);
  EXPECT_EQ(u"href", attributes[1].first);
  EXPECT_EQ(u"a?b=1&c=2", attributes[1].second);
  EXPECT_EQ(u"plain", attributes[2].second);
  EXPECT_EQ(u"disabled", attributes[3].first);
  EXPECT_EQ(u"", attributes[3].second);
  EXPECT_EQ(u"a?b=1&c=2", HtmlAttribute(u" title=\"x href=y\" href='a?b=1&amp;c=2'", u"href"));
  EXPECT_EQ(std::nullopt, HtmlAttribute(u" content=\"charset=gbk\"", u"charset"));
  // An unclosed quote runs to the end.
  EXPECT_EQ(u"to end", HtmlAttribute(u" href=\"to end", u"href"));
}

} // namespace
} // namespace quillon
