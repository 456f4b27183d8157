// The benchmarks' prose: the generator gives the reference tool's text byte for byte, so that
// figures measured here compare with figures measured with the reference.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/Corpus.h"
#include "bench/RtlCorpus.h"

namespace quillon::bench {
namespace {

// The reference tool lies in the shared folder beside the checkout.
std::filesystem::path ReferenceTool() {
  return std::filesystem::path(QUILLON_SOURCE_DIR).parent_path() / "shared" / "tools" /
         "corpus.py";
}

std::string RunReference(std::size_t Bytes, std::size_t Paragraphs) {
  const std::string command = "python3 '" + ReferenceTool().string() + "' " +
                              std::to_string(Bytes) + " " + std::to_string(Paragraphs);
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    return out;
  char buffer[1 << 16];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    out.append(buffer, n);
  EXPECT_EQ(0, pclose(pipe));
  return out;
}

TEST(CorpusTest, SameTextAsTheReferenceToolForTheSameArguments) {
  if (!std::filesystem::exists(ReferenceTool()))
    GTEST_SKIP() << "the reference corpus tool is not beside the checkout: " << ReferenceTool();
  for (const auto& [bytes, paragraphs] :
       {std::pair<std::size_t, std::size_t>{1'000'000, 10'000}, {12'345, 7}, {100, 1}, {5, 3},
        {0, 4}, {300, 100}, {2'000'000, 1'000}}) {
    const std::string ours = CorpusText(bytes, paragraphs);
    const std::string reference = RunReference(bytes, paragraphs);
    ASSERT_EQ(reference.size(), ours.size()) << bytes << " bytes in " << paragraphs;
    EXPECT_TRUE(ours == reference) << bytes << " bytes in " << paragraphs
                                   << ": first difference at byte "
                                   << std::mismatch(ours.begin(), ours.end(), reference.begin())
                                              .first -
                                          ours.begin();
  }
}

TEST(CorpusTest, ParagraphsAreSentencesOfTheAskedLength) {
  const std::string text = CorpusText(100'000, 1'000);
  std::size_t lines = 0, start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string_view line(text.data() + start, end - start);
    ++lines;
    ASSERT_FALSE(line.empty());
    EXPECT_EQ('.', line.back());
    EXPECT_TRUE(line[0] >= 'A' && line[0] <= 'Z') << line;
    EXPECT_LE(line.size(), 100u) << line;
    EXPECT_GE(line.size(), 80u) << line;
  }
  EXPECT_EQ(1'000u, lines);
  EXPECT_EQ(text.size(), start);
  // A smaller corpus of the same paragraph length is the start of a larger one.
  EXPECT_EQ(CorpusText(10'000, 100), text.substr(0, CorpusText(10'000, 100).size()));
}

TEST(CorpusTest, RightToLeftParagraphsAreHebrewAndArabicSentencesOfTheAskedLength) {
  const std::string text = RtlCorpusText(200'000, 1'000);
  EXPECT_EQ(text, RtlCorpusText(200'000, 1'000)); // the same text every time
  std::size_t lines = 0, start = 0, withDigits = 0, withLatin = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string_view line(text.data() + start, end - start);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ('.', line.back());
    EXPECT_LE(line.size(), 200u) << line;
    EXPECT_GE(line.size(), 170u) << line;
    // Even lines Hebrew (U+05D0.. is D7 in UTF-8), odd ones Arabic (D8 and D9).
    const std::size_t letter = line.find_first_of("\xD7\xD8\xD9");
    ASSERT_NE(std::string_view::npos, letter) << line;
    const auto lead = static_cast<unsigned char>(line[letter]);
    if (lines % 2 == 0)
      EXPECT_EQ(0xD7, lead) << line;
    else
      EXPECT_TRUE(lead == 0xD8 || lead == 0xD9) << line;
    withDigits += line.find_first_of("0123456789") != std::string_view::npos;
    withLatin += line.find_first_of("HQRBMhq") != std::string_view::npos;
    ++lines;
  }
  EXPECT_EQ(1'000u, lines);
  EXPECT_EQ(text.size(), start);
  // Numbers and Latin words stand among the right-to-left words in many paragraphs.
  EXPECT_GT(withDigits, 100u);
  EXPECT_GT(withLatin, 100u);
}

} // namespace
} // namespace quillon::bench
