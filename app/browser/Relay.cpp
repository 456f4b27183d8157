#include "app/browser/Relay.h"

#include <QProcess>
#include <QString>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace quillon {

namespace {

using TClock = std::chrono::steady_clock;

class TFd {
public:
  explicit TFd(int fd) : FFd(fd) {}
  ~TFd() {
    if (FFd >= 0)
      close(FFd);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return FFd; }

private:
  int FFd;
};

int RemainingMs(TClock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for the socket to be ready for Events; false when the deadline passed.
bool Await(int fd, short events, TClock::time_point deadline) {
  for (;;) {
    pollfd entry{fd, events, 0};
    const int ready = poll(&entry, 1, RemainingMs(deadline));
    if (ready > 0)
      return true;
    if (ready == 0)
      return false;
    if (errno != EINTR)
      throw ERelay(std::string("Cannot wait for Quillon: ") + std::strerror(errno));
  }
}

void SendAll(int fd, const std::string& bytes, TClock::time_point deadline) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n >= 0) {
      sent += static_cast<std::size_t>(n);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (!Await(fd, POLLOUT, deadline))
        throw ERelay("Quillon does not take the message");
    } else if (errno != EINTR) {
      throw ERelay(std::string("Cannot send the message to Quillon: ") + std::strerror(errno));
    }
  }
}

std::string ReceiveLine(int fd, TClock::time_point deadline) {
  std::string line;
  char buffer[4096];
  for (;;) {
    const std::size_t end = line.find('\n');
    if (end != std::string::npos)
      return line.substr(0, end);
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n > 0) {
      line.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0) {
      throw ERelay("Quillon closed the connection without a reply");
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (!Await(fd, POLLIN, deadline))
        throw ERelay("Quillon did not answer in time");
    } else if (errno != EINTR) {
      throw ERelay(std::string("Cannot read Quillon's reply: ") + std::strerror(errno));
    }
  }
}

bool NobodyListens(int error) { return error == ENOENT || error == ECONNREFUSED; }

} // namespace

int ConnectLocalSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    errno = ENAMETOOLONG;
    return -1;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0)
    return -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    const int error = errno;
    close(fd);
    errno = error;
    return -1;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  return fd;
}

std::string RelayRequest(const TRelaySetting& setting, const std::string& request) {
  int fd = ConnectLocalSocket(setting.SocketPath);
  if (fd < 0 && NobodyListens(errno) && !setting.ProgramPath.empty()) {
    // Its output must not reach the browser, which reads this process's standard output.
    QProcess quillon;
    quillon.setProgram(QString::fromStdString(setting.ProgramPath));
    quillon.setStandardInputFile(QProcess::nullDevice());
    quillon.setStandardOutputFile(QProcess::nullDevice());
    if (!quillon.startDetached())
      throw ERelay("Cannot start Quillon (" + setting.ProgramPath + ")");
    const auto deadline = TClock::now() + std::chrono::milliseconds(setting.StartTimeoutMs);
    while ((fd = ConnectLocalSocket(setting.SocketPath)) < 0 && NobodyListens(errno) &&
           RemainingMs(deadline) > 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (fd < 0 && NobodyListens(errno))
      throw ERelay("Quillon was started but does not listen");
  }
  if (fd < 0) {
    if (NobodyListens(errno))
      throw ERelay("Quillon is not running");
    throw ERelay(std::string("Cannot reach Quillon: ") + std::strerror(errno));
  }
  const TFd socket(fd);
  const auto deadline = TClock::now() + std::chrono::milliseconds(setting.ReplyTimeoutMs);
  SendAll(socket.Get(), "browser " + request + "\n", deadline);
  return ReceiveLine(socket.Get(), deadline);
}

} // namespace quillon
