// The native messaging manifests that tell a browser where quillon-browser-host is and which
// extension may start it. An installed Quillon has them in the system folders (see
// data/CMakeLists.txt); a copy run from its own folder writes them for its user with
// `quillon --install-browser-host`.
#pragma once

#include <string>
#include <vector>

namespace quillon {

enum class TBrowserFamily { Chromium, Firefox };

// The manifest's JSON for a host at HostPath (absolute), as the file holds it.
std::string HostManifest(TBrowserFamily family, const std::string& hostPath);

struct TUserManifest {
  TBrowserFamily Family;
  std::string Folder; // with a trailing '/'
};
// Where the user's browsers look: Chromium's and Chrome's configuration folders under
// ConfigHome ($XDG_CONFIG_HOME, else $HOME/.config) and Firefox's under Home.
std::vector<TUserManifest> UserManifestFolders(const std::string& configHome,
                                               const std::string& home);

// Writes the manifest into each of the user's folders, making them as needed; returns the
// paths written. Throws std::runtime_error naming a file that cannot be written.
std::vector<std::string> InstallUserHostManifests(const std::string& hostPath);

// `quillon --install-browser-host`: the user's manifests for the host beside this program;
// says on standard output what it wrote, on standard error what failed. The exit status.
int InstallBrowserHost();

} // namespace quillon
