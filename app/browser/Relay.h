// The host's side of the window's socket: one request line out, one reply line back, with
// time limits, and Quillon started when none listens. Plain POSIX sockets, so the host needs
// no more of Qt than its core.
#pragma once

#include <stdexcept>
#include <string>

namespace quillon {

class ERelay : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct TRelaySetting {
  std::string SocketPath;
  // The program started when nobody listens on SocketPath; empty: none is started.
  std::string ProgramPath;
  int StartTimeoutMs = 15000; // for a Quillon that was started to listen
  int ReplyTimeoutMs = 30000; // the window may be showing a box
};

// Sends "browser " + request + "\n" and returns the reply line without its line break.
// Throws ERelay with what went wrong.
std::string RelayRequest(const TRelaySetting& setting, const std::string& request);

// Connects to a listening local socket; -1 when nobody listens there (errno tells).
int ConnectLocalSocket(const std::string& path);

} // namespace quillon
