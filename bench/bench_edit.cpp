// Editing speed on the formatted 10 MB corpus (100,000 paragraphs in an editor 800 pixels
// wide, measured with the real fonts): one character typed in the middle of the middle
// paragraph, and its undo, each with the formatting it needs. Only what an edit touches is
// formatted again, so both stay far below a millisecond; a full formatting of the same
// document is measured beside them for scale.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchCorpus.h"
#include "richtext/control/RichViewEdit.h"

using namespace richtext;

namespace {

struct TEditedCorpus {
  TRVStyle Style;
  quillon::TRVQtCanvas Canvas;
  TRichViewEdit RV;
  std::int32_t Middle = 0;
  std::int32_t MiddleOffs = 1;
};

TEditedCorpus* EditedCorpus() {
  quillon::bench::EnsureQt();
  static std::unique_ptr<TEditedCorpus> doc = [] {
    const std::vector<std::u16string>& paragraphs = quillon::bench::Corpus();
    if (paragraphs.empty())
      return std::unique_ptr<TEditedCorpus>();
    auto d = std::make_unique<TEditedCorpus>();
    d->RV.SetStyle(&d->Style);
    d->RV.SetCanvas(&d->Canvas);
    d->RV.SetClientSize(800, 600);
    for (const std::u16string& paragraph : paragraphs)
      d->RV.AddNL(paragraph, 0, 0);
    d->RV.Format();
    d->Middle = d->RV.ItemCount() / 2;
    d->MiddleOffs = static_cast<std::int32_t>(paragraphs[static_cast<std::size_t>(d->Middle)].size() / 2) + 1;
    return d;
  }();
  return doc.get();
}

// The document, or none after reporting the missing corpus.
TEditedCorpus* DocumentFor(benchmark::State& state) {
  TEditedCorpus* doc = EditedCorpus();
  if (doc == nullptr)
    state.SkipWithError(quillon::bench::kNoCorpus);
  return doc;
}

void PlaceCaret(TEditedCorpus& Doc) {
  Doc.RV.SetSelectionBounds(Doc.Middle, Doc.MiddleOffs, Doc.Middle, Doc.MiddleOffs);
}

void BM_TypeOneCharacterInTheMiddle(benchmark::State& state) {
  TEditedCorpus* doc = DocumentFor(state);
  if (doc == nullptr)
    return;
  for (auto _ : state) {
    state.PauseTiming();
    PlaceCaret(*doc);
    state.ResumeTiming();
    if (!doc->RV.InsertText(u"x", false))
      state.SkipWithError("typing failed");
    state.PauseTiming();
    doc->RV.Undo();
    state.ResumeTiming();
  }
}

void BM_UndoOneCharacterInTheMiddle(benchmark::State& state) {
  TEditedCorpus* doc = DocumentFor(state);
  if (doc == nullptr)
    return;
  for (auto _ : state) {
    state.PauseTiming();
    PlaceCaret(*doc);
    doc->RV.InsertText(u"x", false);
    state.ResumeTiming();
    if (!doc->RV.Undo())
      state.SkipWithError("undo failed");
  }
}

void BM_FormatTheWholeDocument(benchmark::State& state) {
  TEditedCorpus* doc = DocumentFor(state);
  if (doc == nullptr)
    return;
  for (auto _ : state)
    doc->RV.Format();
}

} // namespace

BENCHMARK(BM_TypeOneCharacterInTheMiddle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoOneCharacterInTheMiddle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatTheWholeDocument)->Unit(benchmark::kMillisecond)->Iterations(3);
