// Every fuzz target over its seeds and a few thousand pseudo-random inputs from a fixed seed,
// so that the roads the fuzzers explore stay sound in every build, and the inputs the fuzzers
// once found broken stay fixed.
#include "tests/fuzz/FuzzTargets.h"
#include "tests/fuzz/FuzzChecks.h"

#include <gtest/gtest.h>

#include <random>

namespace quillon::fuzz {
namespace {

using Target = std::string (*)(const std::uint8_t*, std::size_t);

std::string RunTarget(Target target, const std::string& input) {
  return target(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// Random bytes, and seeds with random bytes overwritten, inserted or cut off, so that the
// inputs keep the seeds' structure often enough to get past the first checks.
void RunRandom(Target target, const std::vector<std::string>& seeds, int rounds,
               std::uint32_t seed, std::size_t maxLength) {
  std::mt19937 rng(seed);
  for (int round = 0; round < rounds; ++round) {
    std::string input;
    if (round % 2 == 0) {
      input.resize(rng() % maxLength);
      for (char& b : input)
        b = static_cast<char>(rng());
    } else {
      input = seeds[rng() % seeds.size()];
      for (int edits = 1 + rng() % 4; edits > 0; --edits) {
        const std::size_t at = input.empty() ? 0 : rng() % input.size();
        switch (rng() % 3) {
        case 0:
          if (!input.empty())
            input[at] = static_cast<char>(rng());
          break;
        case 1:
          input.insert(at, 1 + rng() % 8, static_cast<char>(rng()));
          break;
        default:
          input.resize(at);
          break;
        }
      }
    }
    const std::string broken = RunTarget(target, input);
    ASSERT_EQ("", broken) << "round " << round << ", " << input.size() << " bytes: " << Excerpt(input);
  }
}

TEST(FuzzSmoke, ListFileSeedsHold) {
  for (const std::string& seed : ListFileSeeds())
    EXPECT_EQ("", RunTarget(FuzzListFile, seed)) << Excerpt(seed);
}

TEST(FuzzSmoke, ListFileRandomInputsHold) {
  RunRandom(FuzzListFile, ListFileSeeds(), 3000, 1, 200);
}

TEST(FuzzSmoke, RTFTextSeedsHold) {
  for (const std::string& seed : RTFTextSeeds())
    EXPECT_EQ("", RunTarget(FuzzRTFText, seed)) << Excerpt(seed);
}

TEST(FuzzSmoke, RTFTextRandomInputsHold) {
  RunRandom(FuzzRTFText, RTFTextSeeds(), 3000, 2, 200);
}

TEST(FuzzSmoke, DocumentWriteSeedsHold) {
  for (const std::string& seed : DocumentWriteSeeds())
    EXPECT_EQ("", RunTarget(FuzzDocumentWrite, seed)) << Excerpt(seed);
}

TEST(FuzzSmoke, DocumentWriteRandomInputsHold) {
  RunRandom(FuzzDocumentWrite, DocumentWriteSeeds(), 2000, 3, 300);
}

} // namespace
} // namespace quillon::fuzz
