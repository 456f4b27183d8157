#include "app/ui/Session.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quillon {

namespace {

int gSignalPipe[2] = {-1, -1};
bool gQuitRequested = false;

void OnTerminationSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] ssize_t written = write(gSignalPipe[1], &byte, 1);
  errno = saved;
}

} // namespace

void PreferNativePlatform() {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    return;
  if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
      qgetenv("XDG_SESSION_TYPE") == "wayland")
    qputenv("QT_QPA_PLATFORM", "wayland;xcb");
}

void QuitOnTerminationSignals() {
  if (gSignalPipe[0] >= 0)
    return;
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gSignalPipe) != 0)
    return;
  // A handler may only write a byte; the event loop reads it and quits like a closed window.
  auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read,
                                       QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
    char bytes[16];
    while (read(gSignalPipe[0], bytes, sizeof bytes) > 0) {
    }
    gQuitRequested = true;
    // Before the main loop runs (an error box at start), quitting alone would not end it.
    QApplication::closeAllWindows();
    QCoreApplication::quit();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP})
    sigaction(signal, &action, nullptr);
}

bool QuitRequested() { return gQuitRequested; }

void BringForward(QWidget& window) {
  window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  window.show();
  window.raise();
  window.activateWindow();
}

void ReportPlatformWhenShown(QWidget& window) {
  if (qEnvironmentVariableIsEmpty("QUILLON_REPORT_PLATFORM"))
    return;
  auto* timer = new QTimer(&window);
  QObject::connect(timer, &QTimer::timeout, &window, [&window, timer] {
    if (!window.windowHandle() || !window.windowHandle()->isExposed())
      return;
    timer->stop();
    std::fprintf(stderr, "quillon: window shown on %s\n",
                 QGuiApplication::platformName().toLocal8Bit().constData());
    std::fflush(stderr);
  });
  timer->start(20);
}

} // namespace quillon
