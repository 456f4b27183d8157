#include "app/ui/SingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>

namespace quillon {

namespace {

constexpr char kRaise[] = "raise\n";
constexpr char kRaised[] = "raised\n";
constexpr char kRequest[] = "browser ";

} // namespace

TSingleInstance::TSingleInstance(const std::string& listFolder, const QString& runtimeFolder,
                                 QObject* parent)
    : QObject(parent) {
  const QString base = InstanceBasePath(listFolder, runtimeFolder);
  FLockPath = base + QStringLiteral(".lock");
  FServerPath = base + QStringLiteral(".socket");
}

TSingleInstance::~TSingleInstance() { Release(); }

TSingleInstance::TStart TSingleInstance::Start(int waitMs) {
  FLock = std::make_unique<QLockFile>(FLockPath);
  // Only a dead owner makes a lock stale: a Quillon may well run for days.
  FLock->setStaleLockTime(0);
  const QDeadlineTimer deadline(waitMs);
  for (;;) {
    if (FLock->tryLock(0)) {
      FServer = std::make_unique<QLocalServer>();
      FServer->setSocketOptions(QLocalServer::UserAccessOption);
      // A socket file left by a crashed Quillon is in the way; holding the lock, it is ours.
      QLocalServer::removeServer(FServerPath);
      if (!FServer->listen(FServerPath)) {
        FServer.reset();
        return TStart::Alone;
      }
      connect(FServer.get(), &QLocalServer::newConnection, this, &TSingleInstance::Answer);
      return TStart::First;
    }
    if (FLock->error() != QLockFile::LockFailedError) {
      FLock.reset();
      return TStart::Alone;
    }
    if (AskToRaise(std::max<qint64>(deadline.remainingTime(), 100)))
      return TStart::Forwarded;
    if (deadline.hasExpired()) {
      FLock.reset();
      return TStart::Alone;
    }
    QThread::msleep(50);
  }
}

bool TSingleInstance::AskToRaise(int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(FServerPath);
  if (!socket.waitForConnected(timeoutMs))
    return false;
  socket.write(kRaise);
  if (!socket.waitForBytesWritten(timeoutMs))
    return false;
  while (!socket.canReadLine()) {
    if (!socket.waitForReadyRead(timeoutMs))
      return false;
  }
  return socket.readLine() == kRaised;
}

void TSingleInstance::Answer() {
  while (QLocalSocket* socket = FServer ? FServer->nextPendingConnection() : nullptr) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine())
        return;
      const QByteArray line = socket->readLine();
      if (line == kRaise) {
        emit Raise();
        socket->write(kRaised);
        socket->flush();
      } else if (line.startsWith(kRequest) && line.endsWith('\n') && FRequestHandler) {
        const qsizetype start = sizeof kRequest - 1;
        // The handler may show a box, whose event loop sees the host give up and go.
        const QPointer<QLocalSocket> guard(socket);
        const std::string reply =
            FRequestHandler(line.mid(start, line.size() - start - 1).toStdString());
        if (!guard)
          return;
        socket->write(QByteArray::fromStdString(reply + "\n"));
        socket->flush();
      }
      socket->disconnectFromServer();
    });
  }
}

void TSingleInstance::Release() {
  if (FServer) {
    FServer->close();
    FServer.reset();
  }
  if (FLock) {
    FLock->unlock();
    FLock.reset();
  }
}

} // namespace quillon
