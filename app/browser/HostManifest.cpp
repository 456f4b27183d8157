#include "app/browser/HostManifest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "app/browser/BrowserHost.h"

namespace quillon {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

} // namespace

std::string HostManifest(TBrowserFamily family, const std::string& hostPath) {
  QJsonObject manifest;
  manifest.insert(QStringLiteral("name"), QLatin1String(BrowserHostName));
  manifest.insert(QStringLiteral("description"), QStringLiteral("Send to Quillon"));
  manifest.insert(QStringLiteral("path"), QString::fromStdString(hostPath));
  manifest.insert(QStringLiteral("type"), QStringLiteral("stdio"));
  if (family == TBrowserFamily::Chromium)
    manifest.insert(QStringLiteral("allowed_origins"),
                    QJsonArray{QStringLiteral("chrome-extension://") +
                               QLatin1String(ChromiumExtensionId) + QLatin1Char('/')});
  else
    manifest.insert(QStringLiteral("allowed_extensions"),
                    QJsonArray{QLatin1String(FirefoxExtensionId)});
  return QJsonDocument(manifest).toJson(QJsonDocument::Indented).toStdString();
}

std::vector<TUserManifest> UserManifestFolders(const std::string& configHome,
                                               const std::string& home) {
  const std::string config =
      !configHome.empty() && configHome.front() == '/' ? configHome : home + "/.config";
  return {{TBrowserFamily::Chromium, config + "/chromium/NativeMessagingHosts/"},
          {TBrowserFamily::Chromium, config + "/google-chrome/NativeMessagingHosts/"},
          {TBrowserFamily::Firefox, home + "/.mozilla/native-messaging-hosts/"}};
}

std::vector<std::string> InstallUserHostManifests(const std::string& hostPath) {
  std::vector<std::string> written;
  for (const TUserManifest& target :
       UserManifestFolders(Environment("XDG_CONFIG_HOME"), Environment("HOME"))) {
    const QString folder = QString::fromStdString(target.Folder);
    const QString path = folder + QLatin1String(BrowserHostName) + QStringLiteral(".json");
    QFile file(path);
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
      throw std::runtime_error("Cannot create file \"" + path.toStdString() + "\". " +
                               file.errorString().toStdString());
    const std::string manifest = HostManifest(target.Family, hostPath);
    if (file.write(manifest.data(), static_cast<qint64>(manifest.size())) !=
            static_cast<qint64>(manifest.size()) ||
        !file.flush())
      throw std::runtime_error("Cannot write file \"" + path.toStdString() + "\". " +
                               file.errorString().toStdString());
    written.push_back(path.toStdString());
  }
  return written;
}

int InstallBrowserHost() {
  const QString folder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(
      QLatin1Char('/'), 0, -2);
  const QString host = folder + QStringLiteral("/quillon-browser-host");
  if (!QFileInfo(host).isExecutable()) {
    std::fprintf(stderr, "quillon: there is no quillon-browser-host beside quillon (%s)\n",
                 qPrintable(host));
    return 1;
  }
  try {
    for (const std::string& path : InstallUserHostManifests(host.toStdString()))
      std::printf("%s\n", path.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillon: %s\n", e.what());
    return 1;
  }
  // A build keeps the unpacked extension beside its programs, an installed copy in its share/.
  QString extension = folder + QStringLiteral("/browser-extension/chromium");
  if (!QFileInfo::exists(extension))
    extension = QFileInfo(folder + QStringLiteral("/../share/quillon/browser-extension/chromium"))
                    .absoluteFilePath();
  std::printf("Load the extension from %s (see docs/browser.md).\n", qPrintable(extension));
  return 0;
}

} // namespace quillon
