// Where the one Quillon of a list folder keeps its lock and listens: named after the list
// folder inside the user's runtime folder, so that the window and the browser host find the
// same socket.
#pragma once

#include <QString>

#include <string>

namespace quillon {

// The lock file's and the socket's path without their endings (".lock", ".socket").
QString InstanceBasePath(const std::string& listFolder, const QString& runtimeFolder);
QString InstanceSocketPath(const std::string& listFolder, const QString& runtimeFolder);

// The runtime folder of the user ($XDG_RUNTIME_DIR, or Qt's stand-in).
QString DefaultRuntimeFolder();

} // namespace quillon
