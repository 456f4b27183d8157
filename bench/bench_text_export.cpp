// Plain text export speed on English-like prose (the shared benchmark corpus, one paragraph
// per corpus line): the selected text of a wholly selected document, as the clipboard asks for
// it, at 1, 2, 5 and 10 MB of text; the 8-bit form beside it.
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
    static char name[] = "bench_text_export";
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

TCorpusDocument* Prepared(benchmark::State& state) {
  TCorpusDocument* doc = Document(static_cast<int>(state.range(0)));
  if (doc == nullptr)
    state.SkipWithError("corpus tool not found (set QUILLON_CORPUS_TOOL)");
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
