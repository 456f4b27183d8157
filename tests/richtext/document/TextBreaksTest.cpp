#include <gtest/gtest.h>

#include "TestRVData.h"
#include "richtext/document/CRVData.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

using test::TTestRVData;

// AddTextNLW into a fresh document; the dump of what it made.
std::string Split(const std::u16string& text, bool asSingleParagraph = false,
                  std::int32_t firstPara = 0, std::int32_t otherPara = 1) {
  TTestRVData data;
  data.AddTextNLW(text, 2, firstPara, otherPara, asSingleParagraph);
  EXPECT_TRUE(data.GetAllowNewPara()) << "the paragraph mode is restored";
  return data.Items().Dump();
}

TEST(TextBreaks, LineEndingsStartParagraphs) {
  const std::string twoParas = "2 0 {U} \"a\"\n"
                               "2 1 {U} \"b\"\n";
  EXPECT_EQ(Split(u"a\rb"), twoParas);
  EXPECT_EQ(Split(u"a\nb"), twoParas);
  EXPECT_EQ(Split(u"a\r\nb"), twoParas) << "CR LF is one break";
  EXPECT_EQ(Split(u"a\n\rb"), twoParas) << "LF CR is one break";
  EXPECT_EQ(Split(u"a\r\rb"), "2 0 {U} \"a\"\n"
                              "2 1 {U} \"\"\n"
                              "2 1 {U} \"b\"\n");
  EXPECT_EQ(Split(u"a\r\n"), "2 0 {U} \"a\"\n"
                             "2 1 {U} \"\"\n")
      << "a text ending with a break ends with an empty item";
}

TEST(TextBreaks, AsSingleParagraphMakesLineBreaks) {
  EXPECT_EQ(Split(u"a\r\nb\nc", true), "2 0 {U} \"a\"\n"
                                       "2 1 {BU} \"b\"\n"
                                       "2 1 {BU} \"c\"\n");
}

TEST(TextBreaks, UnicodeSeparatorsAndVerticalTab) {
  EXPECT_EQ(Split(u"a\u2028b\vc\u2029d"), "2 0 {U} \"a\"\n"
                                          "2 1 {BU} \"b\"\n"
                                          "2 1 {BU} \"c\"\n"
                                          "2 1 {U} \"d\"\n");
  // These breaks make no empty items of their own.
  EXPECT_EQ(Split(u"a\u2028\u2028b"), "2 0 {U} \"a\"\n"
                                      "2 1 {BU} \"b\"\n");
}

TEST(TextBreaks, FormFeedIsAPageBreakWhereTheDocumentHasPages) {
  TTestRVData paged;
  paged.PageBreaks = true;
  paged.AddTextNLW(u"a\fb", 0, 0, 1, false);
  EXPECT_EQ(paged.Items().Dump(), "0 0 {U} \"a\"\n"
                                  "0 1 {PU} \"b\"\n");
  TTestRVData flat;
  flat.AddTextNLW(u"a\fb", 0, 0, 1, false);
  EXPECT_EQ(flat.Items().Dump(), "0 0 {U} \"a\"\n"
                                 "0 1 {U} \"b\"\n");
}

TEST(TextBreaks, OtherParagraphMinusOneContinuesTheLine) {
  EXPECT_EQ(Split(u"a\rb", false, 0, -1), "2 0 {U} \"a\"\n"
                                          "2 0 {SU} \"b\"\n");
  EXPECT_EQ(Split(u"a", false, -1, -1), "2 0 {U} \"a\"\n");
}

TEST(TextBreaks, ByteOrderMarksAndNul) {
  EXPECT_EQ(Split(u"\uFEFFab"), "2 0 {U} \"ab\"\n");
  // Text read with the wrong byte order: every code unit after the mark is swapped.
  EXPECT_EQ(Split(u"\uFFFE\u6100\u0D00\u6200"), "2 0 {U} \"a\"\n"
                                                "2 1 {U} \"b\"\n");
  EXPECT_EQ(Split(std::u16string(u"a\0b", 3)), "2 0 {U} \"a?b\"\n");
}

TEST(TextBreaks, EmptyTextAddsAnItemOnlyForANewParagraph) {
  EXPECT_EQ(Split(u""), "2 0 {U} \"\"\n");
  EXPECT_EQ(Split(u"\uFEFF"), "2 0 {U} \"\"\n");
  EXPECT_EQ(Split(u"", false, -1), "");
}

TEST(TextBreaks, TabsBecomeTabItemsWhenTheStyleSheetKeepsNoSpaces) {
  TRVStyle style; // SpacesInTab 0
  TTestRVData data(&style);
  data.AddTextNLW(u"a\tb\r\tc", 3, 0, 1, false);
  EXPECT_EQ(data.Items().Dump(), "3 0 {U} \"a\"\n"
                                 "-12 0 {SU} \"\"\n"
                                 "3 0 {SU} \"b\"\n"
                                 "-12 1 {U} \"\"\n"
                                 "3 1 {SU} \"c\"\n");
  EXPECT_EQ(data.GetItem(1)->GetAssociatedTextStyleNo(), 3);

  style.SpacesInTab = 2;
  TTestRVData spaces(&style);
  spaces.AddTextNLW(u"a\tb", 3, 0, 1, false);
  EXPECT_EQ(spaces.Items().Dump(), "3 0 {U} \"a  b\"\n");
}

// Records what the document reports through its owner's progress hook.
class TProgressRecorder : public TRVRootEvents {
public:
  std::vector<std::pair<TRVProgressStage, int>> Reports;
  bool HasProgressHandler() const override { return true; }
  void DoProgress(TRVLongOperation Operation, TRVProgressStage Stage,
                  std::uint8_t Percent) override {
    EXPECT_EQ(Operation, rvloTextRead);
    Reports.emplace_back(Stage, Percent);
  }
};

class TProgressData : public TTestRVData {
public:
  TProgressRecorder Events;
  TRVRootEvents* GetRootEvents() override { return &Events; }
};

TEST(TextBreaks, LongTextsReportProgressByPercent) {
  TProgressData data;
  // 500 characters between reports; the last report falls on the last character.
  std::u16string text(QUICKTEXTSIZE + PROGRESSMAXCOUNTER, u'x');
  text[QUICKTEXTSIZE / 2] = u'\r';
  data.AddTextNLW(text, 0, 0, 0, false);
  EXPECT_EQ(data.ItemCount(), 2);
  ASSERT_EQ(data.Events.Reports.size(), 102u);
  EXPECT_EQ(data.Events.Reports.front(), std::make_pair(rvpstgStarting, 0));
  EXPECT_EQ(data.Events.Reports.back(), std::make_pair(rvpstgEnding, 0));
  for (int p = 1; p <= 100; ++p)
    EXPECT_EQ(data.Events.Reports[static_cast<std::size_t>(p)], std::make_pair(rvpstgRunning, p));

  TProgressData quick;
  quick.AddTextNLW(std::u16string(QUICKTEXTSIZE, u'x'), 0, 0, 0, false);
  EXPECT_TRUE(quick.Events.Reports.empty()) << "texts up to the limit report nothing";
}

TEST(TextBreaks, AnsiTextTakesItsCodePage) {
  TTestRVData data;
  data.AddTextNLA("\xCF\xF0\xE8\r\n\xE2\xE5\xF2", 0, 0, 1, false, {}, 1251);
  EXPECT_EQ(data.Items().Dump(), "0 0 {U} \"\xD0\x9F\xD1\x80\xD0\xB8\"\n"
                                 "0 1 {U} \"\xD0\xB2\xD0\xB5\xD1\x82\"\n");
  TRVStyle style;
  style.DefCodePage = 1251;
  TTestRVData styled(&style);
  styled.AddTextNLA("\xCF", 0, 0, 1, false);
  EXPECT_EQ(styled.GetItemText(0), u"\u041F") << "code page 0: the document's default";
}

} // namespace
} // namespace richtext
