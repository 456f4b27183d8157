// Reading speed of the HTML and RTF readers on the shared benchmark corpus (10 MB in 100,000
// paragraphs, every tenth a hyperlink) as the engine's own writers write it: megabytes of input
// read per second into a document (parsing, styles merged, items added). And pasting 1 MB of
// that HTML into an editor, formatted, as Ctrl+V does.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/BenchCorpus.h"
#include "richtext/control/RichViewEdit.h"
#include "richtext/export/RVClipboardHTML.h"
#include "richtext/export/RVHTMLReader.h"
#include "richtext/export/RVRTFReader.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/export/RVRTFWriter.h"

using namespace richtext;
using quillon::bench::TCorpusDocument;

namespace {

const std::string& CorpusAs(bool Rtf, std::size_t Bytes) {
  static std::map<std::pair<bool, std::size_t>, std::string> cache;
  if (auto it = cache.find({Rtf, Bytes}); it != cache.end())
    return it->second;
  TCorpusDocument* doc =
      quillon::bench::CorpusDocument(quillon::bench::ParagraphsHolding(Bytes), true);
  std::string bytes;
  if (doc != nullptr) {
    if (Rtf) {
      TRVMemoryStream stream;
      TRVRTFSavingData savingData;
      SaveRTFToStream(*doc->RV.RVData, stream, true, 0, doc->RV.GetColor(), nullptr, savingData,
                      0, true, false);
      bytes = stream.TakeBytes();
    } else {
      bytes = RVGetSelHTMLFragment(*doc->RV.RVData);
    }
  }
  return cache.emplace(std::make_pair(Rtf, Bytes), std::move(bytes)).first->second;
}

// A document to read into, on the same kind of sheet as the corpus document.
struct TTarget {
  TTarget() {
    quillon::bench::EnsureQt();
    RV.SetStyle(&Style);
    RV.SetCanvas(&Canvas);
    RV.SetClientSize(800, 600);
  }
  TRVStyle Style;
  quillon::TRVQtCanvas Canvas;
  TRichViewEdit RV;
};

void Read(benchmark::State& state, bool Rtf) {
  const std::string& input = CorpusAs(Rtf, static_cast<std::size_t>(state.range(0)) * 1000000);
  if (input.empty()) {
    state.SkipWithError(quillon::bench::kNoCorpus);
    return;
  }
  TTarget target;
  for (auto _ : state) {
    state.PauseTiming();
    target.RV.Clear();
    state.ResumeTiming();
    if (Rtf)
      RVRTFLoadDocument(*target.RV.RVData, input);
    else
      RVHTMLLoadDocument(*target.RV.RVData, input);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  state.counters["input_bytes"] = static_cast<double>(input.size());
  state.counters["items"] = static_cast<double>(target.RV.ItemCount());
}

void BM_HTMLRead(benchmark::State& state) {
  Read(state, false);
}
void BM_RTFRead(benchmark::State& state) {
  Read(state, true);
}

// Ctrl+V of 1 MB of HTML at the end of a one-line document: reading, the undoable insertion
// and formatting what it added. Undo (untimed) takes it out again.
void BM_PasteHTML(benchmark::State& state) {
  const std::string& input = CorpusAs(false, 1000000);
  if (input.empty()) {
    state.SkipWithError(quillon::bench::kNoCorpus);
    return;
  }
  TTarget target;
  target.RV.AddNL(u"Quillon", 0, 0);
  target.RV.Format();
  for (auto _ : state) {
    state.PauseTiming();
    target.RV.SetSelectionBounds(0, 8, 0, 8);
    state.ResumeTiming();
    if (!target.RV.PasteHTML(input))
      state.SkipWithError("the paste changed nothing");
    state.PauseTiming();
    target.RV.Undo();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  state.counters["input_bytes"] = static_cast<double>(input.size());
}

} // namespace

BENCHMARK(BM_HTMLRead)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RTFRead)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteHTML)->Unit(benchmark::kMillisecond);
