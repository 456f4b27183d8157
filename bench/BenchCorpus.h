// The English-like prose the benchmark programs measure on, and a formatted, wholly selected
// document made of it. Header-only, because every bench/bench_*.cpp is a program of its own.
//
// The prose comes from the project's corpus generator (Corpus.h), which writes one paragraph
// per line and gives the same text for the same arguments; a smaller corpus of the same
// paragraph length is the beginning of a larger one, so the documents of 1 to 10 MB are all
// cut from the 10 MB corpus.
#pragma once

#include <benchmark/benchmark.h>

#include "richtext/base/RVStream.h"

#include <QGuiApplication>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/Utf.h"
#include "bench/Corpus.h"
#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/control/RichView.h"
#include "richtext/style/RVStyle.h"

namespace quillon::bench {

inline constexpr const char* kNoCorpus = "the corpus generator gave no text";

// 10 MB in 100,000 paragraphs: 100 bytes a paragraph, 10,000 paragraphs a megabyte.
inline constexpr std::size_t kCorpusBytes = 10'000'000;
inline constexpr std::size_t kCorpusParagraphs = 100'000;

// About Bytes bytes of prose in Count paragraphs.
inline std::vector<std::u16string> ReadCorpus(std::size_t Bytes, std::size_t Count) {
  // Paragraph by paragraph into a reserved list: a large buffer freed here would raise the
  // allocator's threshold for mapping fresh memory, and the writers' output streams would then
  // be measured on recycled memory in one program and on new pages in another.
  std::vector<std::u16string> paragraphs;
  paragraphs.reserve(Count);
  GenerateCorpus(Bytes, Count,
                 [&](std::string_view text) { paragraphs.push_back(FromUtf8(text)); });
  return paragraphs;
}

// The 10 MB corpus, read once.
inline const std::vector<std::u16string>& Corpus() {
  static const std::vector<std::u16string> paragraphs =
      ReadCorpus(kCorpusBytes, kCorpusParagraphs);
  return paragraphs;
}

// The layout measures text through the Qt graphic interface, which needs an application
// object; the offscreen platform keeps the programs free of a display.
inline void EnsureQt() {
  static const bool ready = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "quillon_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    RegisterQtGraphics();
    return true;
  }();
  (void)ready;
}

struct TCorpusDocument {
  richtext::TRVStyle Style;
  TRVQtCanvas Canvas;
  richtext::TRichView RV;
  std::size_t TextBytes = 0; // characters of text; the corpus is ASCII
};

// The first Count paragraphs of the 10 MB corpus, formatted at 800 x 600 and selected whole
// (the selection lives in the layout), built once per (Count, Links) outside any timed loop.
// With Links, every tenth paragraph is a hyperlink in a blue, underlined jump style, the
// application's link style. Null when the corpus cannot be read.
inline TCorpusDocument* CorpusDocument(std::size_t Count, bool Links = false) {
  // Before the documents, so that the application outlives their canvases.
  EnsureQt();
  static std::map<std::pair<std::size_t, bool>, std::unique_ptr<TCorpusDocument>> documents;
  if (auto it = documents.find({Count, Links}); it != documents.end())
    return it->second.get();
  const std::vector<std::u16string>& paragraphs = Corpus();
  if (paragraphs.empty())
    return nullptr;
  auto doc = std::make_unique<TCorpusDocument>();
  int linkStyle = 0;
  if (Links) {
    richtext::TFontInfo link;
    link.Assign(*doc->Style.TextStyles.Items(0));
    link.Color = 0x00FF0000;
    link.Style.Include(richtext::fsUnderline);
    link.Jump = true;
    linkStyle = doc->Style.FindTextStyle(link);
  }
  doc->RV.SetStyle(&doc->Style);
  doc->RV.SetCanvas(&doc->Canvas);
  doc->RV.SetClientSize(800, 600);
  for (std::size_t i = 0; i < paragraphs.size() && i < Count; ++i) {
    doc->TextBytes += paragraphs[i].size();
    if (Links && i % 10 == 0)
      doc->RV.AddNL(paragraphs[i], linkStyle, 0, u"https://example.com/a page?n=1+1");
    else
      doc->RV.AddNL(paragraphs[i], 0, 0);
  }
  doc->RV.Format();
  doc->RV.SelectAll();
  return documents.emplace(std::make_pair(Count, Links), std::move(doc)).first->second.get();
}

// How many leading paragraphs of the 10 MB corpus hold at least Bytes characters of text; all
// of them when the corpus is shorter.
inline std::size_t ParagraphsHolding(std::size_t Bytes) {
  const std::vector<std::u16string>& paragraphs = Corpus();
  std::size_t count = 0;
  for (std::size_t text = 0; count < paragraphs.size() && text < Bytes; ++count)
    text += paragraphs[count].size();
  return count;
}

// Allocations made through operator new so far; counted only in programs that include
// CountAllocations.h, zero elsewhere.
inline std::atomic<std::uint64_t>& AllocationCount() {
  static std::atomic<std::uint64_t> count{0};
  return count;
}

// Times one stream writer over a corpus document: bytes of output per second, the document's
// text size as the complexity N, both sizes and (where counted) allocations per megabyte of
// output as counters. Each iteration writes into a new stream, so into fresh memory. Write
// fills the stream and says whether it succeeded.
template <typename Write>
void MeasureStreamWriter(benchmark::State& state, const TCorpusDocument& Doc,
                         const char* OutputCounter, Write&& WriteTo) {
  std::size_t written = 0;
  const std::uint64_t allocationsBefore = AllocationCount().load();
  for (auto _ : state) {
    richtext::TRVMemoryStream stream;
    if (!WriteTo(stream))
      state.SkipWithError("writing failed");
    written = stream.Size();
    benchmark::DoNotOptimize(stream.Bytes().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
  state.SetComplexityN(static_cast<std::int64_t>(Doc.TextBytes));
  state.counters[OutputCounter] = static_cast<double>(written);
  state.counters["text_bytes"] = static_cast<double>(Doc.TextBytes);
  const std::uint64_t allocations = AllocationCount().load() - allocationsBefore;
  if (allocations > 0 && written > 0)
    state.counters["allocs_per_MB"] = static_cast<double>(allocations) /
                                      static_cast<double>(state.iterations()) /
                                      (static_cast<double>(written) / 1e6);
}

} // namespace quillon::bench
