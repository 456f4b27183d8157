// The rich view widget rendering the hyperlink document offscreen: pixels, not calls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphicInterface.h"
#include "platform/qt/RVQtRichViewWidget.h"
#include "richtext/style/RVColor.h"
#include "tests/support/TestHyperlinkDocument.h"

namespace quillon {
namespace {

using namespace richtext;

bool IsBlue(QRgb p) {
  return qBlue(p) > 180 && qRed(p) < 90 && qGreen(p) < 90;
}

class QtRichViewWidgetTest : public ::testing::Test {
protected:
  QtRichViewWidgetTest() : Doc(&Canvas) {
    Doc.RVStyle1.SetGraphicInterface(std::make_unique<TRVQtGraphicInterface>());
    Widget = std::make_unique<TRVQtRichViewWidget>(Doc.RichViewEdit1, Canvas);
    Widget->resize(306, 21);
    Widget->UpdateClientSize();
  }
  QImage Render() { return Widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  // The drawing item's box in widget pixels.
  QRect RunBox() {
    const TRVDrawLineInfo& d = *Doc.RichViewEdit1.RVData->DrawItems[0];
    const QPoint origin = Widget->contentsRect().topLeft();
    return QRect(d.Left + origin.x(), d.Top + origin.y(), d.Width, d.Height);
  }
  int CountPixels(const QImage& img, const QRect& r, bool (*pred)(QRgb)) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if (r.contains(x, y) && img.rect().contains(x, y) && pred(img.pixel(x, y)))
          ++n;
    return n;
  }

  TRVQtCanvas Canvas{96, 96};
  richtext::test::TTestHyperlinkDocument Doc;
  std::unique_ptr<TRVQtRichViewWidget> Widget;
};

TEST_F(QtRichViewWidgetTest, EmptyEditorIsWhiteInsideItsFrame) {
  EXPECT_EQ(Widget->contentsRect().width(), Doc.RichViewEdit1.GetClientWidth());
  EXPECT_EQ(Widget->contentsRect().height(), Doc.RichViewEdit1.GetClientHeight());
  EXPECT_NE(QFrame::NoFrame, Widget->frameShape());
  const QImage img = Render();
  const QRect inside = Widget->contentsRect();
  EXPECT_EQ(inside.width() * inside.height(),
            CountPixels(img, inside, [](QRgb p) { return p == qRgb(255, 255, 255); }));
}

TEST_F(QtRichViewWidgetTest, HyperlinkIsBlueAndItsUnderlineRowIsBlueAcrossTheRun) {
  Doc.Build(u"Hyperlink title", u"http://blog.example/");
  Doc.RichViewEdit1.Deselect();
  const QImage img = Render();
  const QRect box = RunBox();
  ASSERT_GT(box.width(), 40);
  EXPECT_GT(CountPixels(img, box, IsBlue), 20);
  // No blue outside the run (the frame and the white area to its right).
  const QRect right(box.right() + 2, 0, img.width() - box.right() - 2, img.height());
  EXPECT_EQ(0, CountPixels(img, right, IsBlue));
  // Some row below the baseline is blue from the run's left to its right edge.
  int underlineRows = 0;
  for (int y = box.top() + box.height() / 2; y <= box.bottom() + 2 && y < img.height(); ++y)
    if (CountPixels(img, QRect(box.left(), y, box.width(), 1), IsBlue) == box.width())
      ++underlineRows;
  EXPECT_EQ(1, underlineRows);
}

TEST_F(QtRichViewWidgetTest, SelectedHyperlinkShowsTheSelectionBackground) {
  Doc.Build(u"Title", u"http://blog.example/");
  ASSERT_TRUE(Doc.SelectionExists());
  const QColor sel = RVQtColor(Doc.RVStyle1.GetSelectionColor(false, true));
  const QImage img = Render();
  const QRect box = RunBox();
  const QRgb selRgb = sel.rgb();
  int selected = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      if (img.pixel(x, y) == selRgb)
        ++selected;
  // Much of the box is the selection colour; the glyphs, drawn at their measured places with
  // antialiased edges that blend into it, cover the rest.
  EXPECT_GT(selected, box.width() * box.height() * 2 / 5);
  EXPECT_EQ(0, CountPixels(img, box, IsBlue));
}

TEST_F(QtRichViewWidgetTest, ResizingFormatsTheDocumentForTheNewWidth) {
  Doc.Build(u"one two three four five six seven", u"http://blog.example/");
  const int lines = Doc.RichViewEdit1.RVData->DrawItems.Count();
  Widget->resize(60, 80);
  Widget->UpdateClientSize();
  EXPECT_EQ(60 - 2 * Widget->frameWidth(), Doc.RichViewEdit1.GetClientWidth());
  EXPECT_GT(Doc.RichViewEdit1.RVData->DrawItems.Count(), lines);
}

} // namespace
} // namespace quillon
