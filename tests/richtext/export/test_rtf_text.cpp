// RTF encoding of run text, identifiers, file names and 8-bit strings.
#include "richtext/export/RVRTFSaveText.h"
#include "richtext/base/RVStream.h"

#include "richtext/export/RTFTextReader.h"

#include <gtest/gtest.h>

using namespace richtext;
using namespace std::string_literals;

namespace {

struct TFlags {
  bool saveAnsi = true;
  bool forceSaveAnsi = false;
  bool specialCode = false;
  bool doubleBSlashes = false;
  bool rtfControlsToCodes = false;
  bool encodeDblQuotes = false;
};

std::string Encode(std::u16string_view s, TRVCodePage codePage, TFlags f = {}) {
  TRVMemoryStream stream;
  RVWriteUnicodeRTFStr(stream, s, codePage, f.saveAnsi, f.forceSaveAnsi, f.specialCode,
                       f.doubleBSlashes, f.rtfControlsToCodes, f.encodeDblQuotes);
  return stream.Bytes();
}

// Run text as the RTF writer asks for it: fallbacks with the header's count 1, or none.
std::string RunText(std::u16string_view s, TRVCodePage codePage, bool duplicateUnicode = true) {
  return Encode(s, codePage, {.saveAnsi = duplicateUnicode});
}

} // namespace

TEST(RTFRunText, AsciiBracesAndBackslashes) {
  EXPECT_EQ(R"(Blog \{post\} C:\\x "q")", RunText(u"Blog {post} C:\\x \"q\"", 1252));
  EXPECT_EQ("", RunText(u"", 1252));
  // RTF code of its own passes unescaped.
  EXPECT_EQ(R"({\b bold}\par)", Encode(u"{\\b bold}\\par", 1252, {.specialCode = true}));
  EXPECT_EQ(R"(\'7bx\'5c\'7d)", Encode(u"{x\\}", 1252, {.rtfControlsToCodes = true}));
}

TEST(RTFRunText, ControlCharactersAreHexEscapes) {
  // Tabs and line breaks inside run text are characters, not the \tab and \line of the items.
  EXPECT_EQ("a\\'09b\\'0d\\'0ac\x7F", RunText(u"a\tb\r\nc\x7F", 1252));
  EXPECT_EQ(R"(\u0 \'00)", RunText(u"\0"s, 1252));
}

TEST(RTFRunText, LatinLetterWithAndWithoutFallback) {
  EXPECT_EQ(R"(caf\u233 \'e9)", RunText(u"café", 1252));
  EXPECT_EQ(R"(caf\u233 )", RunText(u"café", 1252, false));
  // A forced fallback under a declared count of 0 announces its count and restores it.
  EXPECT_EQ(R"(\uc1\u233 \'e9\uc0 )",
            Encode(u"é", 1252, {.saveAnsi = false, .forceSaveAnsi = true}));
}

TEST(RTFRunText, UnmappableCharacterFallsBackToQuestionMark) {
  EXPECT_EQ(R"(\u20013 ?\u1055 \'cf)", RunText(u"中П", 1251));
  EXPECT_EQ(R"(\u1055 ?)", RunText(u"П", 1252));
}

TEST(RTFRunText, DoubleByteFallbackChangesAndRestoresTheCount) {
  EXPECT_EQ(R"(a\uc2\u20013 \'d6\'d0\u25991 \'ce\'c4b\uc1 )", RunText(u"a中文b", 936));
  // Back to one byte inside the text: the count follows each fallback.
  EXPECT_EQ(R"(\uc2\u20013 \'d6\'d0\uc1\u1488 ?)", RunText(u"中א", 936));
  // The restoring word ends with a space, so digits after it stay text.
  EXPECT_EQ(u"中5", test::ReadRTFText(RunText(u"中", 936) + "5", 1));
  EXPECT_EQ(R"(\uc2\u26085 \'93\'fa\uc1 )", RunText(u"日", 932));
}

TEST(RTFRunText, NamedControlWords) {
  EXPECT_EQ(R"(a\~b\-c)", RunText(u"a\u00A0b\u00ADc", 1252));
  EXPECT_EQ(R"(\emdash \endash \ldblquote x\rdblquote \lquote y\rquote \bullet )",
            RunText(u"\u2014\u2013\u201Cx\u201D\u2018y\u2019\u2022", 1252));
  EXPECT_EQ(R"({\enspace }{\emspace }{\qmspace })", RunText(u"\u2002\u2003\u2005", 1252));
  // Zero-width joiners are followed by their delimiter, so "b" is not read as part of them.
  EXPECT_EQ(R"(a\zwj b\zwnj 5)", RunText(u"a\u200Db\u200C5", 1252));
  // RTF code has no named forms: an escape, and the fallback's own named form.
  EXPECT_EQ(R"(\u160 \~)", Encode(u"\u00A0", 1252, {.specialCode = true}));
}

TEST(RTFRunText, UnicodeEscapesAreUnsigned) {
  EXPECT_EQ(R"(\u65533 ?)", RunText(u"\uFFFD", 1252));
  EXPECT_EQ(R"(\u40657 )", RunText(u"\u9ED1", 1252, false));
}

TEST(RTFRunText, CharacterOutsideTheBmpIsTwoEscapes) {
  EXPECT_EQ(R"(\u55357 ?\u56832 ?)", RunText(u"\U0001F600", 1252));
  EXPECT_EQ(R"(\u55357 \u56832 )", RunText(u"\U0001F600", 1252, false));
  // Even in a double-byte page each half is one "?", with no change of count.
  EXPECT_EQ(R"(\u55357 ?\u56832 ?)", RunText(u"\U0001F600", 936));
}

TEST(RTFFileName, BackslashesAndQuotesSurviveTheFieldInstruction) {
  EXPECT_EQ(R"(C:\\\\Blog\\\\a \\"b\\".txt)",
            RVMakeRTFFileNameStr(u"C:\\Blog\\a \"b\".txt", 1252, true));
  EXPECT_EQ(R"(http://example.com/a\{b\})",
            RVMakeRTFFileNameStr(u"http://example.com/a{b}", 1252, true));
  // The fallback is always written, under the count the caller declared.
  EXPECT_EQ(R"(r\uc1\u233 \'e9sum\u233 \'e9\uc0 )", RVMakeRTFFileNameStr(u"résumé", 1252, false));
}

TEST(RTFFileName, BestFitFallbacksCountEveryCharacterTheyTakeUp) {
  // Fullwidth quote and backslash fall back to the ASCII ones, which the field escapes into
  // two characters: the count says 2 so that Unicode readers skip all of it.
  EXPECT_EQ(R"(\uc2\u65282 \\"\uc1 )", RVMakeRTFFileNameStr(u"\uFF02", 1252, true));
  EXPECT_EQ(R"(a\uc2\u65340 \\\\b\uc1 )", RVMakeRTFFileNameStr(u"a\uFF3Cb", 1252, true));
  // Run text escapes them as one character each.
  EXPECT_EQ(R"(\u65282 "\u65340 \\)", RunText(u"\uFF02\uFF3C", 1252));
}

TEST(RTFIdentifier, FontNames) {
  EXPECT_EQ("Times New Roman", MakeRTFIdentifierStr(u"Times New Roman", 0, true));
  EXPECT_EQ(R"(\uc2\u23435 \'cb\'ce\u20307 \'cc\'e5\uc1 )",
            MakeRTFIdentifierStr(u"宋体", 936, true));
  EXPECT_EQ(R"(\uc2\u23435 \'cb\'ce\u20307 \'cc\'e5\uc0 )",
            MakeRTFIdentifierStr(u"宋体", 936, false));
}

TEST(RTFStrW, FlagsAsGiven) {
  EXPECT_EQ(R"(\\o "a")", RVMakeRTFStrW(u"\\o \"a\"", 1252, true, false, false, false));
  EXPECT_EQ(R"(\'5co \u233 )", RVMakeRTFStrW(u"\\o é", 1252, false, false, false, true));
}

TEST(RTFBytes, EscapingRules) {
  EXPECT_EQ(R"(a\~\'01\{\\\})", RVMakeRTFStr("a\xA0\x01{\\}", false, true, false, false));
  EXPECT_EQ(R"(a\'a0\'ff)", RVMakeRTFStr("a\xA0\xFF", false, false, false, false));
  EXPECT_EQ(R"(say \\"hi\\")", RVMakeRTFStr("say \"hi\"", false, false, false, true));
  EXPECT_EQ(R"({\b x}\'e9)", RVMakeRTFStr("{\\b x}\xE9", true, false, false, false));
  EXPECT_EQ(R"(\'7b\'5c\'7d)", RVMakeRTFStr("{\\}", false, false, true, false));
  std::string s = "\x7F\x1F ";
  RTFReplaceHex(s, false, false);
  EXPECT_EQ("\x7F\\'1f ", s);
  EXPECT_EQ(R"(\u0 )", RTFUnicodeEscape(0));
  EXPECT_EQ(R"(\u65535 )", RTFUnicodeEscape(0xFFFF));
  EXPECT_EQ("", RTFNamedCharWord(u'a'));
}

TEST(RTFLanguage, CharsetToLanguage) {
  EXPECT_EQ(0, RVU_Charset2Language(0));      // ANSI
  EXPECT_EQ(0, RVU_Charset2Language(1));      // default
  EXPECT_EQ(0, RVU_Charset2Language(238));    // Central European
  EXPECT_EQ(1049, RVU_Charset2Language(204)); // Russian
  EXPECT_EQ(2052, RVU_Charset2Language(134)); // GB2312
  EXPECT_EQ(1041, RVU_Charset2Language(128)); // Shift-JIS
  EXPECT_EQ(1024, RVU_Charset2Language(2));   // symbol: not listed
  EXPECT_EQ(1024, RVU_Charset2Language(255));
}
