// quillon-browser-host: the native messaging host of the "Send to Quillon" extension. The
// browser starts it and talks to it over its standard input and output; it relays each
// message to the running Quillon over the window's socket and starts Quillon when none runs.
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/ListFolder.h"
#include "app/browser/BrowserHost.h"
#include "app/browser/BrowserMessage.h"
#include "app/browser/InstancePaths.h"
#include "app/browser/NativeFraming.h"
#include "app/browser/Relay.h"

int main(int argc, char** argv) {
  // The browser reads frames on standard output and takes anything else there for a broken
  // host: the frames get a descriptor of their own, and whatever else writes to standard
  // output (a library, Quillon when it is started from here) writes to standard error.
  const int out = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
  if (out < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
    std::perror("quillon-browser-host");
    return 1;
  }
  std::signal(SIGPIPE, SIG_IGN);

  const std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string caller;
  if (!quillon::CallerAllowed(arguments, caller)) {
    const std::string error =
        caller.empty() ? std::string("Start me from the Quillon browser extension")
                       : "Not the Quillon extension: " + caller;
    std::fprintf(stderr, "quillon-browser-host: %s\n", error.c_str());
    const std::string frame = quillon::EncodeFrame(quillon::BrowserReplyError(error));
    [[maybe_unused]] const ssize_t written = write(out, frame.data(), frame.size());
    return 2;
  }

  // The Quillon of the same lists: the one started from this folder.
  const quillon::TListFolderSetting setting = quillon::CurrentListFolderSetting();
  quillon::TRelaySetting relay;
  relay.SocketPath = quillon::InstanceSocketPath(quillon::ChooseListFolder(setting),
                                                 quillon::DefaultRuntimeFolder())
                         .toStdString();
  relay.ProgramPath = setting.executableFolder + "quillon";
  quillon::TBrowserHost host(
      [&relay](const std::string& message) { return quillon::RelayRequest(relay, message); },
      quillon::LoadLinkTemplates);
  return host.Run(STDIN_FILENO, out, stderr);
}
