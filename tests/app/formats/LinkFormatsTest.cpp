// The further link formats, read back by a real reader of each format: every hard title and
// address must come back exactly (addresses compared percent-decoded, since a blank can
// only stand in them as %20).
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/LinkCompose.h"
#include "app/LinkFormats.h"
#include "app/Utf.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

struct TLink {
  std::string Title;
  std::string Address;
  bool operator==(const TLink&) const = default;
};

void PrintTo(const TLink& link, std::ostream* out) {
  *out << "{\"" << link.Title << "\", \"" << link.Address << "\"}";
}

// Titles that break naive writers: markup characters of every format, nesting, escapes,
// and text outside the Basic Multilingual Plane.
const std::vector<std::string> kHardTitles = {
    "Brackets [1] and [[2]] and ]]",
    "Parentheses (see (nested) notes) and :)",
    "Emoji \xF0\x9F\x98\x80\xF0\x9F\x8E\x89 and a ZWJ "
    "\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB",
    "中文标题：链接测试（一）【二】",
    "日本語のタイトル「かぎ」と『二重』",
    "Backslash C:\\temp\\new and \\\\server\\share",
    "Trailing backslash \\",
    "snake_case_name and __init__ and _under_ and x_",
    "Pipes | in | a |cell| ||",
    "\"Double quotes\" and 'single quotes' and it's",
    "Backticks `code` and ``two`` and `",
    "Stars *bold* and **strong** and a*b*c",
    "Ampersand & entity &amp; &#91; &lt; &",
    "Angle <b>tag</b> and <https://example.org> and <<xref>>",
    "Slash /italic/ and a/b/c and TCP/IP",
    "Plus +strike+ and C++ and +++raw+++",
    "Caret x^2 and e^{i} and ^",
    "Braces {attr} and {{template}} and }",
    "Hash #tag and #hashtag# and 100%",
    "Mixed ]]>[[ (C) (R) (TM) -> => <= <-",
    "Email user@example.com and $$pass$$",
    "Colon: http://example.com/inside and mailto:x@y.z",
    "Tilde a~b and ~~~~ and =verbatim= ~code~ a=b",
    "Dashes a -- b --- c ... d",
};

// Addresses cycle through these, each with its own trouble.
const std::vector<std::string> kAddresses = {
    "https://example.com/path?q=1&r=2#frag",
    "https://example.com/a b/c d.html",
    "https://en.wikipedia.org/wiki/Foo_(bar)",
    "https://example.com/trailing_",
    "https://example.com/~user/_x_/*y*/",
    "https://example.com/中文/路径?名=值",
    "https://example.com/a|b",
    "https://example.com/q?x=[1]&y={2}",
    "https://example.com/it's",
    "https://example.com/back\\slash",
    "https://example.com/`tick`/+plus+/^c",
};

std::vector<TLink> HardLinks() {
  std::vector<TLink> links;
  for (std::size_t i = 0; i < kHardTitles.size(); ++i)
    links.push_back({kHardTitles[i], kAddresses[i % kAddresses.size()]});
  return links;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A tiny reader of the script's JSON: a list of two-string lists.
std::vector<TLink> ParseLinks(const std::string& json) {
  std::vector<TLink> links;
  std::vector<std::string> strings;
  for (std::size_t i = 0; i < json.size(); ++i) {
    if (json[i] != '"')
      continue;
    std::string s;
    for (++i; i < json.size() && json[i] != '"'; ++i) {
      if (json[i] != '\\') {
        s += json[i];
        continue;
      }
      const char e = json[++i];
      if (e == 'n')
        s += '\n';
      else if (e == 't')
        s += '\t';
      else if (e == 'u') {
        const char16_t unit = static_cast<char16_t>(std::stoi(json.substr(i + 1, 4), nullptr, 16));
        s += ToUtf8(std::u16string(1, unit)); // only control characters come escaped
        i += 4;
      } else
        s += e;
    }
    strings.push_back(s);
    if (strings.size() == 2) {
      links.push_back({strings[0], strings[1]});
      strings.clear();
    }
  }
  return links;
}

// Reads the links of a document with the reader of ReaderFormat.
std::vector<TLink> ReadLinks(const char* readerFormat, const std::string& text) {
  const fs::path dir = fs::temp_directory_path();
  const std::string tag = std::to_string(getpid()) + "-" + readerFormat;
  const fs::path in = dir / ("quillon-formats-" + tag + ".txt");
  const fs::path out = dir / ("quillon-formats-" + tag + ".json");
  std::ofstream(in, std::ios::binary) << text;
  const std::string command = std::string("/usr/bin/python3 ") + READ_LINKS_SCRIPT + " " +
                              readerFormat + " " + in.string() + " > " + out.string();
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
  const std::vector<TLink> read = ParseLinks(ReadFile(out));
  fs::remove(in);
  fs::remove(out);
  return read;
}

// Writes Links in Format, one paragraph each, and reads them back with ReaderFormat.
std::vector<TLink> RoundTrip(TLinkFormat format, const char* readerFormat,
                             const std::vector<TLink>& links, std::string* document = nullptr) {
  std::string text;
  for (const TLink& link : links)
    text += ToUtf8(FormatLink(format, FromUtf8(link.Title), FromUtf8(link.Address))) + "\n\n";
  if (document)
    *document = text;
  return ReadLinks(readerFormat, text);
}

struct TReaderCase {
  TLinkFormat Format;
  const char* Reader;
  // Org escapes what it has no entity for with a zero-width space, which stays in the text.
  bool ZeroWidthSpaceIsEscape = false;
};

std::string WithoutZeroWidthSpaces(std::string text) {
  const std::string zwsp = "\xE2\x80\x8B";
  for (std::size_t at; (at = text.find(zwsp)) != std::string::npos;)
    text.erase(at, zwsp.size());
  return text;
}

void PrintTo(const TReaderCase& c, std::ostream* out) {
  *out << c.Reader;
}

class LinkFormatReaderTest : public ::testing::TestWithParam<TReaderCase> {};

TEST_P(LinkFormatReaderTest, HardTitlesAndAddressesReadBackExactly) {
  ASSERT_GE(kHardTitles.size(), 20u);
  const std::vector<TLink> links = HardLinks();
  std::string document;
  std::vector<TLink> read = RoundTrip(GetParam().Format, GetParam().Reader, links, &document);
  if (GetParam().ZeroWidthSpaceIsEscape)
    for (TLink& link : read)
      link.Title = WithoutZeroWidthSpaces(link.Title);
  ASSERT_EQ(links.size(), read.size()) << document;
  for (std::size_t i = 0; i < links.size(); ++i)
    EXPECT_EQ(links[i], read[i]) << "written as: "
                                 << ToUtf8(FormatLink(GetParam().Format, FromUtf8(links[i].Title),
                                                      FromUtf8(links[i].Address)));
}

INSTANTIATE_TEST_SUITE_P(Readers, LinkFormatReaderTest,
                         ::testing::Values(TReaderCase{TLinkFormat::Html, "html"},
                                           TReaderCase{TLinkFormat::ReStructuredText, "rst"},
                                           TReaderCase{TLinkFormat::AsciiDoc, "asciidoc"},
                                           TReaderCase{TLinkFormat::Org, "org", true},
                                           TReaderCase{TLinkFormat::MediaWiki, "mediawiki"}),
                         [](const auto& info) { return std::string(info.param.Reader); });

// The window's own Markdown link, composed from the hardest titles and addresses above and
// more that only Markdown finds hard, read back by pandoc's three Markdown readers. Before
// titles were escaped, "Brackets [1] and [[2]] and ]]" and "Stars *bold*" came back cut or
// as emphasis, and "https://x.example/a)b" ended its link after "a".
const std::vector<std::string> kMarkdownTitles = {
    "Hebrew \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D and Arabic \xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7",
    "Citation @doe and [@smith, p. 3]",
    "Maths $x$ and $$y$$ and 5$",
    "Sub H~2~O and sup 2^10^",
    "Strike ~~gone~~ and <del>x</del>",
    "Raw \\alpha and \\textbf{x}",
    "Exclaim ![not image](x) and !",
    "Ends with backslash \\]",
    "Entity-like &copy; &#x41; &nbsp; &",
    "Autolinks http://a.example/x www.b.example c@d.example",
    "\xE6\x88\x91\xE7\x9A\x84\xE5\x8D\x9A\xE5\xAE\xA2 \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xF0\x9F\x98\x80 Caf\xC3\xA9",
};
const std::vector<std::string> kMarkdownAddresses = {
    "https://x.example/a)b",
    "https://x.example/(a",
    "https://x.example/<tag>",
    "https://x.example/a&amp;b&copy;",
    "https://x.example/end\\",
    "HTTPS://x.example/UP",
    "mailto:a@b.example",
    "https://x.example/a\tb",
    "https://x.example/\"q\" 'r'",
    "x.example/no scheme",
};

TEST(MarkdownLinkTest, HardTitlesAndAddressesReadBackWithEveryMarkdownReader) {
  std::vector<std::string> titles = kHardTitles;
  titles.insert(titles.end(), kMarkdownTitles.begin(), kMarkdownTitles.end());
  std::vector<std::string> addresses = kAddresses;
  addresses.insert(addresses.end(), kMarkdownAddresses.begin(), kMarkdownAddresses.end());
  ASSERT_GE(titles.size(), 30u);
  std::string document;
  std::vector<TLink> expected;
  std::vector<std::string> written;
  // Every title with one address and every address with one title.
  const std::size_t count = std::max(titles.size(), addresses.size());
  for (std::size_t i = 0; i < count; ++i) {
    const TMarkdownLink link = ComposeMarkdown(FromUtf8(titles[i % titles.size()]),
                                               FromUtf8(addresses[i % addresses.size()]));
    expected.push_back({titles[i % titles.size()], ToUtf8(link.address)});
    written.push_back(ToUtf8(link.markdown));
    document += written.back() + "\n\n";
  }
  // Pandoc's own Markdown makes curly quotes and dashes of plain ones unless "smart" is off:
  // typography, not a misread link.
  for (const char* reader : {"markdown-smart", "commonmark", "gfm"}) {
    const std::vector<TLink> read = ReadLinks(reader, document);
    ASSERT_EQ(expected.size(), read.size()) << reader << "\n" << document;
    for (std::size_t i = 0; i < expected.size(); ++i)
      EXPECT_EQ(expected[i], read[i]) << reader << ": written as " << written[i];
  }
}

// The exact text of each format for one link, as docs/link-formats.md shows it.
TEST(LinkFormatTest, EachFormatWritesTheDocumentedText) {
  const std::u16string title = u"Read [me] <now> & \"here\"";
  const std::u16string address = u"https://example.com/a b_";
  EXPECT_EQ(
      u"<a href=\"https://example.com/a%20b_\">Read [me] &lt;now&gt; &amp; &quot;here&quot;</a>",
      FormatLink(TLinkFormat::Html, title, address));
  EXPECT_EQ(u"`Read [me] \\<now\\> & \"here\" <https://example.com/a%20b\\_>`__",
            FormatLink(TLinkFormat::ReStructuredText, title, address));
  EXPECT_EQ(u"link:https://example.com/a%20b&#95;[Read &#91;me&#93; &#60;now&#62; &#38; "
            u"&#34;here&#34;]",
            FormatLink(TLinkFormat::AsciiDoc, title, address));
  EXPECT_EQ(
      u"[[https://example.com/a%20b_][Read \\lbrack{}me\\rbrack{} \\lt{}now\\gt{} & \"here\"]]",
      FormatLink(TLinkFormat::Org, title, address));
  EXPECT_EQ(u"[https://example.com/a%20b_ Read &#91;me&#93; &lt;now&gt; &amp; \"here\"]",
            FormatLink(TLinkFormat::MediaWiki, title, address));
  EXPECT_EQ(u"Read [me] <now> & \"here\" \u2014 https://example.com/a b_",
            FormatLink(TLinkFormat::Line, title, address));
}

TEST(LinkFormatTest, MediaWikiGivesAnAddressWithoutSchemeOne) {
  const std::vector<TLink> read = RoundTrip(TLinkFormat::MediaWiki, "mediawiki",
                                            {{"t", "example.com/docs"}, {"v", "ftp://h/f"}});
  EXPECT_EQ((std::vector<TLink>{{"t", "http://example.com/docs"}, {"v", "ftp://h/f"}}), read);
  // The wiki's protocol-relative links keep their form (pandoc does not read them).
  EXPECT_EQ(u"[//example.com/x u]", FormatLink(TLinkFormat::MediaWiki, u"u", u"//example.com/x"));
}

TEST(LinkFormatTest, EmptyTitleStillGivesALinkToTheAddress) {
  for (const auto& [format, reader] :
       {std::pair{TLinkFormat::Html, "html"}, std::pair{TLinkFormat::ReStructuredText, "rst"},
        std::pair{TLinkFormat::Org, "org"}}) {
    const std::vector<TLink> read = RoundTrip(format, reader, {{"", "https://example.com/x"}});
    ASSERT_EQ(1u, read.size()) << reader;
    EXPECT_EQ("https://example.com/x", read[0].Address) << reader;
  }
}

TEST(LinkFormatTest, PercentEncodingTouchesOnlyTheNamedCharacters) {
  EXPECT_EQ(u"a%20b%c%5B%5D", PercentEncodeChars(u"a b%c[]", u" []"));
  EXPECT_EQ(u"%E4%B8%AD/%2520", PercentEncodeChars(u"中/%20", u"中%"));
  EXPECT_EQ(u"a%20b%2Fc", PercentEncodeChars(u"a b%2Fc", u" "));
}

TEST(LinkFormatTest, NamesAreTheCommandLineNames) {
  std::vector<std::string> names;
  for (const TLinkFormatInfo& info : LinkFormats()) {
    names.emplace_back(info.Name);
    EXPECT_EQ(info.Format, FindLinkFormat(info.Name));
    EXPECT_FALSE(info.Caption.empty());
  }
  EXPECT_EQ((std::vector<std::string>{"html", "rst", "asciidoc", "org", "mediawiki", "line"}),
            names);
  EXPECT_EQ(std::nullopt, FindLinkFormat("markdown"));
  EXPECT_EQ(std::nullopt, FindLinkFormat("HTML"));
}

} // namespace
} // namespace quillon
