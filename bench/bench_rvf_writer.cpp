// RVF writing speed on English-like prose (the shared benchmark corpus, one paragraph per
// corpus line): bytes of RVF written per second for the selected whole document, at 1, 2, 5
// and 10 MB of text, and for an unformatted whole-document save.
//
// The document is laid out with the Qt graphic interface on the offscreen platform (the
// selection lives in the layout), once per size, outside the timed loop.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/control/RichView.h"
#include "richtext/export/RVStream.h"
#include "richtext/style/RVStyle.h"

using namespace richtext;

namespace {

std::string CorpusToolPath() {
  if (const char* path = std::getenv("QUILLON_CORPUS_TOOL"))
    return path;
  const std::filesystem::path here = std::filesystem::path(__FILE__).parent_path();
  for (const auto& candidate : {here / "../../shared/tools/corpus.py",
                                std::filesystem::path("/work/shared/tools/corpus.py")})
    if (std::filesystem::exists(candidate))
      return candidate.string();
  return {};
}

void EnsureQt() {
  static const bool ready = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "bench_rvf_writer";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    quillon::RegisterQtGraphics();
    return true;
  }();
  (void)ready;
}

// A formatted, wholly selected document of the corpus at MB megabytes (10,000 paragraphs
// per megabyte, as the 10 MB corpus of 100,000 paragraphs).
struct TCorpusDocument {
  TRVStyle Style;
  quillon::TRVQtCanvas Canvas;
  TRichView RV;
  std::size_t TextBytes = 0;
};

TCorpusDocument* Document(int MB) {
  static std::map<int, std::unique_ptr<TCorpusDocument>> documents;
  if (auto it = documents.find(MB); it != documents.end())
    return it->second.get();
  EnsureQt();
  const std::string tool = CorpusToolPath();
  if (tool.empty())
    return nullptr;
  const std::string command = "python3 '" + tool + "' " + std::to_string(MB * 1000000) + " " +
                              std::to_string(MB * 10000);
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe)
    return nullptr;
  auto doc = std::make_unique<TCorpusDocument>();
  doc->RV.SetStyle(&doc->Style);
  doc->RV.SetCanvas(&doc->Canvas);
  doc->RV.SetClientSize(800, 600);
  std::u16string line;
  for (int c; (c = std::fgetc(pipe)) != EOF;) {
    if (c == '\n') {
      doc->TextBytes += line.size();
      doc->RV.AddNL(line, 0, 0);
      line.clear();
    } else {
      line += static_cast<char16_t>(static_cast<unsigned char>(c)); // the corpus is ASCII
    }
  }
  pclose(pipe);
  doc->RV.Format();
  doc->RV.SelectAll();
  return documents.emplace(MB, std::move(doc)).first->second.get();
}

void Run(benchmark::State& state, bool SelectionOnly) {
  TCorpusDocument* doc = Document(static_cast<int>(state.range(0)));
  if (doc == nullptr) {
    state.SkipWithError("corpus tool not found (set QUILLON_CORPUS_TOOL)");
    return;
  }
  std::size_t written = 0;
  for (auto _ : state) {
    TRVMemoryStream stream;
    if (!doc->RV.SaveRVFToStream(stream, SelectionOnly))
      state.SkipWithError("writing failed");
    written = stream.Size();
    benchmark::DoNotOptimize(stream.Bytes().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
  state.SetComplexityN(static_cast<std::int64_t>(doc->TextBytes));
  state.counters["rvf_bytes"] = static_cast<double>(written);
  state.counters["text_bytes"] = static_cast<double>(doc->TextBytes);
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
