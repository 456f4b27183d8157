// RVF writing speed on English-like prose (the shared benchmark corpus, one paragraph per
// corpus line): bytes of RVF written per second for the selected whole document, at 1, 2, 5
// and 10 MB of text (10,000 paragraphs a megabyte), and for an unformatted whole-document save.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/BenchCorpus.h"
#include "bench/CountAllocations.h"
#include "richtext/base/RVStream.h"

using namespace richtext;
using quillon::bench::TCorpusDocument;

namespace {

void Run(benchmark::State& state, bool SelectionOnly) {
  TCorpusDocument* doc =
      quillon::bench::CorpusDocument(static_cast<std::size_t>(state.range(0)) * 10000);
  if (doc == nullptr) {
    state.SkipWithError(quillon::bench::kNoCorpus);
    return;
  }
  quillon::bench::MeasureStreamWriter(state, *doc, "rvf_bytes", [&](TRVStream& stream) {
    return doc->RV.SaveRVFToStream(stream, SelectionOnly);
  });
}

void BM_RVFSelection(benchmark::State& state) {
  Run(state, true);
}
void BM_RVFWholeDocument(benchmark::State& state) {
  Run(state, false);
}

} // namespace

BENCHMARK(BM_RVFSelection)->Arg(1)->Arg(2)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_RVFWholeDocument)->Arg(10)->Unit(benchmark::kMillisecond);
