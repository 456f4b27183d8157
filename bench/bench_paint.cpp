// Painting costs what is visible: a 600 x 400 view painted onto an image with Qt's painter, in
// the middle of the formatted 10 MB corpus document and at the top of a 10 KB one. The two
// should take the same time, since lines above and below the view are never visited.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "bench/BenchCorpus.h"

using namespace richtext;
using quillon::bench::TCorpusDocument;

namespace {

void BM_PaintView(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0));
  TCorpusDocument* doc = quillon::bench::CorpusDocument(quillon::bench::ParagraphsHolding(bytes));
  if (doc == nullptr) {
    state.SkipWithError(quillon::bench::kNoCorpus);
    return;
  }
  doc->RV.Deselect();
  doc->RV.ScrollTo(doc->RV.GetVScrollMax() / 2);
  QImage image(600, 400, QImage::Format_RGB32);
  TCustomRVFormattedData& data = *doc->RV.RVData;
  std::int64_t drawn = 0;
  for (auto _ : state) {
    QPainter painter(&image);
    doc->Canvas.SetPainter(&painter);
    data.PaintTo(doc->Canvas, TRect{0, 0, 600, 400});
    doc->Canvas.SetPainter(nullptr);
    ++drawn;
  }
  state.counters["document_bytes"] = static_cast<double>(doc->TextBytes);
  state.counters["scroll_y"] = doc->RV.GetVScrollPos();
  benchmark::DoNotOptimize(drawn);
}

} // namespace

BENCHMARK(BM_PaintView)->Arg(10'000)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);
