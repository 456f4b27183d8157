// The rich view widget answering QTest's mouse and key events on the offscreen platform: the
// caret in pixels, selections, the copy shortcut through Qt's clipboard, hover, scrolling, focus
// and what assistive technology reads.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>
#include <QTextLayout>
#include <QUrl>
#include <QWheelEvent>
#include <memory>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphicInterface.h"
#include "platform/qt/RVQtGraphics.h"
#include "platform/qt/RVQtRichViewWidget.h"
#include "richtext/export/RVStr.h"
#include "richtext/layout/RVCaretLayout.h"
#include "tests/platform/qt/RichViewWidgetFixture.h"
#include "tests/support/TestHyperlinkDocument.h"

namespace quillon {
namespace {

using namespace richtext;

using test::TUrlRecorder;

class QtRichViewWidgetInputTest : public test::RichViewWidgetFixture {
protected:
  QtRichViewWidgetInputTest() : RichViewWidgetFixture(40) {}
  QImage Render() { return Widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  // Widget pixels of the point before character Offs of item 0, at mid-height of its line.
  QPoint At(int Offs) {
    TRVCaretLayout layout(*Edit().RVData, Canvas);
    const TRect r = layout.CaretRect(TRVCaretPos{0, Offs, false});
    return Widget->contentsRect().topLeft() +
           QPoint(r.Left, (r.Top + r.Bottom) / 2 - Edit().GetVScrollPos());
  }
  std::string Selection() {
    std::int32_t s, so, e, eo;
    Edit().GetSelectionBounds(s, so, e, eo, true);
    if (!Edit().RVData->SelectionExists(false, true))
      return "none";
    return std::to_string(s) + ":" + std::to_string(so) + "-" + std::to_string(e) + ":" +
           std::to_string(eo);
  }
  // Rows of the caret's colour in the column at widget x X.
  int CaretPixels(const QImage& img, int X) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      if (img.pixel(X, y) == qRgb(0, 0, 0))
        ++n;
    return n;
  }

};

TEST_F(QtRichViewWidgetInputTest, ClickPlacesACaretDrawnBetweenTheGlyphsWhileFocused) {
  Doc.Build(u"Hyperlink title", u"http://blog.example/");
  ASSERT_TRUE(Widget->hasFocus());
  QTest::mouseClick(Widget.get(), Qt::LeftButton, {}, At(5) + QPoint(1, 0));
  EXPECT_EQ(5, Edit().GetCaretPos().Offs);
  EXPECT_EQ("none", Selection());
  const QRect caret(Widget->contentsRect().topLeft() +
                        QPoint(Edit().GetCaretRect().Left, Edit().GetCaretRect().Top),
                    QSize(1, Edit().GetCaretRect().Bottom - Edit().GetCaretRect().Top));
  ASSERT_GT(caret.height(), 8);
  // The caret stands where Qt's own layout of the run in its font puts the gap after "Hype".
  TRVQtCanvas measuring{96, 96};
  Doc.RVStyle1.ApplyStyle(measuring, Edit().GetItemStyle(0), rvbdUnspecified, true);
  QTextLayout line(QStringLiteral("Hyperlink title"), RVQtMakeFont(measuring.GetFont()));
  line.beginLayout();
  line.createLine();
  line.endLayout();
  const TRVDrawLineInfo& run = *Edit().RVData->DrawItems[0];
  EXPECT_EQ(Widget->contentsRect().left() + run.Left + qRound(line.lineAt(0).cursorToX(4)),
            caret.left());
  EXPECT_EQ(caret.height(), CaretPixels(Render(), caret.left()));
  // Blinking hides it; losing the focus hides it.
  Edit().SetCaretBlinkOn(false);
  EXPECT_EQ(0, CaretPixels(Render(), caret.left()));
  Edit().SetCaretBlinkOn(true);
  Widget->clearFocus();
  QApplication::processEvents();
  EXPECT_FALSE(Edit().IsFocused());
  EXPECT_EQ(0, CaretPixels(Render(), caret.left()));
  // It blinks at the desktop's rate: on and off in one flash period.
  EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime() / 2, Widget->CaretBlinkInterval());
}

TEST_F(QtRichViewWidgetInputTest, DragShiftClickDoubleAndTripleClickSelect) {
  Doc.Build(u"Hyperlink title", u"http://blog.example/");
  QTest::mousePress(Widget.get(), Qt::LeftButton, {}, At(1));
  QTest::mouseMove(Widget.get(), At(6));
  QTest::mouseRelease(Widget.get(), Qt::LeftButton, {}, At(6));
  EXPECT_EQ("0:1-0:6", Selection());
  QTest::mouseClick(Widget.get(), Qt::LeftButton, Qt::ShiftModifier, At(10));
  EXPECT_EQ("0:1-0:10", Selection());
  QTest::mouseDClick(Widget.get(), Qt::LeftButton, {}, At(13));
  EXPECT_EQ("0:11-0:16", Selection()); // "title"
  // A third press right after the double click selects the paragraph.
  QTest::mousePress(Widget.get(), Qt::LeftButton, {}, At(13));
  QTest::mouseRelease(Widget.get(), Qt::LeftButton, {}, At(13));
  EXPECT_EQ("0:1-0:16", Selection());
}

TEST_F(QtRichViewWidgetInputTest, KeysSelectAndCtrlCPutsThePartOnTheClipboardAsALink) {
  Doc.Build(u"Hyperlink title", u"http://blog.example/");
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(Widget.get(), Qt::Key_Home);
  EXPECT_EQ("none", Selection());
  for (int i = 0; i < 5; ++i)
    QTest::keyClick(Widget.get(), Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ("0:1-0:6", Selection());
  QTest::keyClick(Widget.get(), Qt::Key_C, Qt::ControlModifier);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(nullptr, data);
  EXPECT_EQ(QStringLiteral("Hyper"), data->text());
  EXPECT_TRUE(data->data(QStringLiteral("text/html")).contains("<a href=\"http://blog.example/\""));
  EXPECT_TRUE(data->data(QStringLiteral("text/html")).contains(">Hyper</a>"));
  EXPECT_TRUE(data->data(QStringLiteral("text/rtf")).contains("HYPERLINK"));
  EXPECT_FALSE(data->data(QStringLiteral("text/rtf")).contains("title"));
  // Ctrl+A, then Ctrl+Insert.
  QTest::keyClick(Widget.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ("0:1-0:16", Selection());
  QTest::keyClick(Widget.get(), Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(QStringLiteral("Hyperlink title"), QGuiApplication::clipboard()->text());
  // An arrow without Shift ends the selection.
  QTest::keyClick(Widget.get(), Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ("none", Selection());
}

TEST_F(QtRichViewWidgetInputTest, ContextMenuActionsCopyAndSelectAll) {
  Doc.Build(u"Hyperlink title", u"http://blog.example/");
  Edit().SetCaretPos(TRVCaretPos{0, 1, false}, false);
  Widget->SelectAllText();
  EXPECT_EQ("0:1-0:16", Selection());
  QGuiApplication::clipboard()->clear();
  Widget->CopyToClipboard();
  EXPECT_EQ(QStringLiteral("Hyperlink title"), QGuiApplication::clipboard()->text());
}

TEST_F(QtRichViewWidgetInputTest, ContextMenuCopiesTheSelectionAsMarkdownOrBBCode) {
  Doc.Build(u"Hyperlink [title]", u"http://blog.example/a b");
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  Edit().Deselect();
  Widget->CopyAsMarkup(TRVMarkupFormat::rvmfMarkdown);
  EXPECT_EQ(QStringLiteral("before"), QGuiApplication::clipboard()->text()) << "nothing selected";
  Widget->SelectAllText();
  Widget->CopyAsMarkup(TRVMarkupFormat::rvmfMarkdown);
  EXPECT_EQ(QStringLiteral("[Hyperlink \\[title\\]](http://blog.example/a%20b)\n"),
            QGuiApplication::clipboard()->text());
  Widget->CopyAsMarkup(TRVMarkupFormat::rvmfBBCode);
  EXPECT_EQ(QStringLiteral("[url=http://blog.example/a%20b]Hyperlink [\u200Btitle][/url]\n"),
            QGuiApplication::clipboard()->text());
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat("text/rtf")) << "text alone";
}

TEST_F(QtRichViewWidgetInputTest, HoverShowsTheJumpCursorAndCtrlClickOpensTheLink) {
  Doc.Build(u"Hyperlink title", u"blog.example/a b");
  Edit().Deselect();
  EXPECT_EQ(Qt::IBeamCursor, Widget->cursor().shape());
  QTest::mouseMove(Widget.get(), At(3));
  EXPECT_EQ(Qt::PointingHandCursor, Widget->cursor().shape());
  EXPECT_EQ(0, Edit().GetHoverItemNo());
  QTest::mouseMove(Widget.get(), QPoint(Widget->width() - 20, At(3).y()));
  EXPECT_EQ(Qt::IBeamCursor, Widget->cursor().shape());
  QTest::mouseMove(Widget.get(), At(3));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(Widget.get(), &leave);
  EXPECT_EQ(Qt::IBeamCursor, Widget->cursor().shape());
  EXPECT_EQ(-1, Edit().GetHoverItemNo());

  TUrlRecorder recorder;
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "Open");
  QTest::mouseClick(Widget.get(), Qt::LeftButton, {}, At(3));
  EXPECT_TRUE(recorder.Urls.isEmpty());
  EXPECT_EQ(3, Edit().GetCaretPos().Offs);
  QTest::mouseClick(Widget.get(), Qt::LeftButton, Qt::ControlModifier, At(6));
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  ASSERT_EQ(1, recorder.Urls.size());
  EXPECT_EQ(QUrl(QStringLiteral("http://blog.example/a%20b")), recorder.Urls[0]);
}

TEST_F(QtRichViewWidgetInputTest, TallDocumentShowsAScrollBarAndPaintingFollowsTheWheel) {
  Edit().ClearAll();
  for (int i = 0; i < 30; ++i)
    Edit().AddNL(u"Line number " + std::u16string(1, char16_t(u'A' + i % 26)), 0, 0);
  Edit().Format();
  Widget->resize(200, 80);
  Widget->UpdateClientSize();
  QScrollBar* bar = Widget->VerticalScrollBar();
  ASSERT_TRUE(bar->isVisible());
  EXPECT_EQ(Edit().GetVScrollMax(), bar->maximum());
  // The document is laid out beside the bar, not under it.
  EXPECT_LE(Edit().GetDocumentWidth() + 10, Widget->contentsRect().width() - bar->width());
  const QImage before = Render();
  QPoint inside = Widget->contentsRect().center();
  QWheelEvent wheel(inside, Widget->mapToGlobal(inside), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Widget.get(), &wheel);
  const int scrolled = Edit().GetVScrollPos();
  ASSERT_GT(scrolled, 0);
  EXPECT_EQ(scrolled, bar->value());
  const QImage after = Render();
  // What was at y + scrolled is now at y, in the document's area.
  const QRect area = Widget->contentsRect().adjusted(0, 0, -bar->width(), 0);
  int same = 0, rows = 0;
  for (int y = area.top() + 5; y + scrolled < area.bottom() - 5; ++y, ++rows) {
    bool equal = true;
    for (int x = area.left(); x < area.right(); ++x)
      equal = equal && after.pixel(x, y) == before.pixel(x, y + scrolled);
    same += equal;
  }
  ASSERT_GT(rows, 10);
  EXPECT_EQ(rows, same);
  // Dragging the bar scrolls the document.
  bar->setValue(0);
  EXPECT_EQ(0, Edit().GetVScrollPos());
  // Ctrl+End brings the last line into view.
  QTest::keyClick(Widget.get(), Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(Edit().GetVScrollMax(), Edit().GetVScrollPos());
  EXPECT_EQ(Edit().GetVScrollMax(), bar->value());
}

TEST_F(QtRichViewWidgetInputTest, AssistiveTechnologyReadsTextCaretSelectionAndLink) {
  Doc.Build(u"Hyperlink title", u"http://blog.example/");
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(Widget.get());
  ASSERT_NE(nullptr, iface);
  QAccessibleTextInterface* text = iface->textInterface();
  ASSERT_NE(nullptr, text);
  EXPECT_EQ(QStringLiteral("Hyperlink title"), iface->text(QAccessible::Value));
  EXPECT_EQ(15, text->characterCount());
  EXPECT_EQ(QStringLiteral("link"), text->text(5, 9));
  EXPECT_EQ(1, text->selectionCount());
  int start = -1, end = -1;
  text->selection(0, &start, &end);
  EXPECT_EQ("0-15", std::to_string(start) + "-" + std::to_string(end));
  QTest::mouseClick(Widget.get(), Qt::LeftButton, {}, At(4));
  EXPECT_EQ(3, text->cursorPosition());
  EXPECT_EQ(0, text->selectionCount());
  EXPECT_EQ(QStringLiteral("Link: http://blog.example/"), iface->text(QAccessible::Description));
  text->setSelection(0, 10, 15);
  EXPECT_EQ("0:11-0:16", Selection());
  EXPECT_EQ(QAccessible::EditableText, iface->role());
  const QRect r = text->characterRect(0);
  EXPECT_GT(r.width(), 3);
  EXPECT_EQ(0, text->offsetAtPoint(r.center() - QPoint(r.width() / 2 - 1, 0)));
}

} // namespace
} // namespace quillon

