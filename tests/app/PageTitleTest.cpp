// A page's title from its bytes: charset from the byte-order mark, the header or the meta
// tag, decoded with ICU; the title element found, references decoded, white space collapsed.
// The pages are the bytes servers send, in each encoding.
#include <gtest/gtest.h>

#include <string>

#include "app/PageTitle.h"
#include "app/Utf.h"
#include "tests/app/AppTestSupport.h"

namespace quillon {

void PrintTo(const TPageCharset& charset, std::ostream* out) {
  *out << charset.Converter << " from " << static_cast<int>(charset.Source) << " mark "
       << charset.MarkLength;
}

namespace {

using namespace std::string_literals;
using TSource = TPageCharset::TSource;

// "中文标题 — 测试" in GBK, "中文標題 — 測試" in Big5 (its second bytes include ASCII letters),
// "日本語のタイトル" in Shift_JIS (with ASCII bytes such as '^' and 'C' inside).
const std::string kGbkTitle = "\xD6\xD0\xCE\xC4\xB1\xEA\xCC\xE2\x20\xA1\xAA\x20\xB2\xE2\xCA\xD4";
const std::string kBig5Title = "\xA4\xA4\xA4\xE5\xBC\xD0\xC3\x44\x20\xA1\x58\x20\xB4\xFA\xB8\xD5";
const std::string kShiftJisTitle =
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x5E\x83\x43\x83\x67\x83\x8B";

TEST(PageTitleTest, CjkPagesInTheirOwnEncodings) {
  // GBK named by the header only.
  EXPECT_EQ(u"中文标题 — 测试",
            PageTitle("<html><head><title>" + kGbkTitle + "</title></head></html>",
                      "text/html; charset=GBK"));
  // gb2312, the label most Chinese pages still use, in the meta tag.
  EXPECT_EQ(u"中文标题 — 测试",
            PageTitle("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=gb2312\" /><title>" +
                          kGbkTitle + "</title>",
                      "text/html"));
  // Big5 by <meta charset>, with the title before the tag's end of head.
  EXPECT_EQ(
      u"中文標題 — 測試",
      PageTitle("<!DOCTYPE html><HTML><HEAD><META CHARSET='big5'><TITLE>" + kBig5Title + "</TITLE>",
                ""));
  // Shift_JIS by the header, quoted.
  EXPECT_EQ(u"日本語のタイトル",
            PageTitle("<title>" + kShiftJisTitle + "</title>", "text/html;charset=\"Shift_JIS\""));
  // UTF-8 without any declaration.
  EXPECT_EQ(u"Ünïcödé 标题 \U0001F600",
            PageTitle("<title>Ünïcödé 标题 \xF0\x9F\x98\x80</title>", "text/html"));
}

TEST(PageTitleTest, CharsetOrderMarkThenHeaderThenMeta) {
  const std::string metaGbk = "<meta charset=\"gbk\">";
  EXPECT_EQ((TPageCharset{"UTF-8", TSource::ByteOrderMark, 3}),
            DetectPageCharset("\xEF\xBB\xBF" + metaGbk, "text/html; charset=big5"));
  EXPECT_EQ((TPageCharset{"UTF-16LE", TSource::ByteOrderMark, 2}),
            DetectPageCharset("\xFF\xFE<\0", "text/html; charset=big5"));
  EXPECT_EQ((TPageCharset{"UTF-16BE", TSource::ByteOrderMark, 2}),
            DetectPageCharset("\xFE\xFF\0<", ""));
  EXPECT_EQ((TPageCharset{"Big5-HKSCS", TSource::Header, 0}),
            DetectPageCharset(metaGbk, "text/html; charset=big5"));
  EXPECT_EQ((TPageCharset{"GB18030", TSource::MetaTag, 0}), DetectPageCharset(metaGbk, ""));
  // A header naming no charset ICU knows leaves the choice to the page.
  EXPECT_EQ((TPageCharset{"GB18030", TSource::MetaTag, 0}),
            DetectPageCharset(metaGbk, "text/html; charset=no-such-thing"));
  // An ASCII page cannot be UTF-16, whatever its tag says.
  EXPECT_EQ((TPageCharset{"UTF-8", TSource::MetaTag, 0}),
            DetectPageCharset("<meta charset=utf-16>", ""));
  // Undeclared: UTF-8 when the bytes are, else windows-1252 as browsers guess.
  EXPECT_EQ((TPageCharset{"UTF-8", TSource::Default, 0}), DetectPageCharset("caf\xC3\xA9", ""));
  EXPECT_EQ((TPageCharset{"windows-1252", TSource::Default, 0}), DetectPageCharset("caf\xE9", ""));
  // Cut inside a character at the read limit is still UTF-8; ended inside one before it,
  // it is not.
  EXPECT_EQ(
      "UTF-8",
      DetectPageCharset(std::string(kPageTitleReadLimit - 2, 'x') + "\xE4\xB8", "").Converter);
  EXPECT_EQ("windows-1252", DetectPageCharset("caf\xE4\xB8", "").Converter);

  EXPECT_EQ(u"UTF-16 \U0001F600",
            PageTitle("\xFF\xFE"s + test::Utf16LEBytes(u"<title>UTF-16 \U0001F600</title>"),
                      "text/html; charset=iso-8859-1"));
  EXPECT_EQ(u"Café", PageTitle("<title>Caf\xE9</title>", "text/html; charset=iso-8859-1"));
}

TEST(PageTitleTest, HeaderAndMetaTagParsing) {
  EXPECT_EQ("GBK", ContentTypeCharset("text/html; charset=GBK"));
  EXPECT_EQ("utf-8", ContentTypeCharset("text/html;CHARSET = 'utf-8' ; q=1"));
  EXPECT_EQ("", ContentTypeCharset("text/html"));
  EXPECT_EQ("big5", MetaTagCharset("<html><head><meta name=x content=y><meta charset=big5>"));
  EXPECT_EQ("euc-jp",
            MetaTagCharset("<META HTTP-EQUIV='content-type' CONTENT='text/html;charset=euc-jp'>"));
  EXPECT_EQ("", MetaTagCharset("<meta name=\"description\" content=\"charset=gbk\">"));
  EXPECT_EQ("GB18030", PageConverterName(" GB2312 "));
  EXPECT_EQ("Shift_JIS", PageConverterName("x-sjis"));
  EXPECT_EQ("windows-1252", PageConverterName("ISO-8859-1"));
  EXPECT_EQ("", PageConverterName("no-such-thing"));
  EXPECT_FALSE(PageConverterName("euc-kr").empty()); // ICU's own labels pass through
}

TEST(PageTitleTest, TitleTextIsDecodedAndCollapsed) {
  EXPECT_EQ(u"Tom & Jerry — “Quotes” <tag> ©",
            ExtractTitle(u"<title>\n   Tom &amp; Jerry &mdash;\t&#8220;Quotes&#x201D;\r\n"
                         u"&lt;tag&gt; &copy;  </title>"));
  // Attributes on the tag, comments before it, and tags that only start alike.
  EXPECT_EQ(u"Real", ExtractTitle(u"<!-- <title>Old</title> --><titles>x</titles>"
                                  u"<TITLE lang=\"en\">Real</TITLE>"));
  // Raw text: what looks like a tag inside is title text.
  EXPECT_EQ(u"a <b>bold</b> title", ExtractTitle(u"<title>a <b>bold</b> title</title>"));
  // Unclosed: the rest of the page.
  EXPECT_EQ(u"to the end", ExtractTitle(u"<title>to the\nend"));
  EXPECT_EQ(std::nullopt, ExtractTitle(u"<html><body>no title</body></html>"));
  EXPECT_EQ(std::nullopt, ExtractTitle(u"<title> \n </title>"));
  EXPECT_EQ(std::nullopt, ExtractTitle(u"<!-- <title>unclosed comment</title>"));
}

TEST(PageTitleTest, FailuresSayWhatWentWrong) {
  try {
    PageTitle("\x89PNG", "image/png");
    FAIL() << "no error";
  } catch (const EPageTitleError& e) {
    EXPECT_STREQ("the page is not HTML (image/png)", e.what());
  }
  EXPECT_THROW(PageTitle("<p>nothing</p>", "text/html"), EPageTitleError);
  EXPECT_EQ(u"x", PageTitle("<title>x</title>", "application/xhtml+xml; charset=utf-8"));
  // Only the first megabyte is read.
  // The first 16 bytes of "<title>in</title>" are in, the last 13 of "<title>out</title>".
  EXPECT_EQ(u"in", PageTitle(std::string(kPageTitleReadLimit - 16, ' ') + "<title>in</title>",
                             "text/html"));
  EXPECT_THROW(
      PageTitle(std::string(kPageTitleReadLimit - 5, ' ') + "<title>out</title>", "text/html"),
      EPageTitleError);
}

TEST(PageTitleTest, AddressToFetch) {
  EXPECT_EQ("http://example.com/a", PageAddress(u"  example.com/a \n"));
  EXPECT_EQ("http://localhost:8080/x", PageAddress(u"localhost:8080/x"));
  EXPECT_EQ("https://例子.cn/", PageAddress(u"https://例子.cn/"));
  EXPECT_EQ("HTTP://X.ORG", PageAddress(u"HTTP://X.ORG"));
  EXPECT_THROW(PageAddress(u"   "), EPageTitleError);
  EXPECT_THROW(PageAddress(u"ftp://host/file"), EPageTitleError);
  EXPECT_THROW(PageAddress(u"file:///etc/passwd"), EPageTitleError);
}

} // namespace
} // namespace quillon
