// quillon-browser-host: started by the browser for the Quillon extension, it reads framed
// messages on standard input, checks them, relays each to the running Quillon and writes the
// reply as a frame on standard output, until the browser closes the pipe.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/LinkTemplates.h"
#include "app/browser/NativeFraming.h"

namespace quillon {

// The name the browser knows the host by, and the extension's identities: Chromium's id
// (fixed by the key in the extension's manifest) and Firefox's.
inline constexpr char BrowserHostName[] = "org.quillon.quillon";
inline constexpr char ChromiumExtensionId[] = "kmfinkjejonpjnlnmhindhpgmbfnnknd";
inline constexpr char FirefoxExtensionId[] = "send-to-quillon@quillon.example.org";

// Whether the arguments the browser started the host with name the Quillon extension:
// Chromium passes its origin "chrome-extension://ID/" first, Firefox the path of the host's
// manifest and then the extension's id. Caller receives what the arguments named.
bool CallerAllowed(const std::vector<std::string>& arguments, std::string& caller);

class TBrowserHost {
public:
  // Relay: sends a checked message (one line of JSON) to Quillon and returns its reply
  // line; throws std::exception with what went wrong.
  using TRelay = std::function<std::string(const std::string& message)>;
  // Templates: the user's link templates, for the extension's menu.
  using TTemplates = std::function<TLinkTemplates()>;
  TBrowserHost(TRelay relay, TTemplates templates)
      : FRelay(std::move(relay)), FTemplates(std::move(templates)) {}

  // The reply to one frame, as JSON; never throws.
  std::string Answer(const TFrame& frame);

  // Reads frames from In and writes a reply frame per message to Out until In ends;
  // reports every fault on Errors as well. Returns the process's exit status: 0 when the
  // browser closed the pipe between messages.
  int Run(int in, int out, std::FILE* errors);

private:
  TRelay FRelay;
  TTemplates FTemplates;
};

} // namespace quillon
