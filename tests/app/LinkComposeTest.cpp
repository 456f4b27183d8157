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

TEST(RecallBBCodeEntry, FillsAddressThenTitle) {
  EXPECT_EQ("address=a/b;title=My;", Recall(u"[url=a/b]My Title[/url]"));
  EXPECT_EQ("address=https://x.example/p;title=Quoted;",
            Recall(u"[url=https://x.example/p]\"Quoted\" word[/url]"));
  EXPECT_EQ("address=one;title=two;", Recall(u"one two"));
  EXPECT_EQ("address=;title=;", Recall(u"[url=][/url]"));
  EXPECT_EQ("address=a;title=标题;", Recall(u"[url=a]标题[/url]"));
  // Tags in capitals are not tags.
  EXPECT_EQ("address=[URL=a;title=b[/URL;", Recall(u"[URL=a]b[/URL]"));
}

TEST(RecallBBCodeEntry, TooFewFieldsReportTheMissingIndex) {
  EXPECT_EQ("error=List index out of bounds (0);", Recall(u""));
  EXPECT_EQ("error=List index out of bounds (0);", Recall(u"[url=  [/url]"));
  EXPECT_EQ("address=word;error=List index out of bounds (1);", Recall(u"word"));
  EXPECT_EQ("address=a/b;error=List index out of bounds (1);", Recall(u"[url=a/b][/url] "));
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

TEST(ComposeMarkdown, PrefixesAddressesWithoutHttp) {
  const TMarkdownCase cases[] = {
      {u"t", u"a", u"http://a", u"[t](http://a)"},
      {u"t", u"http://a", u"http://a", u"[t](http://a)"},
      {u"t", u"HTTP://A", u"http://HTTP://A", u"[t](http://HTTP://A)"},
      {u"t", u"a/http-b", u"a/http-b", u"[t](a/http-b)"},
      {u"t", u"https://x", u"https://x", u"[t](https://x)"},
      {u"t", u"", u"http://", u"[t](http://)"},
      {u"", u"a", u"http://a", u"[](http://a)"},
      {u" t ", u" a ", u"http:// a ", u"[ t ](http:// a )"},
      {u"[x]", u"a)b", u"http://a)b", u"[[x]](http://a)b)"},
  };
  for (const TMarkdownCase& c : cases) {
    TMarkdownLink link = ComposeMarkdown(c.title, c.address);
    EXPECT_EQ(ToUtf8(c.newAddress), ToUtf8(link.address));
    EXPECT_EQ(ToUtf8(c.markdown), ToUtf8(link.markdown));
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
