// The button beside the address fetches the page's title over HTTP from a local server:
// charsets, redirects, the time limit, the read limit, and every failure shown with the
// fields left as they were.
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QToolButton>

#include "app/ui/LinkTools.h"
#include "app/ui/TitleFetcher.h"
#include "tests/app/ui/FormFixture.h"
#include "tests/app/ui/LocalHttpServer.h"

namespace quillon::test {
namespace {

class FetchTitleTest : public FormFixture {
protected:
  void SetUp() override {
    FormFixture::SetUp();
    OpenWithEmptyLists();
    ASSERT_TRUE(Server.isListening());
  }
  TFormLinkTools& Tools() { return *Form->LinkTools; }
  // Clicks the button for Address and waits until the fetch is over.
  void Fetch(const QString& address) {
    Form->Edit2->setText(address);
    ASSERT_TRUE(Tools().FetchTitleButton->isEnabled());
    QTest::mouseClick(Tools().FetchTitleButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Tools().Fetcher().Busy(); }, 15000));
  }
  // The one error box shown, or an empty text.
  std::u16string Error() const {
    return Notifier.Boxes.size() == 1 && Notifier.Boxes[0].kind == u"error" ? Notifier.Boxes[0].text
                                                                            : std::u16string();
  }

  TLocalHttpServer Server;
};

TEST_F(FetchTitleTest, TitlesOfPagesInEveryCharset) {
  Server.Page("/gbk", "text/html; charset=GBK", "<title>\xD6\xD0\xCE\xC4\xB1\xEA\xCC\xE2</title>");
  Server.Page("/big5", "text/html",
              "<meta charset=\"big5\"><title>\xA4\xA4\xA4\xE5\xBC\xD0\xC3\x44</title>");
  Server.Page("/sjis", "text/html",
              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
              "<title>\x93\xFA\x96\x7B\x8C\xEA</title>");
  Server.Page("/utf8", "text/html; charset=utf-8",
              "<title>\n  Tom &amp; Jerry\t\xE2\x80\x94 \xF0\x9F\x98\x80  </title>");
  const std::pair<const char*, const char16_t*> cases[] = {{"/gbk", u"中文标题"},
                                                           {"/big5", u"中文標題"},
                                                           {"/sjis", u"日本語"},
                                                           {"/utf8", u"Tom & Jerry — 😀"}};
  for (const auto& [path, title] : cases) {
    Form->Edit1->clear();
    Fetch(Server.Url(QString::fromLatin1(path)));
    EXPECT_EQ(QString::fromUtf16(title), Form->Edit1->text()) << path;
  }
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(FetchTitleTest, ButtonIsForAnAddressWithoutTitle) {
  Form->Edit1->clear();
  Form->Edit2->clear();
  EXPECT_FALSE(Tools().FetchTitleButton->isEnabled());
  Form->Edit2->setText(QStringLiteral("example.com"));
  EXPECT_TRUE(Tools().FetchTitleButton->isEnabled());
  Form->Edit1->setText(QStringLiteral("has a title"));
  EXPECT_FALSE(Tools().FetchTitleButton->isEnabled());
  EXPECT_EQ(QStringLiteral(u"取标题"), Tools().FetchTitleButton->text());
  // Inside the address field: no control of the window moved or is covered.
  EXPECT_EQ(Form->Edit2, Tools().FetchTitleButton->parentWidget());
  EXPECT_TRUE(Form->Edit2->rect().contains(Tools().FetchTitleButton->geometry()));
}

TEST_F(FetchTitleTest, WindowStaysResponsiveWithABusyPointer) {
  Server.Silent("/slow");
  Tools().Fetcher().TimeoutMs = 1500;
  Form->Edit2->setText(Server.Url(QStringLiteral("/slow")));
  QTest::mouseClick(Tools().FetchTitleButton, Qt::LeftButton);
  ASSERT_TRUE(Tools().Fetcher().Busy());
  ASSERT_NE(nullptr, QGuiApplication::overrideCursor());
  EXPECT_EQ(Qt::BusyCursor, QGuiApplication::overrideCursor()->shape());
  EXPECT_FALSE(Tools().FetchTitleButton->isEnabled());
  // The window answers meanwhile: a composition runs and its result shows.
  QTest::qWait(100);
  QTest::mouseClick(Form->Button2, Qt::LeftButton);
  EXPECT_EQ(QStringLiteral("[url=%1][/url]").arg(Server.Url(QStringLiteral("/slow"))),
            Form->Edit3->text());
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Tools().Fetcher().Busy(); }, 10000));
  EXPECT_EQ(nullptr, QGuiApplication::overrideCursor());
  EXPECT_EQ(u"Cannot fetch the title of \"" + Server.Url(QStringLiteral("/slow")).toStdU16String() +
                u"\": no answer within 1.5 seconds.",
            Error());
  EXPECT_EQ(QString(), Form->Edit1->text());
}

TEST_F(FetchTitleTest, RedirectsAreFollowedUpToFive) {
  Server.Page("/end", "text/html", "<title>Arrived</title>");
  for (int i = 1; i <= 6; ++i)
    Server.Redirect("/r" + QByteArray::number(i),
                    i == 1 ? QByteArray("/end") : "/r" + QByteArray::number(i - 1));
  Fetch(Server.Url(QStringLiteral("/r5")));
  EXPECT_EQ(QStringLiteral("Arrived"), Form->Edit1->text());
  EXPECT_TRUE(Notifier.Boxes.empty());
  Form->Edit1->clear();
  const auto ends = Server.Requests.count("GET /end ");
  const auto firsts = Server.Requests.count("GET /r1 ");
  Fetch(Server.Url(QStringLiteral("/r6")));
  EXPECT_EQ(QString(), Form->Edit1->text());
  EXPECT_NE(std::u16string::npos, Error().find(u"redirect")) << ToUtf8(Error());
  // Five hops were taken (r6 to r1), the sixth (r1 to the end) never.
  EXPECT_EQ(firsts + 1, Server.Requests.count("GET /r1 "));
  EXPECT_EQ(ends, Server.Requests.count("GET /end "));
}

TEST_F(FetchTitleTest, FailuresAreShownAndTheFieldsStayAsTheyWere) {
  Server.Page("/png", "image/png", "\x89PNG\r\n");
  Server.Page("/notitle", "text/html", "<p>no title</p>");
  Server.Page("/gone", "text/html", "<title>Gone</title>", "410 Gone");
  QTcpServer closed; // a port nobody listens on any more
  closed.listen(QHostAddress::LocalHost, 0);
  const quint16 closedPort = closed.serverPort();
  closed.close();
  const std::pair<QString, std::u16string> cases[] = {
      {Server.Url(QStringLiteral("/missing")), u"the server answered 404 Not Found"},
      {Server.Url(QStringLiteral("/gone")), u"the server answered 410 Gone"},
      {Server.Url(QStringLiteral("/png")), u"the page is not HTML (image/png)"},
      {Server.Url(QStringLiteral("/notitle")), u"the page has no title"},
      {QStringLiteral("http://127.0.0.1:%1/").arg(closedPort), u"Connection refused"},
      // TLS spoken to a server that answers in plain HTTP.
      {Server.Url(QStringLiteral("/notitle"))
           .replace(QStringLiteral("http:"), QStringLiteral("https:")),
       u"SSL"},
      {QStringLiteral("ftp://127.0.0.1/x"), u"only http and https pages can be fetched, not ftp:"},
  };
  for (const auto& [address, reason] : cases) {
    Notifier.Boxes.clear();
    Form->Edit1->clear();
    Fetch(address);
    EXPECT_EQ(QString(), Form->Edit1->text()) << address.toStdString();
    EXPECT_EQ(address, Form->Edit2->text());
    const std::u16string prefix =
        u"Cannot fetch the title of \"" + address.toStdU16String() + u"\": ";
    EXPECT_EQ(0u, Error().find(prefix)) << ToUtf8(Error());
    EXPECT_NE(std::u16string::npos, Error().find(reason)) << ToUtf8(Error());
  }
  EXPECT_EQ(nullptr, QGuiApplication::overrideCursor());
}

TEST_F(FetchTitleTest, OnlyTheFirstMegabyteIsRead) {
  QByteArray early = "<html><head>" + QByteArray(900 * 1024, ' ') + "<title>Early</title>";
  Server.Page("/early", "text/html", early + QByteArray(4 * 1024 * 1024, 'x'));
  QByteArray late = "<html><head>" + QByteArray(1024 * 1024, ' ') + "<title>Late</title>";
  Server.Page("/late", "text/html", late);
  Fetch(Server.Url(QStringLiteral("/early")));
  EXPECT_EQ(QStringLiteral("Early"), Form->Edit1->text());
  Form->Edit1->clear();
  Fetch(Server.Url(QStringLiteral("/late")));
  EXPECT_EQ(QString(), Form->Edit1->text());
  EXPECT_NE(std::u16string::npos, Error().find(u"the page has no title")) << ToUtf8(Error());
}

TEST_F(FetchTitleTest, ATitleTypedMeanwhileStays) {
  Server.Page("/p", "text/html", "<title>Fetched</title>");
  Form->Edit2->setText(Server.Url(QStringLiteral("/p")));
  QTest::mouseClick(Tools().FetchTitleButton, Qt::LeftButton);
  Form->Edit1->setText(QStringLiteral("typed"));
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Tools().Fetcher().Busy(); }, 10000));
  EXPECT_EQ(QStringLiteral("typed"), Form->Edit1->text());
  EXPECT_TRUE(Notifier.Boxes.empty());
}

} // namespace
} // namespace quillon::test
