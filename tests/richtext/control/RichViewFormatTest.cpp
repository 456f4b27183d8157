// The control's formatting and selection operations.
#include "richtext/control/RichViewEdit.h"
#include "richtext/layout/format/FormatFixture.h"

namespace richtext::test {
namespace {

class CountingHost : public TRVControlHost {
public:
  void Invalidate() override { ++Invalidations; }
  int Invalidations = 0;
};

class RichViewFormatTest : public FormatFixture {
protected:
  RichViewFormatTest() { RV.SetHost(&Host); }
  CountingHost Host;
};

TEST_F(RichViewFormatTest, FormatLaysOutAtTheClientWidthAndInvalidates) {
  RV.AddNL(u"hello", rvsJump1, -1, u"http://example.com");
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 5 at 5,5 size 35x13 base 15 LP \"hello\"\n", Lines());
  EXPECT_EQ(1, Host.Invalidations);
  RV.SelectAll();
  std::int32_t s, so, e, eo;
  RV.GetSelectionBounds(s, so, e, eo, true);
  EXPECT_EQ("0 1 0 6", std::to_string(s) + " " + std::to_string(so) + " " + std::to_string(e) +
                           " " + std::to_string(eo));
  EXPECT_TRUE(RV.SelectionExists());
  RV.Deselect();
  EXPECT_FALSE(RV.SelectionExists());
}

TEST_F(RichViewFormatTest, NoInvalidationWithoutTheOptionAndNoFormattingWithoutAScrollUnit) {
  RV.SetOptions(RV.GetOptions() - TRVOptions{rvoFormatInvalidate});
  RV.AddNL(u"ab", 0, 0);
  RV.Format();
  EXPECT_EQ(0, Host.Invalidations);
  EXPECT_EQ(1, Data().DrawItems.Count());
  RV.VSmallStep = 0;
  RV.AddNL(u"cd", 0, 0);
  RV.Format();
  EXPECT_EQ(1, Data().DrawItems.Count());
}

TEST_F(RichViewFormatTest, ReformatKeepsTheSelectionAcrossAWidthChange) {
  RV.AddNL(u"aaa bbb", 0, 0);
  RV.Format();
  RV.SetSelectionBounds(0, 5, 0, 8);
  RV.SetClientSize(45, 400);
  RV.Reformat();
  ASSERT_EQ(2, Data().DrawItems.Count());
  std::int32_t s, so, e, eo;
  RV.GetSelectionBounds(s, so, e, eo, true);
  EXPECT_EQ("0 5 0 8", std::to_string(s) + " " + std::to_string(so) + " " + std::to_string(e) +
                           " " + std::to_string(eo));
  RV.FormatAll();
  RV.ReformatAll();
  EXPECT_EQ(2, Data().DrawItems.Count());
}

TEST(RichViewEditFormatTest, ReformatAfterClearFormatsFromScratch) {
  TRVStyle style;
  style.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
  TRVStateCanvas canvas;
  TRichViewEdit edit;
  edit.SetStyle(&style);
  edit.SetCanvas(&canvas);
  edit.SetClientSize(200, 100);
  edit.AddNL(u"abc", 0, 0);
  edit.Format();
  edit.Clear();
  EXPECT_TRUE(edit.RVData->State.Contains(rvstEditorUnformatted));
  edit.AddNL(u"xy", 0, 0);
  edit.Reformat();
  EXPECT_FALSE(edit.RVData->State.Contains(rvstEditorUnformatted));
  EXPECT_EQ("0: item 0 offs 1 len 2 at 5,5 size 14x13 base 15 LP \"xy\"\n",
            edit.RVData->DrawItems.Dump(&edit.RVData->Items()));
}

} // namespace
} // namespace richtext::test
