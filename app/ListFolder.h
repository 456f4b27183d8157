// Where the two list files live: beside the program when the user can write there (a copy
// run from its own folder keeps its lists with it), otherwise in the user's data folder,
// as for any program installed where programs go.
#pragma once

#include <functional>
#include <string>

namespace quillon {

struct TListFolderSetting {
  std::string executableFolder; // with a trailing '/'
  std::string dataHome;         // $XDG_DATA_HOME as set, possibly empty
  std::string home;             // $HOME
  // The folders the program is installed into, separated by ':'; never used for lists,
  // even by a user who can write there (root), because the package system owns them.
  std::string installFolders;
  std::function<bool(const std::string& folder)> writable;
};

// The folder, with a trailing '/'. The data folder is $XDG_DATA_HOME/quillon/ when
// $XDG_DATA_HOME is an absolute path, else $HOME/.local/share/quillon/. It is not created
// here: that waits until a list is first saved.
std::string ChooseListFolder(const TListFolderSetting& setting);

// The setting of this process: its executable's folder, its environment, access(2).
TListFolderSetting CurrentListFolderSetting();

// ChooseListFolder(CurrentListFolderSetting()).
std::string DefaultListFolder();

// Makes the folder of a list file when it is missing (the data folder before the first
// save, or a list folder removed while the program ran), readable by its owner only.
// Throws "Cannot create file \"%s\". %s" with the list file's path when that fails.
void PrepareListFolder(const std::string& listPath);

} // namespace quillon
