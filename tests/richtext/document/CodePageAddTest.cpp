#include <gtest/gtest.h>
#include <unicode/uloc.h>

#include "TestRVData.h"
#include "richtext/base/RVCharsets.h"
#include "richtext/base/RVUni.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

using test::TTestRVData;

TEST(Charset2CodePage, TableSpotChecks) {
  EXPECT_EQ(RVU_Charset2CodePage(ANSI_CHARSET), 1252u);
  EXPECT_EQ(RVU_Charset2CodePage(DEFAULT_CHARSET), 0u);
  EXPECT_EQ(RVU_Charset2CodePage(MAC_CHARSET), 2u);
  EXPECT_EQ(RVU_Charset2CodePage(SHIFTJIS_CHARSET), 932u);
  EXPECT_EQ(RVU_Charset2CodePage(HANGEUL_CHARSET), 949u);
  EXPECT_EQ(RVU_Charset2CodePage(JOHAB_CHARSET), 1361u);
  EXPECT_EQ(RVU_Charset2CodePage(GB2312_CHARSET), 936u);
  EXPECT_EQ(RVU_Charset2CodePage(CHINESEBIG5_CHARSET), 950u);
  EXPECT_EQ(RVU_Charset2CodePage(GREEK_CHARSET), 1253u);
  EXPECT_EQ(RVU_Charset2CodePage(VIETNAMESE_CHARSET), 1258u);
  EXPECT_EQ(RVU_Charset2CodePage(BALTIC_CHARSET), 1257u);
  EXPECT_EQ(RVU_Charset2CodePage(RUSSIAN_CHARSET), 1251u);
  EXPECT_EQ(RVU_Charset2CodePage(THAI_CHARSET), 874u);
  EXPECT_EQ(RVU_Charset2CodePage(EASTEUROPE_CHARSET), 1250u);
  EXPECT_EQ(RVU_Charset2CodePage(254), 1252u);
  EXPECT_EQ(RVU_Charset2CodePage(OEM_CHARSET), 1u);
  EXPECT_EQ(RVU_Charset2CodePage(100), 0u) << "unknown sets have no code page";
}

// Sets ICU's default locale, which decides the process's ANSI code page, for one scope.
class TLocaleScope {
public:
  explicit TLocaleScope(const char* name) : FSaved(uloc_getDefault()) {
    UErrorCode error = U_ZERO_ERROR;
    uloc_setDefault(name, &error);
  }
  ~TLocaleScope() {
    UErrorCode error = U_ZERO_ERROR;
    uloc_setDefault(FSaved.c_str(), &error);
  }

private:
  std::string FSaved;
};

TEST(Charset2CodePage, SymbolSetIsWesternOnMultiByteSystems) {
  {
    TLocaleScope japanese("ja_JP");
    EXPECT_TRUE(RVU_IsMultiByteCodePage(CP_ACP));
    EXPECT_EQ(RVU_Charset2CodePage(SYMBOL_CHARSET), 1252u);
  }
  {
    TLocaleScope russian("ru_RU");
    EXPECT_FALSE(RVU_IsMultiByteCodePage(CP_ACP));
    EXPECT_EQ(RVU_Charset2CodePage(SYMBOL_CHARSET), 0u);
  }
}

TEST(StyleCodePage, DefaultSetFollowsTheStyleSheet) {
  TTestRVData bare;
  EXPECT_EQ(bare.GetStyleCodePage(0), 0u);
  EXPECT_EQ(bare.GetCodePageByCharset(RUSSIAN_CHARSET), 0u);
  EXPECT_EQ(bare.GetDefaultCodePage(), 0u);

  TRVStyle style;
  style.DefCodePage = 1253;
  TTestRVData data(&style);
  EXPECT_EQ(data.GetStyleCodePage(0), 1253u) << "default character set";
  EXPECT_EQ(data.GetStyleCodePage(-1), 1253u);
  style.TextStyles.Items(1)->Charset = RUSSIAN_CHARSET;
  EXPECT_EQ(data.GetStyleCodePage(1), 1251u);
  EXPECT_EQ(data.GetCodePageByCharset(DEFAULT_CHARSET), 1253u);
  EXPECT_EQ(data.GetCodePageByCharset(SHIFTJIS_CHARSET), 932u);
  EXPECT_EQ(data.GetDefaultCodePage(), 1253u);
}

TEST(AddNLA, ConvertsInTheCodePageOfTheStyle) {
  TRVStyle style;
  TFontInfo* russian = style.TextStyles.Add();
  russian->Charset = RUSSIAN_CHARSET; // 6
  TFontInfo* japanese = style.TextStyles.Add();
  japanese->Charset = SHIFTJIS_CHARSET; // 7
  TTestRVData data(&style);
  data.AddNLA("\xCF\xF0\xE8", 6, 0, u"t");
  data.AddNLATag("\x93\xfa\x96\x7b", 7, -1, u"j");
  EXPECT_EQ(data.Items().Dump(), "6 0 {U} \"\xD0\x9F\xD1\x80\xD0\xB8\" tag=\"t\"\n"
                                 "7 0 {SU} \"\xE6\x97\xA5\xE6\x9C\xAC\" tag=\"j\"\n");
}

TEST(AddNLA, NegativeStyleTakesTheParagraphsDefaultStyle) {
  TRVStyle style;
  style.TextStyles.Add()->Charset = GREEK_CHARSET; // 6
  style.ParaStyles.Items(1)->DefStyleNo = 6;
  TTestRVData data(&style);
  data.AddNLA("\xE1", -1, 1);
  EXPECT_EQ(data.GetItem(0)->StyleNo, rvsDefStyle);
  EXPECT_EQ(data.GetItemText(0), u"\u03B1") << "Greek small alpha in 1253";
  EXPECT_EQ(data.GetItemStyle(0), 6);
}

TEST(AddNLA, WithoutStyleSheetUsesTheProcessCodePage) {
  TLocaleScope russian("ru_RU");
  TTestRVData data;
  data.AddNLA("\xCF", 0, 0);
  EXPECT_EQ(data.GetItemText(0), u"\u041F");
}

} // namespace
} // namespace richtext
