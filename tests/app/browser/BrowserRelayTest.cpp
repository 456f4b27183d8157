// The road from the host to the window: the relay over the window's socket, what the window
// does with each message, and the built host between a pipe and a running window.
#include <QClipboard>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "app/browser/BrowserHost.h"
#include "app/browser/BrowserMessage.h"
#include "app/browser/NativeFraming.h"
#include "app/browser/Relay.h"
#include "app/ui/BrowserRequests.h"
#include "app/ui/LinkTools.h"
#include "app/ui/SingleInstance.h"
#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/export/RVStr.h"
#include "tests/app/ui/ClipboardBytes.h"
#include "tests/app/ui/FormFixture.h"

namespace quillon::test {
namespace {

const QMimeData* Clip() { return QGuiApplication::clipboard()->mimeData(); }

// Runs Work in a thread of its own, as the host's process would, while this thread keeps
// the window's event loop turning so that it can answer.
template <class Work> auto Elsewhere(Work work) {
  auto later = std::async(std::launch::async, work);
  while (later.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready)
    QCoreApplication::processEvents();
  return later.get();
}

std::string RelayError(const TRelaySetting& setting, const std::string& request) {
  try {
    RelayRequest(setting, request);
  } catch (const ERelay& e) {
    return e.what();
  }
  return "<answered>";
}

class BrowserRelayTest : public ::testing::Test {
protected:
  QTemporaryDir runtime;
  TRelaySetting Setting(const std::string& folder) const {
    TRelaySetting setting;
    setting.SocketPath = InstanceSocketPath(folder, runtime.path()).toStdString();
    setting.StartTimeoutMs = 2000;
    setting.ReplyTimeoutMs = 2000;
    return setting;
  }
};

TEST_F(BrowserRelayTest, ARequestGetsTheWindowsReplyAndRaisingStillWorks) {
  TSingleInstance window("/lists/a/", runtime.path());
  ASSERT_EQ(TSingleInstance::TStart::First, window.Start());
  std::vector<std::string> requests;
  window.SetRequestHandler([&requests](const std::string& request) {
    requests.push_back(request);
    return "reply " + std::to_string(request.size());
  });
  const TRelaySetting setting = Setting("/lists/a/");
  EXPECT_EQ("reply 7", Elsewhere([&] { return RelayRequest(setting, "{\"a\":1}"); }));
  // Big enough to reach the window in many pieces.
  const std::string big = "\"" + std::string(3 << 20, 'x') + "\"";
  EXPECT_EQ("reply " + std::to_string(big.size()),
            Elsewhere([&] { return RelayRequest(setting, big); }));
  ASSERT_EQ(2u, requests.size());
  EXPECT_EQ("{\"a\":1}", requests[0]);
  EXPECT_EQ(big, requests[1]);

  int raised = 0;
  QObject::connect(&window, &TSingleInstance::Raise, [&raised] { ++raised; });
  EXPECT_EQ(TSingleInstance::TStart::Forwarded, Elsewhere([&] {
              TSingleInstance later("/lists/a/", runtime.path());
              return later.Start();
            }));
  EXPECT_EQ(1, raised);
}

TEST_F(BrowserRelayTest, EachWayOfNotGettingThroughSaysWhy) {
  EXPECT_EQ("Quillon is not running", RelayError(Setting("/lists/none/"), "{}"));

  // A window still starting has no handler yet: it ends the connection unanswered.
  TSingleInstance starting("/lists/b/", runtime.path());
  ASSERT_EQ(TSingleInstance::TStart::First, starting.Start());
  const TRelaySetting toStarting = Setting("/lists/b/");
  EXPECT_EQ("Quillon closed the connection without a reply",
            Elsewhere([&] { return RelayError(toStarting, "{}"); }));

  // A window that takes the connection and never answers.
  TRelaySetting hung = Setting("/lists/c/");
  hung.ReplyTimeoutMs = 200;
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", hung.SocketPath.c_str());
  ASSERT_EQ(0, bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address));
  ASSERT_EQ(0, listen(listener, 4));
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ("Quillon did not answer in time", RelayError(hung, "{}"));
  EXPECT_GE(timer.elapsed(), 150);
  EXPECT_LT(timer.elapsed(), 2000);
  close(listener);

  TRelaySetting missing = Setting("/lists/d/");
  missing.ProgramPath = runtime.filePath("no-such-quillon").toStdString();
  EXPECT_EQ("Cannot start Quillon (" + missing.ProgramPath + ")", RelayError(missing, "{}"));
}

class BrowserRequestsTest : public ClipboardFormFixture {
protected:
  void SetUp() override {
    ClipboardFormFixture::SetUp();
    Requests = new TFormBrowserRequests(*Form);
  }
  TFormBrowserRequests* Requests = nullptr;
};

TEST_F(BrowserRequestsTest, ATabFillsTheFieldsComposesBothLinksAndCopiesTheHyperlink) {
  const std::string reply = Requests->Answer(
      R"({"type":"tab","title":"中文标题 & <b>Café</b>","url":"https://例子.cn/a?x=1&y=2"})");
  EXPECT_EQ(BrowserReplyOk(u"Copied “中文标题 & <b>Café</b>”"), reply);
  EXPECT_EQ(QStringLiteral(u"中文标题 & <b>Café</b>"), Form->Edit1->text());
  EXPECT_EQ(QStringLiteral(u"https://例子.cn/a?x=1&y=2"), Form->Edit2->text());
  EXPECT_EQ(QStringLiteral(u"[url=https://例子.cn/a?x=1&y=2]中文标题 & <b>Café</b>[/url]"),
            Form->Edit3->text());
  // The window's Markdown link escapes what Markdown readers would take for HTML.
  EXPECT_EQ(QStringLiteral(u"[中文标题 & \\<b>Café\\</b>](https://例子.cn/a?x=1&y=2)"),
            Form->Edit4->text());
  ASSERT_NE(nullptr, Clip());
  EXPECT_EQ(QStringLiteral(u"中文标题 & <b>Café</b>"), Clip()->text());
  const std::string html = Bytes(Clip(), "text/html");
  EXPECT_EQ(1u, Count(html, "<a href=")) << html;
  EXPECT_NE(std::string::npos, html.find("中文标题 &amp; &lt;b&gt;Café&lt;/b&gt;</a>")) << html;
  const std::string rtf = Bytes(Clip(), "text/rtf");
  EXPECT_EQ(1u, Count(rtf, "HYPERLINK")) << rtf;
  EXPECT_FALSE(Bytes(Clip(), "RichView Format").empty());
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(BrowserRequestsTest, ALinkIsCopiedWithItsTextAndAddressAsTheWindowComposesIt) {
  EXPECT_EQ(BrowserReplyOk(u"Copied “Read more”"),
            Requests->Answer(R"({"type":"link","text":"Read more","url":"example.com/x"})"));
  // The Markdown button's own rule: an address without "http" gets it in front.
  EXPECT_EQ(QStringLiteral("http://example.com/x"), Form->Edit2->text());
  EXPECT_EQ(QStringLiteral("[Read more](http://example.com/x)"), Form->Edit4->text());
  EXPECT_NE(std::string::npos, Bytes(Clip(), "text/rtf").find("HYPERLINK \"http://example.com/x\""));
}

TEST_F(BrowserRequestsTest, SeveralTabsBecomeOneParagraphPerLink) {
  Form->Edit1->setText(QStringLiteral("kept"));
  EXPECT_EQ(BrowserReplyOk(u"Copied 3 links"),
            Requests->Answer(R"({"type":"tabs","tabs":[{"title":"一","url":"https://one.example/"},)"
                             R"({"title":"Two & more","url":"https://two.example/"},)"
                             R"({"title":"","url":"https://three.example/"}]})"));
  const std::string rtf = Bytes(Clip(), "text/rtf");
  EXPECT_EQ(3u, Count(rtf, "HYPERLINK")) << rtf;
  const std::string html = Bytes(Clip(), "text/html");
  EXPECT_EQ(3u, Count(html, "<a href=")) << html;
  EXPECT_EQ(QStringLiteral(u"一\nTwo & more\nhttps://three.example/"),
            Clip()->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed());
  EXPECT_EQ(QStringLiteral("kept"), Form->Edit1->text()); // the fields are for one link
}

TEST_F(BrowserRequestsTest, ASelectionGoesOnTheClipboardAsThePageGaveIt) {
  const char16_t* html = u"<p>见 <a href=\"https://example.com/a\">链接</a> &amp; more</p>";
  TBrowserMessage selection;
  selection.Type = TBrowserMessageType::Selection;
  selection.Links = {{u"页面", u"https://example.com/"}};
  selection.Html = html;
  selection.Text = u"见 链接 & more";
  EXPECT_EQ(BrowserReplyOk(u"Copied the selection"),
            Requests->Answer(SerializeBrowserMessage(selection)));
  EXPECT_EQ(QString::fromStdU16String(html), Clip()->html());
  EXPECT_EQ(QStringLiteral(u"见 链接 & more"), Clip()->text());
  EXPECT_EQ(QString(), Form->Edit1->text());
}

TEST_F(BrowserRequestsTest, AMessageWithATemplateCopiesTheTemplatesText) {
  QTemporaryDir config;
  QDir(config.path()).mkpath(QStringLiteral("quillon"));
  QFile file(config.filePath(QStringLiteral("quillon/templates.ini")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Item]\nformat=- [{title}]({url}) {host} {selection}\nescape=markdown\n");
  file.close();
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  EXPECT_EQ(BrowserReplyOk(u"Copied as Item"),
            Requests->Answer(R"({"type":"tabs","template":"Item","tabs":[)"
                             R"({"title":"一 [1]","url":"https://a.example/x y"},)"
                             R"({"title":"two","url":"https://b.example/"}]})"));
  EXPECT_EQ(BrowserReplyOk(u"Copied as Item"),
            Requests->Answer(R"({"type":"selection","template":"Item","title":"页",)"
                             R"("url":"https://c.example/","html":"<b>*x*</b>","text":"*x*"})"));
  EXPECT_EQ(BrowserReplyError("No link template [Nope] in " + config.path().toStdString() +
                              "/quillon/templates.ini"),
            Requests->Answer(R"({"type":"tab","template":"Nope","url":"https://a/"})"));
  qputenv("XDG_CONFIG_HOME", saved);
  EXPECT_EQ((std::vector<std::u16string>{
                u"- [一 \\[1\\]](https://a.example/x%20y) a.example \n- [two](https://b.example/) b.example ",
                u"- [页](https://c.example/) c.example \\*x\\*"}),
            Clipboard.Texts);
  EXPECT_EQ(QString(), Form->Edit1->text()); // a template's text is all it writes
}

TEST_F(BrowserRequestsTest, TheResultFieldsMenuOffersTheTemplatesAndNamesTheFaultyOnes) {
  QTemporaryDir config;
  QDir(config.path()).mkpath(QStringLiteral("quillon"));
  QFile file(config.filePath(QStringLiteral("quillon/templates.ini")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Forum]\nformat=[url={url}]{title}[/url] ({host})\nescape=bbcode\n"
             "[Broken]\nformat={titel}\n");
  file.close();
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  Form->Edit1->setText(QStringLiteral(u"标题 [1]"));
  Form->Edit2->setText(QStringLiteral("https://Blog.example/p"));
  std::unique_ptr<QMenu> menu(Form->LinkTools->ResultFieldMenu(Form->Edit4));
  qputenv("XDG_CONFIG_HOME", saved);
  QAction* forum = nullptr;
  QAction* fault = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text() == QStringLiteral("Forum"))
      forum = action;
    if (action->text().contains(QStringLiteral("templates.ini:5: unknown variable {titel}")))
      fault = action;
  }
  ASSERT_NE(nullptr, forum);
  ASSERT_NE(nullptr, fault);
  EXPECT_FALSE(fault->isEnabled());
  forum->trigger();
  EXPECT_EQ((std::vector<std::u16string>{
                u"[url=https://Blog.example/p]标题 &#91;1&#93;[/url] (blog.example)"}),
            Clipboard.Texts);
}

TEST_F(BrowserRequestsTest, AFaultyRequestChangesNothing) {
  Form->Edit1->setText(QStringLiteral("title"));
  EXPECT_EQ(BrowserReplyError("The message has no \"url\""),
            Requests->Answer(R"({"type":"tab","title":"x"})"));
  EXPECT_EQ(BrowserReplyError("The message is not JSON: illegal value at byte 1"),
            Requests->Answer("raise"));
  EXPECT_EQ(QStringLiteral("title"), Form->Edit1->text());
  EXPECT_EQ(QStringLiteral("before"), Clip()->text());
}

// The built host, started as the browser starts it, from a folder of its own: the Quillon it
// talks to is the one of that folder's lists.
class HostProgramTest : public BrowserRequestsTest {
protected:
  void SetUp() override {
    BrowserRequestsTest::SetUp();
    ASSERT_TRUE(Programs.isValid());
    HostPath = Programs.filePath("quillon-browser-host");
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_HOST_PATH), HostPath));
  }
  std::string ListFolder() const { return Programs.path().toStdString() + "/"; }

  // Starts the host with Arguments, writes Input, closes its input once the replies came
  // or it ended; returns the reply frames. Turns this thread's event loop all along, for
  // the window.
  std::vector<std::string> RunHost(const std::string& input, std::size_t replies,
                                   QStringList arguments = {kOrigin}) {
    QProcess host;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    host.setProcessEnvironment(environment);
    host.start(HostPath, arguments);
    EXPECT_TRUE(host.waitForStarted(5000));
    host.write(input.data(), static_cast<qint64>(input.size()));
    TFrameReader reader(MaxOutgoingMessage);
    std::vector<std::string> frames;
    QElapsedTimer timer;
    timer.start();
    while (frames.size() < replies && host.state() != QProcess::NotRunning &&
           timer.elapsed() < 30000) {
      QCoreApplication::processEvents();
      host.waitForReadyRead(5);
      reader.Feed(host.readAllStandardOutput().toStdString());
      while (auto frame = reader.Next())
        frames.push_back(frame->Payload);
    }
    host.closeWriteChannel();
    EXPECT_TRUE(host.waitForFinished(10000));
    reader.Feed(host.readAllStandardOutput().toStdString());
    while (auto frame = reader.Next())
      frames.push_back(frame->Payload);
    EXPECT_EQ("", reader.EndOfInputError()) << "standard output holds more than frames";
    Status = host.exitCode();
    Errors = host.readAllStandardError().toStdString();
    return frames;
  }

  static inline const QString kOrigin =
      QStringLiteral("chrome-extension://kmfinkjejonpjnlnmhindhpgmbfnnknd/");
  QTemporaryDir runtime;
  QTemporaryDir Programs;
  QString HostPath;
  int Status = -1;
  std::string Errors;
};

TEST_F(HostProgramTest, TheHostRelaysATabToTheRunningWindow) {
  TSingleInstance instance(ListFolder(), runtime.path());
  ASSERT_EQ(TSingleInstance::TStart::First, instance.Start());
  instance.SetRequestHandler([this](const std::string& request) { return Requests->Answer(request); });
  const std::vector<std::string> replies = RunHost(
      EncodeFrame(R"({"type":"ping"})") +
          EncodeFrame(R"({"type":"tab","title":"עברית · 日本語 · 🎉","url":"https://he.example/"})") +
          EncodeFrame("{broken"),
      3);
  EXPECT_EQ((std::vector<std::string>{
                BrowserReplyOk(u"Quillon's browser host is ready"),
                BrowserReplyOk(u"Copied “עברית · 日本語 · 🎉”"),
                BrowserReplyError("The message is not JSON: unterminated object at byte 2")}),
            replies);
  EXPECT_EQ(0, Status) << Errors;
  EXPECT_EQ("quillon-browser-host: The message is not JSON: unterminated object at byte 2\n",
            Errors);
  EXPECT_EQ(QStringLiteral(u"עברית · 日本語 · 🎉"), Form->Edit1->text());
  EXPECT_EQ(QStringLiteral(u"עברית · 日本語 · 🎉"), Clip()->text());
  EXPECT_EQ(1u, Count(Bytes(Clip(), "text/rtf"), "HYPERLINK \"https://he.example/\""));
}

TEST_F(HostProgramTest, TheHostRefusesOtherCallersAndSaysWhy) {
  const std::vector<std::string> replies =
      RunHost(EncodeFrame(R"({"type":"ping"})"), 1,
              {QStringLiteral("chrome-extension://aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa/")});
  EXPECT_EQ((std::vector<std::string>{BrowserReplyError(
                "Not the Quillon extension: chrome-extension://aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa/")}),
            replies);
  EXPECT_EQ(2, Status);
  EXPECT_EQ("quillon-browser-host: Not the Quillon extension: "
            "chrome-extension://aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa/\n",
            Errors);
}

TEST_F(HostProgramTest, TheHostStartsQuillonWhenNoneRuns) {
  // A stand-in for the program beside the host: it listens where Quillon would and answers
  // one request, and says it ran.
  const QString script = Programs.filePath("quillon");
  QFile file(script);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const std::string socketPath = InstanceSocketPath(ListFolder(), runtime.path()).toStdString();
  file.write(QByteArray::fromStdString(
      "#!/bin/sh\n"
      "touch '" + Programs.filePath("started").toStdString() + "'\n"
      "exec /usr/bin/python3 -c '\n"
      "import socket, sys\n"
      "s = socket.socket(socket.AF_UNIX)\n"
      "s.bind(sys.argv[1]); s.listen(1)\n"
      "c, _ = s.accept(); f = c.makefile(\"rb\")\n"
      "line = f.readline()\n"
      "c.sendall(b\"{\\\"ok\\\":true,\\\"message\\\":\\\"started for \" + str(len(line)).encode() + b\"\\\"}\\n\")\n"
      "' '" + socketPath + "'\n"));
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const std::string tab = R"({"type":"tab","title":"t","url":"https://x/"})";
  const std::vector<std::string> replies = RunHost(EncodeFrame(tab), 1);
  EXPECT_TRUE(QFile::exists(Programs.filePath("started")));
  // "browser " + the message + "\n"
  EXPECT_EQ((std::vector<std::string>{"{\"ok\":true,\"message\":\"started for " +
                                      std::to_string(tab.size() + 9) + "\"}"}),
            replies)
      << Errors;
  EXPECT_EQ(0, Status);
}

} // namespace
} // namespace quillon::test
