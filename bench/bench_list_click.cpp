// A click on a row of the window's BBCode list that holds one entry of 20 MB: from the press
// to the question whether to put it into the fields (answered no). Target: within 100 ms.
// The window runs on Qt's offscreen platform, with its boxes recorded instead of shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <memory>
#include <string>

#include "app/LinkList.h"
#include "app/Utf.h"
#include "app/ui/LinkListBox.h"
#include "app/ui/Unit1.h"
#include "tests/app/ui/RecordingServices.h"

namespace {

using quillon::TForm1;
using quillon::TLinkListBox;

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Click(TLinkListBox* list, int row) {
  const QModelIndex index = list->model()->index(row, 0);
  list->scrollTo(index);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

void BM_ClickHugeEntry(benchmark::State& state) {
  QTemporaryDir folder;
  const std::string path = folder.path().toStdString() + "/";
  std::string huge = "[url=http://h.example/]" + std::string(20 << 20, 'x') + "[/url]";
  WriteFile(path + quillon::ToUtf8(quillon::kBBCodeListFileName),
            "\xEF\xBB\xBF" + huge + "\r\n[url=s]Short[/url]\r\n");
  WriteFile(path + quillon::ToUtf8(quillon::kMarkdownListFileName), "\xEF\xBB\xBF");
  quillon::test::TRecordingNotifier notifier;
  quillon::test::TRecordingClipboard clipboard;
  TForm1 form(notifier, clipboard, path);
  form.FormCreate();
  form.show();
  if (!QTest::qWaitForWindowExposed(&form) ||
      !QTest::qWaitFor([&] { return !form.ListBox1->Items().Loading(); }, 60000)) {
    state.SkipWithError("the window did not show its list");
    return;
  }
  TLinkListBox* list = form.ListBox1;
  const int hugeRow = list->Items().Entry(0).size() > huge.size() / 2 ? 0 : 1;
  for (auto _ : state) {
    notifier.Boxes.clear();
    Click(list, hugeRow);
    QApplication::processEvents();
    state.PauseTiming();
    if (notifier.Boxes.size() != 1 || notifier.Boxes[0].kind != u"yesno")
      state.SkipWithError("the click did not ask before recalling the entry");
    // The next click must select the row anew.
    Click(list, 1 - hugeRow);
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

} // namespace

BENCHMARK(BM_ClickHugeEntry)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
