#include "app/cli/ClipboardCopy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <qguiapplication_platform.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <exception>

#include "app/HyperlinkDocument.h"
#include "app/Utf.h"
#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/export/RVStr.h"

namespace quillon {

namespace {

// The child tells the waiting parent how the copy went: "ok", or the error text.
void Tell(int fd, const std::string& message) {
  std::string_view rest = message;
  while (!rest.empty()) {
    ssize_t written = write(fd, rest.data(), rest.size());
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      break;
    rest.remove_prefix(static_cast<size_t>(written));
  }
  close(fd);
}

std::string Hear(int fd) {
  std::string message;
  char buffer[512];
  for (;;) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0)
      break;
    message.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  return message;
}

void DetachFromTerminal() {
  int null = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null < 0)
    return;
  dup2(null, STDIN_FILENO);
  dup2(null, STDOUT_FILENO);
  dup2(null, STDERR_FILENO);
  if (null > STDERR_FILENO)
    close(null);
}

// The window that owns the clipboard now, as the X server itself answers; 0 off X11 or when
// the server does not answer. Qt's own word on the ownership waits for an event that a busy
// server may send late.
std::uint32_t ClipboardOwnerWindow() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  if (connection == nullptr)
    return 0;
  constexpr char kName[] = "CLIPBOARD";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, sizeof kName - 1, kName), nullptr);
  if (atom == nullptr)
    return 0;
  const xcb_atom_t clipboardAtom = atom->atom;
  std::free(atom);
  xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
      connection, xcb_get_selection_owner(connection, clipboardAtom), nullptr);
  if (owner == nullptr)
    return 0;
  const std::uint32_t window = owner->owner;
  std::free(owner);
  return window;
}

// Runs in the child: copies, reports to the parent, then serves the clipboard.
int ServeClipboard(const std::string& title, const std::string& address, char* programName,
                   int reportFd) {
  // A Wayland client may only set the clipboard while it has the keyboard focus, which a
  // window-less command never has; under XWayland, X11 lets it.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  int qtArgc = 1;
  char* qtArgv[] = {programName, nullptr};
  QGuiApplication app(qtArgc, qtArgv);
  QGuiApplication::setQuitOnLastWindowClosed(false);
  try {
    richtext::RVRegisterClipboardFormats();
    RegisterQtGraphics();
    RegisterQtClipboard();
    int dpi = 96;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      dpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
    TRVQtCanvas canvas(dpi, dpi);
    THyperlinkDocument document(&canvas);
    document.BuildAndCopy(FromUtf8(title), FromUtf8(address));
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->ownsClipboard()) {
      Tell(reportFd, "the clipboard did not take the link");
      return 1;
    }
    // Another program took the clipboard once the system's clipboard no longer hands out our
    // data. The change signal usually says so at once; a slow poll of the owner (one round
    // trip to the display server) ends the process even when a notice was lost or came
    // before the display server's word that the selection went elsewhere.
    const QPointer<const QMimeData> ours = clipboard->mimeData(QClipboard::Clipboard);
    auto endIfLost = [clipboard, ours] {
      if (!ours || !clipboard->ownsClipboard() ||
          clipboard->mimeData(QClipboard::Clipboard) != ours.data())
        QCoreApplication::quit();
    };
    QObject::connect(clipboard, &QClipboard::changed, &app, [endIfLost](QClipboard::Mode mode) {
      if (mode == QClipboard::Clipboard)
        endIfLost();
    });
    // The poll also asks the X server which window owns the clipboard: another window than
    // the one that took it means it went elsewhere, whatever Qt has heard.
    const std::uint32_t ownerWindow = ClipboardOwnerWindow();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [endIfLost, ownerWindow] {
      if (ownerWindow != 0 && ClipboardOwnerWindow() != ownerWindow)
        QCoreApplication::quit();
      else
        endIfLost();
    });
    poll.start(std::chrono::seconds(1));
    Tell(reportFd, "ok");
    DetachFromTerminal();
    return app.exec();
  } catch (const std::exception& e) {
    Tell(reportFd, e.what());
    return 1;
  }
}

} // namespace

int CopyHyperlinkInBackground(const std::string& title, const std::string& address,
                              char* programName) {
  if (title.empty()) {
    std::fprintf(stderr, "quillon-link: the title is empty, so there is nothing to copy\n");
    return 1;
  }
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const bool offscreen = platform && std::string_view(platform).starts_with("offscreen");
  auto isSet = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  if (offscreen || (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"))) {
    std::fprintf(stderr, "quillon-link: --copy needs a display (DISPLAY or WAYLAND_DISPLAY)\n");
    return 1;
  }
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    std::perror("quillon-link");
    return 1;
  }
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) {
    std::perror("quillon-link");
    return 1;
  }
  if (child == 0) {
    close(report[0]);
    // Its own session: closing the terminal or the shell's job control does not end it.
    setsid();
    std::_Exit(ServeClipboard(title, address, programName, report[1]));
  }
  close(report[1]);
  const std::string message = Hear(report[0]);
  if (message == "ok")
    return 0;
  int status = 0;
  waitpid(child, &status, 0);
  std::fprintf(stderr, "quillon-link: cannot copy: %s\n",
               message.empty() ? "the copying process ended early" : message.c_str());
  return 1;
}

} // namespace quillon
