// RTF writing speed on English-like prose (the shared benchmark corpus of 10 MB in 100,000
// paragraphs, one per line): megabytes of RTF written per second for the selected whole
// document, on the first 1, 2, 5 and 10 MB of the corpus, which should grow linearly; and for
// the 10 MB document with every tenth paragraph a hyperlink, the application's link style.
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
#include <vector>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/control/RichView.h"
#include "richtext/export/RVRTFTables.h"
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
    static char name[] = "bench_rtf_writer";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    quillon::RegisterQtGraphics();
    return true;
  }();
  (void)ready;
}

// The corpus's paragraphs, read once.
const std::vector<std::u16string>& Paragraphs() {
  static const std::vector<std::u16string> paragraphs = [] {
    std::vector<std::u16string> result;
    const std::string tool = CorpusToolPath();
    if (tool.empty())
      return result;
    FILE* pipe = popen(("python3 '" + tool + "' 10000000 100000").c_str(), "r");
    if (!pipe)
      return result;
    std::u16string line;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
      if (c == '\n') {
        result.push_back(std::move(line));
        line.clear();
      } else {
        line += static_cast<char16_t>(static_cast<unsigned char>(c)); // the corpus is ASCII
      }
    }
    pclose(pipe);
    return result;
  }();
  return paragraphs;
}

struct TCorpusDocument {
  TRVStyle Style;
  quillon::TRVQtCanvas Canvas;
  TRichView RV;
  std::size_t TextBytes = 0;
};

// The first MB megabytes of the corpus, formatted and selected whole; with Links, every tenth
// paragraph is a hyperlink in a blue, underlined jump style.
TCorpusDocument* Document(int MB, bool Links) {
  static std::map<std::pair<int, bool>, std::unique_ptr<TCorpusDocument>> documents;
  if (auto it = documents.find({MB, Links}); it != documents.end())
    return it->second.get();
  EnsureQt();
  const auto& paragraphs = Paragraphs();
  if (paragraphs.empty())
    return nullptr;
  auto doc = std::make_unique<TCorpusDocument>();
  TFontInfo link;
  link.Assign(*doc->Style.TextStyles.Items(0));
  link.Color = 0x00FF0000;
  link.Style.Include(fsUnderline);
  link.Jump = true;
  const int linkStyle = doc->Style.FindTextStyle(link);
  doc->RV.SetStyle(&doc->Style);
  doc->RV.SetCanvas(&doc->Canvas);
  doc->RV.SetClientSize(800, 600);
  const std::size_t limit = static_cast<std::size_t>(MB) * 1000000;
  for (std::size_t i = 0; i < paragraphs.size() && doc->TextBytes < limit; ++i) {
    doc->TextBytes += paragraphs[i].size();
    if (Links && i % 10 == 0)
      doc->RV.AddNL(paragraphs[i], linkStyle, 0, u"https://example.com/a page?n=1+1");
    else
      doc->RV.AddNL(paragraphs[i], 0, 0);
  }
  doc->RV.Format();
  doc->RV.SelectAll();
  return documents.emplace(std::make_pair(MB, Links), std::move(doc)).first->second.get();
}

void Run(benchmark::State& state, bool Links) {
  TCorpusDocument* doc = Document(static_cast<int>(state.range(0)), Links);
  if (doc == nullptr) {
    state.SkipWithError("corpus tool not found (set QUILLON_CORPUS_TOOL)");
    return;
  }
  std::size_t written = 0;
  for (auto _ : state) {
    TRVMemoryStream stream;
    TRVRTFSavingData savingData;
    if (!doc->RV.RVData->SaveRTFToStream(stream, true, 0, doc->RV.GetColor(), nullptr, savingData,
                                         0, true, false))
      state.SkipWithError("writing failed");
    written = stream.Size();
    benchmark::DoNotOptimize(stream.Bytes().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
  state.SetComplexityN(static_cast<std::int64_t>(doc->TextBytes));
  state.counters["rtf_bytes"] = static_cast<double>(written);
  state.counters["text_bytes"] = static_cast<double>(doc->TextBytes);
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
