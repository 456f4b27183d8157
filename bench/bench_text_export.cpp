// Plain text export speed on English-like prose (the shared benchmark corpus, one paragraph
// per corpus line): the selected text of a wholly selected document, as the clipboard asks for
// it, at 1, 2, 5 and 10 MB of text (10,000 paragraphs a megabyte); the 8-bit form beside it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/BenchCorpus.h"

using quillon::bench::TCorpusDocument;

namespace {

TCorpusDocument* Prepared(benchmark::State& state) {
  TCorpusDocument* doc =
      quillon::bench::CorpusDocument(static_cast<std::size_t>(state.range(0)) * 10000);
  if (doc == nullptr)
    state.SkipWithError(quillon::bench::kNoCorpus);
  return doc;
}

void BM_SelectedTextW(benchmark::State& state) {
  TCorpusDocument* doc = Prepared(state);
  if (doc == nullptr)
    return;
  std::size_t units = 0;
  for (auto _ : state) {
    const std::u16string text = doc->RV.GetSelTextW();
    units = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc->TextBytes));
  state.SetComplexityN(static_cast<std::int64_t>(doc->TextBytes));
  state.counters["text_units"] = static_cast<double>(units);
}

void BM_SelectedTextA(benchmark::State& state) {
  TCorpusDocument* doc = Prepared(state);
  if (doc == nullptr)
    return;
  for (auto _ : state) {
    const std::string text = doc->RV.GetSelTextA();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc->TextBytes));
}

} // namespace

BENCHMARK(BM_SelectedTextW)->Arg(1)->Arg(2)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_SelectedTextA)->Arg(10)->Unit(benchmark::kMillisecond);
