// The extension's messages: what is taken, how it is read back after relaying, and the
// error each malformed message gets.
#include "app/browser/BrowserMessage.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>

#include "app/Utf.h"

namespace quillon::test {
namespace {

std::string ErrorOf(const std::string& json) {
  try {
    ParseBrowserMessage(json);
  } catch (const EBrowserMessage& e) {
    return e.what();
  }
  return "<taken>";
}

// Titles in many scripts, with the characters JSON and HTML treat specially.
const char16_t* const kTitles[] = {
    u"中文标题：链接助手",         u"日本語のタイトル「テスト」",  u"한국어 제목",
    u"עברית: כותרת הדף",           u"العربية: عنوان الصفحة",       u"हिन्दी शीर्षक",
    u"ไทย หัวเรื่อง",                u"Ελληνικά & Русский <тест>",  u"Émoji 🎉👩‍💻 \"quoted\" \\ back",
    u"Tab\tand line\u2028separator", u"a\u0301 combining, \u200Bzero width",
};

TEST(BrowserMessageTest, TabsLinksAndSelectionsSurviveTheRelayInEveryScript) {
  for (const char16_t* title : kTitles) {
    TBrowserMessage tab;
    tab.Type = TBrowserMessageType::Tab;
    tab.Links = {{title, u"https://例子.测试/路径?q=1&r=<2>#frag"}};
    const std::string line = SerializeBrowserMessage(tab);
    EXPECT_EQ(std::string::npos, line.find('\n')) << line;
    const TBrowserMessage back = ParseBrowserMessage(line);
    EXPECT_EQ(TBrowserMessageType::Tab, back.Type);
    ASSERT_EQ(1u, back.Links.size());
    // Blanks are made single as a page title shows them.
    EXPECT_EQ(ToUtf8(QString::fromStdU16String(title).simplified().toStdU16String()),
              ToUtf8(back.Links[0].Title));
    EXPECT_EQ(ToUtf8(tab.Links[0].Url), ToUtf8(back.Links[0].Url));
  }

  TBrowserMessage selection;
  selection.Type = TBrowserMessageType::Selection;
  selection.Links = {{u"页面", u"https://example.com/"}};
  selection.Html = u"<p>见 <a href=\"https://example.com/a\">链接</a>\n第二行</p>";
  selection.Text = u"见 链接\n第二行";
  const TBrowserMessage back = ParseBrowserMessage(SerializeBrowserMessage(selection));
  EXPECT_EQ(TBrowserMessageType::Selection, back.Type);
  EXPECT_EQ(ToUtf8(selection.Html), ToUtf8(back.Html));
  EXPECT_EQ(ToUtf8(selection.Text), ToUtf8(back.Text));
  EXPECT_EQ(selection.Links, back.Links);

  TBrowserMessage tabs;
  tabs.Type = TBrowserMessageType::Tabs;
  tabs.Links = {{u"一", u"https://a.example/"}, {u"two", u"https://b.example/"}};
  EXPECT_EQ(tabs.Links, ParseBrowserMessage(SerializeBrowserMessage(tabs)).Links);
}

TEST(BrowserMessageTest, TheExtensionsOwnMessagesAreRead) {
  const TBrowserMessage link = ParseBrowserMessage(
      R"({"type":"link","text":"  Read\n more  ","url":" https://example.com/x ","extra":1})");
  EXPECT_EQ(TBrowserMessageType::Link, link.Type);
  EXPECT_EQ((std::vector<TBrowserLink>{{u"Read more", u"https://example.com/x"}}), link.Links);
  // A tab without a title (a blank page, a file) is named by its address.
  const TBrowserMessage untitled =
      ParseBrowserMessage(R"({"type":"tab","title":"","url":"file:///tmp/a.txt"})");
  EXPECT_EQ((std::vector<TBrowserLink>{{u"file:///tmp/a.txt", u"file:///tmp/a.txt"}}),
            untitled.Links);
  EXPECT_EQ(TBrowserMessageType::Ping, ParseBrowserMessage(R"({"type":"ping"})").Type);
  const TBrowserMessage tabs = ParseBrowserMessage(
      R"({"type":"tabs","tabs":[{"title":"A","url":"https://a/"},{"url":"https://b/"}]})");
  EXPECT_EQ((std::vector<TBrowserLink>{{u"A", u"https://a/"}, {u"https://b/", u"https://b/"}}),
            tabs.Links);
}

TEST(BrowserMessageTest, EachFaultGetsAnErrorSayingWhatIsWrong) {
  EXPECT_EQ("The message is not JSON: unterminated object at byte 14",
            ErrorOf(R"({"type":"tab",)"));
  EXPECT_EQ("The message is not JSON: illegal value at byte 1", ErrorOf("nonsense"));
  EXPECT_EQ("The message is not a JSON object", ErrorOf(R"(["tab"])"));
  EXPECT_EQ("The message has no \"type\"", ErrorOf(R"({"title":"a"})"));
  EXPECT_EQ("Unknown message type \"window\"", ErrorOf(R"({"type":"window"})"));
  EXPECT_EQ("The message has no \"url\"", ErrorOf(R"({"type":"tab","title":"a"})"));
  EXPECT_EQ("The message's \"url\" is not a string", ErrorOf(R"({"type":"tab","url":7})"));
  EXPECT_EQ("The message's \"url\" is empty", ErrorOf(R"({"type":"tab","url":"  "})"));
  EXPECT_EQ("The message's \"title\" is not a string",
            ErrorOf(R"({"type":"tab","url":"u","title":["a"]})"));
  EXPECT_EQ("The message's \"tabs\" is not a list", ErrorOf(R"({"type":"tabs","tabs":{}})"));
  EXPECT_EQ("The message's \"tabs\" is empty", ErrorOf(R"({"type":"tabs","tabs":[]})"));
  EXPECT_EQ("A tab of the message is not a JSON object", ErrorOf(R"({"type":"tabs","tabs":[1]})"));
  EXPECT_EQ("The selection is empty",
            ErrorOf(R"({"type":"selection","url":"u","html":"","text":""})"));
  EXPECT_EQ("The message's \"title\" is longer than 65536 characters",
            ErrorOf(R"({"type":"tab","url":"u","title":")" + std::string(65537, 'a') + "\"}"));
  std::string many = R"({"type":"tabs","tabs":[)";
  for (int i = 0; i <= 1000; ++i)
    many += std::string(i ? "," : "") + R"({"url":"u"})";
  EXPECT_EQ("The message has more than 1000 tabs", ErrorOf(many + "]}"));
}

TEST(BrowserMessageTest, RepliesSayWhetherItWorked) {
  const TBrowserReply ok = ParseBrowserReply(BrowserReplyOk(u"Copied “中文”"));
  EXPECT_TRUE(ok.Ok);
  EXPECT_EQ("Copied “中文”", ok.Text);
  const TBrowserReply error = ParseBrowserReply(BrowserReplyError("Cannot open clipboard"));
  EXPECT_FALSE(error.Ok);
  EXPECT_EQ("Cannot open clipboard", error.Text);
  EXPECT_EQ("Quillon gave a reply that is not JSON", ParseBrowserReply("raised").Text);
  EXPECT_EQ("Quillon gave a reply without \"ok\"", ParseBrowserReply("{}").Text);
  EXPECT_FALSE(ParseBrowserReply("{}").Ok);
  // A long error is cut so that the reply stays small.
  EXPECT_EQ(1000u, ParseBrowserReply(BrowserReplyError(std::string(5000, 'e'))).Text.size());
}

} // namespace
} // namespace quillon::test
