// Links dropped from the browsers, with the bytes each puts on a drag under X11 (the formats
// and encodings docs/drag-and-drop.md describes), one format at a time and as a whole drag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DroppedLink.h"
#include "app/Utf.h"
#include "tests/app/AppTestSupport.h"

namespace quillon {

void PrintTo(const TDroppedLink& link, std::ostream* out) {
  *out << "{\"" << ToUtf8(link.Title) << "\", \"" << ToUtf8(link.Address) << "\"}";
}

namespace {

using namespace std::string_literals;

// The browsers' UTF-16 formats: little-endian units as the machine holds them, no mark.
std::string Utf16LE(std::u16string_view text) {
  return test::Utf16LEBytes(text);
}

const std::string kAboutUrl = "https://www.debian.org/intro/about";

// Firefox, a link on a page dragged out: every format it offers, in its order.
std::vector<TDropFormat> FirefoxLinkDrag() {
  return {
      {"text/x-moz-url", Utf16LE(u"https://www.debian.org/intro/about\nAbout Debian")},
      {"text/x-moz-url-data", Utf16LE(u"https://www.debian.org/intro/about")},
      {"text/x-moz-url-desc", Utf16LE(u"About Debian")},
      {"text/_moz_htmlcontext", Utf16LE(u"<html><body><div id=\"content\"></div></body></html>")},
      {"text/_moz_htmlinfo", Utf16LE(u"0,0")},
      {"text/html", "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">"
                    "<a href=\"https://www.debian.org/intro/about\">About Debian</a>"},
      {"text/uri-list", kAboutUrl + "\r\n"},
      {"_NETSCAPE_URL", kAboutUrl + "\nAbout Debian"},
      {"text/plain", kAboutUrl},
  };
}

TEST(DroppedLinkTest, FirefoxLinkTabAndBookmark) {
  EXPECT_EQ((TDroppedLink{u"About Debian", u"https://www.debian.org/intro/about"}),
            ReadDroppedLink(FirefoxLinkDrag()));

  // A tab from the tab strip: the page's title, here with CJK and an emoji.
  const std::vector<TDropFormat> tab = {
      {"application/x-moz-tabbrowser-tab", ""s},
      {"text/x-moz-url", Utf16LE(u"https://zh.wikipedia.org/wiki/Debian\n"
                                 u"Debian - 维基百科，自由的百科全书 \U0001F600")},
      {"text/uri-list", "https://zh.wikipedia.org/wiki/Debian\r\n"},
      {"text/plain", "https://zh.wikipedia.org/wiki/Debian"}};
  EXPECT_EQ((TDroppedLink{u"Debian - 维基百科，自由的百科全书 \U0001F600",
                          u"https://zh.wikipedia.org/wiki/Debian"}),
            ReadDroppedLink(tab));

  // A bookmark from the library or toolbar: Firefox's place record first, then the link.
  const std::vector<TDropFormat> bookmark = {
      {"text/x-moz-place", R"({"title":"LWN.net","id":12,"uri":"https://lwn.net/"})"},
      {"text/x-moz-url", Utf16LE(u"https://lwn.net/\nLWN.net")},
      {"text/html", "<A HREF=\"https://lwn.net/\">LWN.net</A>"},
      {"text/plain", "https://lwn.net/"}};
  EXPECT_EQ((TDroppedLink{u"LWN.net", u"https://lwn.net/"}), ReadDroppedLink(bookmark));
}

// Chromium, a link dragged out: UTF-16 x-moz-url without a mark, UTF-8 _NETSCAPE_URL and
// uri-list, and HTML as UTF-16 behind a byte-order mark.
std::vector<TDropFormat> ChromiumLinkDrag() {
  return {
      {"chromium/x-renderer-taint", ""},
      {"text/x-moz-url", Utf16LE(u"https://www.kernel.org/\nThe Linux Kernel Archives")},
      {"_NETSCAPE_URL", "https://www.kernel.org/\nThe Linux Kernel Archives"},
      {"text/uri-list", "https://www.kernel.org/"},
      {"text/html", "\xFF\xFE"s + Utf16LE(u"<a href=\"https://www.kernel.org/\">"
                                          u"The Linux Kernel Archives</a>")},
      {"text/plain", "https://www.kernel.org/"},
  };
}

TEST(DroppedLinkTest, ChromiumLink) {
  const TDroppedLink kernel{u"The Linux Kernel Archives", u"https://www.kernel.org/"};
  EXPECT_EQ(kernel, ReadDroppedLink(ChromiumLinkDrag()));
  // Each format that names a title gives the same link on its own.
  for (const TDropFormat& format : ChromiumLinkDrag()) {
    if (format.Name == "text/x-moz-url" || format.Name == "_NETSCAPE_URL" ||
        format.Name == "text/html") {
      EXPECT_EQ(kernel, ReadDroppedLink({format})) << format.Name;
    }
  }
}

TEST(DroppedLinkTest, SelectedTextHoldingALink) {
  // Firefox: the selection's HTML in UTF-8 behind a charset meta tag; the anchor has markup
  // and entities inside, white space across lines.
  const std::vector<TDropFormat> firefox = {
      {"text/_moz_htmlcontext", Utf16LE(u"<html><body><p></p></body></html>")},
      {"text/_moz_htmlinfo", Utf16LE(u"0,0")},
      {"text/html", "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">"
                    "Read <a href=\"https://lwn.net/Articles/1/?a=1&amp;b=2\" title=\"x\">"
                    "the <b>LWN</b> &amp;\n   article &#x1F4F0;</a> today."},
      {"text/plain", "Read the LWN &\n   article \xF0\x9F\x93\xB0 today."}};
  EXPECT_EQ((TDroppedLink{u"the LWN & article \U0001F4F0", u"https://lwn.net/Articles/1/?a=1&b=2"}),
            ReadDroppedLink(firefox));

  // Chromium: UTF-16 HTML behind a mark, with its meta tag and styled spans.
  const std::vector<TDropFormat> chromium = {
      {"text/html", "\xFF\xFE"s + Utf16LE(u"<meta charset='utf-8'><span style=\"color: rgb(0, "
                                          u"0, 0);\">见 <abbr>x</abbr><a href='https://例子.cn/"
                                          u"路径' class=x>例子 网站</a></span>")},
      {"text/plain", "见 x例子 网站"}};
  EXPECT_EQ((TDroppedLink{u"例子 网站", u"https://例子.cn/路径"}), ReadDroppedLink(chromium));
}

TEST(DroppedLinkTest, FormatsWithoutATitleGiveTheAddress) {
  EXPECT_EQ((TDroppedLink{u"", u"https://a.example/"}),
            ReadDroppedLink({{"text/uri-list", "# dragged from a file manager\r\n"
                                               "https://a.example/\r\nhttps://b.example/\r\n"}}));
  EXPECT_EQ((TDroppedLink{u"", u"https://a.example/x"}),
            ReadDroppedLink({{"text/plain", "  https://a.example/x\n"}}));
  EXPECT_EQ((TDroppedLink{u"", u"www.example.org/a"}),
            ReadDroppedLink({{"UTF8_STRING", "www.example.org/a"}}));
  // x-moz-url with an empty title line, and a terminating zero some programs send.
  EXPECT_EQ((TDroppedLink{u"", u"https://a.example/"}),
            ReadDroppedLink({{"text/x-moz-url", Utf16LE(u"https://a.example/\n") + "\0\0"s}}));
  // A format without a title leaves room for a later one that has it.
  EXPECT_EQ((TDroppedLink{u"A", u"https://a.example/"}),
            ReadDroppedLink({{"text/x-moz-url", Utf16LE(u"https://a.example/")},
                             {"text/html", "<a href=\"https://a.example/\">A</a>"}}));
}

TEST(DroppedLinkTest, NoLinkInTheDrag) {
  EXPECT_EQ(std::nullopt, ReadDroppedLink({}));
  EXPECT_EQ(std::nullopt, ReadDroppedLink({{"text/plain", "just some words"}}));
  EXPECT_EQ(std::nullopt, ReadDroppedLink({{"text/plain", "see https://a.example/ there"}}));
  EXPECT_EQ(std::nullopt, ReadDroppedLink({{"text/html", "<p>No <abbr>link</abbr> here</p>"}}));
  EXPECT_EQ(std::nullopt, ReadDroppedLink({{"text/html", "<a name=\"top\">anchor</a>"}}));
  EXPECT_EQ(std::nullopt, ReadDroppedLink({{"text/html", "<a href=\"  \">empty</a>"}}));
  EXPECT_EQ(std::nullopt, ReadDroppedLink({{"text/uri-list", "# only a comment\r\n"}}));
  EXPECT_EQ(std::nullopt, ReadDroppedLink({{"text/x-moz-url", ""}}));
  EXPECT_EQ(std::nullopt, ReadDroppedLink({{"image/png", "\x89PNG"}}));
}

TEST(DroppedLinkTest, MayHoldLinkLooksAtTheNamesOnly) {
  EXPECT_TRUE(MayHoldLink({"text/x-moz-url"}));
  EXPECT_TRUE(MayHoldLink({"application/x-qt-image", "_NETSCAPE_URL"}));
  EXPECT_TRUE(MayHoldLink({"text/plain"}));
  EXPECT_FALSE(MayHoldLink({"image/png", "application/x-moz-file"}));
  EXPECT_FALSE(MayHoldLink({}));
}

} // namespace
} // namespace quillon
