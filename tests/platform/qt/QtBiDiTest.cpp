// Text in both directions against Qt's own layout of the same text in the same font: every
// caret place of the engine's layout where QTextLine::cursorToX puts it, and the pixels drawn
// where Qt draws them, for Hebrew, Arabic with its joining, numbers inside right-to-left text
// and Latin inside right-to-left text; and the same for justified lines.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphicInterface.h"
#include "richtext/base/RVBiDi.h"
#include "richtext/control/RichView.h"
#include "richtext/layout/RVCaretLayout.h"
#include "richtext/style/RVStyle.h"

namespace quillon {
namespace {

using namespace richtext;

QString ToQ(std::u16string_view s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

struct TCase {
  const char* Name;
  std::u16string Text;
};

const TCase kCases[] = {
    {"Hebrew", u"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD"},
    {"Arabic", u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645"},
    {"numbers", u"\u05E9\u05DC\u05D5\u05DD 2026 \u05E2\u05D5\u05DC\u05DD"},
    {"Latin", u"\u05E9\u05DC\u05D5\u05DD Quillon \u05E2\u05D5\u05DC\u05DD"},
    {"brackets", u"\u05E9\u05DC\u05D5\u05DD (\u05E2\u05D5\u05DC\u05DD)"},
};

class QtBiDiTest : public ::testing::Test {
protected:
  QtBiDiTest() {
    Style.SetGraphicInterface(std::make_unique<TRVQtGraphicInterface>());
    TParaInfo* rtl = Style.ParaStyles.Add();
    rtl->BiDiMode = rvbdRightToLeft;
    RtlPara = rtl->GetIndex();
    RV.SetStyle(&Style);
    RV.SetCanvas(&Canvas);
    RV.SetClientSize(400, 60);
  }
  // Text as one paragraph, of the right-to-left paragraph style unless ParaNo names another.
  void Build(const std::u16string& Text, int ParaNo = -1) {
    RV.Clear();
    RV.AddNL(Text, 0, ParaNo < 0 ? RtlPara : ParaNo);
    RV.Format();
    Style.ApplyStyle(Canvas, 0, rvbdUnspecified, false);
    Font = Canvas.GetQFont();
  }
  // The leftmost x of the first line.
  int LineLeft() {
    int left = RV.RVData->DrawItems[0]->Left;
    for (std::int32_t i = 1; i < RV.RVData->DrawItems.Count(); ++i)
      left = std::min(left, RV.RVData->DrawItems[i]->Left);
    return left;
  }
  // Qt's layout of the same text, right to left, from x 0.
  std::unique_ptr<QTextLayout> QtLayout(const std::u16string& Text) {
    auto layout = std::make_unique<QTextLayout>(ToQ(Text), Font);
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    line.setLineWidth(10000);
    layout->endLayout();
    return layout;
  }
  // The engine's layout painted on white through the Qt canvas.
  QImage PaintEngine(int Width, int Height, const TRect& Clip) {
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      Canvas.SetPainter(&painter);
      RV.RVData->PaintTo(Canvas, Clip);
      Canvas.SetPainter(nullptr);
    }
    return image;
  }
  // Columns of the image holding dark pixels, and their span.
  static std::vector<int> InkColumns(const QImage& Image) {
    std::vector<int> columns;
    for (int x = 0; x < Image.width(); ++x)
      for (int y = 0; y < Image.height(); ++y)
        if (qGray(Image.pixel(x, y)) < 160) {
          columns.push_back(x);
          break;
        }
    return columns;
  }

  TRVStyle Style;
  TRVQtCanvas Canvas{96, 96};
  TRichView RV;
  int RtlPara = 0;
  QFont Font;
};

TEST_F(QtBiDiTest, EveryCaretPlaceIsWhereQtsLayoutPutsIt) {
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.Name);
    Build(c.Text);
    const auto qt = QtLayout(c.Text);
    const QTextLine line = qt->lineAt(0);
    std::vector<std::uint8_t> levels;
    RVBiDi_Levels(c.Text, 1, levels);
    TRVCaretLayout layout(*RV.RVData, Canvas);
    const int left = LineLeft();
    const int n = static_cast<int>(c.Text.size());
    int compared = 0;
    for (int i = 0; i <= n; ++i) {
      // Places between characters of different levels show at one of two sides; the ones
      // inside a run have one answer.
      if (i > 0 && i < n && levels[static_cast<std::size_t>(i - 1)] != levels[static_cast<std::size_t>(i)])
        continue;
      const int ours = layout.XOf(layout.ToDraw(TRVCaretPos{0, i + 1, false})) - left;
      const double theirs = line.cursorToX(i) - line.naturalTextRect().left();
      EXPECT_NEAR(theirs, ours, 2.0) << "place " << i;
      ++compared;
    }
    EXPECT_GT(compared, n / 2);
  }
}

TEST_F(QtBiDiTest, TheTextIsDrawnWhereQtDrawsIt) {
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.Name);
    Build(c.Text);
    const QImage ours = PaintEngine(400, 40, TRect{0, 0, 400, 40});
    const auto qt = QtLayout(c.Text);
    QImage theirs(400, 40, QImage::Format_RGB32);
    theirs.fill(Qt::white);
    {
      QPainter painter(&theirs);
      const TRVDrawLineInfo& d = *RV.RVData->DrawItems[0];
      qt->draw(&painter, QPointF(LineLeft(), d.BaseLine - qt->lineAt(0).ascent()));
    }
    const std::vector<int> a = InkColumns(ours), b = InkColumns(theirs);
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(b.empty());
    EXPECT_NEAR(a.front(), b.front(), 1);
    EXPECT_NEAR(a.back(), b.back(), 1);
    // Nearly every inked column of one is inked in the other.
    int shared = 0;
    for (int x : a)
      shared += std::binary_search(b.begin(), b.end(), x) ? 1 : 0;
    EXPECT_GE(shared * 10, static_cast<int>(a.size()) * 9) << shared << " of " << a.size();
  }
}

const TCase kJustifiedCases[] = {
    {"Hebrew", u"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD \u05D0\u05D1\u05D2 "
               u"\u05D3\u05D4\u05D5 \u05D6\u05D7\u05D8 \u05D9\u05DB\u05DC \u05DE\u05E0\u05E1 "
               u"\u05E2\u05E4\u05E6 \u05E7\u05E8\u05E9 \u05EA\u05D0\u05D1 \u05D2\u05D3"},
    {"Arabic", u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645 "
               u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645 "
               u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645 "
               u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645 "
               u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645"},
    {"Latin", u"\u05E9\u05DC\u05D5\u05DD Quillon \u05E2\u05D5\u05DC\u05DD links and "
              u"\u05D0\u05D1\u05D2 \u05D3\u05D4\u05D5 titles \u05D6\u05D7\u05D8 "
              u"\u05D9\u05DB\u05DC 2026 \u05DE\u05E0\u05E1 \u05E2\u05E4\u05E6"},
};

// Justified paragraphs of several lines: the first line's extra width goes to the spaces of
// its right-to-left runs as Qt's justified layout of the same text and width spreads it.
class QtJustifiedBiDiTest : public QtBiDiTest {
protected:
  static constexpr int kWidth = 250;
  QtJustifiedBiDiTest() {
    TParaInfo* p = Style.ParaStyles.Add();
    p->BiDiMode = rvbdRightToLeft;
    p->Alignment = rvaJustify;
    JustifiedPara = p->GetIndex();
    RV.SetClientSize(kWidth + 10, 120);
  }
  // The characters of the engine's first line (its drawing items up to the next line).
  int FirstLineLength() {
    int length = 0;
    for (std::int32_t i = 0; i < RV.RVData->DrawItems.Count(); ++i) {
      if (i > 0 && RV.RVData->DrawItems[i]->FromNewLine)
        break;
      length = std::max(length, RV.RVData->DrawItems[i]->Offs - 1 +
                                    RV.RVData->DrawItems[i]->TextLength);
    }
    return length;
  }
  // Qt's justified layout, right to left, with a first line as long as the engine's. Qt
  // justifies such a line to its width less the wrap's space and leaves that space at the
  // right; its line is that much wider, so that its text too spans the engine's width.
  std::unique_ptr<QTextLayout> QtJustified(const std::u16string& Text, int FirstLength) {
    auto layout = std::make_unique<QTextLayout>(ToQ(Text), Font);
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignJustify);
    layout->setTextOption(option);
    layout->beginLayout();
    QTextLine first = layout->createLine();
    first.setNumColumns(FirstLength, kWidth + QFontMetricsF(Font).horizontalAdvance(u' '));
    first.setPosition(QPointF(0, 0));
    QTextLine rest = layout->createLine();
    rest.setLineWidth(kWidth);
    layout->endLayout();
    return layout;
  }
  // How many of the columns A have a column of B within Distance.
  static int ShareNear(const std::vector<int>& A, const std::vector<int>& B, int Distance) {
    int shared = 0;
    for (int x : A) {
      const auto it = std::lower_bound(B.begin(), B.end(), x - Distance);
      shared += it != B.end() && *it <= x + Distance ? 1 : 0;
    }
    return shared;
  }
  int JustifiedPara = 0;
};

TEST_F(QtJustifiedBiDiTest, EveryCaretPlaceOfAJustifiedLineIsWhereQtsLayoutPutsIt) {
  for (const TCase& c : kJustifiedCases) {
    SCOPED_TRACE(c.Name);
    Build(c.Text, JustifiedPara);
    ASSERT_GT(RV.RVData->DrawItems.Count(), 1);
    // The first line wraps and is justified: its runs fill the width.
    const int length = FirstLineLength();
    ASSERT_LT(length, static_cast<int>(c.Text.size()));
    const auto qt = QtJustified(c.Text, length);
    const QTextLine line = qt->lineAt(0);
    // Qt counts the wrap's space into its line; the engine's line ends before it.
    ASSERT_EQ(length + 1, line.textLength());
    ASSERT_EQ(u' ', c.Text[static_cast<std::size_t>(length)]);
    std::vector<std::uint8_t> levels;
    RVBiDi_Levels(c.Text, 1, levels);
    TRVCaretLayout layout(*RV.RVData, Canvas);
    int compared = 0;
    for (int i = 0; i < length; ++i) {
      if (i > 0 && levels[static_cast<std::size_t>(i - 1)] != levels[static_cast<std::size_t>(i)])
        continue;
      const int ours = layout.XOf(layout.ToDraw(TRVCaretPos{0, i + 1, i == 0})) - 5;
      EXPECT_NEAR(line.cursorToX(i), ours, 2.0) << "place " << i;
      ++compared;
    }
    EXPECT_GT(compared, length / 2);
  }
}

TEST_F(QtJustifiedBiDiTest, AJustifiedLineIsDrawnWhereQtDrawsIt) {
  for (const TCase& c : kJustifiedCases) {
    SCOPED_TRACE(c.Name);
    Build(c.Text, JustifiedPara);
    const TRVDrawLineInfo& d = *RV.RVData->DrawItems[0];
    const QImage ours = PaintEngine(kWidth + 10, 40, TRect{0, 0, kWidth + 10, d.Top + d.Height});
    const auto qt = QtJustified(c.Text, FirstLineLength());
    QImage theirs(kWidth + 10, 40, QImage::Format_RGB32);
    theirs.fill(Qt::white);
    {
      QPainter painter(&theirs);
      const QTextLine line = qt->lineAt(0);
      line.draw(&painter, QPointF(5, d.BaseLine - line.ascent()));
    }
    const std::vector<int> a = InkColumns(ours), b = InkColumns(theirs);
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(b.empty());
    // The line reaches both margins, as Qt's does.
    EXPECT_NEAR(a.front(), b.front(), 1);
    EXPECT_NEAR(a.back(), b.back(), 1);
    EXPECT_NEAR(kWidth + 5, a.back(), 2);
    // Each run is measured on its own, Qt's line in one piece: the words may stand a pixel or
    // two apart (as the caret places may), but nearly every inked column of either has ink
    // of the other that near, so no word is missing or elsewhere.
    EXPECT_GE(ShareNear(a, b, 2) * 20, static_cast<int>(a.size()) * 19);
    EXPECT_GE(ShareNear(b, a, 2) * 20, static_cast<int>(b.size()) * 19);
  }
}

TEST_F(QtBiDiTest, RightToLeftParagraphIsAtTheRightAndAClickAnswersTheLogicalPlace) {
  const std::u16string text = kCases[0].Text; // two Hebrew words
  Build(text);
  const TRVDrawLineInfo& first = *RV.RVData->DrawItems[0];
  // At the right margin (400 less 5).
  int right = 0;
  for (std::int32_t i = 0; i < RV.RVData->DrawItems.Count(); ++i)
    right = std::max(right, RV.RVData->DrawItems[i]->Left + RV.RVData->DrawItems[i]->Width);
  EXPECT_EQ(395, right);
  // A click just left of the first word's first letter (the rightmost glyph) lands after it,
  // so that a Z typed there goes after that letter.
  TRVCaretLayout layout(*RV.RVData, Canvas);
  const int afterFirst = layout.XOf(layout.ToDraw(TRVCaretPos{0, 2, false}));
  EXPECT_EQ(2, layout.PosAt(afterFirst + 1, first.Top + 2).Offs);
  EXPECT_EQ(1, layout.PosAt(right - 1, first.Top + 2).Offs);
}

TEST_F(QtBiDiTest, TheCaretWalksRightToLeftTextInOneDirectionStepByStep) {
  for (const TCase& c : {kCases[0], kCases[1]}) {
    SCOPED_TRACE(c.Name);
    Build(c.Text);
    TRVCaretLayout layout(*RV.RVData, Canvas);
    TRVCaretPos p = layout.DocStart();
    int x = layout.XOf(layout.ToDraw(p));
    int steps = 0;
    for (TRVCaretPos next = layout.NextChar(p); !(next == p); p = next, next = layout.NextChar(p)) {
      const int nx = layout.XOf(layout.ToDraw(next));
      EXPECT_LT(nx, x) << "step " << steps << " to " << next.Offs;
      x = nx;
      ++steps;
    }
    EXPECT_EQ(static_cast<int>(c.Text.size()), steps);
  }
}

} // namespace
} // namespace quillon
