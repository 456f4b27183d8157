// Painting costs what is visible: a 600 x 400 view painted onto an image with Qt's painter, in
// the middle of the formatted 10 MB corpus document and at the top of a 10 KB one. The two
// should take the same time, since lines above and below the view are never visited.
//
// The input method's underline asks for the box of every place of the text being composed:
//   BM_PreeditBoxes     the 51 boxes of a 50-character composition in a corpus line, as the
//                       editor's widget asks for them (the editor's GetItemPosRect);
//   BM_PaintPreeditLine painting that line, for comparison: the boxes should cost no more.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "bench/BenchCorpus.h"
#include "richtext/control/RichViewEdit.h"

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

// An editor holding one corpus line with a 50-character composition typed into its middle.
struct TPreeditDocument {
  TRVStyle Style;
  quillon::TRVQtCanvas Canvas;
  TRichViewEdit Edit;
  TRVItemPos From, To;
};

TPreeditDocument& PreeditDocument() {
  static TPreeditDocument* doc = [] {
    quillon::bench::EnsureQt();
    auto* d = new TPreeditDocument;
    d->Edit.SetStyle(&d->Style);
    d->Edit.SetCanvas(&d->Canvas);
    d->Edit.SetClientSize(800, 100);
    const std::u16string& line = quillon::bench::Corpus().front();
    d->Edit.AddNL(line.substr(0, 40), 0, 0);
    d->Edit.Format();
    d->Edit.SetSelectionBounds(0, 21, 0, 21);
    d->Edit.SetComposition(u"zhongwen shurufa pinyin hanzi ceshi wenben changdu", 50);
    d->Edit.GetCompositionRange(d->From, d->To);
    return d;
  }();
  return *doc;
}

void BM_PreeditBoxes(benchmark::State& state) {
  TPreeditDocument& doc = PreeditDocument();
  std::int64_t boxes = 0;
  for (auto _ : state) {
    for (TRVItemPos p = doc.From; p.Offs <= doc.To.Offs; ++p.Offs) {
      TRect r{};
      doc.Edit.GetItemPosRect(p, r);
      benchmark::DoNotOptimize(r);
      ++boxes;
    }
  }
  state.counters["boxes_per_iteration"] =
      static_cast<double>(boxes) / static_cast<double>(state.iterations());
}

void BM_PaintPreeditLine(benchmark::State& state) {
  TPreeditDocument& doc = PreeditDocument();
  QImage image(800, 100, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    doc.Canvas.SetPainter(&painter);
    doc.Edit.RVData->PaintTo(doc.Canvas, TRect{0, 0, 800, 100});
    doc.Canvas.SetPainter(nullptr);
  }
}

} // namespace

BENCHMARK(BM_PaintView)->Arg(10'000)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PreeditBoxes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintPreeditLine)->Unit(benchmark::kMicrosecond);
