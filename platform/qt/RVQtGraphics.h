// Start-up of the engine's text measuring on Qt.
#pragma once

namespace quillon {

// Registers the Qt graphic interface as the factory every style sheet takes its interface
// from, and the primary screen's logical resolution as the engine's screen resolution. Call
// once after the QGuiApplication exists and before the first style sheet is made.
void RegisterQtGraphics();

} // namespace quillon
