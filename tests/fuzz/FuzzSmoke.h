// Running a fuzz target over seeds and pseudo-random inputs from a fixed seed, for the smoke
// tests: the roads the fuzzers explore stay sound in every build, and the inputs the fuzzers
// once found broken stay fixed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzChecks.h"

namespace quillon::fuzz {

using Target = std::string (*)(const std::uint8_t*, std::size_t);

inline std::string RunTarget(Target target, const std::string& input) {
  return target(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// Random bytes, and seeds with random bytes overwritten, inserted or cut off, so that the
// inputs keep the seeds' structure often enough to get past the first checks.
inline void RunRandom(Target target, const std::vector<std::string>& seeds, int rounds,
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

} // namespace quillon::fuzz
