// The list file fuzz target over its seeds and pseudo-random inputs.
#include "tests/fuzz/FuzzSmoke.h"
#include "tests/fuzz/FuzzTargets.h"

namespace quillon::fuzz {
namespace {

TEST(FuzzSmoke, ListFileSeedsHold) {
  for (const std::string& seed : ListFileSeeds())
    EXPECT_EQ("", RunTarget(FuzzListFile, seed)) << Excerpt(seed);
}

TEST(FuzzSmoke, ListFileRandomInputsHold) {
  RunRandom(FuzzListFile, ListFileSeeds(), 3000, 1, 200);
}

} // namespace
} // namespace quillon::fuzz
