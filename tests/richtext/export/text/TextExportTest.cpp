// Plain text export: the selected text as the clipboard asks for it, whole-document text
// streams, hidden text and items, tabs, page breaks, code pages and failure.
#include <memory>
#include <string>

#include "richtext/base/RVUniAnsi.h"
#include "richtext/export/RVTextExport.h"
#include "richtext/export/rvf/ExportFixture.h"
#include "richtext/export/rvf/RVFTestBytes.h"

namespace richtext::test {
namespace {

class TextExportTest : public ExportFixture {
protected:
  std::u16string Selected() {
    FormatAndSelectAll();
    return RV.GetSelTextW();
  }
  // A copy of text style 0 with the hidden option.
  int HiddenStyle() {
    TFontInfo hidden;
    hidden.Assign(Style.TextStyles[0]);
    hidden.Options.Include(rvteoHidden);
    return Style.FindTextStyle(hidden);
  }
  void AddTab() {
    auto tab = std::make_unique<TRVTabItemInfo>(&Data());
    tab->ParaNo = -1;
    RV.AddItem(u"", std::move(tab));
  }
};

TEST_F(TextExportTest, ParagraphsAndLinesAreSeparatedByCRLFWithNothingAfterTheLast) {
  RV.AddNL(u"abc", 0, 0);
  EXPECT_EQ(u"abc", Selected());
  RV.AddNL(u"cd", 0, 0);
  EXPECT_EQ(u"abc\r\ncd", Selected());
  RV.SetAddParagraphMode(false);
  RV.AddNL(u"ef", 0, 0);
  RV.AddNL(u"gh", 0, -1);
  EXPECT_EQ(u"abc\r\ncd\r\nefgh", Selected());
}

TEST_F(TextExportTest, PartOfOneItemAndPartsOfTheEndItems) {
  RV.AddNL(u"abcdef", 0, 0);
  Select(0, 3, 0, 5);
  EXPECT_EQ(u"cd", RV.GetSelTextW());
  RV.AddNL(u"gh", 0, 0);
  RV.AddNL(u"ij", 0, 0);
  Select(0, 5, 2, 2);
  EXPECT_EQ(u"ef\r\ngh\r\ni", RV.GetSelTextW());
  // Backwards selections read the same.
  Select(2, 2, 0, 5);
  EXPECT_EQ(u"ef\r\ngh\r\ni", RV.GetSelTextW());
}

TEST_F(TextExportTest, HiddenTextLeavesNoTraceButShowsInFullText) {
  const int hidden = HiddenStyle();
  RV.AddNL(u"ab", 0, 0);
  RV.AddNL(u"xx", hidden, 0);
  RV.AddNL(u"cd", 0, 0);
  RV.AddNL(u"yy", hidden, -1);
  RV.AddNL(u"ef", 0, -1);
  EXPECT_EQ(u"ab\r\ncdef", Selected());
  TRVMemoryStream all;
  ASSERT_TRUE(SaveTextToStreamW(Data(), {}, all, 80, false, false, false, false, true));
  EXPECT_EQ(U16("ab\r\nxx\r\ncdyyef"), all.Bytes());
}

TEST_F(TextExportTest, TabsAreTextLinesAreNot) {
  RV.AddNL(u"a", 0, 0);
  AddTab();
  RV.AddNL(u"b", 0, -1);
  RV.AddBreak(0, rvbsLine, clNone, {});
  RV.AddNL(u"c", 0, 0);
  EXPECT_EQ(u"a\tb\r\n\r\nc", Selected());
  // Outside text-only export a line is a row of dashes as wide as the text's lines.
  TRVMemoryStream all;
  ASSERT_TRUE(SaveTextToStreamW(Data(), {}, all, 5, false, false, false, false, true));
  EXPECT_EQ(U16("a\tb\r\n-----\r\nc"), all.Bytes());
  // A hidden tab is left out with its separator.
  static_cast<TRVNonTextItemInfo*>(Data().GetItem(1))->Hidden = true;
  EXPECT_EQ(u"ab\r\n\r\nc", Selected());
}

TEST_F(TextExportTest, PageBreaksBecomeFormFeedsOnlyWhenSwitchedOn) {
  RV.AddNL(u"ab", 0, 0);
  RV.AddNL(u"cd", 0, 0);
  Data().SetPageBreaksBeforeItems(1, true);
  EXPECT_EQ(u"ab\r\ncd", Selected());
  RichViewSavePageBreaksInText = true;
  const std::u16string withSwitch = RV.GetSelTextW();
  RichViewSavePageBreaksInText = false;
  EXPECT_EQ(u"ab\fcd", withSwitch);
}

TEST_F(TextExportTest, NothingSelectedNothingWritten) {
  EXPECT_EQ(u"", RV.GetSelTextW());
  RV.AddNL(u"ab", 0, 0);
  RV.Format();
  EXPECT_EQ(u"", RV.GetSelTextW());
  EXPECT_EQ("", RV.GetSelTextA());
  TRVMemoryStream empty;
  EXPECT_TRUE(RV.SaveTextToStreamW({}, empty, 80, true, true));
  EXPECT_EQ("", empty.Bytes());
}

TEST_F(TextExportTest, EightBitTextInTheDocumentsCodePageWithQuestionMarks) {
  Style.DefCodePage = 1251;
  RV.AddNL(u"\u0416a\u4E2D", 0, 0);
  FormatAndSelectAll();
  EXPECT_EQ("\xC6" "a?", RV.GetSelTextA());
  TRVMemoryStream bytes;
  ASSERT_TRUE(RV.SaveTextToStreamA({}, bytes, 80, false, true, 1252));
  EXPECT_EQ("?a?", bytes.Bytes());
}

TEST_F(TextExportTest, SymbolFontTextBecomesUnicodeAndTheSignatureComesFirst) {
  TFontInfo symbol;
  symbol.Assign(Style.TextStyles[0]);
  symbol.FontName = u"Symbol";
  const int symbolNo = Style.FindTextStyle(symbol);
  RV.AddNL(u"x", 0, 0);
  RV.AddNL(u"ab", symbolNo, -1);
  EXPECT_EQ(u"x\u03B1\u03B2", Selected());
  TRVMemoryStream signed_;
  ASSERT_TRUE(SaveTextToStreamW(Data(), {}, signed_, 80, false, true, false, true, true));
  EXPECT_EQ(std::string("\xFF\xFE", 2) + U16("x") + std::string("\xB1\x03\xB2\x03", 4),
            signed_.Bytes());
}

// An owner that writes its own text for tabs.
class TCustomSavingEdit : public TRichViewEdit {
public:
  bool SaveItemToFile(const std::u16string& Path, TCustomRVData* RVData, int ItemNo,
                      TRVSaveFormat SaveFormat, std::u16string& Text) override {
    EXPECT_EQ(rvsfText, SaveFormat);
    EXPECT_EQ(u"", Path);
    if (RVData->GetItem(ItemNo)->StyleNo != rvsTab)
      return false;
    Text = u"<tab>";
    return true;
  }
};

TEST(TextExportOwnerTest, TheOwnersCustomSaverReplacesAnItemsText) {
  TRVStyle style;
  style.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
  TRVStateCanvas canvas{96, 96};
  TCustomSavingEdit edit;
  edit.SetStyle(&style);
  edit.SetCanvas(&canvas);
  edit.SetClientSize(400, 400);
  edit.AddNL(u"a", 0, 0);
  auto tab = std::make_unique<TRVTabItemInfo>(edit.RVData.get());
  tab->ParaNo = -1;
  edit.AddItem(u"", std::move(tab));
  edit.AddNL(u"b", 0, -1);
  edit.Format();
  edit.SelectAll();
  EXPECT_EQ(u"a<tab>b", edit.GetSelTextW());
}

TEST_F(TextExportTest, AFailingStreamMakesTheWriterAnswerFalse) {
  RV.AddNL(u"abc", 0, 0);
  TFailingStream stream(0);
  EXPECT_FALSE(SaveTextToStreamW(Data(), {}, stream, 80, false, true, false, false, true));
  EXPECT_FALSE(SaveTextToStreamA(Data(), {}, stream, 80, false, true, 1252, true));
}

} // namespace
} // namespace richtext::test
