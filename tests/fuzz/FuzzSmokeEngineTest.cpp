// The engine's fuzz targets (RTF text encoding, building, formatting and writing a document,
// reading RVF, HTML and RTF) over their seeds and pseudo-random inputs.
#include "tests/fuzz/FuzzSmoke.h"
#include "tests/fuzz/FuzzTargets.h"

namespace quillon::fuzz {
namespace {

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

TEST(FuzzSmoke, RVFReadSeedsHold) {
  for (const std::string& seed : RVFReadSeeds())
    EXPECT_EQ("", RunTarget(FuzzRVFRead, seed)) << Excerpt(seed);
}

TEST(FuzzSmoke, RVFReadRandomInputsHold) {
  RunRandom(FuzzRVFRead, RVFReadSeeds(), 3000, 4, 200);
}

TEST(FuzzSmoke, HTMLReadSeedsHold) {
  for (const std::string& seed : HTMLReadSeeds()) {
    EXPECT_FALSE(seed.empty()) << "a seed file is missing";
    EXPECT_EQ("", RunTarget(FuzzHTMLRead, seed)) << Excerpt(seed);
  }
}

TEST(FuzzSmoke, HTMLReadRandomInputsHold) {
  RunRandom(FuzzHTMLRead, HTMLReadSeeds(), 2000, 5, 300);
}

TEST(FuzzSmoke, RTFReadSeedsHold) {
  for (const std::string& seed : RTFReadSeeds()) {
    EXPECT_FALSE(seed.empty()) << "a seed file is missing";
    EXPECT_EQ("", RunTarget(FuzzRTFRead, seed)) << Excerpt(seed);
  }
}

TEST(FuzzSmoke, RTFReadRandomInputsHold) {
  RunRandom(FuzzRTFRead, RTFReadSeeds(), 2000, 6, 300);
}

} // namespace
} // namespace quillon::fuzz
