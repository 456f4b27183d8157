#include "app/ListFolder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "app/AtomicFile.h"
#include "app/ErrorBox.h"
#include "richtext/base/RVClasses.h"

#ifndef QUILLON_INSTALL_BINDIRS
#define QUILLON_INSTALL_BINDIRS ""
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
  bool installed = false;
  std::string_view folders = setting.installFolders;
  while (!folders.empty() && !installed) {
    const size_t colon = std::min(folders.find(':'), folders.size());
    const std::string folder(folders.substr(0, colon));
    installed = !folder.empty() && beside == WithSlash(folder);
    folders.remove_prefix(std::min(colon + 1, folders.size()));
  }
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
  setting.installFolders = QUILLON_INSTALL_BINDIRS;
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
