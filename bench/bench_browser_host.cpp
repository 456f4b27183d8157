// The browser extension's road through Quillon, as the browser drives it: a new host process
// per message (the browser starts one for each), its frame on the pipe, the relay over the
// window's socket, the window composing both links and copying the formatted hyperlink.
// Targets: from the host receiving a tab to the clipboard holding every format, at most
// 50 ms with Quillon running; the host's own start (a ping answered, the pipe closed, the
// process gone) at most 20 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdlib>
#include <optional>
#include <sys/resource.h>
#include <memory>
#include <string>

#include "app/LinkList.h"
#include "app/browser/BrowserMessage.h"
#include "app/browser/NativeFraming.h"
#include "app/ui/BrowserRequests.h"
#include "app/ui/SingleInstance.h"
#include "app/ui/Unit1.h"
#include "bench/Corpus.h"
#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/export/RVStr.h"

namespace {

// The window's boxes and text clipboard are not on this road; nothing is shown.
class TSilentNotifier : public quillon::TNotifier {
public:
  void ShowError(const std::u16string&, const std::u16string&) override {}
  void ShowMessage(const std::u16string&, const std::u16string&) override {}
  quillon::TSaveChoice AskSaveChanges(const std::u16string&, const std::u16string&) override {
    return quillon::TSaveChoice::Discard;
  }
  bool AskYesNo(const std::u16string&, const std::u16string&) override { return false; }
  std::string AskSaveFileName(const std::u16string&, const std::string&) override { return {}; }
};
class TNoTextClipboard : public quillon::TTextClipboard {
public:
  void SetUnicodeText(const std::u16string&) override {}
};

// A running Quillon in this process: its window over empty lists, listening where the host
// beside the benchmarks looks (the folder it is in names its lists).
struct TRunningQuillon {
  TRunningQuillon()
      : Instance(QFileInfo(QStringLiteral(QUILLON_HOST_PATH)).absolutePath().toStdString() + "/",
                 Runtime.path()) {
    for (const char16_t* name : {quillon::kBBCodeListFileName, quillon::kMarkdownListFileName}) {
      QFile list(QDir(Lists.path()).filePath(QString::fromStdU16String(name)));
      list.open(QIODevice::WriteOnly);
      list.write("\xEF\xBB\xBF");
    }
    Form = std::make_unique<quillon::TForm1>(Notifier, Clipboard,
                                             Lists.path().toStdString() + "/");
    Form->FormCreate();
    Requests = new quillon::TFormBrowserRequests(*Form);
    Ready = Instance.Start() == quillon::TSingleInstance::TStart::First;
    Instance.SetRequestHandler(
        [this](const std::string& request) { return Requests->Answer(request); });
  }
  QTemporaryDir Runtime;
  QTemporaryDir Lists;
  TSilentNotifier Notifier;
  TNoTextClipboard Clipboard;
  quillon::TSingleInstance Instance;
  std::unique_ptr<quillon::TForm1> Form;
  quillon::TFormBrowserRequests* Requests = nullptr;
  bool Ready = false;
};

TRunningQuillon& Quillon() {
  static const bool qt = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "bench_browser_host";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    richtext::RVRegisterClipboardFormats();
    quillon::RegisterQtGraphics();
    quillon::RegisterQtClipboard();
    return true;
  }();
  (void)qt;
  static TRunningQuillon quillon;
  return quillon;
}

// The processor time of the ended host processes so far, in milliseconds: the host's own
// cost, which a busy machine does not inflate as it does the wall-clock time.
double ChildrenCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Starts the host as the browser does, writes one message, runs the window's event loop
// (which answers the relay) until the reply frame is read, closes the pipe and waits for the
// host to end. The reply.
std::string OneMessage(const std::string& message, const QString& runtime) {
  QProcess host;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
  host.setProcessEnvironment(environment);
  quillon::TFrameReader reader(quillon::MaxOutgoingMessage);
  std::optional<quillon::TFrame> reply;
  QEventLoop loop;
  QObject::connect(&host, &QProcess::readyReadStandardOutput, &loop, [&] {
    reader.Feed(host.readAllStandardOutput().toStdString());
    if ((reply = reader.Next()))
      loop.quit();
  });
  QObject::connect(&host, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&host, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
  host.start(QStringLiteral(QUILLON_HOST_PATH),
             {QStringLiteral("chrome-extension://kmfinkjejonpjnlnmhindhpgmbfnnknd/")});
  const std::string frame = quillon::EncodeFrame(message);
  host.write(frame.data(), static_cast<qint64>(frame.size()));
  loop.exec();
  host.closeWriteChannel();
  host.waitForFinished(5000);
  return reply ? reply->Payload : std::string();
}

// The title is a paragraph of the benchmarks' prose, a new one each time, so that no copy
// finds the document it is asked for already built.
void BM_TabToClipboard(benchmark::State& state) {
  TRunningQuillon& quillon = Quillon();
  if (!quillon.Ready) {
    state.SkipWithError("the window's socket could not be made");
    return;
  }
  std::vector<std::string> titles;
  quillon::bench::GenerateCorpus(20'000, 200, [&](std::string_view text) { titles.emplace_back(text); });
  if (titles.empty()) {
    state.SkipWithError("the corpus generator gave no text");
    return;
  }
  std::size_t next = 0;
  const double cpuBefore = ChildrenCpuMs();
  for (auto _ : state) {
    const std::string& title = titles[next++ % titles.size()];
    const std::string reply = OneMessage(
        R"({"type":"tab","title":")" + title + R"(","url":"https://blog.example/p?id=)" +
            std::to_string(next) + "\"}",
        quillon.Runtime.path());
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    if (!quillon::ParseBrowserReply(reply).Ok || !clip ||
        !clip->hasFormat(QStringLiteral("text/rtf")) ||
        !clip->hasFormat(QStringLiteral("text/html"))) {
      state.SkipWithError(("the link did not reach the clipboard: " + reply).c_str());
      return;
    }
  }
  state.counters["host_cpu_ms"] =
      benchmark::Counter(ChildrenCpuMs() - cpuBefore, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TabToClipboard)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HostStart(benchmark::State& state) {
  Quillon(); // the application object
  QTemporaryDir runtime;
  const double cpuBefore = ChildrenCpuMs();
  for (auto _ : state) {
    if (!quillon::ParseBrowserReply(OneMessage(R"({"type":"ping"})", runtime.path())).Ok) {
      state.SkipWithError("the host did not answer");
      return;
    }
  }
  state.counters["host_cpu_ms"] =
      benchmark::Counter(ChildrenCpuMs() - cpuBefore, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_HostStart)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
