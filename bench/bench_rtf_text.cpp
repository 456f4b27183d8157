// Throughput of the RTF run text encoder on English-like prose (the shared benchmark corpus):
// bytes of RTF written per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench/BenchCorpus.h"
#include "richtext/export/RVRTFSaveText.h"
#include "richtext/base/RVStream.h"

using namespace richtext;

namespace {

// One call per paragraph, as the RTF writer makes one call per text run.
void BM_RunTextPerParagraph(benchmark::State& state) {
  const auto& paragraphs = quillon::bench::Corpus();
  if (paragraphs.empty()) {
    state.SkipWithError(quillon::bench::kNoCorpus);
    return;
  }
  const bool saveAnsi = state.range(0) != 0;
  std::size_t written = 0;
  int64_t total = 0;
  for (auto _ : state) {
    TRVMemoryStream stream;
    stream.Reserve(12 * 1000 * 1000);
    for (const std::u16string& paragraph : paragraphs)
      RVWriteUnicodeRTFStr(stream, paragraph, 1252, saveAnsi, false, false, false, false, false);
    written = stream.Bytes().size();
    benchmark::DoNotOptimize(stream.Bytes().data());
    total += static_cast<int64_t>(written);
  }
  state.SetBytesProcessed(total);
  state.counters["output_bytes"] = static_cast<double>(written);
}
BENCHMARK(BM_RunTextPerParagraph)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The same prose with every twentieth character made non-ASCII (Cyrillic and CJK), so that
// escapes and ANSI fallbacks are part of the work.
void BM_RunTextMixedScripts(benchmark::State& state) {
  const auto& paragraphs = quillon::bench::Corpus();
  if (paragraphs.empty()) {
    state.SkipWithError(quillon::bench::kNoCorpus);
    return;
  }
  std::vector<std::u16string> mixed(paragraphs.begin(), paragraphs.begin() + 10000);
  std::size_t n = 0;
  for (std::u16string& p : mixed)
    for (char16_t& c : p)
      if (++n % 20 == 0)
        c = (n / 20) % 2 ? static_cast<char16_t>(0x0410 + n % 32)
                         : static_cast<char16_t>(0x4E00 + n % 500);
  const TRVCodePage codePage = static_cast<TRVCodePage>(state.range(0));
  int64_t total = 0;
  for (auto _ : state) {
    TRVMemoryStream stream;
    for (const std::u16string& paragraph : mixed)
      RVWriteUnicodeRTFStr(stream, paragraph, codePage, true, false, false, false, false, false);
    benchmark::DoNotOptimize(stream.Bytes().data());
    total += static_cast<int64_t>(stream.Bytes().size());
  }
  state.SetBytesProcessed(total);
}
BENCHMARK(BM_RunTextMixedScripts)->Arg(1251)->Arg(936)->Unit(benchmark::kMillisecond);

} // namespace
