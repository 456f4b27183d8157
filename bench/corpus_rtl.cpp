// corpus_rtl BYTES PARAGRAPHS: writes the benchmarks' Hebrew and Arabic prose to standard output.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/RtlCorpus.h"

int main(int argc, char** argv) {
  std::size_t bytes = 1'000'000, paragraphs = 10'000;
  try {
    if (argc > 1)
      bytes = std::stoull(argv[1]);
    if (argc > 2)
      paragraphs = std::stoull(argv[2]);
  } catch (const std::exception&) {
    std::fputs("usage: corpus_rtl [BYTES [PARAGRAPHS]]\n", stderr);
    return 2;
  }
  if (argc > 3 || paragraphs == 0) {
    std::fputs("usage: corpus_rtl [BYTES [PARAGRAPHS]] (PARAGRAPHS > 0)\n", stderr);
    return 2;
  }
  quillon::bench::GenerateRtlCorpus(bytes, paragraphs, [](std::string_view paragraph) {
    std::fwrite(paragraph.data(), 1, paragraph.size(), stdout);
    std::fputc('\n', stdout);
  });
  return std::fflush(stdout) == 0 ? 0 : 1;
}
