// The libFuzzer entry of one target, chosen by QUILLON_FUZZ_TARGET at compile time.
//
// With QUILLON_FUZZ_SEEDS set to a directory, the target's seeds are written there first,
// so that a run can start from them: `QUILLON_FUZZ_SEEDS=corpus fuzz_list_file corpus`.
#include "tests/fuzz/FuzzTargets.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

using namespace quillon::fuzz;

void WriteSeeds() {
  const char* dir = std::getenv("QUILLON_FUZZ_SEEDS");
  if (dir == nullptr || *dir == '\0')
    return;
  int n = 0;
  for (const std::string& seed : QUILLON_FUZZ_SEED_LIST()) {
    std::ofstream out(std::string(dir) + "/seed-" + std::to_string(n++), std::ios::binary);
    out.write(seed.data(), static_cast<std::streamsize>(seed.size()));
  }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  WriteSeeds();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string broken = QUILLON_FUZZ_TARGET(data, size);
  if (!broken.empty()) {
    std::fprintf(stderr, "invariant broken: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
