// Line formatting of text items, in exact pixels of the fixed-metrics interface.
#include "FormatFixture.h"

#include "richtext/export/RVStream.h"

namespace richtext::test {
namespace {

class FormatTextTest : public FormatFixture {};

TEST_F(FormatTextTest, EmptyDocumentIsJustTheMargins) {
  RV.Format();
  EXPECT_EQ("", Lines());
  EXPECT_EQ(10, RV.GetDocumentHeight());
  EXPECT_EQ(190, RV.GetDocumentWidth());
}

TEST_F(FormatTextTest, ShortTextIsOneLineAtTheMargins) {
  RV.AddNL(u"aaa bbb", 0, 0);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 7 at 5,5 size 49x13 base 15 LP \"aaa bbb\"\n", Lines());
  // bottom margin + baseline + descent
  EXPECT_EQ(5 + 15 + 3, RV.GetDocumentHeight());
  EXPECT_EQ(0, RV.GetItem(0)->DrawItemNo);
}

TEST_F(FormatTextTest, WrapEatsTheSpaceAtTheBreak) {
  RV.SetClientSize(45, 400); // 35 pixels of text: five characters
  RV.AddNL(u"aaa bbb", 0, 0);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 3 at 5,5 size 21x13 base 15 LP \"aaa\"\n"
            "1: item 0 offs 5 len 3 at 5,18 size 21x13 base 28 L \"bbb\"\n",
            Lines());
  EXPECT_EQ(5 + 28 + 3, RV.GetDocumentHeight());
}

TEST_F(FormatTextTest, WrapWithoutTrimDropsTheTrailingSpaceAtTheNewLine) {
  RV.Flags.Exclude(rvflTrim);
  RV.SetClientSize(45, 400);
  RV.AddNL(u"aaa bbb", 0, 0);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 3 at 5,5 size 21x13 base 15 LP \"aaa\"\n"
            "1: item 0 offs 5 len 3 at 5,18 size 21x13 base 28 L \"bbb\"\n",
            Lines());
}

TEST_F(FormatTextTest, LongWordIsCutWhereTheWidthEnds) {
  RV.SetClientSize(45, 400);
  RV.AddNL(u"abcdefghijkl", 0, 0);
  RV.Format();
  EXPECT_EQ("0: item 0 offs 1 len 5 at 5,5 size 35x13 base 15 LP \"abcde\"\n"
            "1: item 0 offs 6 len 5 at 5,18 size 35x13 base 28 L \"fghij\"\n"
            "2: item 0 offs 11 len 2 at 5,31 size 14x13 base 41 L \"kl\"\n",
            Lines());
}

} // namespace
} // namespace richtext::test
