// Stepping by user-perceived characters.
#include "LineBreakTestUtil.h"
#include "richtext/base/RVCharNav.h"

#include <gtest/gtest.h>

using namespace richtext;
using linebreak_test::Cut;

namespace {

// The text cut into characters by stepping forward from the start with RVU_NextChar.
std::string StepForward(std::u16string_view text) {
  std::vector<int> cuts;
  const char16_t* start = text.data();
  const char16_t* end = start + text.size();
  for (const char16_t* p = RVU_NextChar(start, end); p < end; p = RVU_NextChar(p, end))
    cuts.push_back(int(p - start));
  return Cut(text, cuts);
}

// The same by stepping back from the end with RVU_PrevChar.
std::string StepBack(std::u16string_view text) {
  std::vector<int> cuts;
  const char16_t* start = text.data();
  const char16_t* end = start + text.size();
  for (const char16_t* p = RVU_PrevChar(start, end); p > start; p = RVU_PrevChar(start, p))
    cuts.insert(cuts.begin(), int(p - start));
  return Cut(text, cuts);
}

struct TClusterCase {
  const char16_t* Text;
  const char* Expected;
};

const TClusterCase kClusterCases[] = {
    {u"abc", "a|b|c"},
    {u"e\u0301x", "e<0301>|x"},                         // combining acute
    {u"a\u0301\u0323b\u0308", "a<0301><0323>|b<0308>"}, // several marks
    {u"\u0323", "<0323>"},                              // a mark on nothing
    {u"x😀y", "x|😀|y"},                                  // surrogate pair
    {u"𠀀𠀁", "𠀀|𠀁"},                                 // CJK extension B
    {u"👍🏽!", "👍🏽|!"},                       // emoji with skin tone
    {u"👨\u200D👩\u200D👧.", "👨<200D>👩<200D>👧|."},         // ZWJ family
    {u"🇩🇪🇫🇷", "🇩🇪|🇫🇷"},                                 // two flags
    {u"a\r\nb", "a|<000D><000A>|b"},                    // CR LF is one character
    {u"\u1100\u1161\u11A8가", "\u1100\u1161\u11A8|가"}, // conjoining jamo
    {u"नमस्ते", "न|म|स्ते"},                                // a conjunct joined by a virama
    {u"\xD800\x0061\xDC00", "<D800>|a|<DC00>"},         // unpaired halves
    {u"\xDC00\xD800", "<DC00>|<D800>"},
};

} // namespace

TEST(CharNav, ClustersForwardAndBack) {
  for (const TClusterCase& c : kClusterCases) {
    std::u16string_view text(c.Text);
    EXPECT_EQ(c.Expected, StepForward(text)) << linebreak_test::Show(text);
    EXPECT_EQ(c.Expected, StepBack(text)) << linebreak_test::Show(text);
  }
}

TEST(CharNav, EdgesOfTheText) {
  std::u16string_view empty;
  EXPECT_EQ(0, RVU_NextCharIndex(empty, 0));
  EXPECT_EQ(0, RVU_PrevCharIndex(empty, 0));

  std::u16string_view text = u"ab😀";
  EXPECT_EQ(1, RVU_NextCharIndex(text, 0));
  EXPECT_EQ(4, RVU_NextCharIndex(text, 2));
  EXPECT_EQ(4, RVU_NextCharIndex(text, 4)); // at the end it stays there
  EXPECT_EQ(0, RVU_PrevCharIndex(text, 0)); // at the start it stays there
  EXPECT_EQ(2, RVU_PrevCharIndex(text, 4));
  // Out-of-range indices are taken as the nearest end.
  EXPECT_EQ(1, RVU_NextCharIndex(text, -5));
  EXPECT_EQ(4, RVU_NextCharIndex(text, 50));
  EXPECT_EQ(2, RVU_PrevCharIndex(text, 50));
  EXPECT_EQ(0, RVU_PrevCharIndex(text, -1));

  const char16_t* p = text.data();
  EXPECT_EQ(p + 1, RVU_NextChar(p, p + 1)); // the end given cuts the text short
  EXPECT_EQ(p, RVU_NextChar(p, p));
  EXPECT_EQ(p + 4, RVU_NextChar(p + 5, p + 4));
  EXPECT_EQ(p + 2, RVU_PrevChar(p + 2, p + 1));
}

TEST(CharNav, SteppingFromInsideACluster) {
  // From the middle of a cluster, the next boundary is that cluster's end as far as the text
  // from there shows it, and the previous one is its start.
  std::u16string_view text = u"e\u0301\u0302x";
  EXPECT_EQ(3, RVU_NextCharIndex(text, 1));
  EXPECT_EQ(0, RVU_PrevCharIndex(text, 2));
  std::u16string_view pair = u"a😀";
  EXPECT_EQ(1, RVU_PrevCharIndex(pair, 2));
  EXPECT_EQ(3, RVU_NextCharIndex(pair, 2)); // a lone low half is one unit
}
