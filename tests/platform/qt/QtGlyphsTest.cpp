// Runs drawn glyph by glyph on Qt: the advances measured for a run, and glyphs landing where
// those advances put them, so that selection edges fall between glyphs as drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <numeric>
#include <vector>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphicInterface.h"

namespace quillon {
namespace {

using namespace richtext;

class QtGlyphsTest : public ::testing::Test {
protected:
  QtGlyphsTest() {
    TRVFont f;
    f.Name = u"Arial";
    f.Height = -13;
    Canvas.SetFont(f);
  }
  std::vector<int> Advances(std::u16string_view s) {
    std::vector<int> a;
    GI.GetClusterAdvances(Canvas, s, a);
    return a;
  }
  // Columns of the image holding dark pixels.
  static std::vector<bool> Ink(const QImage& image) {
    std::vector<bool> ink(static_cast<std::size_t>(image.width()), false);
    for (int x = 0; x < image.width(); ++x)
      for (int y = 0; y < image.height(); ++y)
        if (qGray(image.pixel(x, y)) < 160)
          ink[static_cast<std::size_t>(x)] = true;
    return ink;
  }
  QImage Draw(std::u16string_view s, const std::vector<int>& advances) {
    QImage image(200, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Canvas.SetPainter(&painter);
    Canvas.SetTextAlign(TA_BASELINE);
    Canvas.TextOutAdvances(10, 20, s, advances);
    Canvas.SetPainter(nullptr);
    return image;
  }

  TRVQtGraphicInterface GI;
  TRVQtCanvas Canvas{96, 96};
};

TEST_F(QtGlyphsTest, AdvancesAddUpToTheMeasuredWidthWithClustersOnTheirFirstUnit) {
  for (std::u16string s : {std::u16string(u"Hello, world"), std::u16string(u"\u00DCber caf\u00E9"),
                           std::u16string(u"\u8BF4\u660E\u6587\u5B57"),
                           std::u16string(u"\u0417\u0434\u0440\u0430\u0432\u0441\u0442\u0432\u0443\u0439"),
                           std::u16string(u"e\u0301te\u0301")}) {
    const std::vector<int> a = Advances(s);
    ASSERT_EQ(s.size(), a.size());
    EXPECT_EQ(GI.TextSizeBasic(Canvas, s).cx, std::accumulate(a.begin(), a.end(), 0))
        << QString::fromStdU16String(s).toStdString();
  }
  // A combining mark belongs to the cluster of its base.
  const std::vector<int> marked = Advances(u"e\u0301x");
  EXPECT_GT(marked[0], 0);
  EXPECT_EQ(0, marked[1]);
  EXPECT_GT(marked[2], 0);
}

TEST_F(QtGlyphsTest, GlyphsLandWhereTheAdvancesPutThem) {
  // Two bars pushed 40 pixels apart: ink at the start of each place, nothing between.
  const std::vector<bool> ink = Ink(Draw(u"ll", {40, 7}));
  auto inkIn = [&](int from, int to) {
    for (int x = from; x < to; ++x)
      if (ink[static_cast<std::size_t>(x)])
        return true;
    return false;
  };
  EXPECT_TRUE(inkIn(10, 15));
  EXPECT_FALSE(inkIn(16, 49));
  EXPECT_TRUE(inkIn(50, 55));
  // Natural advances draw the same text as one plain output would.
  const std::vector<int> natural = Advances(u"Wall");
  QImage placed = Draw(u"Wall", natural);
  QImage plain(200, 30, QImage::Format_RGB32);
  plain.fill(Qt::white);
  {
    QPainter painter(&plain);
    Canvas.SetPainter(&painter);
    Canvas.SetTextAlign(TA_BASELINE);
    Canvas.TextOut(10, 20, u"Wall");
    Canvas.SetPainter(nullptr);
  }
  const std::vector<bool> a = Ink(placed), b = Ink(plain);
  int differing = 0;
  for (std::size_t x = 0; x < a.size(); ++x)
    differing += a[x] != b[x];
  EXPECT_LE(differing, 2);
}

TEST_F(QtGlyphsTest, FallbackFontsAndComplexScriptsAreStillDrawn) {
  // CJK comes from a fallback font cluster by cluster; Arabic is shaped whole.
  for (std::u16string s : {std::u16string(u"\u8BF4\u660E"),
                           std::u16string(u"\u0645\u0631\u062D\u0628\u0627")}) {
    const std::vector<bool> ink = Ink(Draw(s, Advances(s)));
    EXPECT_TRUE(std::find(ink.begin(), ink.end(), true) != ink.end())
        << QString::fromStdU16String(s).toStdString();
  }
}

} // namespace
} // namespace quillon
