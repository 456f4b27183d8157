#include "richtext/base/RVCodePage.h"

#include <gtest/gtest.h>
#include <unicode/uloc.h>

#include "AppTestSupport.h"
#include "richtext/base/RVCodePageTable.h"

namespace richtext {
namespace {

using quillon::ToUtf8;
using quillon::test::Hex;

TEST(LocaleAnsiCodePage, WindowsPagesByLanguageAndScript) {
  const std::pair<const char*, TRVCodePage> cases[] = {
      {"zh_CN", 936},          {"zh_SG", 936},        {"zh", 936},
      {"zh_CN.GB18030", 936},  {"zh_TW", 950},        {"zh_HK.UTF-8", 950},
      {"zh_MO", 950},          {"zh-Hant", 950},      {"ja_JP.UTF-8", 932},
      {"ko_KR.EUC-KR", 949},   {"th_TH", 874},        {"vi_VN", 1258},
      {"pl_PL", 1250},         {"cs_CZ", 1250},       {"sk_SK", 1250},
      {"hu_HU", 1250},         {"ro_RO", 1250},       {"hr_HR", 1250},
      {"sl_SI", 1250},         {"sq_AL", 1250},       {"sr_RS@latin", 1250},
      {"sr_Latn_RS", 1250},    {"bs_BA", 1250},       {"ru_RU.UTF-8", 1251},
      {"uk_UA", 1251},         {"be_BY", 1251},       {"bg_BG", 1251},
      {"sr_RS", 1251},         {"mk_MK", 1251},       {"kk_KZ", 1251},
      {"az_Cyrl_AZ", 1251},    {"el_GR.UTF-8", 1253}, {"tr_TR", 1254},
      {"az_AZ", 1254},         {"uz_UZ", 1254},       {"uz_UZ@cyrillic", 1251},
      {"he_IL", 1255},         {"iw_IL", 1255},       {"ar_EG", 1256},
      {"fa_IR", 1256},         {"ur_PK", 1256},       {"et_EE", 1257},
      {"lv_LV", 1257},         {"lt_LT", 1257},       {"en_US.UTF-8", 1252},
      {"de_DE@euro", 1252},    {"fr", 1252},          {"C", 1252},
      {"C.UTF-8", 1252},       {"POSIX", 1252},       {"", 1252},
      {"en_US_POSIX", 1252},   {"hi_IN", 1252},       {"xx_YY", 1252},
  };
  for (const auto& [locale, codePage] : cases)
    EXPECT_EQ(codePage, RVU_LocaleAnsiCodePage(locale)) << locale;
}

TEST(LocaleAnsiCodePage, ProcessPageFollowsIcuDefaultLocale) {
  std::string saved = uloc_getDefault();
  UErrorCode error = U_ZERO_ERROR;
  uloc_setDefault("ja_JP", &error);
  EXPECT_EQ(932u, RVU_GetProcessAnsiCodePage());
  // CP_ACP means that page in the conversions too.
  EXPECT_EQ(u"日本", RVU_AnsiToUnicode(CP_ACP, "\x93\xFA\x96\x7B"));
  uloc_setDefault("ru_RU", &error);
  EXPECT_EQ(1251u, RVU_GetProcessAnsiCodePage());
  EXPECT_EQ("CF", Hex(RVU_UnicodeToAnsiBytes(CP_ACP, u"П")));
  uloc_setDefault(saved.c_str(), &error);
}

TEST(CodePages, EveryTablePageHasAConverter) {
  for (const TRVLocaleCodePage& row : RVLocaleCodePages)
    EXPECT_TRUE(RVU_IsCodePageSupported(row.codePage)) << row.language << " " << row.codePage;
  EXPECT_TRUE(RVU_IsCodePageSupported(65001));
  EXPECT_TRUE(RVU_IsCodePageSupported(CP_ACP));
  EXPECT_FALSE(RVU_IsCodePageSupported(99999));
}

struct TRoundTrip {
  TRVCodePage codePage;
  std::u16string text;
  std::string firstBytes; // the page's own bytes for the first character
};

TEST(CodePages, RepresentableTextRoundTrips) {
  const TRoundTrip cases[] = {
      {1252, u"€ café", "80"},          {1250, u"Łódź", "A3"},
      {1251, u"Привет", "CF"},          {1253, u"Ελλάδα", "C5"},
      {1254, u"İstanbul ğ", "DD"},      {1255, u"שלום", "F9"},
      {1256, u"مرحبا", "E3"},           {1257, u"Ąžuolas", "C0"},
      {1258, u"Vi\u00EA\u0323t", "56"},           {874, u"ภาษาไทย", "C0"},
      {932, u"日本語テキスト", "93 FA"}, {936, u"中文链接", "D6 D0"},
      {949, u"한국어", "C7 D1"},        {950, u"繁體中文", "C1 63"},
      {65001, u"混合 text 😀", "E6 B7 B7"},
  };
  for (const TRoundTrip& c : cases) {
    bool usedDefault = true;
    std::string bytes = RVU_UnicodeToAnsiBytes(c.codePage, c.text, &usedDefault);
    EXPECT_FALSE(usedDefault) << c.codePage;
    EXPECT_EQ(c.firstBytes, Hex(bytes.substr(0, c.firstBytes.size() / 3 + 1))) << c.codePage;
    EXPECT_EQ(ToUtf8(c.text), ToUtf8(RVU_AnsiToUnicode(c.codePage, bytes))) << c.codePage;
  }
}

TEST(CodePages, UnmappableCharactersBecomeQuestionMarks) {
  bool usedDefault = false;
  EXPECT_EQ("a?b", RVU_UnicodeToAnsiBytes(1252, u"a中b", &usedDefault));
  EXPECT_TRUE(usedDefault);
  // A surrogate pair is one character and one "?".
  EXPECT_EQ("x?y", RVU_UnicodeToAnsiBytes(936, u"x😀y", &usedDefault));
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ("??", RVU_UnicodeToAnsiBytes(1251, u"中文", &usedDefault));
  EXPECT_EQ("?", RVU_UnicodeToAnsiBytes(932, u"\xD800", &usedDefault));
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ("plain", RVU_UnicodeToAnsiBytes(1252, u"plain", &usedDefault));
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ("", RVU_UnicodeToAnsiBytes(1252, u"", &usedDefault));
  EXPECT_FALSE(usedDefault);
}

TEST(CodePages, UndefinedBytesBecomeReplacementCharacters) {
  // 0xFF has no character in 1255 (0x81 in 1252 does: the C1 control U+0081, as on the
  // system whose pages these are); a lead byte with nothing or a non-trail byte after it
  // is half a character.
  EXPECT_EQ(u"a\uFFFDb", RVU_AnsiToUnicode(1255, "a\xFF" "b"));
  EXPECT_EQ(u"\uFFFD b", RVU_AnsiToUnicode(932, "\x81 b"));
  EXPECT_EQ(u"a\u0081b", RVU_AnsiToUnicode(1252, "a\x81" "b"));
  EXPECT_EQ(u"x\uFFFD", RVU_AnsiToUnicode(932, "x\x93"));
  EXPECT_EQ(u"", RVU_AnsiToUnicode(936, ""));
  // Zero bytes are text like any other here; the list reader decides what they mean.
  EXPECT_EQ(std::u16string(u"a\0b", 3), RVU_AnsiToUnicode(1252, std::string_view("a\0b", 3)));
}

} // namespace
} // namespace richtext
