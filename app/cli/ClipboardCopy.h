// quillon-link --copy: the formatted hyperlink on the system clipboard, held by a process
// in the background until another program takes the clipboard, as clipboard tools do.
#pragma once

#include <string>

namespace quillon {

// Builds the document as the main window's label does and copies it in every format the
// label writes. The calling process ends as soon as the clipboard holds the link (0), or
// when that failed (1, with a message on standard error); a detached child keeps serving
// the clipboard. Needs a display: X11 (also XWayland), or Wayland without X11.
int CopyHyperlinkInBackground(const std::string& title, const std::string& address,
                              char* programName);

} // namespace quillon
