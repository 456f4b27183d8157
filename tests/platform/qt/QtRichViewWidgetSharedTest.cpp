// Two widgets over one editor control, as the one-line editor and a larger window share the
// hyperlink document: one shows it at a time, the other takes no input and says where it is.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "platform/qt/RVQtRichViewWidget.h"
#include "tests/platform/qt/RichViewWidgetFixture.h"

namespace quillon {
namespace {

using namespace richtext;

class QtRichViewWidgetSharedTest : public test::RichViewWidgetFixture {
protected:
  QtRichViewWidgetSharedTest() : RichViewWidgetFixture(21) {
    Doc.Build(u"Hyperlink title", u"http://blog.example/");
    OneLineTop = Edit().GetTopMargin();
    OneLineBottom = Edit().GetBottomMargin();
  }
  // A second, taller widget over the same control, shown and focused.
  std::unique_ptr<TRVQtRichViewWidget> OpenLarge() {
    auto large = std::make_unique<TRVQtRichViewWidget>(Edit(), Canvas);
    large->resize(420, 200);
    large->show();
    large->activateWindow();
    large->setFocus();
    QApplication::processEvents();
    return large;
  }
  // The control is formatted for Shown's area.
  void ExpectFormattedFor(const TRVQtRichViewWidget& Shown) {
    EXPECT_TRUE(Shown.ShowsView());
    EXPECT_EQ(Shown.contentsRect().width(), Edit().GetClientWidth());
    EXPECT_EQ(Shown.contentsRect().height(), Edit().GetClientHeight());
  }
  std::u16string Text() {
    std::u16string text;
    for (int i = 0; i < Edit().ItemCount(); ++i)
      text += (i > 0 && Edit().IsParaStart(i) ? u"|" : u"") + Edit().GetItemText(i);
    return text;
  }

  // The control's own margins, which only a one-line widget narrows.
  const int ViewTop = richtext::test::TTestHyperlinkDocument(&Canvas).RichViewEdit1.GetTopMargin();
  int OneLineTop = 0;
  int OneLineBottom = 0;
};

TEST_F(QtRichViewWidgetSharedTest, ANewWidgetTakesTheControlAndGivesItBackWithItsLayout) {
  ASSERT_LT(OneLineTop, ViewTop); // the one-line widget keeps its line clear of the frame
  std::unique_ptr<TRVQtRichViewWidget> large = OpenLarge();
  ExpectFormattedFor(*large);
  EXPECT_FALSE(Widget->ShowsView());
  EXPECT_EQ(Qt::NoFocus, Widget->focusPolicy());
  // The larger widget has the control's own margins, not those the one-line widget fitted.
  EXPECT_EQ(ViewTop, Edit().GetTopMargin());
  EXPECT_EQ(large->contentsRect().width(), Edit().GetAreaWidth());

  // Typed there, the paragraphs are the control's; the one-line widget shows them again.
  QTest::keyClick(large.get(), Qt::Key_End);
  QTest::keyClick(large.get(), Qt::Key_Return);
  QTest::keyClicks(large.get(), QStringLiteral("second"));
  EXPECT_EQ(u"Hyperlink title|second", Text());
  Widget->ShowView();
  ExpectFormattedFor(*Widget);
  EXPECT_FALSE(large->ShowsView());
  EXPECT_EQ(Qt::StrongFocus, Widget->focusPolicy());
  EXPECT_EQ(OneLineTop, Edit().GetTopMargin());
  EXPECT_EQ(OneLineBottom, Edit().GetBottomMargin());
  EXPECT_EQ(u"Hyperlink title|second", Text());
  EXPECT_FALSE(Widget->VerticalScrollBar()->isVisible());
  // And back again: the caret stayed where the typing left it.
  large->ShowView();
  ExpectFormattedFor(*large);
  QTest::keyClicks(large.get(), QStringLiteral(" line"));
  EXPECT_EQ(u"Hyperlink title|second line", Text());
}

TEST_F(QtRichViewWidgetSharedTest, TheWidgetAwayTakesNoInputAndSaysWhereTheDocumentIs) {
  Widget->SetAwayText(QStringLiteral("Edited elsewhere"));
  std::unique_ptr<TRVQtRichViewWidget> large = OpenLarge();
  const int width = Edit().GetClientWidth();
  QSignalSpy clicked(Widget.get(), &TRVQtRichViewWidget::AwayClicked);
  QTest::keyClicks(Widget.get(), QStringLiteral("typed"));
  QTest::mouseClick(Widget.get(), Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(1, clicked.count());
  QTest::mouseDClick(Widget.get(), Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(u"Hyperlink title", Text());
  EXPECT_TRUE(Edit().RVData->SelectionExists(true, true)); // as the build left it
  // A resize of the widget away leaves the control formatted for the one that shows it.
  Widget->resize(200, 40);
  QApplication::processEvents();
  EXPECT_EQ(width, Edit().GetClientWidth());
  ExpectFormattedFor(*large);
  // It paints its note, not the document's blue link.
  const QImage away = Widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int blue = 0, ink = 0;
  for (int y = 0; y < away.height(); ++y)
    for (int x = 0; x < away.width(); ++x) {
      const QRgb p = away.pixel(x, y);
      blue += qBlue(p) > 180 && qRed(p) < 90 && qGreen(p) < 90;
      ink += Widget->contentsRect().contains(x, y) && qGray(p) < 200;
    }
  EXPECT_EQ(0, blue);
  EXPECT_GT(ink, 20);
}

TEST_F(QtRichViewWidgetSharedTest, AWidgetThatGoesLeavesTheControlWithItsOwnMargins) {
  std::unique_ptr<TRVQtRichViewWidget> large = OpenLarge();
  large.reset();
  EXPECT_EQ(nullptr, Edit().GetHost());
  EXPECT_EQ(ViewTop, Edit().GetTopMargin());
  Widget->ShowView();
  ExpectFormattedFor(*Widget);
  EXPECT_EQ(OneLineTop, Edit().GetTopMargin());
  QTest::keyClick(Widget.get(), Qt::Key_End);
  QTest::keyClicks(Widget.get(), QStringLiteral("!"));
  EXPECT_EQ(u"Hyperlink title!", Text());
}

TEST_F(QtRichViewWidgetSharedTest, TheLargerWidgetScrollsWhatTheOneLineWidgetCannot) {
  std::unique_ptr<TRVQtRichViewWidget> large = OpenLarge();
  QTest::keyClick(large.get(), Qt::Key_End);
  for (int i = 0; i < 20; ++i) {
    QTest::keyClick(large.get(), Qt::Key_Return);
    QTest::keyClicks(large.get(), QStringLiteral("paragraph %1").arg(i));
  }
  EXPECT_TRUE(large->VerticalScrollBar()->isVisible());
  EXPECT_GT(large->VerticalScrollBar()->maximum(), 0);
  EXPECT_EQ(large->contentsRect().width() - large->VerticalScrollBar()->width(),
            Edit().GetAreaWidth());
  Widget->ShowView();
  EXPECT_FALSE(large->VerticalScrollBar()->isVisible());
  EXPECT_FALSE(Widget->VerticalScrollBar()->isVisible());
  EXPECT_EQ(Widget->contentsRect().width(), Edit().GetAreaWidth());
}

} // namespace
} // namespace quillon
