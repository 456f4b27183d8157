// Symbol-font text mapped to Unicode for export.
#include "richtext/base/RVSymbolFont.h"

#include <gtest/gtest.h>

using namespace richtext;

namespace {

constexpr TRVKnownSymbolFont AllFonts[] = {
    TRVKnownSymbolFont::rvksfSymbol, TRVKnownSymbolFont::rvksfWingdings,
    TRVKnownSymbolFont::rvksfWingdings_2, TRVKnownSymbolFont::rvksfWingdings_3,
    TRVKnownSymbolFont::rvksfWebdings};

} // namespace

TEST(SymbolFont, KnownByNameInAnyCase) {
  EXPECT_EQ(TRVKnownSymbolFont::rvksfSymbol, RV_GetKnownSymbolFont(u"Symbol"));
  EXPECT_EQ(TRVKnownSymbolFont::rvksfWingdings, RV_GetKnownSymbolFont(u"WINGDINGS"));
  EXPECT_EQ(TRVKnownSymbolFont::rvksfWingdings_2, RV_GetKnownSymbolFont(u"Wingdings 2"));
  EXPECT_EQ(TRVKnownSymbolFont::rvksfWingdings_3, RV_GetKnownSymbolFont(u"wingdings 3"));
  EXPECT_EQ(TRVKnownSymbolFont::rvksfWebdings, RV_GetKnownSymbolFont(u"Webdings"));
  EXPECT_EQ(TRVKnownSymbolFont::rvksfNone, RV_GetKnownSymbolFont(u"Wingdings2"));
  EXPECT_EQ(TRVKnownSymbolFont::rvksfNone, RV_GetKnownSymbolFont(u"Arial"));
}

TEST(SymbolFont, SpotChecksOfTheTables) {
  using F = TRVKnownSymbolFont;
  EXPECT_EQ(U'\u03B1', RV_SymbolFontCharToUnicode(F::rvksfSymbol, 0x61));       // alpha
  EXPECT_EQ(U'\u03A9', RV_SymbolFontCharToUnicode(F::rvksfSymbol, 0x57));       // Omega
  EXPECT_EQ(U'\u2200', RV_SymbolFontCharToUnicode(F::rvksfSymbol, 0x22));       // for all
  EXPECT_EQ(U'\u20AC', RV_SymbolFontCharToUnicode(F::rvksfSymbol, 0xA0));       // euro
  EXPECT_EQ(U'\u2192', RV_SymbolFontCharToUnicode(F::rvksfSymbol, 0xAE));       // right arrow
  EXPECT_EQ(U'\u222B', RV_SymbolFontCharToUnicode(F::rvksfSymbol, 0xF2));       // integral
  EXPECT_EQ(U'\u263A', RV_SymbolFontCharToUnicode(F::rvksfWingdings, 0x4A));    // smiley
  EXPECT_EQ(U'\u2702', RV_SymbolFontCharToUnicode(F::rvksfWingdings, 0x22));    // scissors
  EXPECT_EQ(U'\u2460', RV_SymbolFontCharToUnicode(F::rvksfWingdings, 0x81));    // circled 1
  EXPECT_EQ(U'\u2714', RV_SymbolFontCharToUnicode(F::rvksfWingdings, 0xFC));    // check mark
  EXPECT_EQ(U'\u2611', RV_SymbolFontCharToUnicode(F::rvksfWingdings_2, 0x52));  // ballot box
  EXPECT_EQ(U'\u2B60', RV_SymbolFontCharToUnicode(F::rvksfWingdings_3, 0x21));  // left arrow
  EXPECT_EQ(U'\U0001F577', RV_SymbolFontCharToUnicode(F::rvksfWebdings, 0x21)); // spider
  EXPECT_EQ(U'\U0001F54A', RV_SymbolFontCharToUnicode(F::rvksfWebdings, 0xFF)); // dove
  // Pictures without a Unicode character keep the font's private-use code.
  EXPECT_EQ(U'\uF0FF', RV_SymbolFontCharToUnicode(F::rvksfWingdings, 0xFF));
  EXPECT_EQ(U'\uF07F', RV_SymbolFontCharToUnicode(F::rvksfSymbol, 0x7F));
}

TEST(SymbolFont, EveryTableEntryIsAPrintableScalarValue) {
  for (TRVKnownSymbolFont font : AllFonts) {
    EXPECT_EQ(U' ', RV_SymbolFontCharToUnicode(font, 0x20));
    for (unsigned byte = 0x21; byte <= 0xFF; ++byte) {
      const char32_t cp = RV_SymbolFontCharToUnicode(font, byte);
      SCOPED_TRACE(testing::Message() << "font " << int(font) << " byte " << byte);
      EXPECT_GT(cp, U'\x20');
      EXPECT_FALSE(cp >= 0x7F && cp < 0xA0) << "control character";
      EXPECT_FALSE(cp >= 0xD800 && cp <= 0xDFFF) << "surrogate";
      EXPECT_LE(cp, U'\U0010FFFF');
    }
  }
}

TEST(SymbolFont, ExportMapsBytesAndPrivateUseCodesAlike) {
  EXPECT_EQ(u"\u03B1\u03B2 \u03C0", RV_MakeUniStringForExport(u"a\uF062 p", false, u"Symbol"));
  // Characters outside the font's range pass through: tabs, line breaks, real Unicode.
  EXPECT_EQ(u"\t\u03B1\r\n\u4E2D", RV_MakeUniStringForExport(u"\ta\r\n\u4E2D", false, u"Symbol"));
  // A non-BMP picture is a surrogate pair in the result.
  EXPECT_EQ(u"\U0001F577\u263A", RV_MakeUniStringForExport(u"!", false, u"Webdings") +
                                     RV_MakeUniStringForExport(u"J", false, u"Wingdings"));
  EXPECT_EQ(u"abc", RV_MakeUniStringForExport(u"abc", false, u"Arial"));
  EXPECT_EQ(u"abc", RV_MakeUniStringForExport(u"abc", true, u"Arial"));
}

TEST(SymbolFont, ForAnsiSimplifiesSymbolAndWingdingsOnly) {
  // Symbol: the typed key for letters, ASCII spellings for operators, Latin-1 signs kept.
  EXPECT_EQ(u"ab->\u00D7<=\u00B0",
            RV_MakeUniStringForExport(u"ab\u00AE\u00B4\u00A3\u00B0", true, u"Symbol"));
  // Wingdings: faces, digits, arrows; pictures without a look-alike keep their character.
  EXPECT_EQ(u":-)1->\u2702", RV_MakeUniStringForExport(u"J\u0081\u00E8\"", true, u"Wingdings"));
  // Other symbol fonts are mapped as for Unicode output.
  EXPECT_EQ(u"\u2B60", RV_MakeUniStringForExport(u"!", true, u"Wingdings 3"));
}
