#include "app/ListFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "app/AtomicFile.h"
#include "app/ErrorBox.h"
#include "richtext/document/RVClasses.h"

#ifndef QUILLON_INSTALL_BINDIR
#define QUILLON_INSTALL_BINDIR ""
#endif

namespace quillon {

namespace {

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/')
    folder += '/';
  return folder;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

} // namespace

std::string ChooseListFolder(const TListFolderSetting& setting) {
  const std::string beside = WithSlash(setting.executableFolder);
  const bool installed = !setting.installFolder.empty() &&
                         beside == WithSlash(setting.installFolder);
  if (!beside.empty() && !installed && setting.writable && setting.writable(beside))
    return beside;
  // A relative $XDG_DATA_HOME is invalid and to be ignored.
  if (!setting.dataHome.empty() && setting.dataHome.front() == '/')
    return WithSlash(setting.dataHome) + "quillon/";
  return WithSlash(setting.home.empty() ? std::string("/") : setting.home) +
         ".local/share/quillon/";
}

TListFolderSetting CurrentListFolderSetting() {
  TListFolderSetting setting;
  setting.executableFolder = ExecutableFolder();
  setting.dataHome = Environment("XDG_DATA_HOME");
  setting.home = Environment("HOME");
  setting.installFolder = QUILLON_INSTALL_BINDIR;
  setting.writable = [](const std::string& folder) {
    return access(folder.c_str(), W_OK | X_OK) == 0;
  };
  return setting;
}

std::string DefaultListFolder() { return ChooseListFolder(CurrentListFolderSetting()); }

void PrepareListFolder(const std::string& listPath) {
  if (int error = MakeFolderFor(listPath); error != 0)
    throw richtext::ERichViewError("Cannot create file \"" + listPath + "\". " +
                                   std::strerror(error));
}

} // namespace quillon
