// The caret in a long document: hit-testing a point (which line, then which gap between
// characters) and moving the caret one line down or up, each on the formatted 10 MB corpus
// document (100,000 paragraphs at 800 pixels wide), measured with Qt's real fonts. Lines are
// found by binary search over the drawing items, so the time should not grow with the
// document: the 1 MB document is measured beside the 10 MB one to show it.
//
// Each iteration takes the next of 4,096 points (or caret positions) spread at random over the
// whole document, fixed by a seed, so that no single line is measured from a warm cache only.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "bench/BenchCorpus.h"
#include "richtext/layout/CRVFData.h"
#include "richtext/layout/RVCaretLayout.h"

using namespace richtext;
using quillon::bench::TCorpusDocument;

namespace {

constexpr std::size_t kPoints = 4096;
constexpr std::uint32_t kSeed = 20261209;

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

TCorpusDocument* Document(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * 1000000;
  TCorpusDocument* doc =
      quillon::bench::CorpusDocument(quillon::bench::ParagraphsHolding(bytes), false);
  if (doc == nullptr)
    state.SkipWithError(quillon::bench::kNoCorpus);
  return doc;
}

std::vector<TPoint> Points(const TCorpusDocument& Doc) {
  std::mt19937 random(kSeed);
  std::uniform_int_distribution<std::int32_t> x(0, Doc.RV.GetClientWidth() - 1);
  std::uniform_int_distribution<std::int32_t> y(0, Doc.RV.RVData->DocumentHeight - 1);
  std::vector<TPoint> points(kPoints);
  for (TPoint& p : points)
    p = {x(random), y(random)};
  return points;
}

void Counters(benchmark::State& state, const TCorpusDocument& Doc) {
  state.counters["drawing_items"] = static_cast<double>(Doc.RV.RVData->DrawItems.Count());
  state.counters["text_bytes"] = static_cast<double>(Doc.TextBytes);
}

void BM_HitTest(benchmark::State& state) {
  TCorpusDocument* doc = Document(state);
  if (doc == nullptr)
    return;
  TRVCaretLayout layout(*doc->RV.RVData, doc->Canvas);
  const std::vector<TPoint> points = Points(*doc);
  std::size_t i = 0;
  for (auto _ : state) {
    const TPoint& p = points[i++ % kPoints];
    TRVCaretPos pos = layout.PosAt(p.X, p.Y);
    benchmark::DoNotOptimize(pos);
  }
  Counters(state, *doc);
}

void MoveByLines(benchmark::State& state, std::int32_t Lines) {
  TCorpusDocument* doc = Document(state);
  if (doc == nullptr)
    return;
  TRVCaretLayout layout(*doc->RV.RVData, doc->Canvas);
  std::vector<TRVCaretPos> carets;
  std::vector<std::int32_t> xs;
  for (const TPoint& p : Points(*doc)) {
    carets.push_back(layout.PosAt(p.X, p.Y));
    xs.push_back(p.X);
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t k = i++ % kPoints;
    // As a key press does: the caret's x (measured), then the line below or above at that x.
    const std::int32_t x = layout.XOf(layout.ToDraw(carets[k]));
    TRVCaretPos pos = layout.LineDown(carets[k], Lines, x);
    benchmark::DoNotOptimize(pos);
  }
  Counters(state, *doc);
}

void BM_CaretLineDown(benchmark::State& state) {
  MoveByLines(state, 1);
}
void BM_CaretLineUp(benchmark::State& state) {
  MoveByLines(state, -1);
}

} // namespace

BENCHMARK(BM_HitTest)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CaretLineDown)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CaretLineUp)->Arg(10)->Unit(benchmark::kMicrosecond);
