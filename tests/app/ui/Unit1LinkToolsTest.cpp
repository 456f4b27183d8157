// The window's link tools: links dropped from a browser (real drop events carrying the
// browsers' bytes), extended selection in the lists, and the context menus that copy many
// stored links at once and the result fields' link in further formats.
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

#include "app/LinkFormats.h"
#include "app/ui/LinkTools.h"
#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/export/RVStr.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/ui/ClipboardBytes.h"
#include "tests/app/ui/FormFixture.h"

namespace quillon::test {
namespace {

std::string Utf8List(std::initializer_list<const char*> lines) {
  std::string bytes = "\xEF\xBB\xBF";
  for (const char* line : lines)
    bytes += std::string(line) + "\r\n";
  return bytes;
}

// Firefox's link drag: UTF-16 x-moz-url, UTF-8 HTML, uri-list and plain text.
std::unique_ptr<QMimeData> FirefoxLink(const std::u16string& address, const std::u16string& title) {
  auto data = std::make_unique<QMimeData>();
  const std::string mozUrl = Utf16LEBytes(address + u"\n" + title);
  data->setData(QStringLiteral("text/x-moz-url"),
                QByteArray(mozUrl.data(), qsizetype(mozUrl.size())));
  data->setData(QStringLiteral("text/uri-list"),
                QByteArray::fromStdString(ToUtf8(address) + "\r\n"));
  data->setData(QStringLiteral("text/plain"), QByteArray::fromStdString(ToUtf8(address)));
  return data;
}

class LinkToolsTest : public FormFixture {
protected:
  static void SetUpTestSuite() {
    richtext::RVRegisterClipboardFormats();
    RegisterQtGraphics();
    RegisterQtClipboard();
  }
  void OpenWith(std::initializer_list<const char*> bbcode,
                std::initializer_list<const char*> markdown) {
    WriteList(kBBCodeListFileName, Utf8List(bbcode));
    WriteList(kMarkdownListFileName, Utf8List(markdown));
    Open();
  }
  // A drag entering Target and dropped on it; whether the drop was accepted.
  static bool Drop(QWidget* target, QMimeData* data) {
    const QPoint at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
      return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
  }
  static QAction* Action(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
      if (action->text() == text)
        return action;
    ADD_FAILURE() << "no menu entry " << text.toStdString();
    return nullptr;
  }
  static void ClickRowWith(TLinkListBox* list, int row, Qt::KeyboardModifiers modifiers) {
    const QModelIndex index = list->model()->index(row, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualRect(index).center());
  }
};

TEST_F(LinkToolsTest, LinkDroppedOnTheWindowFillsTitleAndAddress) {
  OpenWith({}, {});
  Form->Edit1->setText(QStringLiteral("old"));
  auto data = FirefoxLink(u"https://zh.wikipedia.org/wiki/Debian", u"Debian - 维基百科 😀");
  EXPECT_TRUE(Drop(Form.get(), data.get()));
  EXPECT_EQ(QStringLiteral(u"Debian - 维基百科 😀"), Form->Edit1->text());
  EXPECT_EQ(QStringLiteral("https://zh.wikipedia.org/wiki/Debian"), Form->Edit2->text());
  // On a label the drop reaches the window as well; on a field a link drop is a link too.
  auto second = FirefoxLink(u"https://lwn.net/", u"LWN.net");
  EXPECT_TRUE(Drop(Form->Edit1, second.get()));
  EXPECT_EQ(QStringLiteral("LWN.net"), Form->Edit1->text());
  EXPECT_EQ(QStringLiteral("https://lwn.net/"), Form->Edit2->text());
  EXPECT_EQ(0, Form->ListBox1->model()->rowCount());
  EXPECT_EQ(0, Form->ListBox2->model()->rowCount());
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(LinkToolsTest, LinkDroppedOnAListIsComposedAndAdded) {
  OpenWith({"[url=a]A[/url]"}, {"[A](http://a)"});
  auto data = FirefoxLink(u"www.debian.org/intro", u"About Debian");
  EXPECT_TRUE(Drop(Form->ListBox1->viewport(), data.get()));
  EXPECT_EQ(QStringLiteral("[url=www.debian.org/intro]About Debian[/url]"), Form->Edit3->text());
  EXPECT_EQ((QStringList{QStringLiteral("[url=a]A[/url]"),
                         QStringLiteral("[url=www.debian.org/intro]About Debian[/url]")}),
            Rows(Form->ListBox1));

  // Chromium's HTML alone, UTF-16 behind a mark: the Markdown list gets the Markdown link,
  // with the address made absolute as Button1 makes it.
  QMimeData html;
  const std::string bytes =
      "\xFF\xFE" + Utf16LEBytes(u"<meta charset='utf-8'><a href=\"lwn.net/\">LWN &amp; co</a>");
  html.setData(QStringLiteral("text/html"), QByteArray(bytes.data(), qsizetype(bytes.size())));
  EXPECT_TRUE(Drop(Form->ListBox2->viewport(), &html));
  EXPECT_EQ(QStringLiteral("http://lwn.net/"), Form->Edit2->text());
  EXPECT_EQ(
      (QStringList{QStringLiteral("[A](http://a)"), QStringLiteral("[LWN & co](http://lwn.net/)")}),
      Rows(Form->ListBox2));
  // Nothing is saved until the save button.
  EXPECT_EQ(Utf8List({"[url=a]A[/url]"}), ReadList(kBBCodeListFileName));
}

TEST_F(LinkToolsTest, DropsWithoutALinkChangeNothing) {
  OpenWith({}, {});
  Form->Edit1->setText(QStringLiteral("t"));
  Form->Edit2->setText(QStringLiteral("a"));
  QMimeData words;
  words.setText(QStringLiteral("some words"));
  EXPECT_FALSE(Drop(Form->ListBox1->viewport(), &words));
  QMimeData image;
  image.setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
  EXPECT_FALSE(Drop(Form.get(), &image));
  EXPECT_EQ(QStringLiteral("t"), Form->Edit1->text());
  EXPECT_EQ(QStringLiteral("a"), Form->Edit2->text());
  EXPECT_EQ(0, Form->ListBox1->model()->rowCount());
  // Plain text over a field is the field's to take, as always, even when it is an address.
  QMimeData text;
  text.setText(QStringLiteral("https://plain.example/"));
  Drop(Form->Edit3, &text);
  EXPECT_EQ(QStringLiteral("https://plain.example/"), Form->Edit3->text());
  EXPECT_EQ(QStringLiteral("a"), Form->Edit2->text());
}

TEST_F(LinkToolsTest, CtrlAndShiftGatherEntriesWithoutPickingThem) {
  OpenWith({}, {"[a](http://a)", "[b](http://b)", "[c](http://c)", "[d](http://d)"});
  TLinkListBox* list = Form->ListBox2;
  ClickRowWith(list, 0, {});
  EXPECT_EQ(std::vector<std::u16string>{u"[a](http://a)"}, Clipboard.Texts);
  ClickRowWith(list, 2, Qt::ControlModifier);
  EXPECT_EQ((std::vector<int>{0, 2}), list->SelectedRows());
  EXPECT_EQ(2, list->ItemIndex()); // the one clicked last
  QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ((std::vector<int>{0, 2, 3}), list->SelectedRows());
  ClickRowWith(list, 1, Qt::ShiftModifier);
  EXPECT_EQ((std::vector<int>{0, 1, 2}), list->SelectedRows());
  // Gathering copied nothing; a plain click picks one entry again, as before.
  EXPECT_EQ(1u, Clipboard.Texts.size());
  ClickRowWith(list, 3, {});
  EXPECT_EQ((std::vector<int>{3}), list->SelectedRows());
  EXPECT_EQ((std::vector<std::u16string>{u"[a](http://a)", u"[d](http://d)"}), Clipboard.Texts);
  // The delete button takes the entry with the focus only.
  ClickRowWith(list, 0, Qt::ControlModifier);
  Form->Button6Click();
  EXPECT_EQ((QStringList{QStringLiteral("[b](http://b)"), QStringLiteral("[c](http://c)"),
                         QStringLiteral("[d](http://d)")}),
            Rows(list));
}

TEST_F(LinkToolsTest, SelectedLinksAreCopiedAsOneFormattedDocument) {
  OpenWith({"[url=http://one.example/]One[/url]", "no link here",
            "[url=http://two.example/]Two & more[/url]"},
           {});
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  TLinkListBox* list = Form->ListBox1;
  list->selectAll();
  std::unique_ptr<QMenu> menu(Form->LinkTools->ListMenu(list));
  Action(menu.get(), QStringLiteral(u"复制所选链接（所见即所得）"))->trigger();
  const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(nullptr, clip);
  const std::string rtf = Bytes(clip, "text/rtf");
  EXPECT_EQ(2u, Count(rtf, "HYPERLINK")) << rtf;
  EXPECT_NE(std::string::npos, rtf.find("HYPERLINK \"http://one.example/\""));
  EXPECT_NE(std::string::npos, rtf.find("HYPERLINK \"http://two.example/\""));
  const std::string html = Bytes(clip, "text/html");
  EXPECT_EQ(2u, Count(html, "<a href=")) << html;
  EXPECT_NE(std::string::npos, html.find("no link here"));
  EXPECT_FALSE(Bytes(clip, "RichView Format").empty());
  // Sorted: "no link here" < "[url=...One" < "[url=...Two" in the list's collation or not,
  // the text holds one line per entry in list order.
  QStringList expected;
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    const QString entry = Row(list, row);
    expected << (entry.startsWith(QStringLiteral("[url=http://one")) ? QStringLiteral("One")
                 : entry.startsWith(QStringLiteral("[url=http://two"))
                     ? QStringLiteral("Two & more")
                     : entry);
  }
  EXPECT_EQ(expected.join(QStringLiteral("\n")),
            clip->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  EXPECT_EQ(7, Form->Hyperlink().RVStyle1.TextStyles.Count());
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(LinkToolsTest, SelectedLinksAsMarkdownOrBBCodeText) {
  OpenWith({}, {"[b](https://b.example/)", "[a](http://a)", "plain"});
  TLinkListBox* list = Form->ListBox2;
  std::unique_ptr<QMenu> none(Form->LinkTools->ListMenu(list));
  EXPECT_FALSE(Action(none.get(), QStringLiteral(u"复制所选链接为 MarkDown"))->isEnabled());
  list->selectAll();
  std::unique_ptr<QMenu> menu(Form->LinkTools->ListMenu(list));
  Action(menu.get(), QStringLiteral(u"复制所选链接为 MarkDown"))->trigger();
  Action(menu.get(), QStringLiteral(u"复制所选链接为 BBCode"))->trigger();
  ASSERT_EQ(2u, Clipboard.Texts.size());
  std::u16string markdown, bbcode;
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    const std::u16string entry = Row(list, row).toStdU16String();
    markdown += entry + u"\n";
    bbcode += (entry == u"plain"           ? entry
               : entry == u"[a](http://a)" ? u"[url=http://a]a[/url]"
                                           : u"[url=https://b.example/]b[/url]") +
              u"\n";
  }
  EXPECT_EQ(markdown, Clipboard.Texts[0]);
  EXPECT_EQ(bbcode, Clipboard.Texts[1]);
}

TEST_F(LinkToolsTest, ResultFieldsCopyTheirLinkInEveryFurtherFormat) {
  OpenWith({}, {});
  Form->Edit1->setText(QStringLiteral("My"));
  Form->Edit2->setText(QStringLiteral("https://x.org/a b"));
  Form->Edit3->setText(QStringLiteral(u"[url=https://x.org/a b]My [1] “title”[/url]"));
  std::unique_ptr<QMenu> menu(Form->LinkTools->ResultFieldMenu(Form->Edit3));
  // Edit4 holds no link: the title and address fields are used.
  std::unique_ptr<QMenu> fallback(Form->LinkTools->ResultFieldMenu(Form->Edit4));
  for (const TLinkFormatInfo& info : LinkFormats()) {
    const QString caption = LinkFormatCaption(info);
    Action(menu.get(), caption)->trigger();
    EXPECT_EQ(FormatLink(info.Format, u"My [1] “title”", u"https://x.org/a b"),
              Clipboard.Texts.back())
        << info.Name;
    Action(fallback.get(), caption)->trigger();
    EXPECT_EQ(FormatLink(info.Format, u"My", u"https://x.org/a b"), Clipboard.Texts.back())
        << info.Name;
  }
  EXPECT_EQ(2 * LinkFormats().size(), Clipboard.Texts.size());
  // The field's own entries come first.
  EXPECT_GT(menu->actions().size(), static_cast<qsizetype>(LinkFormats().size()) + 1);
  EXPECT_EQ(QStringLiteral("My"), Form->Edit1->text());
}

} // namespace
} // namespace quillon::test
