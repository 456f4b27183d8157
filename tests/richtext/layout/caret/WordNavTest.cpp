// Word stepping on ICU's word boundaries.
#include <gtest/gtest.h>

#include <string>

#include "richtext/base/RVWordNav.h"

namespace richtext {
namespace {

std::string Starts(std::u16string_view text, bool Forward) {
  std::string out;
  int i = Forward ? 0 : static_cast<int>(text.size());
  for (int guard = 0; guard < 50; ++guard) {
    const int next = Forward ? RVU_NextWordStart(text, i) : RVU_PrevWordStart(text, i);
    if (next == i)
      break;
    out += std::to_string(next) + " ";
    i = next;
  }
  return out;
}

TEST(WordNavTest, NextAndPreviousWordStartsSkipSpacesAndStopAtMarks) {
  const std::u16string text = u"It's 3.5 km, ok";
  // "It's" is one word (ICU keeps the apostrophe), "3.5" one number.
  EXPECT_EQ("5 9 11 13 15 ", Starts(text, true));
  EXPECT_EQ("13 11 9 5 0 ", Starts(text, false));
}

TEST(WordNavTest, IdeographsAndSurrogatePairsAreNeverSplit) {
  // Two words of ideographs by the dictionary, then an emoji (a surrogate pair) after a space.
  const std::u16string text = u"\u4E2D\u6587 \U0001F600!";
  for (int i = 0; i <= static_cast<int>(text.size()); ++i) {
    const int next = RVU_NextWordStart(text, i);
    EXPECT_FALSE(next > 0 && next < static_cast<int>(text.size()) &&
                 text[static_cast<std::size_t>(next)] >= 0xDC00 &&
                 text[static_cast<std::size_t>(next)] <= 0xDFFF)
        << "inside the pair from " << i;
  }
  EXPECT_EQ(3, RVU_NextWordStart(text, 0));
  EXPECT_EQ(5, RVU_NextWordStart(text, 3));
}

TEST(WordNavTest, WordAtGivesTheSegmentAroundAnIndex) {
  const std::u16string text = u"one  two";
  int from = -1, to = -1;
  RVU_WordAt(text, 1, from, to);
  EXPECT_EQ("0-3", std::to_string(from) + "-" + std::to_string(to));
  RVU_WordAt(text, 3, from, to);
  EXPECT_EQ("3-5", std::to_string(from) + "-" + std::to_string(to));
  RVU_WordAt(text, 8, from, to);
  EXPECT_EQ("5-8", std::to_string(from) + "-" + std::to_string(to));
  RVU_WordAt(u"", 0, from, to);
  EXPECT_EQ("0-0", std::to_string(from) + "-" + std::to_string(to));
}

} // namespace
} // namespace richtext
