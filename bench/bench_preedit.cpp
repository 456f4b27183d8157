// The input method's underline against painting its line: the editor's widget, on the
// offscreen platform, paints one corpus line into an image.
//   BM_PaintComposingLine/1  the line holds a 50-character composition, drawn with the
//                            underline the widget puts under it;
//   BM_PaintComposingLine/0  the same line with the composition committed: the same text,
//                            no underline.
// The difference of the two is the underline's own cost; it should be no more than painting
// the line (the /0 figure).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <memory>
#include <string>

#include "bench/BenchCorpus.h"
#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphics.h"
#include "platform/qt/RVQtRichViewWidget.h"
#include "richtext/control/RichViewEdit.h"
#include "richtext/style/RVStyle.h"

using namespace richtext;

namespace {

constexpr int kWidth = 806, kHeight = 100;
const std::u16string kComposition = u"zhongwen shurufa pinyin hanzi ceshi wenben changdu";

// An editor and its widget over the first 40 characters of the corpus's first line, with the
// composition typed into its middle and, unless Composing, committed.
struct TComposingLine {
  explicit TComposingLine(bool Composing) {
    Edit.SetStyle(&Style);
    Edit.SetCanvas(&Canvas);
    const std::u16string line = quillon::bench::ReadCorpus(10'000, 100).front();
    Edit.AddNL(line.substr(0, 40), 0, 0);
    Widget = std::make_unique<quillon::TRVQtRichViewWidget>(Edit, Canvas);
    Widget->resize(kWidth, kHeight);
    Widget->show();
    QApplication::processEvents();
    Edit.SetSelectionBounds(0, 21, 0, 21);
    Edit.SetComposition(kComposition, static_cast<std::int32_t>(kComposition.size()));
    if (!Composing)
      Edit.CommitComposition(kComposition);
    QApplication::processEvents();
  }
  TRVStyle Style;
  quillon::TRVQtCanvas Canvas{96, 96};
  TRichViewEdit Edit;
  std::unique_ptr<quillon::TRVQtRichViewWidget> Widget;
};

// The composing line's picture is not the committed line's: the underline is drawn.
bool UnderlineDrawn() {
  TComposingLine composing(true), committed(false);
  QImage a(kWidth, kHeight, QImage::Format_RGB32), b(kWidth, kHeight, QImage::Format_RGB32);
  composing.Widget->render(&a);
  committed.Widget->render(&b);
  return a != b;
}

void BM_PaintComposingLine(benchmark::State& state) {
  const bool composing = state.range(0) != 0;
  if (composing && !UnderlineDrawn()) {
    state.SkipWithError("no underline was drawn under the composition");
    return;
  }
  // Made after the check, so that it is the one widget shown in both cases.
  TComposingLine line(composing);
  if (line.Edit.HasComposition() != composing) {
    state.SkipWithError("the composition is not as the case needs it");
    return;
  }
  if (line.Edit.RVData->DrawItems.Count() != 1 ||
      line.Edit.RVData->GetItemText(0).size() != 40 + kComposition.size()) {
    state.SkipWithError("the text is not one line of 90 characters");
    return;
  }
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    line.Widget->render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}

} // namespace

BENCHMARK(BM_PaintComposingLine)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  quillon::RegisterQtGraphics();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
