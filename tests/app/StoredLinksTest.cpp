// Stored list entries read back as links, and composed again as the window composes them.
#include <gtest/gtest.h>

#include "app/StoredLinks.h"
#include "app/LinkCompose.h"
#include "app/Utf.h"

namespace quillon {

void PrintTo(const TStoredLink& link, std::ostream* out) {
  *out << "{\"" << ToUtf8(link.Title) << "\", \"" << ToUtf8(link.Address) << "\"}";
}

namespace {

TEST(StoredLinksTest, BBCodeAndMarkdownEntriesGiveTitleAndAddress) {
  EXPECT_EQ((TStoredLink{u"My Title", u"a/b"}), ParseStoredLink(u"[url=a/b]My Title[/url]"));
  EXPECT_EQ((TStoredLink{u"标题 [1]", u"http://x.y/z?a=1"}),
            ParseStoredLink(u"  [url=http://x.y/z?a=1]标题 [1][/url]\r"));
  EXPECT_EQ((TStoredLink{u"", u""}), ParseStoredLink(u"[url=][/url]"));
  EXPECT_EQ((TStoredLink{u"t", u"http://a"}), ParseStoredLink(u"[t](http://a)"));
  // Parentheses in the address and brackets in the title, as the window writes them.
  EXPECT_EQ((TStoredLink{u"a [b] c", u"https://w.org/Foo_(bar)"}),
            ParseStoredLink(u"[a [b] c](https://w.org/Foo_(bar))"));
  EXPECT_EQ((TStoredLink{u"", u"http://"}), ParseStoredLink(u"[](http://)"));
}

TEST(StoredLinksTest, EscapedMarkdownReadsBackAsItWasComposed) {
  const std::pair<std::u16string, std::u16string> links[] = {
      {u"a [b] c \\ d", u"https://w.org/Foo_(bar)"},
      {u"*x* _y_ `z` <b> &amp; @doe", u"https://x.example/?a=1&b=2"},
      {u"t]", u"https://x.example/a b"},
      {u"(", u"https://x.example/a)b"},
      {u"<", u"https://x.example/<y>&amp;"},
      {u"\\", u"https://x.example/end\\"},
      {u"我的博客 שלום 😀 Café", u"mailto:a@b.example"},
  };
  for (const auto& [title, address] : links) {
    const TMarkdownLink composed = ComposeMarkdown(title, address);
    EXPECT_EQ((TStoredLink{title, composed.address}), ParseStoredLink(composed.markdown))
        << ToUtf8(composed.markdown);
  }
}

TEST(StoredLinksTest, OtherTextIsNoLink) {
  for (const char16_t* text :
       {u"", u"plain words", u"http://bare.example/", u"[URL=a]t[/URL]", u"[url=a t[/url]",
        u"[t] (http://a)", u"[t](http://a", u"(http://a)", u"[url=a]t[/url] tail"})
    EXPECT_EQ(std::nullopt, ParseStoredLink(text)) << ToUtf8(text);
}

TEST(StoredLinksTest, ComposedAgainAsTheWindowComposes) {
  const std::vector<TStoredEntry> entries = ReadStoredEntries(
      {u"[url=example.com]Ex[/url]", u"[Md](https://m.example)", u"just text", u""});
  ASSERT_EQ(4u, entries.size());
  EXPECT_FALSE(entries[2].Link.has_value());
  EXPECT_EQ(u"just text", entries[2].Text);
  EXPECT_EQ(u"[Ex](http://example.com)\n[Md](https://m.example)\njust text\n\n",
            ComposeStoredLinks(entries, TStoredLinkText::Markdown));
  EXPECT_EQ(u"[url=example.com]Ex[/url]\n[url=https://m.example]Md[/url]\njust text\n\n",
            ComposeStoredLinks(entries, TStoredLinkText::BBCode));
  EXPECT_EQ(u"", ComposeStoredLinks({}, TStoredLinkText::BBCode));
}

} // namespace
} // namespace quillon
