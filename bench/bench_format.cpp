// Formatting speed and memory against the toolkit's own text layout, in one program.
//
// The documents are the first 1 MB (10,000 paragraphs) and the whole 10 MB (100,000
// paragraphs) of the benchmark corpus, one paragraph per corpus line, in text style 0 (Arial
// 10 pt, which is Liberation Sans here), wrapped at 600 pixels:
//   BM_FormatQt          Format with the Qt graphic interface (real fonts);
//   BM_FormatFixed       Format with the fixed-metrics test interface (the formatter alone);
//   BM_FormatQtNarrow    Format with Qt fonts at 500 pixels, what the reformat below ends with;
//   BM_ReformatQt        Reformat after the width shrinks from 600 to 500 pixels;
//   BM_QTextDocument     QTextDocument laying out the same text at the same width and font;
//   BM_FormatQtRtl       Format with Qt fonts of the Hebrew and Arabic corpus of the same
//                        sizes (bench/RtlCorpus.h), each paragraph right to left;
//   BM_QTextDocumentRtl  QTextDocument laying out that text, its paragraphs right to left;
//   BM_Summary           the ratios of the runs above, read from the same process.
// Every timed run reports us_per_char, from the thread's processor time. The memory runs
// report what a formatted 10 MB document holds on the heap (mallinfo2, retained_MB) and how
// far the process's peak resident size grew while it was built and formatted
// (peak_rss_growth_MB); the peak is only meaningful when one memory run is alone in its
// process:
//   bench_format --benchmark_filter=BM_MemoryEngine
//   bench_format --benchmark_filter=BM_MemoryQTextDocument
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QString>
#include <QTextDocument>
#include <QTextOption>
#include <cstdint>
#include <map>
#include <malloc.h>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <time.h>

#include "bench/BenchCorpus.h"
#include "bench/RtlCorpus.h"
#include "platform/qt/RVQtCanvas.h"
#include "richtext/control/RichView.h"
#include "richtext/style/RVStyle.h"
#include "tests/support/RVTestGraphics.h"

using namespace richtext;

namespace {

constexpr int kTextWidth = 600;
constexpr int kNarrowTextWidth = 500;
// The control's margins (5 pixels each side by default) come on top of the text width.
constexpr int kMargins = 10;
constexpr std::size_t kParagraphsPerMB = 10000;

// The Hebrew and Arabic corpus of the same size and paragraph count as the Latin one.
const std::vector<std::u16string>& RtlCorpus() {
  static const std::vector<std::u16string> paragraphs = [] {
    std::vector<std::u16string> out;
    out.reserve(quillon::bench::kCorpusParagraphs);
    quillon::bench::GenerateRtlCorpus(
        quillon::bench::kCorpusBytes, quillon::bench::kCorpusParagraphs,
        [&](std::string_view text) { out.push_back(quillon::FromUtf8(text)); });
    return out;
  }();
  return paragraphs;
}

std::size_t Paragraphs(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0)) * kParagraphsPerMB;
}

// Results of this run by name and size, for the summary.
std::map<std::string, double>& Results() {
  static std::map<std::string, double> results;
  return results;
}

struct TEngineDocument {
  TRVStyle Style;
  quillon::TRVQtCanvas Canvas;
  TRichView RV;
  std::int64_t Chars = 0;
};

// A document of the first Count corpus paragraphs, not formatted; with Fixed it measures
// with the fixed-metrics interface instead of Qt's fonts.
std::unique_ptr<TEngineDocument> MakeEngineDocument(std::size_t Count, bool Fixed,
                                                    int TextWidth = kTextWidth,
                                                    bool RightToLeft = false) {
  quillon::bench::EnsureQt();
  const auto& paragraphs = RightToLeft ? RtlCorpus() : quillon::bench::Corpus();
  auto doc = std::make_unique<TEngineDocument>();
  if (Fixed)
    doc->Style.SetGraphicInterface(std::make_unique<test::TRVTestGraphicInterface>());
  int paraNo = 0;
  if (RightToLeft) {
    TParaInfo* rtl = doc->Style.ParaStyles.Add();
    rtl->BiDiMode = rvbdRightToLeft;
    paraNo = rtl->GetIndex();
  }
  doc->RV.SetStyle(&doc->Style);
  doc->RV.SetCanvas(&doc->Canvas);
  doc->RV.SetClientSize(TextWidth + kMargins, 400);
  for (std::size_t i = 0; i < paragraphs.size() && i < Count; ++i) {
    doc->Chars += static_cast<std::int64_t>(paragraphs[i].size());
    doc->RV.AddNL(paragraphs[i], 0, paraNo);
  }
  return doc;
}

QFont ArialTenPoints() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(10);
  return font;
}

// The same paragraphs as one plain text, one block per paragraph.
QString CorpusText(std::size_t Count, std::int64_t& Chars, bool RightToLeft = false) {
  const auto& paragraphs = RightToLeft ? RtlCorpus() : quillon::bench::Corpus();
  QString text;
  Chars = 0;
  for (std::size_t i = 0; i < paragraphs.size() && i < Count; ++i) {
    if (i > 0)
      text += QChar(u'\n');
    text += QString::fromStdU16String(paragraphs[i]);
    Chars += static_cast<std::int64_t>(paragraphs[i].size());
  }
  return text;
}

std::unique_ptr<QTextDocument> MakeQTextDocument(const QString& Text, bool RightToLeft = false) {
  auto doc = std::make_unique<QTextDocument>();
  doc->setDefaultFont(ArialTenPoints());
  if (RightToLeft) {
    QTextOption option = doc->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    doc->setDefaultTextOption(option);
  }
  doc->setDocumentMargin(0);
  doc->setUndoRedoEnabled(false);
  doc->setPlainText(Text);
  doc->setTextWidth(kTextWidth);
  return doc;
}

// Lays the whole document out: the layout is lazy and finishes only when asked for its size.
double LayOut(QTextDocument& Doc) {
  return Doc.documentLayout()->documentSize().height();
}

// The machine is shared while benchmarks run: the thread's own processor time is what is
// timed, not the wall clock.
struct Clock {
  using time_point = double;
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  }
};

double Seconds(Clock::time_point From) {
  return Clock::now() - From;
}

void Report(benchmark::State& state, const std::string& Name, double Seconds, std::int64_t Chars) {
  const double us = Seconds * 1e6 / (static_cast<double>(state.iterations()) * Chars);
  state.counters["us_per_char"] = us;
  state.counters["chars"] = static_cast<double>(Chars);
  state.SetItemsProcessed(state.iterations() * Chars);
  Results()[Name + "/" + std::to_string(state.range(0))] = us;
}

void Format(benchmark::State& state, bool Fixed, const char* Name, int TextWidth = kTextWidth,
            bool RightToLeft = false) {
  auto doc = MakeEngineDocument(Paragraphs(state), Fixed, TextWidth, RightToLeft);
  if (doc->Chars == 0) {
    state.SkipWithError(quillon::bench::kNoCorpus);
    return;
  }
  double total = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    doc->RV.Format();
    const double s = Seconds(start);
    state.SetIterationTime(s);
    total += s;
  }
  state.counters["lines"] = static_cast<double>(doc->RV.RVData->DrawItems.Count());
  state.counters["height"] = doc->RV.RVData->DocumentHeight;
  Report(state, Name, total, doc->Chars);
}

void BM_FormatQt(benchmark::State& state) {
  Format(state, false, "FormatQt");
}
void BM_FormatFixed(benchmark::State& state) {
  Format(state, true, "FormatFixed");
}
void BM_FormatQtNarrow(benchmark::State& state) {
  Format(state, false, "FormatQtNarrow", kNarrowTextWidth);
}
void BM_FormatQtRtl(benchmark::State& state) {
  Format(state, false, "FormatQtRtl", kTextWidth, true);
}

// The width shrinks by 100 pixels and the control reformats what it shows.
void BM_ReformatQt(benchmark::State& state) {
  auto doc = MakeEngineDocument(Paragraphs(state), false);
  if (doc->Chars == 0) {
    state.SkipWithError(quillon::bench::kNoCorpus);
    return;
  }
  double total = 0;
  for (auto _ : state) {
    doc->RV.SetClientSize(kTextWidth + kMargins, 400);
    doc->RV.Format();
    doc->RV.SetClientSize(kNarrowTextWidth + kMargins, 400);
    const auto start = Clock::now();
    doc->RV.Reformat();
    const double s = Seconds(start);
    state.SetIterationTime(s);
    total += s;
  }
  state.counters["height"] = doc->RV.RVData->DocumentHeight;
  Report(state, "ReformatQt", total, doc->Chars);
}

void LayOutQTextDocument(benchmark::State& state, const char* Name, bool RightToLeft) {
  quillon::bench::EnsureQt();
  std::int64_t chars = 0;
  const QString text = CorpusText(Paragraphs(state), chars, RightToLeft);
  if (chars == 0) {
    state.SkipWithError(quillon::bench::kNoCorpus);
    return;
  }
  auto doc = MakeQTextDocument(text, RightToLeft);
  double height = 0;
  double total = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    doc->markContentsDirty(0, doc->characterCount());
    height = LayOut(*doc);
    const double s = Seconds(start);
    state.SetIterationTime(s);
    total += s;
  }
  state.counters["height"] = height;
  Report(state, Name, total, chars);
}

void BM_QTextDocument(benchmark::State& state) {
  LayOutQTextDocument(state, "QTextDocument", false);
}
void BM_QTextDocumentRtl(benchmark::State& state) {
  LayOutQTextDocument(state, "QTextDocumentRtl", true);
}

void BM_Summary(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(Results().size());
  const auto& r = Results();
  auto get = [&](const std::string& key) {
    auto it = r.find(key);
    return it == r.end() ? 0.0 : it->second;
  };
  for (const char* size : {"1", "10"}) {
    const std::string s = size;
    const double qt = get("FormatQt/" + s), qtd = get("QTextDocument/" + s);
    const double re = get("ReformatQt/" + s), narrow = get("FormatQtNarrow/" + s);
    if (qt > 0 && qtd > 0)
      state.counters["qtextdocument_over_format_" + s + "MB"] = qtd / qt;
    if (qt > 0 && re > 0)
      state.counters["reformat_over_format_" + s + "MB"] = re / qt;
    if (narrow > 0 && re > 0)
      state.counters["reformat_over_format500_" + s + "MB"] = re / narrow;
    const double rtl = get("FormatQtRtl/" + s), rtlQtd = get("QTextDocumentRtl/" + s);
    if (rtl > 0 && rtlQtd > 0)
      state.counters["qtextdocument_over_format_rtl_" + s + "MB"] = rtlQtd / rtl;
  }
  const double q1 = get("FormatQt/1"), q10 = get("FormatQt/10");
  if (q1 > 0 && q10 > 0)
    state.counters["format_10MB_over_1MB_per_char"] = q10 / q1;
}

// Heap in use (small blocks and mapped ones) and the peak resident size so far.
double HeapBytes() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd);
}
double PeakRssBytes() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) * 1024.0;
}

void ReportMemory(benchmark::State& state, double Heap0, double Rss0, double Heap1, double Rss1) {
  state.counters["retained_MB"] = (Heap1 - Heap0) / 1e6;
  state.counters["peak_rss_growth_MB"] = (Rss1 - Rss0) / 1e6;
}

// A 10 MB document built and formatted with Qt fonts; the corpus itself is read beforehand.
void BM_MemoryEngine(benchmark::State& state) {
  quillon::bench::EnsureQt();
  (void)quillon::bench::Corpus();
  for (auto _ : state) {
    const double heap0 = HeapBytes(), rss0 = PeakRssBytes();
    auto doc = MakeEngineDocument(10 * kParagraphsPerMB, false);
    doc->RV.Format();
    const double heap1 = HeapBytes(), rss1 = PeakRssBytes();
    state.SetIterationTime(1);
    ReportMemory(state, heap0, rss0, heap1, rss1);
  }
}

// The same text in a QTextDocument, laid out at the same width.
void BM_MemoryQTextDocument(benchmark::State& state) {
  quillon::bench::EnsureQt();
  (void)quillon::bench::Corpus();
  for (auto _ : state) {
    const double heap0 = HeapBytes(), rss0 = PeakRssBytes();
    std::int64_t chars = 0;
    std::unique_ptr<QTextDocument> doc;
    {
      const QString text = CorpusText(10 * kParagraphsPerMB, chars);
      doc = MakeQTextDocument(text);
    }
    LayOut(*doc);
    const double heap1 = HeapBytes(), rss1 = PeakRssBytes();
    state.SetIterationTime(1);
    ReportMemory(state, heap0, rss0, heap1, rss1);
  }
}

} // namespace

BENCHMARK(BM_FormatQt)->Arg(1)->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatFixed)->Arg(1)->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatQtNarrow)->Arg(1)->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReformatQt)->Arg(1)->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTextDocument)->Arg(1)->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatQtRtl)->Arg(1)->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTextDocumentRtl)->Arg(1)->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Summary)->Iterations(1);
BENCHMARK(BM_MemoryEngine)->Iterations(1)->UseManualTime();
BENCHMARK(BM_MemoryQTextDocument)->Iterations(1)->UseManualTime();
