// One Quillon per list folder: the first start holds a lock file and listens on a local
// socket; a later start on the same lists asks it to come forward and ends, so that two
// windows never edit the same lists. A lock left by a Quillon that crashed is taken over.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

#include "app/browser/InstancePaths.h"

namespace quillon {

class TSingleInstance : public QObject {
  Q_OBJECT
public:
  enum class TStart {
    First,     // this is the one Quillon of these lists; Raise() reports later starts
    Forwarded, // another one runs and was asked to come forward: end this one
    Alone,     // no lock could be made (no runtime folder): run without one
  };

  // runtimeFolder holds the lock and the socket (the user's runtime folder in the program).
  TSingleInstance(const std::string& listFolder, const QString& runtimeFolder,
                  QObject* parent = nullptr);
  ~TSingleInstance() override;

  // Waits at most waitMs for a Quillon that holds the lock but does not answer yet (it is
  // starting, or ending) before running alone.
  TStart Start(int waitMs = 3000);
  // Lets a new start become the first: called as the window goes, before the clipboard is
  // handed over, which can take seconds.
  void Release();

  // A request line "browser JSON" from the browser host is answered with the handler's
  // reply on a line of its own; until a handler is set, such a request gets no reply.
  using TRequestHandler = std::function<std::string(const std::string& request)>;
  void SetRequestHandler(TRequestHandler handler) { FRequestHandler = std::move(handler); }

  QString LockPath() const { return FLockPath; }
  QString ServerPath() const { return FServerPath; }

signals:
  void Raise();

private:
  bool AskToRaise(int timeoutMs);
  void Answer();

  QString FLockPath;
  QString FServerPath;
  std::unique_ptr<QLockFile> FLock;
  std::unique_ptr<QLocalServer> FServer;
  TRequestHandler FRequestHandler;
};

} // namespace quillon
