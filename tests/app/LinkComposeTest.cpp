#include "app/LinkCompose.h"

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "richtext/base/RVClasses.h"

namespace quillon {
namespace {

using test::Dump;

struct TSplitCase {
  std::u16string text;
  std::string fields;
};

TEST(SplitFields, BlanksAndDelimiterSeparateFields) {
  const TSplitCase cases[] = {
      {u"a/b]My Title", "[a/b|My|Title]"},
      {u"a/b]标题", "[a/b|标题]"},
      {u"x]]y", "[x||y]"},
      {u"x]", "[x|]"},
      {u"", "[]"},
      {u"   \t ", "[]"},
      {u"  lead", "[lead]"},
      {u"a ]b", "[a|b]"},
      {u"a]   b", "[a|b]"},
      {u"\x01"
       u"a\x1f"
       u"b",
       "[a|b]"},
      // Only codes 1..32 are blanks: a no-break space stays inside the field.
      {u"a\u00A0b", "[a\u00A0b]"},
      // The delimiter gives an empty field only when nothing at all follows it.
      {u"a] ", "[a]"},
      {u"]", "[|]"},
  };
  for (const TSplitCase& c : cases)
    EXPECT_EQ(c.fields, Dump(SplitFields(c.text, u']', u'"'))) << ToUtf8(c.text);
}

TEST(SplitFields, QuotedFields) {
  const TSplitCase cases[] = {
      {u"\"My Title\" x", "[My Title|x]"},
      {u"\"a\"\"b\"", "[a\"b]"},
      {u"\"\"", "[]"},
      // Without a closing quote the rest of the text is the field, delimiters and all.
      {u"\"a ] b", "[a ] b]"},
      {u"\"ab\"cd", "[ab|cd]"},
      {u"x]\"a]b\"]y", "[x|a]b|y]"},
      {u"x]\"q\"]", "[x|q|]"},
  };
  for (const TSplitCase& c : cases)
    EXPECT_EQ(c.fields, Dump(SplitFields(c.text, u']', u'"'))) << ToUtf8(c.text);
}

// Runs the recall and returns what happened, in order, as one line.
std::string Recall(std::u16string_view entry) {
  std::string log;
  try {
    RecallBBCodeEntry(
        entry, [&](const std::u16string& s) { log += "address=" + ToUtf8(s) + ";"; },
        [&](const std::u16string& s) { log += "title=" + ToUtf8(s) + ";"; });
  } catch (const richtext::EListError& e) {
    log += std::string("error=") + e.what() + ";";
  }
  return log;
}

TEST(RecallBBCodeEntry, ABBCodeLinkGivesItsWholeTitle) {
  // Split into fields as before, these titles lost everything after their first blank: the
  // recalls gave "My", "Quoted" and "Linux".
  EXPECT_EQ("address=a/b;title=My Title;", Recall(u"[url=a/b]My Title[/url]"));
  EXPECT_EQ("address=https://x.example/p;title=\"Quoted\" word;",
            Recall(u"[url=https://x.example/p]\"Quoted\" word[/url]"));
  EXPECT_EQ("address=https://x.example/;title=Linux 入门教程;",
            Recall(u"[url=https://x.example/]Linux 入门教程[/url]"));
  EXPECT_EQ("address=a;title=  two  blanks ;", Recall(u"[url=a]  two  blanks [/url]"));
  // The address ends at the first ']', the title runs to the closing tag at the end.
  EXPECT_EQ("address=a;title=[b]bold[/b] x];", Recall(u"[url=a][b]bold[/b] x][/url]"));
  EXPECT_EQ("address=a;title=x[/url]y;", Recall(u"[url=a]x[/url]y[/url]"));
  EXPECT_EQ("address=;title=;", Recall(u"[url=][/url]"));
  EXPECT_EQ("address=a/b;title=;", Recall(u"[url=a/b][/url] "));
  EXPECT_EQ("address=a;title=我的博客 שלום 😀 Café;", Recall(u"[url=a]我的博客 שלום 😀 Café[/url]"));
}

TEST(RecallBBCodeEntry, OtherEntriesAreSplitIntoFields) {
  EXPECT_EQ("address=one;title=two;", Recall(u"one two"));
  // Tags in capitals are not tags.
  EXPECT_EQ("address=[URL=a;title=b[/URL;", Recall(u"[URL=a]b[/URL]"));
  EXPECT_EQ("address=x;title=y;", Recall(u"x]y z"));
}

TEST(RecallBBCodeEntry, TooFewFieldsReportTheMissingIndex) {
  EXPECT_EQ("error=List index out of bounds (0);", Recall(u""));
  EXPECT_EQ("error=List index out of bounds (0);", Recall(u"[url=  [/url]"));
  EXPECT_EQ("address=word;error=List index out of bounds (1);", Recall(u"word"));
  EXPECT_EQ("address=a/b;error=List index out of bounds (1);", Recall(u"[url=a/b[/url]"));
}

TEST(StripBBCodeTags, RemovesOpeningTagsThenClosingTags) {
  EXPECT_EQ(u"a]bc]d", StripBBCodeTags(u"[url=a]b[/url][url=c]d[/url]"));
  EXPECT_EQ(u"[URL=a]b[/URL]", StripBBCodeTags(u"[URL=a]b[/URL]"));
  // The first pass joins "[/u" and "rl]" into a closing tag that the second pass removes.
  EXPECT_EQ(u"", StripBBCodeTags(u"[/u[url=rl]"));
  // Each pass is one left-to-right sweep: a tag formed by a removal in the same pass stays.
  EXPECT_EQ(u"[url=", StripBBCodeTags(u"[ur[url=l="));
}

struct TMarkdownCase {
  std::u16string title, address, newAddress, markdown;
};

TEST(ComposeMarkdown, PrefixesAddressesWithoutAScheme) {
  const TMarkdownCase cases[] = {
      {u"t", u"a", u"http://a", u"[t](http://a)"},
      {u"t", u"http://a", u"http://a", u"[t](http://a)"},
      {u"t", u"https://x", u"https://x", u"[t](https://x)"},
      {u"t", u"", u"http://", u"[t](http://)"},
      {u"", u"a", u"http://a", u"[](http://a)"},
      // The old rule looked for "http" anywhere: these became "http://HTTPS://x",
      // "http://mailto:a@b", "http://ftp://x", and "a/http-b" stayed without a scheme.
      {u"t", u"HTTPS://x", u"HTTPS://x", u"[t](HTTPS://x)"},
      {u"t", u"mailto:a@b", u"mailto:a@b", u"[t](mailto:a@b)"},
      {u"t", u"ftp://x", u"ftp://x", u"[t](ftp://x)"},
      {u"t", u"svn+ssh://h/r", u"svn+ssh://h/r", u"[t](svn+ssh://h/r)"},
      {u"t", u"a/http-b", u"http://a/http-b", u"[t](http://a/http-b)"},
      // Paths and scheme-relative addresses are left as they are.
      {u"t", u"/local/page", u"/local/page", u"[t](/local/page)"},
      {u"t", u"//cdn.example/x", u"//cdn.example/x", u"[t](//cdn.example/x)"},
      // A host with a port is no scheme.
      {u"t", u"example.com:8080/x", u"http://example.com:8080/x",
       u"[t](http://example.com:8080/x)"},
      {u"t", u"localhost:3000", u"http://localhost:3000", u"[t](http://localhost:3000)"},
      {u"t", u"1a:b", u"http://1a:b", u"[t](http://1a:b)"},
  };
  for (const TMarkdownCase& c : cases) {
    TMarkdownLink link = ComposeMarkdown(c.title, c.address);
    EXPECT_EQ(ToUtf8(c.newAddress), ToUtf8(link.address)) << ToUtf8(c.address);
    EXPECT_EQ(ToUtf8(c.markdown), ToUtf8(link.markdown)) << ToUtf8(c.address);
  }
}

TEST(ComposeMarkdown, EscapesTheTitleAndPointsAwkwardAddresses) {
  // Unescaped, "[x]" and "a)b" gave "[[x]](http://a)b)", which readers end after "a".
  const TMarkdownCase cases[] = {
      {u"[x]", u"http://a)b", u"http://a)b", u"[\\[x\\]](<http://a)b>)"},
      {u"a\\b", u"http://x", u"http://x", u"[a\\\\b](http://x)"},
      {u"*b* _i_ `c` <b>", u"http://x", u"http://x", u"[\\*b\\* \\_i\\_ \\`c\\` \\<b>](http://x)"},
      {u"&amp; & x", u"http://x", u"http://x", u"[\\&amp; & x](http://x)"},
      {u"see http://y and www.z", u"http://x", u"http://x",
       u"[see http\\://y and www\\.z](http://x)"},
      {u"@doe 2^3 H~2~O $5", u"http://x", u"http://x", u"[\\@doe 2\\^3 H\\~2\\~O \\$5](http://x)"},
      {u"t", u"http://x/a b", u"http://x/a b", u"[t](<http://x/a b>)"},
      {u"t", u"http://x/<y>", u"http://x/<y>", u"[t](<http://x/\\<y\\>>)"},
      {u"t", u"http://x/(a", u"http://x/(a", u"[t](<http://x/(a>)"},
      {u"t", u"http://x/wiki/Foo_(bar)", u"http://x/wiki/Foo_(bar)",
       u"[t](http://x/wiki/Foo_(bar))"},
      {u"t", u"http://x/?a=1&b=2", u"http://x/?a=1&b=2", u"[t](http://x/?a=1&b=2)"},
      {u"t", u"http://x/&amp;", u"http://x/&amp;", u"[t](http://x/&amp;amp;)"},
      {u"t", u"http://x/a\\", u"http://x/a\\", u"[t](http://x/a\\\\)"},
      {u"t", u"http://x/a\tb", u"http://x/a\tb", u"[t](http://x/a%09b)"},
  };
  for (const TMarkdownCase& c : cases) {
    TMarkdownLink link = ComposeMarkdown(c.title, c.address);
    EXPECT_EQ(ToUtf8(c.newAddress), ToUtf8(link.address)) << ToUtf8(c.title);
    EXPECT_EQ(ToUtf8(c.markdown), ToUtf8(link.markdown)) << ToUtf8(c.title);
  }
}

TEST(ComposeMarkdown, SecondCompositionLeavesAddressAlone) {
  TMarkdownLink first = ComposeMarkdown(u"t", u"a");
  TMarkdownLink second = ComposeMarkdown(u"t", first.address);
  EXPECT_EQ(ToUtf8(first.address), ToUtf8(second.address));
  EXPECT_EQ(ToUtf8(first.markdown), ToUtf8(second.markdown));
}

TEST(ComposeBBCode, JoinsFieldsUnchanged) {
  EXPECT_EQ(u"[url=][/url]", ComposeBBCode(u"", u""));
  EXPECT_EQ(u"[url=a]t[/url]", ComposeBBCode(u"t", u"a"));
  EXPECT_EQ(u"[url=a b]My [b]Title[/url]", ComposeBBCode(u"My [b]Title", u"a b"));
}

TEST(HiddenSample, IsALinkWhoseFieldsComeBackWhole) {
  std::u16string sample = HiddenSampleLink();
  std::vector<std::u16string> fields = SplitFields(StripBBCodeTags(sample), u']', u'"');
  ASSERT_EQ(2u, fields.size()) << ToUtf8(sample);
  EXPECT_NE(std::u16string::npos, fields[0].find(u"http"));
  EXPECT_EQ(ToUtf8(sample), ToUtf8(ComposeBBCode(fields[1], fields[0])));
}

} // namespace
} // namespace quillon
