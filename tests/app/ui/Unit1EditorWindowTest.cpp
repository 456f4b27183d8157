// The larger editing window, opened from the one-line editor's context menu as a user would:
// it edits the one-line editor's own document, with room for paragraphs, and its copies put
// the link formats on the real (offscreen) clipboard.
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "app/ui/EditorWindow.h"
#include "tests/app/ui/ClipboardBytes.h"
#include "tests/app/ui/FormFixture.h"

namespace quillon::test {
namespace {

class EditorWindowTest : public ClipboardFormFixture {
protected:
  void ClickLabel(const QString& title, const QString& address) {
    Form->Edit1->setText(title);
    Form->Edit2->setText(address);
    QTest::mouseClick(Form->Label1, Qt::LeftButton);
  }
  // Opens the one-line editor's context menu from the keyboard and picks the entry by its
  // accelerator; answers the entries the menu showed.
  QStringList OpenFromTheMenu() {
    QStringList entries;
    Form->RichViewEdit1->setFocus();
    QTimer::singleShot(0, [&] {
      auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!popup)
        return;
      for (QAction* action : popup->actions())
        if (!action->isSeparator())
          entries << action->text();
      QTest::keyClick(popup, Qt::Key_E);
    });
    QTest::keyClick(Form->RichViewEdit1, Qt::Key_F10, Qt::ShiftModifier);
    QApplication::processEvents();
    return entries;
  }
  TEditorWindow& Window() {
    EXPECT_NE(nullptr, Form->EditorWindow());
    return *Form->EditorWindow();
  }
  TRVQtRichViewWidget* Large() { return Window().Editor; }
  richtext::TRichViewEdit& Editor() { return Form->Hyperlink().RichViewEdit1; }
  // The paragraphs, "|" between them.
  std::u16string Paragraphs() {
    std::u16string text;
    for (int i = 0; i < Editor().ItemCount(); ++i)
      text += (i > 0 && Editor().IsParaStart(i) ? u"|" : u"") + Editor().GetItemText(i);
    return text;
  }
  // Types Text key by key, as a keyboard (or an input method) sends it: one character a key,
  // an emoji as one text of two UTF-16 units, Enter at each "|".
  static void Type(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
      if (text[i] == QLatin1Char('|')) {
        QTest::keyClick(widget, Qt::Key_Return);
        continue;
      }
      const qsizetype n = text[i].isHighSurrogate() ? 2 : 1;
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, n), Qt::NoModifier);
      i += n - 1;
    }
  }
  // Two paragraphs after the link, typed in the larger window.
  void TypeParagraphs() {
    QTest::keyClick(Large(), Qt::Key_End);
    Type(Large(), QStringLiteral(u"|第二段 second|שלום third 😀"));
  }
  // A link, then the window opened from the menu, and the two paragraphs.
  void TypeTwoParagraphs() {
    ClickLabel(QStringLiteral(u"博客 links"), QStringLiteral("http://blog.example/p?id=1"));
    OpenFromTheMenu();
    ASSERT_TRUE(Form->EditorWindow() && Window().isVisible());
    TypeParagraphs();
  }
  static const QMimeData* Clip() { return QGuiApplication::clipboard()->mimeData(); }
  void ExpectFormattedFor(const TRVQtRichViewWidget* shown) {
    EXPECT_TRUE(shown->ShowsView());
    EXPECT_EQ(shown->contentsRect().width(), Editor().GetClientWidth());
    EXPECT_EQ(shown->contentsRect().height(), Editor().GetClientHeight());
  }
  static constexpr char16_t kTyped[] = u"博客 links|第二段 second|שלום third 😀";
};

TEST_F(EditorWindowTest, OpensFromTheEditorsMenuAndEditsTheOneLineEditorsDocument) {
  ClickLabel(QStringLiteral(u"博客 links"), QStringLiteral("http://blog.example/p?id=1"));
  const QStringList entries = OpenFromTheMenu();
  ASSERT_FALSE(entries.isEmpty());
  EXPECT_EQ(QStringLiteral("&Edit in a Larger Window"), entries.back());
  EXPECT_EQ(QStringLiteral("&Undo"), entries.front());
  ASSERT_NE(nullptr, Form->EditorWindow());
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(Large(), QApplication::focusWidget());
  // The same control, not a copy; the one-line editor says where it is.
  EXPECT_EQ(&Form->RichViewEdit1->View(), &Large()->View());
  EXPECT_FALSE(Form->RichViewEdit1->ShowsView());
  EXPECT_EQ(QStringLiteral("Edited in the larger window"), Form->RichViewEdit1->AwayText());
  ExpectFormattedFor(Large());
  // Room for several paragraphs of the editor's text.
  EXPECT_GT(Large()->contentsRect().height(), 8 * Form->RichViewEdit1->height());

  TypeParagraphs();
  EXPECT_EQ(kTyped, Paragraphs());
  // The link is still on the title alone.
  EXPECT_EQ(u"http://blog.example/p?id=1", Editor().GetItemTag(0));
  EXPECT_EQ(3, Editor().ItemCount());

  // Esc closes; the one-line editor shows the typed document and copies it whole.
  QTest::keyClick(Large(), Qt::Key_Escape);
  EXPECT_FALSE(Window().isVisible());
  ExpectFormattedFor(Form->RichViewEdit1);
  EXPECT_EQ(Qt::StrongFocus, Form->RichViewEdit1->focusPolicy());
  EXPECT_EQ(kTyped, Paragraphs());
  Form->RichViewEdit1->setFocus();
  QTest::keyClick(Form->RichViewEdit1, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Form->RichViewEdit1, Qt::Key_C, Qt::ControlModifier);
  ASSERT_NE(nullptr, Clip());
  EXPECT_EQ(QStringLiteral(u"博客 links\n第二段 second\nשלום third 😀"),
            Clip()->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  EXPECT_EQ(1u, Count(Bytes(Clip(), "text/rtf"), "HYPERLINK \"http://blog.example/p?id=1\""));
  // The undo history came along: Ctrl+Z there takes back what was typed in the window.
  QTest::keyClick(Form->RichViewEdit1, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_NE(kTyped, Paragraphs());
  EXPECT_EQ(0u, Paragraphs().find(u"博客 links|第二段 second|"));
  QTest::keyClick(Form->RichViewEdit1, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(kTyped, Paragraphs());
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(EditorWindowTest, CopiesFromTheLargerWindowPutTheLinkFormatsOnTheClipboard) {
  TypeTwoParagraphs();
  ASSERT_EQ(kTyped, Paragraphs());
  // The editor's own copy: Ctrl+A, Ctrl+C in the larger window.
  QTest::keyClick(Large(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Large(), Qt::Key_C, Qt::ControlModifier);
  ASSERT_NE(nullptr, Clip());
  EXPECT_TRUE(Clip()->text().startsWith(QStringLiteral(u"博客 links")));
  EXPECT_TRUE(Clip()->text().endsWith(QStringLiteral(u"שלום third 😀")));
  const std::string rtf = Bytes(Clip(), "text/rtf");
  EXPECT_EQ(1u, Count(rtf, "HYPERLINK \"http://blog.example/p?id=1\""));
  EXPECT_EQ(2u, Count(rtf, "\n\\par ")) << rtf; // between the three paragraphs
  EXPECT_EQ(rtf, Bytes(Clip(), "application/rtf"));
  const std::string html = Bytes(Clip(), "text/html");
  EXPECT_NE(std::string::npos, html.find("<a href=\"http://blog.example/p?id=1\""));
  EXPECT_NE(std::string::npos, html.find("第二段 second"));
  bool ok = false;
  EXPECT_EQ(HyperlinkClipboardRVF(Editor(), ok), Bytes(Clip(), "RichView Format").substr(4));
  EXPECT_TRUE(ok);

  // Its menu is the editor's: Copy as Markdown and as BBCode.
  auto copyAs = [&](const QString& caption) {
    std::unique_ptr<QMenu> menu(Large()->CreateStandardContextMenu());
    for (QAction* action : menu->actions())
      if (action->text() == caption)
        action->trigger();
    return Clip()->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  };
  EXPECT_EQ(QStringLiteral(u"[博客 links](http://blog.example/p?id=1)\n\n第二段 second\n\nשלום third 😀\n"),
            copyAs(QStringLiteral("Copy as &Markdown")));
  EXPECT_EQ(QStringLiteral(u"[url=http://blog.example/p?id=1]博客 links[/url]\n\n第二段 second\n\nשלום third 😀\n"),
            copyAs(QStringLiteral("Copy as &BBCode")));

  // The label's copy of the whole document: the button, with nothing selected before.
  QTest::keyClick(Large(), Qt::Key_Home);
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  QTest::mouseClick(Window().CopyAllButton, Qt::LeftButton);
  EXPECT_EQ(rtf, Bytes(Clip(), "text/rtf"));
  EXPECT_EQ(html, Bytes(Clip(), "text/html"));
  EXPECT_EQ(TForm1::tr("Copied as rich text"), Form->StatusLine->text());
  EXPECT_TRUE(Editor().RVData->SelectionExists(true, true));
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(EditorWindowTest, TheLabelFillsTheOpenWindowAndAnEmptyDocumentCopiesNothing) {
  TypeTwoParagraphs();
  // The label starts a fresh document, shown in the larger window, which stays open.
  ClickLabel(QStringLiteral("second link"), QStringLiteral("https://two.example/"));
  EXPECT_EQ(u"second link", Paragraphs());
  EXPECT_TRUE(Window().isVisible());
  ExpectFormattedFor(Large());
  EXPECT_EQ(Large()->contentsRect().width(), Editor().GetAreaWidth());
  EXPECT_EQ(QStringLiteral("second link"), Clip()->text());
  EXPECT_EQ(1u, Count(Bytes(Clip(), "text/rtf"), "HYPERLINK \"https://two.example/\""));

  // Emptied, the document leaves the clipboard as it was and says nothing.
  QTest::keyClick(Large(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Large(), Qt::Key_Delete);
  EXPECT_EQ(u"", Paragraphs());
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  Form->StatusLine->clear();
  QTest::mouseClick(Window().CopyAllButton, Qt::LeftButton);
  EXPECT_EQ(QStringLiteral("kept"), Clip()->text());
  EXPECT_EQ(QString(), Form->StatusLine->text());
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(EditorWindowTest, LongTextScrollsThereAndTheClosedWindowGivesTheDocumentBack) {
  TypeTwoParagraphs();
  for (int i = 0; i < 25; ++i) {
    QTest::keyClick(Large(), Qt::Key_Return);
    QTest::keyClicks(Large(), QStringLiteral("paragraph %1").arg(i));
  }
  EXPECT_TRUE(Large()->VerticalScrollBar()->isVisible());
  EXPECT_GT(Large()->VerticalScrollBar()->value(), 0); // the caret's paragraph is in sight
  // The one-line editor takes no input meanwhile; a click there brings the window forward.
  EXPECT_EQ(Qt::NoFocus, Form->RichViewEdit1->focusPolicy());
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  QTest::mouseClick(Form->RichViewEdit1, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(QTest::qWaitForWindowActive(&Window()));
  EXPECT_EQ(Large(), QApplication::focusWidget());
  QTest::keyClicks(Form->RichViewEdit1, QStringLiteral("lost"));
  EXPECT_EQ(28, Editor().ItemCount());
  EXPECT_EQ(std::u16string::npos, Paragraphs().find(u"lost"));
  // A main window made larger meanwhile leaves the document formatted for the larger one.
  Form->resize(Form->size() + QSize(200, 100));
  QApplication::processEvents();
  ExpectFormattedFor(Large());

  // The close button gives it back, formatted for the one-line editor, without a bar.
  QTest::mouseClick(Window().CloseButton, Qt::LeftButton);
  EXPECT_FALSE(Window().isVisible());
  ExpectFormattedFor(Form->RichViewEdit1);
  EXPECT_EQ(Form->RichViewEdit1->contentsRect().width(), Editor().GetAreaWidth());
  EXPECT_FALSE(Form->RichViewEdit1->VerticalScrollBar()->isVisible());
  EXPECT_EQ(28, Editor().ItemCount());
  // Opened again, the window is the same and so is the document.
  TEditorWindow* first = Form->EditorWindow();
  OpenFromTheMenu();
  EXPECT_EQ(first, Form->EditorWindow());
  ExpectFormattedFor(Large());
  EXPECT_EQ(28, Editor().ItemCount());
  // Closed by the desktop, as by its title bar's button.
  Window().close();
  ExpectFormattedFor(Form->RichViewEdit1);
  // It closes with the main window, and goes with it leaving no widget over the document.
  OpenFromTheMenu();
  ASSERT_TRUE(Window().isVisible());
  EXPECT_TRUE(Form->close());
  EXPECT_FALSE(Window().isVisible());
  ExpectFormattedFor(Form->RichViewEdit1);
  Form->show();
  OpenFromTheMenu();
  Form.reset();
}

} // namespace
} // namespace quillon::test
