// The primitive edit steps on a document without a layout: each answers the step that puts
// the document back, groups revert in reverse order and report what they touched, and a step
// that does not fit the document raises before it changes anything.
#include <gtest/gtest.h>

#include "richtext/document/RVEditOps.h"
#include "richtext/document/RVEditSteps.h"
#include "richtext/document/TestRVData.h"

namespace richtext::test {
namespace {

class EditStepsTest : public ::testing::Test {
protected:
  EditStepsTest() {
    D.AddNL(u"abc", 0, 0);
    D.AddBreak(1, rvbsLine, clNone, {});
    D.AddNL(u"de", 1, 0, u"tag");
  }
  TTestRVData D;
};

TEST_F(EditStepsTest, AGroupRevertsToTheDocumentItStartedFromAndRedoes) {
  const std::string original = D.Items().Dump();
  TRVEditGroup g;
  g.Do(D, RVInsertTextStep(0, 1, u"XY"));
  g.Do(D, RVDeleteTextStep(2, 0, 1));
  g.Do(D, RVDeleteItemStep(1));
  TRVItemProps props = TRVItemProps::Of(*D.GetItem(1));
  props.Options = {rvioSameAsPrev};
  props.StyleNo = 2;
  props.Tag = u"";
  g.Do(D, RVSetItemPropsStep(1, props));
  auto item = CreateRichViewItem(0, &D);
  item->ItemText = u"new";
  g.Do(D, RVInsertItemStep(2, std::move(item)));
  const std::string edited = D.Items().Dump();
  EXPECT_NE(original, edited);
  EXPECT_EQ("delete text 0@1 2\ninsert text 2@0 \"d\"\ninsert item 1 style -1 \"\"\n"
            "set item 1 style 1 para 0 options 0 tag \"tag\"\ndelete item 2\n",
            g.Dump());
  EXPECT_EQ(0, g.Touched().First);
  EXPECT_EQ(0, g.Touched().FromEnd);

  TRVEditGroup redo = g.Revert(D);
  EXPECT_EQ(original, D.Items().Dump());
  TRVEditGroup undo = redo.Revert(D);
  EXPECT_EQ(edited, D.Items().Dump());
  undo.Revert(D);
  EXPECT_EQ(original, D.Items().Dump());
}

TEST_F(EditStepsTest, TheTouchedRangeCountsFromBothEnds) {
  TRVEditGroup g;
  g.Do(D, RVInsertTextStep(2, 0, u"x"));
  EXPECT_EQ(2, g.Touched().First);
  EXPECT_EQ(0, g.Touched().FromEnd);
  TRVEditGroup h;
  h.Do(D, RVDeleteItemStep(1));
  EXPECT_EQ(1, h.Touched().First);
  EXPECT_EQ(1, h.Touched().FromEnd); // the range is empty: item 1 now follows it
}

TEST_F(EditStepsTest, StepsThatDoNotFitRaiseAndChangeNothing) {
  const std::string original = D.Items().Dump();
  TRVEditGroup g;
  EXPECT_THROW(g.Do(D, RVInsertTextStep(1, 0, u"x")), ERichViewError); // a line holds no text
  EXPECT_THROW(g.Do(D, RVInsertTextStep(0, 4, u"x")), ERichViewError);
  EXPECT_THROW(g.Do(D, RVDeleteTextStep(0, 2, 2)), ERichViewError);
  EXPECT_THROW(g.Do(D, RVDeleteItemStep(3)), ERichViewError);
  EXPECT_THROW(g.Do(D, RVSetItemPropsStep(1, TRVItemProps::Of(*D.GetItem(0)))), ERichViewError);
  EXPECT_EQ(original, D.Items().Dump());
  EXPECT_TRUE(g.Empty());
}

} // namespace
} // namespace richtext::test
