#include "app/browser/BrowserHost.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "app/browser/BrowserMessage.h"

namespace quillon {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void Report(std::FILE* errors, std::string_view text) {
  std::fprintf(errors, "quillon-browser-host: %.*s\n", static_cast<int>(text.size()), text.data());
  std::fflush(errors);
}

std::string ErrorOf(const std::string& reply) {
  const TBrowserReply parsed = ParseBrowserReply(reply);
  return parsed.Ok ? std::string() : parsed.Text;
}

} // namespace

bool CallerAllowed(const std::vector<std::string>& arguments, std::string& caller) {
  caller.clear();
  if (arguments.empty())
    return false;
  const std::string chromium = std::string("chrome-extension://") + ChromiumExtensionId + "/";
  if (arguments[0].rfind("chrome-extension://", 0) == 0) {
    caller = arguments[0];
    return caller == chromium;
  }
  if (arguments.size() >= 2) {
    caller = arguments[1];
    return caller == FirefoxExtensionId;
  }
  caller = arguments[0];
  return false;
}

std::string TBrowserHost::Answer(const TFrame& frame) {
  if (frame.Oversized)
    return BrowserReplyError("The message of " + std::to_string(frame.Length) +
                             " bytes is longer than the " +
                             std::to_string(MaxIncomingMessage >> 20) + " MiB a message may have");
  try {
    const TBrowserMessage message = ParseBrowserMessage(frame.Payload);
    if (message.Type == TBrowserMessageType::Ping)
      return BrowserReplyOk(u"Quillon's browser host is ready");
    if (message.Type == TBrowserMessageType::Templates) {
      const TLinkTemplates templates = FTemplates ? FTemplates() : TLinkTemplates{};
      std::vector<std::u16string> names;
      for (const TLinkTemplate& entry : templates.Templates)
        names.push_back(entry.Name);
      return BrowserReplyTemplates(names, templates.Errors);
    }
    const std::string reply = FRelay(SerializeBrowserMessage(message));
    // Whatever came back goes on only as a well-formed reply.
    const TBrowserReply parsed = ParseBrowserReply(reply);
    if (!parsed.Ok)
      return BrowserReplyError(parsed.Text);
    return reply.size() <= MaxOutgoingMessage ? reply : BrowserReplyOk(u"Done");
  } catch (const std::exception& e) {
    return BrowserReplyError(e.what());
  }
}

int TBrowserHost::Run(int in, int out, std::FILE* errors) {
  TFrameReader reader;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = read(in, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      Report(errors, std::string("Cannot read from the browser: ") + std::strerror(errno));
      return 1;
    }
    if (n == 0) {
      const std::string cut = reader.EndOfInputError();
      if (cut.empty())
        return 0;
      Report(errors, cut);
      return 1;
    }
    reader.Feed(std::string_view(buffer, static_cast<std::size_t>(n)));
    while (std::optional<TFrame> frame = reader.Next()) {
      const std::string reply = Answer(*frame);
      const std::string error = ErrorOf(reply);
      if (!error.empty())
        Report(errors, error);
      if (!WriteAll(out, EncodeFrame(reply))) {
        // The browser has gone: nobody is left to tell but the log.
        Report(errors, std::string("Cannot write to the browser: ") + std::strerror(errno));
        return 1;
      }
    }
  }
}

} // namespace quillon
