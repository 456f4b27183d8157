// RTF writing speed on English-like prose (the shared benchmark corpus of 10 MB in 100,000
// paragraphs, one per line): megabytes of RTF written per second for the selected whole
// document, on the first 1, 2, 5 and 10 MB of the corpus, which should grow linearly; and for
// the 10 MB document with every tenth paragraph a hyperlink, the application's link style.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/BenchCorpus.h"
#include "bench/CountAllocations.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/export/RVRTFWriter.h"
#include "richtext/base/RVStream.h"

using namespace richtext;
using quillon::bench::TCorpusDocument;

namespace {

void Run(benchmark::State& state, bool Links) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * 1000000;
  TCorpusDocument* doc =
      quillon::bench::CorpusDocument(quillon::bench::ParagraphsHolding(bytes), Links);
  if (doc == nullptr) {
    state.SkipWithError(quillon::bench::kNoCorpus);
    return;
  }
  quillon::bench::MeasureStreamWriter(state, *doc, "rtf_bytes", [doc](TRVStream& stream) {
    TRVRTFSavingData savingData;
    return SaveRTFToStream(*doc->RV.RVData, stream, true, 0, doc->RV.GetColor(), nullptr,
                                           savingData, 0, true, false);
  });
}

void BM_RTFSelection(benchmark::State& state) {
  Run(state, false);
}
void BM_RTFSelectionWithLinks(benchmark::State& state) {
  Run(state, true);
}

} // namespace

BENCHMARK(BM_RTFSelection)
    ->Arg(1)
    ->Arg(2)
    ->Arg(5)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_RTFSelectionWithLinks)->Arg(10)->Unit(benchmark::kMillisecond);
