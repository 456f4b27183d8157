// Line formatting of text items, in exact pixels of the fixed-metrics interface.
#include "FormatFixture.h"

#include "richtext/base/RVStream.h"

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

namespace richtext::test {
namespace {

class FormatPassTest : public FormatFixture {};

TEST_F(FormatPassTest, TailFormattingContinuesWhereTheLastFormatEnded) {
  TParaInfo* p = Style.ParaStyles.Add();
  p->SetSpaceAfter(4);
  RV.AddNL(u"ab", 0, p->GetIndex());
  RV.Format();
  EXPECT_EQ(0, Data().LastItemFormatted);
  RV.AddNL(u"cd", 0, 0);
  RV.AddNL(u"ef", 0, -1);
  RV.FormatTail();
  const std::string tail = Lines();
  const int tailHeight = RV.GetDocumentHeight();
  EXPECT_EQ(2, Data().LastItemFormatted);
  RV.Format();
  EXPECT_EQ(Lines(), tail);
  EXPECT_EQ(RV.GetDocumentHeight(), tailHeight);
  EXPECT_EQ(3, Data().DrawItems.Count());
}

TEST_F(FormatPassTest, ScrollBarThatAppearsFormatsOnceMoreAtTheNarrowerWidth) {
  RV.VScrollBarWidth = 20;
  RV.SetClientSize(65, 30); // 55 of text: two lines, taller than 30
  RV.AddNL(u"aaa bbb ccc", 0, 0);
  RV.Format();
  EXPECT_TRUE(RV.IsVScrollBarVisible());
  EXPECT_EQ(35, Data().TextWidth);
  EXPECT_EQ(3, Data().DrawItems.Count());
  EXPECT_EQ(5 + 41 + 3, RV.GetDocumentHeight());
  // Wide again: the bar goes, and the text is one line.
  RV.SetClientSize(200, 30);
  RV.Format();
  EXPECT_FALSE(RV.IsVScrollBarVisible());
  EXPECT_EQ(1, Data().DrawItems.Count());
}

TEST_F(FormatPassTest, FormattingStreamRoundTrip) {
  TParaInfo* p = Style.ParaStyles.Add();
  p->Alignment = rvaJustify;
  RV.SetClientSize(45, 400);
  RV.AddNL(u"aaa bbb", 0, 0);
  RV.AddNL(u"cc dd", 0, p->GetIndex());
  RV.Format();
  const std::string layout = Lines();
  TRVMemoryStream stream;
  Data().SaveFormattingToStream(stream);
  // Count, two plain items (36 bytes of fields each), one justified (52), end marker.
  EXPECT_EQ(4u + 2 * (4 + 36) + (4 + 52) + 4, stream.Size());
  EXPECT_EQ(std::string("\x03\0\0\0", 4), stream.Bytes().substr(0, 4));
  EXPECT_EQ(std::string("\x01\0\0\0", 4), stream.Bytes().substr(4 + 2 * 40, 4));
  EXPECT_EQ(std::string("\xFE\xFF\xFF\xFF", 4), stream.Bytes().substr(stream.Bytes().size() - 4));

  Data().ClearTemporal();
  EXPECT_EQ("", Lines());
  stream.SetPosition(0);
  Data().LoadFormattingFromStream(stream);
  EXPECT_EQ(layout, Lines());
  EXPECT_EQ(2, RV.GetItem(1)->DrawItemNo);

  std::string bytes = stream.Bytes();
  bytes[bytes.size() - 4] = '\x01';
  TRVMemoryStream bad(bytes);
  try {
    Data().LoadFormattingFromStream(bad);
    FAIL() << "a stream without its end marker";
  } catch (const ERichViewError& e) {
    EXPECT_EQ(std::string("Assertion failure"), e.what());
  }
  EXPECT_EQ(layout, Lines()); // the layout is kept
}

} // namespace
} // namespace richtext::test
