// The editor widget's context menu, and a one-line editor that shows its line whole: no
// scroll bar where there is no room for one, nothing of the line cut off by the frame.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <memory>
#include <ostream>

#include "platform/qt/RVQtRichViewWidget.h"
#include "tests/platform/qt/RichViewWidgetFixture.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}
QT_END_NAMESPACE

namespace quillon {
namespace {

// The platform's own redo key: Ctrl+Y on some desktops, Ctrl+Shift+Z on others.
QString Redo() {
  return QKeySequence(QKeySequence::Redo).toString();
}

using namespace richtext;

class QtRichViewWidgetMenuTest : public test::RichViewWidgetFixture {
protected:
  QtRichViewWidgetMenuTest() : RichViewWidgetFixture(21) {}
  // The menu's entries: caption, shortcut and "off" when disabled.
  static QStringList Entries(QMenu* menu) {
    QStringList entries;
    for (QAction* a : menu->actions())
      if (!a->isSeparator())
        entries << (a->text() +
                    (a->shortcut().isEmpty() || !a->isShortcutVisibleInContextMenu()
                         ? QString()
                         : " " + a->shortcut().toString()) +
                    (a->isEnabled() ? QString() : QStringLiteral(" off")));
    return entries;
  }
  QStringList MenuEntries() {
    std::unique_ptr<QMenu> menu(Widget->CreateStandardContextMenu());
    return Entries(menu.get());
  }
  void Trigger(const QString& caption) {
    std::unique_ptr<QMenu> menu(Widget->CreateStandardContextMenu());
    for (QAction* a : menu->actions())
      if (a->text() == caption) {
        a->trigger();
        return;
      }
    ADD_FAILURE() << "no entry " << caption.toStdString();
  }
  QString Text() { return QString::fromStdU16String(Edit().RVData->GetItemText(0)); }
  // Blue pixels of the hyperlink's text: the same number wherever the line stands, unless
  // some of it is cut off.
  int InkOf(int Height) {
    Widget->resize(306, Height);
    Widget->UpdateClientSize();
    const QImage img = Widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QRgb p = img.pixel(x, y);
        n += qBlue(p) > 150 && qRed(p) < 200 && qBlue(p) - qRed(p) > 60;
      }
    return n;
  }

};

TEST_F(QtRichViewWidgetMenuTest, EveryEditIsOfferedWithItsShortcutWhenItApplies) {
  QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
  Doc.Build(u"Hyperlink title", u"http://blog.example/");
  // All selected, the caret at the link's end: everything but undo and redo applies.
  EXPECT_EQ(MenuEntries().join(" | "),
            "&Undo Ctrl+Z off | &Redo " + Redo() + " off | Cu&t Ctrl+X | &Copy Ctrl+C | "
            "Copy as &Markdown | Copy as &BBCode | &Paste Ctrl+V | Delete Del | Select &All Ctrl+A | &Open Link | Copy &Link Address");
  // Nothing selected and nothing on the clipboard: no cut, copy, paste or delete.
  Edit().Deselect();
  QGuiApplication::clipboard()->clear();
  EXPECT_EQ(MenuEntries().join(" | "),
            "&Undo Ctrl+Z off | &Redo " + Redo() + " off | Cu&t Ctrl+X off | &Copy Ctrl+C off | "
            "Copy as &Markdown off | Copy as &BBCode off | "
            "&Paste Ctrl+V off | Delete Del off | Select &All Ctrl+A | &Open Link | "
            "Copy &Link Address");
  // A read-only editor copies but does not edit.
  Edit().SelectAll();
  Edit().SetReadOnly(true);
  EXPECT_EQ(MenuEntries().mid(0, 8).join(" | "),
            "&Undo Ctrl+Z off | &Redo " + Redo() + " off | Cu&t Ctrl+X off | &Copy Ctrl+C | "
            "Copy as &Markdown | Copy as &BBCode | &Paste Ctrl+V off | Delete Del off");
  Edit().SetReadOnly(false);
  // An empty document has nothing to select and no link.
  Edit().ClearAll();
  Edit().Format();
  EXPECT_EQ(MenuEntries().join(" | "),
            "&Undo Ctrl+Z off | &Redo " + Redo() + " off | Cu&t Ctrl+X off | &Copy Ctrl+C off | "
            "Copy as &Markdown off | Copy as &BBCode off | "
            "&Paste Ctrl+V off | Delete Del off | Select &All Ctrl+A off");
}

TEST_F(QtRichViewWidgetMenuTest, TheEntriesEditUndoRedoAndPaste) {
  Doc.Build(u"Hyperlink title", u"http://blog.example/");
  Trigger(QStringLiteral("Delete"));
  EXPECT_EQ(0, Edit().RVData->GetItemText(0).size());
  EXPECT_EQ("&Undo Ctrl+Z", MenuEntries().front());
  Trigger(QStringLiteral("&Undo"));
  EXPECT_EQ(QStringLiteral("Hyperlink title"), Text());
  EXPECT_EQ("&Redo " + Redo(), MenuEntries().at(1));
  Trigger(QStringLiteral("&Redo"));
  EXPECT_EQ(QString(), Text());
  Trigger(QStringLiteral("&Undo"));
  Trigger(QStringLiteral("Select &All"));
  Trigger(QStringLiteral("Cu&t"));
  EXPECT_EQ(QStringLiteral("Hyperlink title"), QGuiApplication::clipboard()->text());
  EXPECT_EQ(QString(), Text());
  QGuiApplication::clipboard()->setText(QStringLiteral("plain"));
  Trigger(QStringLiteral("&Paste"));
  EXPECT_EQ(QStringLiteral("plain"), Text());
}

TEST_F(QtRichViewWidgetMenuTest, InALinkTheMenuOpensItAndCopiesItsAddress) {
  Doc.Build(u"Hyperlink title", u"blog.example/a b");
  Edit().Deselect();
  EXPECT_EQ(QStringLiteral("blog.example/a b"), Widget->LinkAtCaret());
  Trigger(QStringLiteral("Copy &Link Address"));
  EXPECT_EQ(QStringLiteral("blog.example/a b"), QGuiApplication::clipboard()->text());
  test::TUrlRecorder opened;
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &opened, "Open");
  Trigger(QStringLiteral("&Open Link"));
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  ASSERT_EQ(1, opened.Urls.size());
  EXPECT_EQ(QUrl(QStringLiteral("http://blog.example/a%20b")), opened.Urls[0]);
  // Typed text after the link is plain: no link entries there.
  QTest::keyClick(Widget.get(), Qt::Key_End);
  QTest::keyClicks(Widget.get(), QStringLiteral(" more"));
  EXPECT_EQ(QString(), Widget->LinkAtCaret());
  EXPECT_FALSE(MenuEntries().join('|').contains(QStringLiteral("Link")));
}

TEST_F(QtRichViewWidgetMenuTest, OthersAddEntriesAndTheKeyboardOpensTheMenuAtTheCaret) {
  Doc.Build(u"Hyperlink title", u"http://blog.example/");
  QObject::connect(Widget.get(), &TRVQtRichViewWidget::ContextMenuAboutToShow, Widget.get(),
                   [](QMenu* menu) { menu->addAction(QStringLiteral("Extra")); });
  QStringList shown;
  QPoint at;
  auto capture = [&] {
    QTimer::singleShot(0, [&] {
      if (QWidget* popup = QApplication::activePopupWidget()) {
        shown = Entries(qobject_cast<QMenu*>(popup));
        at = popup->pos();
        popup->close();
      }
    });
  };
  capture();
  QTest::keyClick(Widget.get(), Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_FALSE(shown.isEmpty());
  EXPECT_EQ("Extra", shown.back());
  EXPECT_EQ("&Undo Ctrl+Z off", shown.front());
  // Below the caret, which stands at the link's end.
  TRect caret{};
  ASSERT_TRUE(Edit().GetEditCaretRect(caret));
  EXPECT_NEAR(Widget->mapToGlobal(Widget->contentsRect().topLeft()).x() + caret.Left, at.x(), 2);
  shown.clear();
  capture();
  QContextMenuEvent byMouse(QContextMenuEvent::Mouse, QPoint(5, 5), Widget->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(Widget.get(), &byMouse);
  EXPECT_EQ("Extra", shown.value(shown.size() - 1));
}

TEST_F(QtRichViewWidgetMenuTest, OneLineEditorShowsItsLineWholeWithoutAScrollBar) {
  for (const char16_t* title : {u"gjpqy Typography", u"بيت جميل في الريف", u"标题 Quillon 😀"}) {
    Doc.Build(title, u"http://blog.example/");
    Edit().Deselect();
    const int tall = InkOf(80);
    EXPECT_FALSE(Widget->VerticalScrollBar()->isVisible());
    const int oneLine = InkOf(21);
    EXPECT_FALSE(Widget->VerticalScrollBar()->isVisible());
    EXPECT_LE(Edit().GetDocumentAreaHeight(), Widget->contentsRect().height())
        << QString::fromStdU16String(title).toStdString();
    EXPECT_GT(tall, 50);
    EXPECT_EQ(tall, oneLine) << QString::fromStdU16String(title).toStdString();
    // The text takes the whole width: none of it is kept for a bar that is not there.
    EXPECT_EQ(Widget->contentsRect().width(), Edit().GetAreaWidth());
  }
}

TEST_F(QtRichViewWidgetMenuTest, OneLineEditorScrollsALongerDocumentWithTheWheelAndTheKeys) {
  Doc.Build(u"first", u"http://blog.example/");
  Edit().Deselect();
  QTest::keyClick(Widget.get(), Qt::Key_End);
  for (const char* line : {"second", "third", "fourth"}) {
    QTest::keyClick(Widget.get(), Qt::Key_Return);
    QTest::keyClicks(Widget.get(), QString::fromLatin1(line));
  }
  ASSERT_GT(Edit().GetVScrollMax(), 0);
  EXPECT_FALSE(Widget->VerticalScrollBar()->isVisible());
  // The caret's line is in view after typing: the last one.
  EXPECT_EQ(Edit().GetVScrollMax(), Edit().GetVScrollPos());
  QTest::keyClick(Widget.get(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(0, Edit().GetVScrollPos());
  const QPoint inside = Widget->contentsRect().center();
  QWheelEvent wheel(inside, Widget->mapToGlobal(inside), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Widget.get(), &wheel);
  EXPECT_GT(Edit().GetVScrollPos(), 0);
  EXPECT_FALSE(Widget->VerticalScrollBar()->isVisible());
  // Made taller, it has room for the bar, which then shows.
  Widget->resize(306, 60);
  Widget->UpdateClientSize();
  EXPECT_TRUE(Widget->VerticalScrollBar()->isVisible());
  EXPECT_EQ(Widget->contentsRect().width() - Widget->VerticalScrollBar()->width(),
            Edit().GetAreaWidth());
}

} // namespace
} // namespace quillon

