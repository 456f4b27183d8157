// The manifests that let a browser start the host, and the extension's own manifest: the
// key it is pinned by gives the id the host lets in.
#include "app/browser/HostManifest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/browser/BrowserHost.h"

namespace quillon::test {
namespace {

QJsonObject ReadJson(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
  EXPECT_EQ(QJsonParseError::NoError, error.error) << path.toStdString();
  return document.object();
}

QJsonObject Parse(const std::string& json) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

TEST(HostManifestTest, TheProgramWritesWhatTheInstallRulesInstall) {
  const std::string host = QUILLON_HOST_PATH;
  EXPECT_EQ(ReadJson(QStringLiteral(QUILLON_BUILD_MANIFESTS "/chromium/org.quillon.quillon.json")),
            Parse(HostManifest(TBrowserFamily::Chromium, host)));
  EXPECT_EQ(ReadJson(QStringLiteral(QUILLON_BUILD_MANIFESTS "/firefox/org.quillon.quillon.json")),
            Parse(HostManifest(TBrowserFamily::Firefox, host)));
  const QJsonObject chromium = Parse(HostManifest(TBrowserFamily::Chromium, host));
  EXPECT_EQ("org.quillon.quillon", chromium.value("name").toString().toStdString());
  EXPECT_EQ("stdio", chromium.value("type").toString().toStdString());
  EXPECT_EQ(host, chromium.value("path").toString().toStdString());
  EXPECT_EQ(QJsonArray{"chrome-extension://kmfinkjejonpjnlnmhindhpgmbfnnknd/"},
            chromium.value("allowed_origins").toArray());
  EXPECT_EQ(QJsonArray{"send-to-quillon@quillon.example.org"},
            Parse(HostManifest(TBrowserFamily::Firefox, host)).value("allowed_extensions").toArray());
}

TEST(HostManifestTest, TheExtensionsKeyGivesTheIdTheHostLetsIn) {
  const QJsonObject manifest = ReadJson(QStringLiteral(QUILLON_EXTENSION_DIR "/manifest.json"));
  EXPECT_EQ(3, manifest.value("manifest_version").toInt());
  // Chromium's id of an extension: the first 128 bits of the SHA-256 of its public key,
  // written with the letters a to p for the hexadecimal digits.
  const QByteArray key = QByteArray::fromBase64(manifest.value("key").toString().toLatin1());
  const QByteArray hex =
      QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32);
  std::string id;
  for (char digit : hex)
    id += static_cast<char>('a' + (digit <= '9' ? digit - '0' : digit - 'a' + 10));
  EXPECT_EQ(ChromiumExtensionId, id);
  EXPECT_EQ(FirefoxExtensionId, manifest.value("browser_specific_settings")
                                    .toObject()
                                    .value("gecko")
                                    .toObject()
                                    .value("id")
                                    .toString()
                                    .toStdString());
  const QJsonObject key2 = manifest.value("commands")
                               .toObject()
                               .value("send-tab")
                               .toObject()
                               .value("suggested_key")
                               .toObject();
  EXPECT_EQ("Alt+Shift+Q", key2.value("default").toString().toStdString());
  EXPECT_EQ("Alt+Shift+Q", key2.value("linux").toString().toStdString());
  EXPECT_TRUE(manifest.value("permissions").toArray().contains("nativeMessaging"));
  for (const char* file : {"background.js", "icons/quillon-48.png", "icons/quillon-128.png"})
    EXPECT_TRUE(QFile::exists(QStringLiteral(QUILLON_EXTENSION_DIR "/") + file)) << file;
}

TEST(HostManifestTest, TheUsersManifestsGoWhereEachBrowserLooks) {
  EXPECT_EQ("/c/chromium/NativeMessagingHosts/", UserManifestFolders("/c", "/h")[0].Folder);
  EXPECT_EQ("/c/google-chrome/NativeMessagingHosts/", UserManifestFolders("/c", "/h")[1].Folder);
  EXPECT_EQ("/h/.mozilla/native-messaging-hosts/", UserManifestFolders("/c", "/h")[2].Folder);
  // A relative $XDG_CONFIG_HOME is no setting at all.
  EXPECT_EQ("/h/.config/chromium/NativeMessagingHosts/", UserManifestFolders("c", "/h")[0].Folder);
  EXPECT_EQ("/h/.config/chromium/NativeMessagingHosts/", UserManifestFolders("", "/h")[0].Folder);

  QTemporaryDir home;
  const std::string saveHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", home.path().toUtf8().constData(), 1);
  unsetenv("XDG_CONFIG_HOME");
  const std::vector<std::string> written = InstallUserHostManifests("/opt/q/quillon-browser-host");
  setenv("HOME", saveHome.c_str(), 1);
  const std::string base = home.path().toStdString();
  EXPECT_EQ((std::vector<std::string>{
                base + "/.config/chromium/NativeMessagingHosts/org.quillon.quillon.json",
                base + "/.config/google-chrome/NativeMessagingHosts/org.quillon.quillon.json",
                base + "/.mozilla/native-messaging-hosts/org.quillon.quillon.json"}),
            written);
  EXPECT_EQ(Parse(HostManifest(TBrowserFamily::Chromium, "/opt/q/quillon-browser-host")),
            ReadJson(QString::fromStdString(written[0])));
  EXPECT_EQ(Parse(HostManifest(TBrowserFamily::Firefox, "/opt/q/quillon-browser-host")),
            ReadJson(QString::fromStdString(written[2])));

  // A folder that cannot be made is named in the error.
  QFile blocker(home.filePath("file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  setenv("HOME", home.filePath("file").toUtf8().constData(), 1);
  try {
    InstallUserHostManifests("/opt/q/quillon-browser-host");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string::npos,
              std::string(e.what()).find("Cannot create file \"" + base +
                                         "/file/.config/chromium/NativeMessagingHosts/"))
        << e.what();
  }
  setenv("HOME", saveHome.c_str(), 1);
}

} // namespace
} // namespace quillon::test
