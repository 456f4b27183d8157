// The one-sort order of a loaded list against the order of inserting each entry after its
// equals with the collator, for lists whose shared beginning the sort leaves out.
#include "app/ListSort.h"
#include "app/Parallel.h"

#include <gtest/gtest.h>
#include <unicode/ucol.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <memory>
#include <numeric>

#include "AppTestSupport.h"

namespace quillon {
namespace {

using test::Dump;

using TCollator = std::unique_ptr<UCollator, TCollatorCloser>;

TCollator Open(const char* locale) {
  UErrorCode error = U_ZERO_ERROR;
  TCollator collator(ucol_open(locale, &error));
  EXPECT_TRUE(U_SUCCESS(error)) << locale;
  ucol_setStrength(collator.get(), UCOL_SECONDARY);
  return collator;
}

std::vector<std::u16string_view> Views(const std::vector<std::u16string>& lines) {
  return {lines.begin(), lines.end()};
}

// What inserting one by one, each after its equals, gives.
std::string InsertedOrder(const UCollator* collator, const std::vector<std::u16string>& lines) {
  std::vector<std::u16string> sorted;
  for (const std::u16string& line : lines) {
    auto at = std::upper_bound(sorted.begin(), sorted.end(), line,
                               [&](const std::u16string& a, const std::u16string& b) {
                                 return ucol_strcoll(collator, reinterpret_cast<const UChar*>(a.data()),
                                                     static_cast<int32_t>(a.size()),
                                                     reinterpret_cast<const UChar*>(b.data()),
                                                     static_cast<int32_t>(b.size())) == UCOL_LESS;
                               });
    sorted.insert(at, line);
  }
  return Dump(sorted);
}

// The order through the collation keys; CollationOrder's own must be the same.
std::string SortedOrder(const UCollator* collator, const std::vector<std::u16string>& lines) {
  std::vector<std::u16string> sorted;
  const std::vector<std::size_t> order = CollationKeyOrder(collator, Views(lines));
  EXPECT_EQ(order, CollationOrder(collator, Views(lines)));
  for (std::size_t index : order)
    sorted.push_back(lines[index]);
  return Dump(sorted);
}

// Order holds every line once, in the collator's order, and equals in file order.
void ExpectStableOrder(const UCollator* collator, const std::vector<std::u16string>& lines,
                       const std::vector<std::size_t>& order) {
  std::vector<std::size_t> seen(order);
  std::sort(seen.begin(), seen.end());
  ASSERT_EQ(lines.size(), seen.size());
  for (std::size_t i = 0; i < seen.size(); ++i)
    ASSERT_EQ(i, seen[i]) << "every line once";
  for (std::size_t i = 1; i < order.size(); ++i) {
    const std::u16string& a = lines[order[i - 1]];
    const std::u16string& b = lines[order[i]];
    const UCollationResult result = ucol_strcoll(
        collator, reinterpret_cast<const UChar*>(a.data()), static_cast<int32_t>(a.size()),
        reinterpret_cast<const UChar*>(b.data()), static_cast<int32_t>(b.size()));
    ASSERT_NE(UCOL_GREATER, result) << i;
    if (result == UCOL_EQUAL) {
      ASSERT_LT(order[i - 1], order[i]) << "equals keep file order at " << i;
    }
  }
}

// Every line is the prefix followed by one of the endings, in a scrambled order.
std::vector<std::u16string> Lines(const std::u16string& prefix,
                                  std::initializer_list<const char16_t*> endings) {
  std::vector<std::u16string> lines;
  for (int round = 0; round < 3; ++round)
    for (const char16_t* ending : endings)
      lines.push_back(prefix + ending);
  std::reverse(lines.begin() + static_cast<long>(lines.size() / 2), lines.end());
  return lines;
}

TEST(ListSort, ASharedBeginningIsLeftOutWhereThatChangesNothing) {
  TCollator root = Open("en_US");
  auto links = Lines(u"[url=https://blog.example.net/", {u"b]B", u"a]x", u"A]x", u"á]x", u""});
  // All of it but the "/": an accented letter right after the shared part could take an
  // accent of its own, so the comparison starts one character early.
  EXPECT_EQ(29u, SkippablePrefix(root.get(), Views(links)));
  auto plain = Lines(u"[url=https://blog.example.net/", {u"b]B", u"a]x", u"A]x", u""});
  EXPECT_EQ(30u, SkippablePrefix(root.get(), Views(plain)));
  EXPECT_EQ(InsertedOrder(root.get(), plain), SortedOrder(root.get(), plain));
  EXPECT_EQ(InsertedOrder(root.get(), links), SortedOrder(root.get(), links));
  // One line or none: nothing to skip.
  EXPECT_EQ(0u, SkippablePrefix(root.get(), {}));
  EXPECT_EQ(0u, SkippablePrefix(root.get(), Views({u"only"})));
}

TEST(ListSort, ABeginningThatEndsInsideACharacterIsCutBack) {
  TCollator root = Open("en_US");
  // A combining accent after the shared part belongs to its last letter.
  auto accents = Lines(u"caf", {u"e", u"e\u0301", u"\u0301x", u"f"});
  EXPECT_EQ(2u, SkippablePrefix(root.get(), Views(accents)));
  EXPECT_EQ(InsertedOrder(root.get(), accents), SortedOrder(root.get(), accents));
  // A shared lead surrogate is half a character; no comparison starts at a surrogate.
  auto pairs = Lines(u"x\U0001F600", {u"a", u"b"});
  pairs.push_back(u"x\xD83D\xDE01");
  EXPECT_EQ(0u, SkippablePrefix(root.get(), Views(pairs)));
  EXPECT_EQ(InsertedOrder(root.get(), pairs), SortedOrder(root.get(), pairs));
}

TEST(ListSort, ContractionsAcrossTheBoundaryAreKeptWhole) {
  // Czech sorts "ch" as one letter after "h". English has no such letter: what is learnt of
  // the rules of one language (and kept for the next load) must not serve the other.
  TCollator english = Open("en_US");
  auto czechLines = Lines(u"xc", {u"h", u"i", u"a", u""});
  EXPECT_EQ(2u, SkippablePrefix(english.get(), Views(czechLines)));
  TCollator czech = Open("cs_CZ");
  EXPECT_EQ(0u, SkippablePrefix(czech.get(), Views(czechLines)));
  EXPECT_EQ(2u, SkippablePrefix(english.get(), Views(czechLines)));
  EXPECT_EQ(InsertedOrder(czech.get(), czechLines), SortedOrder(czech.get(), czechLines));
  // Japanese: the length mark takes its weight from the kana before it.
  TCollator japanese = Open("ja_JP");
  auto kana = Lines(u"リンクカ", {u"ー", u"ア", u"a"});
  EXPECT_EQ(InsertedOrder(japanese.get(), kana), SortedOrder(japanese.get(), kana));
}

TEST(ListSort, AccentsReadFromTheEndKeepTheWholeLine) {
  // Canadian French compares accents from the end of the string, shared part included.
  TCollator french = Open("fr_CA");
  auto lines = Lines(u"cote", {u"", u"\u0301", u"s"});
  lines.push_back(u"c\u00f4te");
  lines.push_back(u"c\u00f4t\u00e9");
  EXPECT_EQ(0u, SkippablePrefix(french.get(), Views(lines)));
  EXPECT_EQ(InsertedOrder(french.get(), lines), SortedOrder(french.get(), lines));
}

TEST(ListSort, LinesMostlyInOrderAreMergedIntoTheStableOrder) {
  // What a list file looks like: in order as Quillon wrote it, then changed by another
  // program (lines appended, some taken out, a block pasted in the middle). Case variants
  // and accents make ties the merge must keep in file order.
  TCollator english = Open("en_US");
  const char16_t* const words[] = {u"blog", u"Blog", u"BLOG", u"blóg", u"link", u"Link", u"博客"};
  std::vector<std::u16string> lines;
  unsigned state = 7;
  auto next = [&] {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  };
  for (int i = 0; i < 3000; ++i)
    lines.push_back(std::u16string(words[next() % 7]) + u" " + std::u16string(words[next() % 7]) +
                    u"]" + std::u16string(1, static_cast<char16_t>(u'a' + next() % 3)));
  std::vector<std::u16string> sorted;
  for (std::size_t index : CollationKeyOrder(english.get(), Views(lines)))
    sorted.push_back(lines[index]);
  auto appended = sorted;
  for (int i = 0; i < 20; ++i)
    appended.push_back(lines[next() % lines.size()]);
  auto pasted = sorted;
  pasted.insert(pasted.begin() + 1000, lines.begin(), lines.begin() + 9);
  auto reversedTail = sorted;
  std::reverse(reversedTail.end() - 20, reversedTail.end());
  for (const auto* shape : {&sorted, &appended, &pasted, &reversedTail, &lines}) {
    const std::vector<std::size_t> keys = CollationKeyOrder(english.get(), Views(*shape));
    ASSERT_EQ(keys, CollationOrder(english.get(), Views(*shape)));
    if (shape == &sorted) {
      for (std::size_t i = 0; i < keys.size(); ++i)
        ASSERT_EQ(i, keys[i]); // already in order: stays as it is
    }
  }
  EXPECT_EQ(InsertedOrder(english.get(), appended), SortedOrder(english.get(), appended));
}

TEST(ListSort, BigListsSortTheSameInPieces) {
  // Enough lines for the keys to be made on several threads.
  TCollator chinese = Open("zh_CN");
  const char16_t* const parts[] = {u"Blog", u"blog", u"链接", u"博客", u"", u"b\u0301"};
  std::vector<std::u16string> lines;
  unsigned state = 5;
  for (int i = 0; i < 60000; ++i) {
    state = state * 1103515245u + 12345u;
    lines.push_back(u"[url=https://e.net/" + std::u16string(parts[(state >> 8) % 6]) +
                    std::u16string(parts[(state >> 12) % 6]) + u"]" +
                    std::u16string(parts[(state >> 16) % 6]));
  }
  const std::vector<std::size_t> order = CollationKeyOrder(chinese.get(), Views(lines));
  ExpectStableOrder(chinese.get(), lines, order);
  // In that order with a few lines moved to the end, the runs are looked for in halves at
  // once and merged: the same order as the keys give.
  std::vector<std::u16string> mostly;
  for (std::size_t index : order)
    mostly.push_back(lines[index]);
  for (std::size_t at : {50000u, 30000u, 29999u, 7u})
    mostly.push_back(mostly[at]), mostly.erase(mostly.begin() + static_cast<long>(at));
  EXPECT_EQ(CollationKeyOrder(chinese.get(), Views(mostly)), CollationOrder(chinese.get(), Views(mostly)));
}

TEST(ListSort, KeysSharedOutInPiecesSortLikeOneRange) {
  // Leading key bytes that most lines share, in one language and the other: the ranges
  // the sort parts the lines into are far from even, and ties fall on their cut points.
  TCollator chinese = Open("zh_CN");
  const char16_t* const words[] = {u"blog", u"Blog", u"blóg", u"博客", u"link"};
  std::vector<std::u16string> lines;
  unsigned state = 11;
  for (int i = 0; i < 90000; ++i) {
    state = state * 1103515245u + 12345u;
    std::u16string line = (state >> 9) % 4 == 0 ? u"x" : u"[b]";
    for (int w = 0; w < 1 + static_cast<int>((state >> 20) % 3); ++w)
      line += words[(state >> (8 + 3 * w)) % 5];
    lines.push_back(line);
  }
  const std::vector<std::size_t> order = CollationKeyOrder(chinese.get(), Views(lines));
  ExpectStableOrder(chinese.get(), lines, order);
}

TEST(ListSort, WorkSharedOverThreadsRunsEveryPieceOnceAndBringsBackWhatItThrows) {
  for (std::size_t threads : {1u, 2u, 5u}) {
    std::vector<std::atomic<int>> runs(37);
    std::atomic<std::size_t> highestThread{0};
    RunPieces(runs.size(), threads, [&](std::size_t piece, std::size_t t) {
      ++runs[piece];
      std::size_t seen = highestThread.load();
      while (t > seen && !highestThread.compare_exchange_weak(seen, t)) {
      }
    });
    for (const std::atomic<int>& count : runs)
      EXPECT_EQ(1, count.load()) << threads << " threads";
    EXPECT_LT(highestThread.load(), threads);
  }
  // A piece that fails on another thread fails the whole, once every thread has ended.
  std::atomic<int> done{0};
  EXPECT_THROW(RunPieces(16, 3,
                         [&](std::size_t piece, std::size_t) {
                           if (piece == 9)
                             throw std::runtime_error("piece 9");
                           ++done;
                         }),
               std::runtime_error);
  EXPECT_EQ(15, done.load());
  // Slices cover everything once, and small counts stay on one thread.
  std::vector<int> covered(100001);
  ForEachSlice(covered.size(), 1000, [&](std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i)
      ++covered[i];
  });
  EXPECT_EQ(std::count(covered.begin(), covered.end(), 1), static_cast<long>(covered.size()));
  EXPECT_EQ(1u, ThreadsFor(999, 1000));
}

} // namespace
} // namespace quillon
