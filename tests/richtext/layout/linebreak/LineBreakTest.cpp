// Break opportunities: RVFindLineBreak on one string, RVFindFirstLineBreak across strings.
#include "LineBreakTestUtil.h"

#include <gtest/gtest.h>

using namespace richtext;
using linebreak_test::Cut;

namespace {

enum TWrapFlags { kNone = 0, kIsLast = 1, kIgnoreEndingSpaces = 2 };

// The text is written with "^" before the first character that does not fit. The answer shows
// where the line ends ("|"), or "none".
std::string Wrap(std::u16string marked, int flags = kNone) {
  std::size_t pos = marked.find(u'^');
  EXPECT_NE(std::u16string::npos, pos) << "no ^ in the test text";
  std::u16string text = marked.erase(pos, 1);
  int last = RVFindLineBreak(text, int(pos), flags & kIsLast, flags & kIgnoreEndingSpaces);
  if (last < 0)
    return "none";
  return Cut(text, {last + 1});
}

// Every break opportunity of the text, found by searching forward from each one to the next.
std::string AllBreaks(std::u16string_view text) {
  std::vector<int> cuts;
  TRVLineBreakContext context;
  std::size_t from = 0;
  while (from < text.size()) {
    int found = RVFindFirstLineBreak(text.substr(from), context);
    if (found < 0)
      break;
    std::size_t at = from + std::size_t(found);
    cuts.push_back(int(at));
    // Step over the character the line would start with.
    std::size_t next = at + 1;
    if (next < text.size() && text[at] >= 0xD800 && text[at] <= 0xDBFF && text[next] >= 0xDC00 &&
        text[next] <= 0xDFFF)
      ++next;
    context = RVGetLineBreakContext(text.substr(at, next - at), context);
    from = next;
  }
  return Cut(text, cuts);
}

} // namespace

TEST(FindLineBreak, SpacesStayWithTheFirstPart) {
  EXPECT_EQ("a |b", Wrap(u"a ^b"));
  EXPECT_EQ("hello |world", Wrap(u"hello wor^ld"));
  EXPECT_EQ("a   |b", Wrap(u"a   ^b"));
  EXPECT_EQ("one two |three", Wrap(u"one two thr^ee"));
  EXPECT_EQ("none", Wrap(u"letter^sonly"));
  EXPECT_EQ("none", Wrap(u"^abc"));
  EXPECT_EQ("none", Wrap(u"   ^abc"));
}

TEST(FindLineBreak, FirstCharacterNotFittingIsASpace) {
  EXPECT_EQ("ab|  cd", Wrap(u"ab^  cd"));
  // The space counts as a letter here, so closing and sentence punctuation may end the line.
  EXPECT_EQ("a)| b", Wrap(u"a)^ b"));
  EXPECT_EQ("Hi!| there", Wrap(u"Hi!^ there"));
  EXPECT_EQ("none", Wrap(u"(^ a"));
}

TEST(FindLineBreak, Brackets) {
  // A closing bracket never starts a line; an opening one never ends a line.
  EXPECT_EQ("none", Wrap(u"word^)"));
  EXPECT_EQ("see |(word) now", Wrap(u"see (word^) now"));
  EXPECT_EQ("(a) |(b)", Wrap(u"(a) (b^)"));
  EXPECT_EQ("a |(b", Wrap(u"a (^b"));
  EXPECT_EQ("none", Wrap(u"(^b"));
  // ASCII brackets stay attached to a preceding word; other opening punctuation does not.
  EXPECT_EQ("none", Wrap(u"a(^b"));
  EXPECT_EQ("a|〈b", Wrap(u"a〈^b"));
  EXPECT_EQ("none", Wrap(u"「中^」"));
}

TEST(FindLineBreak, SentencePunctuation) {
  EXPECT_EQ("Hi |!", Wrap(u"Hi ^!"));
  EXPECT_EQ("none", Wrap(u"Hi^!"));
  EXPECT_EQ("none", Wrap(u"Hi ^?"));
  EXPECT_EQ("one, |two", Wrap(u"one, t^wo"));
  EXPECT_EQ("none", Wrap(u"example.c^om"));
  EXPECT_EQ("none", Wrap(u"http://exa^mple.com/path"));
  EXPECT_EQ("none", Wrap(u"and/^or"));
}

TEST(FindLineBreak, Ideographs) {
  EXPECT_EQ("中文|字", Wrap(u"中文^字"));
  // The full stop cannot start a line, so it takes the ideograph before it along.
  EXPECT_EQ("中|文。", Wrap(u"中文^。"));
  EXPECT_EQ("abc|中", Wrap(u"abc^中"));
  EXPECT_EQ("中|abc", Wrap(u"中^abc"));
  EXPECT_EQ("中文 |abc", Wrap(u"中文 ^abc"));
  EXPECT_EQ("한국|어", Wrap(u"한국^어"));
}

TEST(FindLineBreak, NumbersWithPrefixAndPostfix) {
  EXPECT_EQ("cost |50%", Wrap(u"cost 50^%"));
  EXPECT_EQ("none", Wrap(u"5^°C"));
  EXPECT_EQ("none", Wrap(u"$10^0"));
  EXPECT_EQ("pay |+100", Wrap(u"pay +10^0"));
  EXPECT_EQ("none", Wrap(u"1,000.5^0"));
  EXPECT_EQ("10 |km", Wrap(u"10 ^km"));
}

TEST(FindLineBreak, HyphensAndSoftHyphens) {
  EXPECT_EQ("well-|known", Wrap(u"well-k^nown"));
  EXPECT_EQ("none", Wrap(u"well^-known"));
  EXPECT_EQ("a - |b", Wrap(u"a - ^b"));
  EXPECT_EQ("hyphen<00AD>|ation", Wrap(u"hyphen\u00ADa^tion"));
  EXPECT_EQ("none", Wrap(u"hyphen^\u00ADation"));
}

TEST(FindLineBreak, NoBreakSpaceQuotesAndInvisibleBreaks) {
  EXPECT_EQ("none", Wrap(u"10\u00A0^km"));
  EXPECT_EQ("a |b<00A0>c", Wrap(u"a b\u00A0^c"));
  EXPECT_EQ("say |\"hi\"", Wrap(u"say \"h^i\""));
  EXPECT_EQ("\"hi\"| ok", Wrap(u"\"hi\"^ ok"));
  EXPECT_EQ("say |«hi»", Wrap(u"say «h^i»"));
  EXPECT_EQ("a<0009>|b", Wrap(u"a\t^b"));
  EXPECT_EQ("ab<200B>|cd", Wrap(u"ab\u200B^cd"));
}

TEST(FindLineBreak, LastCharacterAndEndingSpaces) {
  EXPECT_EQ("ab |", Wrap(u"ab^ ", kIsLast));
  EXPECT_EQ("ab| ", Wrap(u"ab^ "));
  EXPECT_EQ("ab |cd  ", Wrap(u"ab cd^  ", kIgnoreEndingSpaces));
  EXPECT_EQ("none", Wrap(u"ab^ ", kIsLast | kIgnoreEndingSpaces));
  EXPECT_EQ("none", Wrap(u" ^ ", kIgnoreEndingSpaces));
}

TEST(FindLineBreak, SurrogatePairsAreOneCharacter) {
  EXPECT_EQ("a |😀b", Wrap(u"a ^😀b"));
  EXPECT_EQ("a |😀b", Wrap(u"a \xD83D^\xDE00"
                          u"b")); // the pair does not fit as a whole
  EXPECT_EQ("a 😀|b", Wrap(u"a 😀^b"));
  EXPECT_EQ("𠀀|𠀁", Wrap(u"𠀀^𠀁"));
  EXPECT_EQ("𠀀|𠀁", Wrap(u"𠀀\xD840^\xDC01"));
  EXPECT_EQ("none", Wrap(u"\xD840^\xDC00"));
  // Halves without a partner are treated as letters.
  EXPECT_EQ("none", Wrap(u"a\xD800^b"));
  EXPECT_EQ("中|<DC00>", Wrap(u"中^\xDC00"));
  EXPECT_EQ("<DBFF>|中", Wrap(u"\xDBFF^中"));
}

TEST(FindLineBreak, CombiningMarksStayWithTheirBase) {
  EXPECT_EQ("e<0301> |x", Wrap(u"e\u0301 ^x"));
  EXPECT_EQ("none", Wrap(u"ab^\u0301"));
  EXPECT_EQ("none", Wrap(u"中^\u0301"));
}

TEST(FindLineBreak, PositionsOutsideTheText) {
  EXPECT_EQ(-1, RVFindLineBreak(u"", 0, false, false));
  EXPECT_EQ(-1, RVFindLineBreak(u"", 0, true, true));
  EXPECT_EQ(-1, RVFindLineBreak(u"a b", -1, false, false));
  EXPECT_EQ(-1, RVFindLineBreak(u"a b", 3, true, false));
  EXPECT_EQ(-1, RVFindLineBreak(u"a b", 100, false, true));
}

TEST(FindFirstLineBreak, AllOpportunitiesOfAText) {
  EXPECT_EQ("hello |big |world", AllBreaks(u"hello big world"));
  EXPECT_EQ("see |(word) |now, |ok!", AllBreaks(u"see (word) now, ok!"));
  EXPECT_EQ("中|文|abc |字。", AllBreaks(u"中文abc 字。"));
  EXPECT_EQ("😀|😀 |x", AllBreaks(u"😀😀 x"));
  EXPECT_EQ("well-|known |50%", AllBreaks(u"well-known 50%"));
  EXPECT_EQ("", AllBreaks(u""));
  EXPECT_EQ("   ", AllBreaks(u"   "));
}

TEST(FindFirstLineBreak, AcrossStrings) {
  TRVLineBreakContext context = RVGetLineBreakContext(u"hello ");
  EXPECT_EQ(0, RVFindFirstLineBreak(u"world", context));

  context = RVGetLineBreakContext(u"hello");
  EXPECT_EQ(-1, RVFindFirstLineBreak(u"world", context));
  EXPECT_EQ(rvu_lb_AL, context.Before);
  EXPECT_FALSE(context.SpacesAfter);
  EXPECT_EQ(1, RVFindFirstLineBreak(u" next", context));

  context = RVGetLineBreakContext(u"see (");
  EXPECT_EQ(6, RVFindFirstLineBreak(u"word) now", context));

  context = RVGetLineBreakContext(u"中");
  EXPECT_EQ(0, RVFindFirstLineBreak(u"文", context));

  // Spaces at the end of one string and the word in the next one.
  context = RVGetLineBreakContext(u"a");
  EXPECT_EQ(-1, RVFindFirstLineBreak(u"  ", context));
  EXPECT_TRUE(context.SpacesAfter);
  EXPECT_EQ(0, RVFindFirstLineBreak(u"b", context));
}

TEST(FindFirstLineBreak, NothingBreaksBeforeTheFirstCharacterOfALine) {
  TRVLineBreakContext context;
  EXPECT_EQ(-1, RVFindFirstLineBreak(u"  abc", context));
  EXPECT_EQ(rvu_lb_AL, context.Before);
  context = {};
  EXPECT_EQ(-1, RVFindFirstLineBreak(u"中", context));
  context = {};
  EXPECT_EQ(-1, RVFindFirstLineBreak(u"", context));
  EXPECT_FALSE(context.HasBefore);
}
