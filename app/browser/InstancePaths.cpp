#include "app/browser/InstancePaths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace quillon {

QString InstanceBasePath(const std::string& listFolder, const QString& runtimeFolder) {
  const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(listFolder),
                                                   QCryptographicHash::Sha1);
  return QDir(runtimeFolder)
      .filePath(QStringLiteral("quillon-") + QString::fromLatin1(hash.toHex().left(16)));
}

QString InstanceSocketPath(const std::string& listFolder, const QString& runtimeFolder) {
  return InstanceBasePath(listFolder, runtimeFolder) + QStringLiteral(".socket");
}

QString DefaultRuntimeFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

} // namespace quillon
