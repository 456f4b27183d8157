// Editing in the rich view widget through Qt's own events: keys sent with QTest, input-method
// events as an input method sends them, and the system clipboard of the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphicInterface.h"
#include "platform/qt/RVQtRichViewWidget.h"
#include "richtext/base/RVUni.h"
#include "tests/richtext/export/clipboard/RecordingClipboard.h"
#include "tests/support/TestHyperlinkDocument.h"

namespace quillon {
namespace {

using namespace richtext;

class QtEditingWidgetTest : public ::testing::Test {
protected:
  QtEditingWidgetTest() : Doc(&Canvas) {
    static const bool clipboard = [] {
      RegisterQtClipboard();
      return true;
    }();
    (void)clipboard;
    Doc.RVStyle1.SetGraphicInterface(std::make_unique<TRVQtGraphicInterface>());
    Widget = std::make_unique<TRVQtRichViewWidget>(Doc.RichViewEdit1, Canvas);
    Widget->resize(306, 60);
    Widget->UpdateClientSize();
    Doc.Build(u"title", u"http://blog.example/");
    Editor().SetSelectionBounds(0, 6, 0, 6); // the caret after the title
  }
  TRichViewEdit& Editor() { return Doc.RichViewEdit1; }
  // "style'text'{tag}" per item; "|" starts a paragraph, "/" a line.
  std::string Items() {
    std::string out;
    for (std::int32_t i = 0; i < Editor().ItemCount(); ++i) {
      const TCustomRVItemInfo* it = Editor().RVData->GetItem(i);
      out += i == 0 ? "" : it->GetSameAsPrev() ? " " : it->GetBR() ? " / " : " | ";
      out += std::to_string(it->StyleNo) + "'" + RVU_UnicodeToUtf8(it->ItemText) + "'";
      if (!it->Tag.empty())
        out += "{" + RVU_UnicodeToUtf8(it->Tag) + "}";
    }
    return out;
  }
  void Preedit(const QString& Text) {
    QList<QInputMethodEvent::Attribute> attributes{
        {QInputMethodEvent::TextFormat, 0, static_cast<int>(Text.size()), QVariant()},
        {QInputMethodEvent::Cursor, static_cast<int>(Text.size()), 1, QVariant()}};
    QInputMethodEvent event(Text, attributes);
    QApplication::sendEvent(Widget.get(), &event);
  }
  void Commit(const QString& Text) {
    QInputMethodEvent event;
    event.setCommitString(Text);
    QApplication::sendEvent(Widget.get(), &event);
  }

  TRVQtCanvas Canvas{96, 96};
  richtext::test::TTestHyperlinkDocument Doc;
  std::unique_ptr<TRVQtRichViewWidget> Widget;
};

TEST_F(QtEditingWidgetTest, KeysTypeBreakDeleteUndoAndRedo) {
  QTest::keyClicks(Widget.get(), " new");
  EXPECT_EQ("6'title'{http://blog.example/} 0' new'", Items());
  QTest::keyClick(Widget.get(), Qt::Key_Return);
  QTest::keyClicks(Widget.get(), "ab");
  QTest::keyClick(Widget.get(), Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClicks(Widget.get(), "cd");
  EXPECT_EQ("6'title'{http://blog.example/} 0' new' | 0'ab' / 0'cd'", Items());
  QTest::keyClick(Widget.get(), Qt::Key_Backspace);
  QTest::keyClick(Widget.get(), Qt::Key_Backspace, Qt::ControlModifier);
  EXPECT_EQ("6'title'{http://blog.example/} 0' new' | 0'ab' / 0''", Items());
  QTest::keyClick(Widget.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ("6'title'{http://blog.example/} 0' new' | 0'ab' / 0'c'", Items());
  QTest::keyClick(Widget.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ("6'title'{http://blog.example/} 0' new' | 0'ab' / 0''", Items());
  QTest::keyClick(Widget.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(Widget.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(Widget.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ("6'title'{http://blog.example/} 0' new' | 0'ab' / 0'c'", Items());
  // Shortcut modifiers never type.
  QTest::keyClick(Widget.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ("6'title'{http://blog.example/} 0' new' | 0'ab' / 0'c'", Items());
}

TEST_F(QtEditingWidgetTest, CutAndPasteKeepTheHyperlinkThroughTheSystemClipboard) {
  Editor().SelectAll();
  QTest::keyClick(Widget.get(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ("0''", Items());
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_NE(nullptr, data);
  EXPECT_EQ("title", data->text());
  EXPECT_TRUE(data->hasFormat("RichView Format"));
  QTest::keyClick(Widget.get(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ("6'title'{http://blog.example/}", Items());
  QTest::keyClick(Widget.get(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ("6'titletitle'{http://blog.example/}", Items());
  Editor().SelectAll();
  QTest::keyClick(Widget.get(), Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ("0''", Items());
}

TEST_F(QtEditingWidgetTest, AFailingCutPasteOrCopyReachesTheHostsErrorBoxAndChangesNothing) {
  std::vector<std::string> reported;
  Widget->SetGuard([&](const std::function<void()>& call) {
    try {
      call();
    } catch (const std::exception& e) {
      reported.push_back(e.what());
    }
  });
  richtext::test::TRecordingClipboard held;
  held.RefuseFrom = 1;
  richtext::test::TInstalledClipboard installed(held);
  Editor().SelectAll();
  QTest::keyClick(Widget.get(), Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(Widget.get(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(Widget.get(), Qt::Key_C, Qt::ControlModifier);
  const std::string message = "Cannot open clipboard: held by another program";
  EXPECT_EQ((std::vector<std::string>{message, message, message}), reported);
  EXPECT_EQ("6'title'{http://blog.example/}", Items());
}

TEST_F(QtEditingWidgetTest, PlainTextFromAnotherProgramIsPastedAsText) {
  auto* mime = new QMimeData;
  mime->setText("from\nelsewhere");
  QApplication::clipboard()->setMimeData(mime);
  QTest::keyClick(Widget.get(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ("6'title'{http://blog.example/} 0'from' | 0'elsewhere'", Items());
  QTest::keyClick(Widget.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ("6'title'{http://blog.example/}", Items());
}

TEST_F(QtEditingWidgetTest, HTMLAndRTFFromOtherProgramsArePastedWithTheirFormattingAndLinks) {
  auto* mime = new QMimeData;
  mime->setText("from\nelsewhere");
  mime->setHtml("<b>from</b><br><a href=\"http://other.example/\">elsewhere</a>");
  QApplication::clipboard()->setMimeData(mime);
  QTest::keyClick(Widget.get(), Qt::Key_V, Qt::ControlModifier);
  // Bold is a style the sheet lacked; the link finds the label's link style.
  EXPECT_EQ("6'title'{http://blog.example/} 7'from' / 6'elsewhere'{http://other.example/}", Items());
  QTest::keyClick(Widget.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ("6'title'{http://blog.example/}", Items());
  // RTF comes before HTML, as word processors offer both.
  mime = new QMimeData;
  mime->setHtml("<i>html</i>");
  mime->setData("text/rtf", "{\\rtf1 {\\b\\fs20 rtf}}");
  QApplication::clipboard()->setMimeData(mime);
  QTest::keyClick(Widget.get(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ("6'title'{http://blog.example/} 7'rtf'", Items());
}

TEST_F(QtEditingWidgetTest, InputMethodPreeditShowsAtTheCaretAndTheCommitIsOneStep) {
  const QRect caret = Widget->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const TRVDrawLineInfo& run = *Editor().RVData->DrawItems[0];
  const QPoint origin = Widget->contentsRect().topLeft();
  EXPECT_EQ(origin.x() + run.Left + run.Width, caret.left());
  EXPECT_EQ(origin.y() + run.Top, caret.top());
  EXPECT_EQ(run.Height, caret.height());
  EXPECT_TRUE(Widget->inputMethodQuery(Qt::ImEnabled).toBool());
  EXPECT_EQ(5, Widget->inputMethodQuery(Qt::ImCursorPosition).toInt());
  EXPECT_EQ("title", Widget->inputMethodQuery(Qt::ImSurroundingText).toString());

  Preedit("zhong");
  EXPECT_EQ("zhong", Widget->PreeditText());
  // Laid out at the caret, at the link's end as plain text of its own; the input method is
  // told the text of that item without the preedit, which is not text yet.
  EXPECT_EQ("6'title'{http://blog.example/} 0'zhong'", Items());
  EXPECT_EQ("", Widget->inputMethodQuery(Qt::ImSurroundingText).toString());
  EXPECT_EQ(0, Widget->inputMethodQuery(Qt::ImCursorPosition).toInt());
  EXPECT_FALSE(Editor().CanUndo());
  // The preedit is drawn to the right of the caret.
  const QImage img = Widget->grab().toImage();
  int dark = 0;
  for (int y = caret.top(); y < caret.bottom(); ++y)
    for (int x = caret.left() + 1; x < caret.left() + 40 && x < img.width(); ++x)
      if (qGray(img.pixel(x, y)) < 100)
        ++dark;
  EXPECT_GT(dark, 20);

  Commit(QString::fromUtf16(u"\u4E2D\u6587"));
  EXPECT_EQ("", Widget->PreeditText());
  EXPECT_EQ("6'title'{http://blog.example/} 0'\xE4\xB8\xAD\xE6\x96\x87'", Items());
  EXPECT_GT(Widget->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), caret.left());
  QTest::keyClick(Widget.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ("6'title'{http://blog.example/}", Items());
}

TEST_F(QtEditingWidgetTest, APreeditPushesTheTextAfterItAsideAndIsUnderlined) {
  QTest::keyClick(Widget.get(), Qt::Key_Home);
  const TRVDrawLineInfo& link = *Editor().RVData->DrawItems[0];
  const int left = link.Left;
  QInputMethodEvent event(QStringLiteral("ni"), {{QInputMethodEvent::Cursor, 1, 1, QVariant()}});
  QApplication::sendEvent(Widget.get(), &event);
  EXPECT_EQ("0'ni' 6'title'{http://blog.example/}", Items());
  const TRVDrawLineInfo& first = *Editor().RVData->DrawItems[0];
  const TRVDrawLineInfo& moved = *Editor().RVData->DrawItems[1];
  EXPECT_EQ(left, first.Left);
  EXPECT_EQ(first.Left + first.Width, moved.Left); // the title moved aside by the preedit
  EXPECT_EQ(0, Widget->inputMethodQuery(Qt::ImCursorPosition).toInt());
  const QRect caret = Widget->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  EXPECT_GT(caret.left(), Widget->contentsRect().left() + first.Left); // one character in
  EXPECT_LT(caret.left(), Widget->contentsRect().left() + moved.Left);

  // An unbroken dark line under the preedit, two pixels above its line's bottom.
  const QImage img = Widget->grab().toImage();
  const QPoint origin = Widget->contentsRect().topLeft();
  const int y = origin.y() + first.Top + first.Height - 2;
  for (int x = origin.x() + first.Left; x < origin.x() + first.Left + first.Width; ++x)
    EXPECT_LT(qGray(img.pixel(x, y)), 100) << "at x " << x;

  // A click ends the composition: without an input method to commit it, it goes.
  QTest::mouseClick(Widget.get(), Qt::LeftButton, {}, QPoint(origin.x() + moved.Left + 3, origin.y() + 5));
  EXPECT_EQ("", Widget->PreeditText());
  EXPECT_EQ("6'title'{http://blog.example/}", Items());
  EXPECT_FALSE(Editor().CanUndo());
}

TEST_F(QtEditingWidgetTest, ACommitReplacesTheRangeTheInputMethodNames) {
  QInputMethodEvent event;
  event.setCommitString(QStringLiteral("X"), -2, 2); // "le" before the caret becomes "X"
  QApplication::sendEvent(Widget.get(), &event);
  EXPECT_EQ("6'tit'{http://blog.example/} 0'X'", Items()); // after the link, as typing is
  QTest::keyClick(Widget.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ("6'title'{http://blog.example/}", Items());
}

TEST_F(QtEditingWidgetTest, AReadOnlyEditorTakesNoTextButStillCopies) {
  Editor().SetReadOnly(true);
  QTest::keyClicks(Widget.get(), "abc");
  QTest::keyClick(Widget.get(), Qt::Key_Backspace);
  Commit("x");
  EXPECT_EQ("6'title'{http://blog.example/}", Items());
  EXPECT_FALSE(Widget->inputMethodQuery(Qt::ImEnabled).toBool());
  Editor().SelectAll();
  QApplication::clipboard()->clear();
  EXPECT_TRUE(Editor().CopyDef());
  EXPECT_EQ("title", QApplication::clipboard()->text());
}

} // namespace
} // namespace quillon
