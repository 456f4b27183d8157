// Character classes: the characters the engine fixes, and the Unicode data for the rest.
#include "LineBreakTestUtil.h"
#include "richtext/layout/RVLineBreakTables.h"

#include <gtest/gtest.h>

using namespace richtext;
using linebreak_test::ClassName;

namespace {

// "<char>=<class>" for every UTF-16 unit of s, as RVGetCharLineBreakClass sees it.
std::string UnitClasses(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) {
    if (!out.empty())
      out += ' ';
    out += linebreak_test::Show(std::u16string(1, c)) + "=" + ClassName(RVGetCharLineBreakClass(c));
  }
  return out;
}

std::string CodePointClasses(std::initializer_list<char32_t> codePoints) {
  std::string out;
  for (char32_t cp : codePoints) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%X=%s", out.empty() ? "" : " ", unsigned(cp),
                  ClassName(RVGetCharLineBreakClass32(cp)));
    out += buf;
  }
  return out;
}

} // namespace

TEST(LineBreakClasses, AsciiPunctuation) {
  EXPECT_EQ("(=OB [=OB {=OB )=CL ]=CL }=CL", UnitClasses(u"([{)]}"));
  EXPECT_EQ("!=SP ,=SP .=SP :=SP ;=SP ?=EX", UnitClasses(u"!,.:;?"));
  EXPECT_EQ("\"=QU '=QU $=GL %=PO +=PR \\=PR -=HY /=SY |=BA", UnitClasses(u"\"'$%+\\-/|"));
  EXPECT_EQ("#=AL &=AL *=AL <=AL ==AL >=AL @=AL _=AL `=AL ~=AL", UnitClasses(u"#&*<=>@_`~"));
  EXPECT_EQ("0=NU 5=NU 9=NU a=AL Z=AL", UnitClasses(u"059aZ"));
}

TEST(LineBreakClasses, ControlsAndSpaces) {
  // The space itself is a letter to the table: the searches skip it, and where it is the
  // first character that does not fit, that class lets a line end after ")" or "!".
  EXPECT_EQ(rvu_lb_AL, RVGetCharLineBreakClass(32));
  EXPECT_EQ("<0009>=BA <000A>=AL <000D>=AL <0000>=AL", UnitClasses(std::u16string(u"\t\n\r\0", 4)));
}

TEST(LineBreakClasses, Latin1Supplement) {
  EXPECT_EQ("<00A0>=GL ¢=PO £=PR ¤=PR ¥=PR «=QU »=QU <00AD>=BA °=PO ±=PR ´=BB",
            UnitClasses(u"\u00A0¢£¤¥«»\u00AD°±´"));
  EXPECT_EQ("§=AL ©=AL é=AL ÿ=AL ×=AL ¿=AL ¡=AL", UnitClasses(u"§©éÿ×¿¡"));
}

TEST(LineBreakClasses, NamedCharactersOutsideLatin1) {
  EXPECT_EQ("։=SP ֊=BA ˈ=BB ˌ=BB ৲=PR ৳=PR", UnitClasses(u"\u0589\u058A\u02C8\u02CC\u09F2\u09F3"));
  // Decimal digits of Arabic and the Indic scripts, first and last of each range.
  EXPECT_EQ("٠=NU ٩=NU ۰=NU ۹=NU ०=NU ९=NU ০=NU ৯=NU ੦=NU ੯=NU ૦=NU ૯=NU ୦=NU ୯=NU ௦=NU ௯=NU "
            "౦=NU ౯=NU ೦=NU ೯=NU",
            UnitClasses(u"٠٩۰۹०९০৯੦੯૦૯୦୯௦௯౦౯೦೯"));
  // Combining marks of the Indic scripts, spacing or not; the letters are letters.
  EXPECT_EQ("ँ=CM ि=CM ্=CM ಾ=CM क=AL ಕ=AL", UnitClasses(u"\u0901\u093F\u09CD\u0CBE\u0915\u0C95"));
}

TEST(LineBreakClasses, IdeographsAndSyllables) {
  EXPECT_EQ("一=ID 中=ID 龥=ID ꀀ=ID ꒌ=ID ꒐=ID ꓆=ID 가=ID 힣=ID 豈=ID 鶴=ID",
            UnitClasses(u"一中龥ꀀꒌ꒐꓆가힣豈鶴"));
  EXPECT_EQ("<D800>=HSG <DBFF>=HSG <DC00>=LSG <DFFF>=LSG",
            UnitClasses(u"\xD800\xDBFF\xDC00\xDFFF"));
}

TEST(LineBreakClasses, UnicodeDataForTheRest) {
  // CJK punctuation, dashes, quotes, zero width space, combining accents, full-width forms.
  EXPECT_EQ("、=CL 。=CL 〈=OP 「=OP 」=CL —=B2 “=QU ”=QU <200B>=ZW <0301>=CM ！=EX ％=PO",
            UnitClasses(u"、。〈「」—“”\u200B\u0301！％"));
  EXPECT_EQ("々=NS ・=NS ‐=BA …=IN €=PR ‰=PO", UnitClasses(u"々・‐…€‰"));
}

TEST(LineBreakClasses, ClassesTheEngineLacksAreLetters) {
  // Word joiner (WJ), small kana (CJ), Thai (SA), Hangul jamo (JL), ZWJ, mandatory breaks,
  // ambiguous (AI) and unassigned code points.
  EXPECT_EQ("<2060>=AL ぁ=AL ー=AL ก=AL ᄀ=AL <200D>=AL <2028>=AL ①=AL \u0378=AL",
            UnitClasses(u"\u2060ぁーกᄀ\u200D\u2028①\u0378"));
}

TEST(LineBreakClasses, SupplementaryCodePoints) {
  // CJK extension B, an emoji face, an emoji modifier base (EB) and a regional indicator (RI)
  // and a supplementary combining mark.
  EXPECT_EQ("20000=ID 2A6D6=ID 1F600=ID 1F466=AL 1F1E6=AL 1D165=CM",
            CodePointClasses({0x20000, 0x2A6D6, 0x1F600, 0x1F466, 0x1F1E6, 0x1D165}));
  EXPECT_EQ("110000=AL FFFFFFFF=AL", CodePointClasses({0x110000, 0xFFFFFFFF}));
}

TEST(LineBreakClasses, CodePointAndUnitLookupsAgreeInTheBasicPlane) {
  for (char32_t cp = 0; cp <= 0xFFFF; ++cp)
    ASSERT_EQ(RVGetCharLineBreakClass(char16_t(cp)), RVGetCharLineBreakClass32(cp)) << unsigned(cp);
}

TEST(LineBreakClasses, NamedRangesAreSortedAndDisjoint) {
  ASSERT_GT(RVNamedLineBreakRangeCount, 0u);
  for (std::size_t i = 0; i < RVNamedLineBreakRangeCount; ++i) {
    const TRVLineBreakRange& r = RVNamedLineBreakRanges[i];
    EXPECT_LE(r.First, r.Last) << i;
    EXPECT_GE(r.First, 0x100) << "Latin-1 belongs to its own table, range " << i;
    if (i > 0) {
      EXPECT_LT(RVNamedLineBreakRanges[i - 1].Last, r.First) << i;
    }
  }
}

// Each line: the classes of one row or column whose entries are not the value the rule says.
TEST(BreakPairsTable, RulesTheTableMustKeep) {
  std::string exceptions;
  auto note = [&](const char* rule, int before, int after) {
    exceptions += std::string(rule) + " " + ClassName(TRVLineBreakClass(before)) + "/" +
                  ClassName(TRVLineBreakClass(after)) + "\n";
  };
  for (int b = 0; b < RV_LINEBREAK_CLASS_COUNT; ++b) {
    for (int a = 0; a < RV_LINEBREAK_CLASS_COUNT; ++a) {
      TRVBreakAction v = BreakPairs[b][a];
      bool surrogate = a >= rvu_lb_LSG || b >= rvu_lb_LSG;
      if (v == bk_SPK)
        note("unused value", b, a);
      if (surrogate && v != bk_SRG && !(b == rvu_lb_HSG && a == rvu_lb_LSG))
        note("surrogates", b, a);
      if (!surrogate && a == rvu_lb_CL && v != bk_PBK)
        note("closing bracket starts a line", b, a);
      if (!surrogate && b == rvu_lb_OB && a != rvu_lb_CM && v != bk_PBK)
        note("opening bracket ends a line", b, a);
      if (!surrogate && a == rvu_lb_CM && v != bk_IBK)
        note("mark after", b, a);
    }
  }
  EXPECT_EQ(bk_PBK, BreakPairs[rvu_lb_HSG][rvu_lb_LSG]);
  EXPECT_EQ(bk_IBK, BreakPairs[rvu_lb_AL][rvu_lb_SP]);
  EXPECT_EQ(bk_IBK, BreakPairs[rvu_lb_AL][rvu_lb_AL]);
  EXPECT_EQ("closing bracket starts a line ZW/CL\n", exceptions);
}
