// corpus BYTES PARAGRAPHS: writes the benchmarks' prose to standard output; built as corpus_rtl
// (QUILLON_RTL_CORPUS), the Hebrew and Arabic prose.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/Corpus.h"
#include "bench/RtlCorpus.h"

int main(int argc, char** argv) {
  std::size_t bytes = 1'000'000, paragraphs = 10'000;
  try {
    if (argc > 1)
      bytes = std::stoull(argv[1]);
    if (argc > 2)
      paragraphs = std::stoull(argv[2]);
  } catch (const std::exception&) {
    std::fputs("usage: corpus [BYTES [PARAGRAPHS]]\n", stderr);
    return 2;
  }
  if (argc > 3 || paragraphs == 0) {
    std::fputs("usage: corpus [BYTES [PARAGRAPHS]] (PARAGRAPHS > 0)\n", stderr);
    return 2;
  }
  auto write = [](std::string_view paragraph) {
    std::fwrite(paragraph.data(), 1, paragraph.size(), stdout);
    std::fputc('\n', stdout);
  };
#ifdef QUILLON_RTL_CORPUS
  quillon::bench::GenerateRtlCorpus(bytes, paragraphs, write);
#else
  quillon::bench::GenerateCorpus(bytes, paragraphs, write);
#endif
  return std::fflush(stdout) == 0 ? 0 : 1;
}
