// The hyperlink under the mouse pointer painted in the hover colours, and the caret painted
// over the document, on a recording canvas.
#include <memory>

#include <gtest/gtest.h>

#include "richtext/style/RVColor.h"
#include "tests/richtext/layout/paint/PaintRecordingCanvas.h"
#include "tests/support/RVTestGraphics.h"
#include "tests/support/TestHyperlinkDocument.h"

namespace richtext::test {
namespace {

class HoverPaintTest : public ::testing::Test {
protected:
  HoverPaintTest() : Doc(&Canvas) {
    Doc.RVStyle1.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
    Doc.RichViewEdit1.SetClientSize(302, 40);
    Doc.Build(u"Title", u"http://a.example/");
    Doc.RichViewEdit1.Deselect();
  }
  TCustomRVFormattedData& Data() { return *Doc.RichViewEdit1.RVData; }
  std::string Paint() {
    TPaintRecordingCanvas out;
    Data().PaintTo(out, TRect{});
    return out.Drawn();
  }
  // The colour the title's text is drawn in.
  std::string TextColour() {
    // "text "Title" at X,Y COLOUR ..."
    const std::string drawn = Paint();
    const std::size_t at = drawn.find("\" at ");
    if (at == std::string::npos)
      return drawn;
    const std::size_t from = drawn.find(' ', at + 5) + 1;
    return drawn.substr(from, drawn.find(' ', from) - from);
  }
  void Hover(int X, int Y) { Doc.RichViewEdit1.MouseMove({}, X, Y); }

  TRVStateCanvas Canvas{96, 96};
  TTestHyperlinkDocument Doc;
};

TEST_F(HoverPaintTest, HoveredLinkTakesTheStylesHoverColourThenTheSheets) {
  Doc.RVStyle1.HoverColor = 0x000000FF; // red
  EXPECT_EQ("FF0000", TextColour());    // blue, as built
  Hover(10, 10);
  ASSERT_EQ(0, Doc.RichViewEdit1.GetHoverItemNo());
  EXPECT_EQ("FF", TextColour());
  // The style's own hover colour comes first.
  Doc.RVStyle1.TextStyles[6].HoverColor = 0x0000FF00;
  EXPECT_EQ("FF00", TextColour());
  // Leaving the link restores its colour.
  Doc.RichViewEdit1.MouseLeave();
  EXPECT_EQ("FF0000", TextColour());
}

TEST_F(HoverPaintTest, WithoutHoverColoursTheLinkKeepsItsColour) {
  // The link tool's own style sheet sets no hover colour: the pointer changes, the text not.
  Hover(10, 10);
  ASSERT_EQ(0, Doc.RichViewEdit1.GetHoverItemNo());
  EXPECT_EQ("FF0000", TextColour());
}

TEST_F(HoverPaintTest, CaretIsDrawnAfterTheTextOnlyWhileFocused) {
  Doc.RichViewEdit1.SetCaretPos(TRVCaretPos{0, 3, false}, false);
  EXPECT_EQ(std::string::npos, Paint().find("fill 19,5-20,18"));
  Doc.RichViewEdit1.SetFocused(true);
  const std::string drawn = Paint();
  // "Ti" is 14 wide from x 5: the caret is the last thing drawn, one pixel wide.
  const std::size_t caret = drawn.find("fill 19,5-20,18 ");
  ASSERT_NE(std::string::npos, caret) << drawn;
  EXPECT_GT(caret, drawn.find("text \"Title\"")) << drawn;
}

} // namespace
} // namespace richtext::test
