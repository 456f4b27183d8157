// The document writer: header, paragraphs and runs, the range of a selection, the final
// paragraph mark, hidden parents, items, bookmarks and failures.
#include "tests/richtext/export/rtf/RTFWriterFixture.h"

#include <stdexcept>

namespace richtext::test {
namespace {

using namespace std::string_literals;

class RTFWriterTest : public RTFWriterFixture {};

TEST_F(RTFWriterTest, OneParagraphOfPlainText) {
  RV.AddNL(u"abc", 0, 0);
  FormatAndSelectAll();
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 abc\\par}", Body());
  EXPECT_TRUE(Ok);
}

TEST_F(RTFWriterTest, HeaderFollowsTheOptionsAndTheStyleSheet) {
  RV.AddNL(u"a", 0, 0);
  FormatAndSelectAll();
  RV.SetRTFOptions((RV.GetRTFOptions() - TRVRTFOptions{rvrtfDuplicateUnicode}) |
                   TRVRTFOptions{rvrtfSaveDocParameters});
  Style.DefCodePage = 1251;
  Style.TextStyles.Items(0)->Charset = 204;
  const std::string rtf = Save();
  EXPECT_EQ("{\\rtf1\\fbidis\\ansi\\ansicpg1251\\uc0\\deff0\\deflang1049\\deflangfe1049"
            "\\paperw11906\\paperh16838\\margl1800\\margr1800\\margt1440\\margb1440\r\n"
            "{\\fonttbl{\\f0\\fnil\\fcharset204 Arial;}{\\f1\\fnil Arial;}}"s +
                std::string(DefaultColorTable) + "\r\n\r\n",
            rtf.substr(0, rtf.find("\r\n\r\n") + 4));
  EXPECT_NE(std::string::npos, rtf.find("\\plain \\f0\\lang1049\\fs20 a\\par}"));
}

TEST_F(RTFWriterTest, BackgroundColourGoesIntoTheTableAndTheBackgroundShape) {
  RV.Color = 0x00123456;
  RV.AddNL(u"a", 0, 0);
  FormatAndSelectAll();
  const std::string rtf = Save();
  EXPECT_NE(std::string::npos, rtf.find("\\red0\\green128\\blue0;\\red86\\green52\\blue18;}"));
  EXPECT_NE(std::string::npos, rtf.find("{\\sp{\\sn fillColor}{\\sv 1193046}}"));
  EXPECT_NE(std::string::npos, rtf.find("\\viewbksp1{\\*\\background {\\shp{\\*\\shpinst"));
  RV.Color = clNone; // the style sheet's clWindow: no background
  EXPECT_EQ(std::string::npos, Save().find("background"));
}

TEST_F(RTFWriterTest, ParagraphsLinesAndRuns) {
  RV.AddNL(u"ab", 0, 0);
  RV.AddNL(u"cd", 1, -1); // same paragraph, another style
  RV.AddNL(u"ef", 1, 1);  // new paragraph of another paragraph style
  RV.AddNL(u"gh", 1, 1);  // same paragraph style: no "\pard", same text style: no "\plain"
  RV.SetAddParagraphMode(false);
  RV.AddNL(u"ij", 1, 1); // a line break inside the paragraph
  FormatAndSelectAll();
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 ab\\plain \\f0\\b\\fs20\\cf1 cd" +
                // "\pard" leaves the character formatting alone: no "\plain" for "ef".
                "\r\n\\par " + std::string(Para1) + "ef" + "\r\n\\par gh" + "\r\n\\line ij\\par}",
            Body());
}

TEST_F(RTFWriterTest, SelectionCutsTheEndItemsAndDecidesTheFinalParagraphMark) {
  RV.AddNL(u"abcdef", 0, 0);
  RV.AddNL(u"ghijkl", 0, 0);
  FormatAndSelectAll();
  // Up to the end of the document: the last paragraph mark is part of the copy.
  RV.SetSelectionBounds(0, 3, 1, 7);
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 cdef\r\n\\par ghijkl\\par}", Body());
  // Part of the last paragraph: no final "\par".
  RV.SetSelectionBounds(0, 3, 1, 4);
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 cdef\r\n\\par ghi}", Body());
  // Inside one item.
  RV.SetSelectionBounds(0, 2, 0, 5);
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 bcd}", Body());
  // A whole save always ends with the paragraph mark, whatever is selected.
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 abcdef\r\n\\par ghijkl\\par}",
            Body(false));
}

TEST_F(RTFWriterTest, RangeEndsThatHoldNoCharacterOfTheirItemAreSkipped) {
  RV.AddNL(u"ab", 0, 0);
  RV.AddNL(u"cd", 0, 0);
  RV.AddNL(u"ef", 0, 0);
  FormatAndSelectAll();
  // From after "ab" to before "ef": the middle paragraph, closed by "\par" for the skipped
  // paragraph start of "ef".
  RV.SetSelectionBounds(0, 3, 2, 1);
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 cd\\par}", Body());
}

TEST_F(RTFWriterTest, RangeStartingInsideAParagraphKeepsItsProperties) {
  RV.AddNL(u"ab", 0, 1);
  RV.AddNL(u"cd", 1, -1);
  FormatAndSelectAll();
  RV.SetSelectionBounds(1, 1, 1, 3);
  EXPECT_EQ("\r\n"s + std::string(Para1) + "\\plain \\f0\\b\\fs20\\cf1 cd\\par}", Body());
}

TEST_F(RTFWriterTest, NothingSelectedWritesNothing) {
  RV.AddNL(u"abc", 0, 0);
  RV.Format();
  EXPECT_EQ("", Save());
  EXPECT_TRUE(Ok);
}

TEST_F(RTFWriterTest, HiddenParentHidesEveryRunAndTab) {
  RV.AddNL(u"ab", 0, 0);
  auto tab = std::make_unique<TRVTabItemInfo>(RV.RVData.get());
  tab->TextStyleNo = 0;
  tab->SetSameAsPrev(true);
  RV.RVData->AddItemAsIs(u"", std::move(tab));
  FormatAndSelectAll();
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20\\v ab{\\v\\tab}\\par}",
            Body(true, true));
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 ab\\tab \\par}", Body());
  // A style hidden by itself says so once.
  Style.TextStyles.Items(0)->Options.Include(rvteoHidden);
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\v\\fs20 ab{\\v\\tab}\\par}",
            Body(true, true));
}

TEST_F(RTFWriterTest, HorizontalLineIsABorderParagraphAndTheNextParagraphGetsItsPropertiesBack) {
  RV.AddNL(u"ab", 0, 0);
  RV.AddBreak(2, rvbsLine, clNone);
  RV.AddNL(u"cd", 0, 0);
  FormatAndSelectAll();
  // The line's own "\pard" resets the paragraph properties, so "cd" repeats them although
  // its paragraph style is the one written last.
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 ab" + "\r\n\\par " +
                "\\pard\\plain\\fs6\\brdrb\\brdrs\\brdrw30\\brdrcf0\\par\\pard" + "\r\n\\par " +
                std::string(Para0) + "\\plain \\f0\\fs20 cd\\par}",
            Body());
  static_cast<TRVBreakItemInfo*>(RV.RVData->GetItem(1))->Hidden = true;
  EXPECT_NE(std::string::npos,
            Body().find("{\\v\\pard\\plain\\fs6\\brdrb\\brdrs\\brdrw30\\brdrcf0\\par\\pard}"));
}

TEST_F(RTFWriterTest, ColouredHorizontalLineAddsItsColour) {
  RV.AddBreak(1, rvbsLine, 0x00010203);
  FormatAndSelectAll();
  const std::string rtf = Save();
  EXPECT_NE(std::string::npos, rtf.find("\\red0\\green128\\blue0;\\red3\\green2\\blue1;}"));
  EXPECT_NE(std::string::npos, rtf.find("\\brdrw15\\brdrcf5\\par\\pard"));
}

TEST_F(RTFWriterTest, CheckpointsBecomeBookmarks) {
  RV.AddCheckpoint(u"first part.1");
  RV.AddNL(u"ab", 0, 0);
  RV.AddCheckpoint(u"");
  RV.AddNL(u"cd", 0, -1);
  RV.AddCheckpoint(std::u16string(50, u'x'));
  FormatAndSelectAll();
  const std::string x43(43, 'x');
  EXPECT_EQ("\r\n"s + std::string(Para0) +
                "{\\*\\bkmkstart first_part_1}{\\*\\bkmkend first_part_1}\\plain \\f0\\fs20 abcd" +
                "{\\*\\bkmkstart " + x43 + "}{\\*\\bkmkend " + x43 + "}\\par}",
            Body());
}

TEST_F(RTFWriterTest, TextInCodeStylesIsWrittenOnlyWhenItIsRTFCode) {
  TFontInfo* html = Style.TextStyles.Add();
  html->Options.Include(rvteoHTMLCode);
  TFontInfo* rtf = Style.TextStyles.Add();
  rtf->Options.Include(rvteoRTFCode);
  RV.AddNL(u"<b>", 6, 0);
  RV.AddNL(u"{\\b x}", 7, -1);
  FormatAndSelectAll();
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 {\\b x}\\par}", Body());
}

TEST_F(RTFWriterTest, NonBMPCharactersAreTwoEscapes) {
  RV.AddNL(u"a\U0001F600", 0, 0);
  FormatAndSelectAll();
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 a\\u55357 ?\\u56832 ?\\par}",
            Body());
  RV.SetRTFOptions(RV.GetRTFOptions() - TRVRTFOptions{rvrtfDuplicateUnicode});
  const std::string rtf = Save();
  EXPECT_NE(std::string::npos, rtf.find("\\uc0\\deff0"));
  EXPECT_NE(std::string::npos, rtf.find("a\\u55357 \\u56832 \\par}"));
}

// A stream that fails once it holds Limit bytes.
class TFailingStream final : public TRVStream {
public:
  explicit TFailingStream(std::size_t Limit) : FLimit(Limit) {}
  void WriteBuffer(const void* data, std::size_t count) override {
    if (FBytes.size() + count > FLimit)
      throw std::runtime_error("disk full");
    FBytes.append(static_cast<const char*>(data), count);
  }
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::uint64_t Position() const override { return FBytes.size(); }
  void SetPosition(std::uint64_t) override {}
  std::uint64_t Size() const override { return FBytes.size(); }
  std::string FBytes;

private:
  std::size_t FLimit;
};

TEST_F(RTFWriterTest, FailureIsAFalseResultWithWhatWasWrittenAndTheTablesFreed) {
  RV.AddNL(u"abc", 0, 0);
  FormatAndSelectAll();
  for (std::size_t limit : {std::size_t{0}, std::size_t{20}, DefaultHeader.size() + 10}) {
    TFailingStream stream(limit);
    TRVRTFSavingData savingData;
    EXPECT_FALSE(
        SaveRTFToStream(*RV.RVData, stream, true, 0, clWindow, nullptr, savingData, 0, true, false))
        << limit;
    EXPECT_EQ(nullptr, savingData.RTFTables.get());
    EXPECT_LE(stream.FBytes.size(), limit);
    EXPECT_EQ(Save().substr(0, stream.FBytes.size()), stream.FBytes);
  }
}

TEST_F(RTFWriterTest, NestedDocumentWithoutTablesFailsInsteadOfWritingBadReferences) {
  RV.AddNL(u"abc", 0, 0);
  FormatAndSelectAll();
  TRVMemoryStream stream;
  TRVRTFSavingData savingData;
  EXPECT_FALSE(
      SaveRTFToStream(*RV.RVData, stream, true, 1, clWindow, nullptr, savingData, 0, false, false));
  EXPECT_EQ("", stream.Bytes());
}

TEST_F(RTFWriterTest, NestedLevelsReuseTheTablesAndMarkTheirParagraphs) {
  RV.AddNL(u"ab", 0, 0);
  FormatAndSelectAll();
  TRVRTFSavingData savingData;
  savingData.CreateTablesAndLists();
  RVAddStyleFontsToRTFTables(savingData, Style);
  for (int level : {1, 2}) {
    TRVMemoryStream stream;
    EXPECT_TRUE(SaveRTFToStream(*RV.RVData, stream, false, level, clWindow, nullptr, savingData, 0,
                                           false, false));
    const std::string marker = level == 1 ? "\\intbl" : "\\itap2";
    EXPECT_EQ("\r\n\\pard\\fi0\\li0\\ql\\ri0\\sb0\\sa0" + marker + " \\plain \\f0\\fs20 ab",
              stream.Bytes());
  }
  EXPECT_NE(nullptr, savingData.RTFTables.get()) << "the caller's tables stay";
}

TEST_F(RTFWriterTest, StyleSheetOptionWritesTheStandardStylesAndReferences) {
  RV.SetRTFOptions(RV.GetRTFOptions() | TRVRTFOptions{rvrtfSaveStyleSheet});
  Style.ParaStyles.Items(1)->Standard = false;
  RV.AddNL(u"a", 4, 0);
  FormatAndSelectAll();
  const std::string rtf = Save();
  EXPECT_NE(std::string::npos,
            rtf.find("{\\stylesheet{\\s0\\fi0\\li0\\ql\\ri0\\sb0\\sa0 Paragraph Style;}"
                     "{\\*\\cs1 \\additive\\f0\\fs20 Normal text;}"))
      << rtf;
  EXPECT_NE(std::string::npos, rtf.find("{\\*\\cs5 \\additive\\f0\\ul\\fs20\\cf4 Jump 1;}"));
  EXPECT_NE(std::string::npos, rtf.find("\\pard\\s0\\fi0\\li0\\ql\\ri0\\sb0\\sa0\\itap0 "));
  EXPECT_NE(std::string::npos, rtf.find("\\plain \\cs5\\f0\\ul\\fs20\\cf4 a"));
}

class TCustomSavingView : public TRichView {
public:
  bool SaveItemToFile(const std::u16string&, TCustomRVData*, int ItemNo, TRVSaveFormat Format,
                      std::u16string& Text) override {
    if (Format != rvsfRTF || ItemNo != 1)
      return TRichView::SaveItemToFile({}, nullptr, ItemNo, Format, Text);
    Text = u"{\\i custom}";
    return true;
  }
};

TEST(RTFWriterCustomSaverTest, OwnerTextIsWrittenAsIs) {
  TRVStyle style;
  style.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
  TRVStateCanvas canvas{96, 96};
  TCustomSavingView rv;
  rv.SetStyle(&style);
  rv.SetCanvas(&canvas);
  rv.SetClientSize(400, 400);
  rv.AddNL(u"a", 0, 0);
  rv.AddNL(u"b", 0, -1);
  rv.Format();
  rv.SelectAll();
  TRVMemoryStream stream;
  ASSERT_TRUE(rv.SaveRTFToStream(stream, true));
  EXPECT_NE(std::string::npos, stream.Bytes().find("\\plain \\f0\\fs20 a{\\i custom}\\par}"));
}

} // namespace
} // namespace richtext::test
