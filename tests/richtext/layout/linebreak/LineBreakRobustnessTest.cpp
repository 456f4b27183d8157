// Random UTF-16, malformed text included: results stay in bounds, pairs stay whole, stepping
// makes progress, and the two break searches agree with each other.
#include "LineBreakTestUtil.h"
#include "richtext/base/RVCharNav.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <unicode/ubrk.h>

using namespace richtext;
using linebreak_test::Show;

namespace {

bool IsHigh(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLow(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}
bool SplitsPair(std::u16string_view s, std::size_t i) {
  return i > 0 && i < s.size() && IsHigh(s[i - 1]) && IsLow(s[i]);
}

// Pieces that the generator strings together: letters, spaces, punctuation of every class,
// ideographs, marks, joiners, pairs, lone halves, controls.
// clang-format off
const std::u16string_view kPieces[] = {
    u"a", u"Z", u" ", u" ", u"  ", u"(", u")", u"!", u",", u".", u"?", u"-", u"/", u"\"", u"$",
    u"%", u"+", u"7", u"\t", u"\r\n", u"\u00A0", u"\u00AD", u"\u200B", u"\u200D", u"\u0301",
    u"\u093F", u"中", u"。", u"「", u"가", u"\u1100", u"\u1161", u"😀", u"👍🏽", u"🇩🇪", u"𠀀",
    u"\xD800", u"\xDBFF", u"\xDC00", u"\xDFFF", u"\u0600", u"—", u"…", u"\u2060", u"\uFFFF",
    std::u16string_view(u"\0", 1),
};
// clang-format on

std::u16string RandomText(std::mt19937& rng) {
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  std::u16string s;
  for (int n = length(rng); n > 0; --n)
    s += kPieces[piece(rng)];
  return s;
}

// Indices where a line may start, found forward with RVFindFirstLineBreak.
std::set<int> ForwardOpportunities(std::u16string_view s) {
  std::set<int> result;
  TRVLineBreakContext context;
  std::size_t from = 0;
  while (from < s.size()) {
    int found = RVFindFirstLineBreak(s.substr(from), context);
    if (found < 0)
      break;
    std::size_t at = from + std::size_t(found);
    EXPECT_TRUE(at > 0 && at < s.size() && !SplitsPair(s, at) && s[at] != u' ')
        << Show(s) << " at " << at;
    result.insert(int(at));
    std::size_t next = (IsHigh(s[at]) && at + 1 < s.size() && IsLow(s[at + 1])) ? at + 2 : at + 1;
    context = RVGetLineBreakContext(s.substr(at, next - at), context);
    from = next;
  }
  return result;
}

constexpr int kTexts = 3000;

} // namespace

TEST(LineBreakRobustness, ResultsStayInBoundsAndKeepPairsWhole) {
  std::mt19937 rng(20240611);
  for (int t = 0; t < kTexts; ++t) {
    std::u16string s = RandomText(rng);
    int size = int(s.size());
    for (int pos = -1; pos <= size + 1; ++pos) {
      for (int flags = 0; flags < 4; ++flags) {
        bool isLast = flags & 1, ignore = flags & 2;
        int r = RVFindLineBreak(s, pos, isLast, ignore);
        if (pos < 0 || pos >= size) {
          ASSERT_EQ(-1, r) << Show(s) << " pos " << pos;
          continue;
        }
        ASSERT_GE(r, -1) << Show(s) << " pos " << pos;
        ASSERT_LE(r, pos) << Show(s) << " pos " << pos;
        if (r < 0)
          continue;
        ASSERT_FALSE(SplitsPair(s, std::size_t(r) + 1)) << Show(s) << " pos " << pos;
        if (r == pos) {
          ASSERT_TRUE(isLast && !ignore && s[pos] == u' ') << Show(s) << " pos " << pos;
        } else if (!ignore && s[r + 1] == u' ') {
          ASSERT_EQ(pos, r + 1) << "spaces after the break stay on the line: " << Show(s);
        }
      }
    }
  }
}

TEST(LineBreakRobustness, BackwardSearchFindsTheLastForwardOpportunity) {
  std::mt19937 rng(7);
  for (int t = 0; t < kTexts; ++t) {
    std::u16string s = RandomText(rng);
    std::set<int> opportunities = ForwardOpportunities(s);
    for (int pos = 0; pos < int(s.size()); ++pos) {
      if (s[pos] == u' ')
        continue; // a space there may end the line before it, which is no opportunity of its own
      int start = SplitsPair(s, std::size_t(pos)) ? pos - 1 : pos;
      auto it = opportunities.upper_bound(start);
      int expected = it == opportunities.begin() ? -1 : *std::prev(it) - 1;
      ASSERT_EQ(expected, RVFindLineBreak(s, pos, false, false)) << Show(s) << " pos " << pos;
    }
  }
}

TEST(LineBreakRobustness, SteppingMakesProgressAndMatchesTheClusterIterator) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UBreakIterator, void (*)(UBreakIterator*)> reference(
      ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status), ubrk_close);
  ASSERT_TRUE(U_SUCCESS(status));

  std::mt19937 rng(99);
  for (int t = 0; t < kTexts; ++t) {
    std::u16string s = RandomText(rng);
    int size = int(s.size());
    for (int i = 0; i <= size; ++i) {
      int next = RVU_NextCharIndex(s, i);
      int prev = RVU_PrevCharIndex(s, i);
      if (i < size) {
        ASSERT_TRUE(next > i && next <= size) << Show(s) << " at " << i;
      } else {
        ASSERT_EQ(size, next);
      }
      if (i > 0) {
        ASSERT_TRUE(prev >= 0 && prev < i) << Show(s) << " at " << i;
      } else {
        ASSERT_EQ(0, prev);
      }
      ASSERT_FALSE(SplitsPair(s, std::size_t(next))) << Show(s) << " at " << i;
      ASSERT_FALSE(SplitsPair(s, std::size_t(prev))) << Show(s) << " at " << i;
    }

    // From boundary to boundary both directions give the whole-text cluster boundaries.
    std::vector<int> expected, forward, backward;
    status = U_ZERO_ERROR;
    ubrk_setText(reference.get(), s.data(), size, &status);
    ASSERT_TRUE(U_SUCCESS(status));
    for (int b = ubrk_first(reference.get()); b != UBRK_DONE; b = ubrk_next(reference.get()))
      expected.push_back(b);
    forward.push_back(0);
    for (int i = 0; i < size;)
      forward.push_back(i = RVU_NextCharIndex(s, i));
    backward.push_back(size);
    for (int i = size; i > 0;)
      backward.insert(backward.begin(), i = RVU_PrevCharIndex(s, i));
    ASSERT_EQ(expected, forward) << Show(s);
    ASSERT_EQ(expected, backward) << Show(s);
  }
}

TEST(LineBreakRobustness, ContextAfterATextIsTheContextAfterItsCharactersOneByOne) {
  // The context is read from the end of the text; fed one character (or pair) at a time it
  // must come out the same, from any context before it.
  std::mt19937 rng(41);
  const TRVLineBreakContext befores[] = {{}, {true, rvu_lb_OP, false}, {true, rvu_lb_ID, true}};
  for (int t = 0; t < kTexts; ++t) {
    const std::u16string s = RandomText(rng);
    for (const TRVLineBreakContext& before : befores) {
      TRVLineBreakContext stepped = before;
      for (std::size_t i = 0; i < s.size();) {
        const std::size_t next = IsHigh(s[i]) && i + 1 < s.size() && IsLow(s[i + 1]) ? i + 2 : i + 1;
        stepped = RVGetLineBreakContext(std::u16string_view(s).substr(i, next - i), stepped);
        i = next;
      }
      const TRVLineBreakContext whole = RVGetLineBreakContext(s, before);
      ASSERT_EQ(stepped.HasBefore, whole.HasBefore) << Show(s);
      ASSERT_EQ(stepped.Before, whole.Before) << Show(s);
      ASSERT_EQ(stepped.SpacesAfter, whole.SpacesAfter) << Show(s);
    }
  }
  // A lone half at the end counts as a letter, a pair as its code point.
  EXPECT_EQ(rvu_lb_AL, RVGetLineBreakContext(u"(\xD800").Before);
  EXPECT_EQ(rvu_lb_ID, RVGetLineBreakContext(u"(\U00020000").Before);
  const TRVLineBreakContext spaced = RVGetLineBreakContext(u"a(  ");
  EXPECT_EQ(RVGetCharLineBreakClass(u'('), spaced.Before);
  EXPECT_TRUE(spaced.SpacesAfter);
}
