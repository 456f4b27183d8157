// How the program meets the desktop session around it: the display platform it picks, the
// signals that end it, and bringing its window forward.
#pragma once

class QWidget;

namespace quillon {

// Under a Wayland session Quillon runs as a Wayland client, and falls back to X11 (XWayland
// or a plain X server) when the Wayland platform cannot start. QT_QPA_PLATFORM, when set,
// decides as always. Call before the application object exists.
void PreferNativePlatform();

// SIGTERM, SIGINT and SIGHUP (a session that logs out, Ctrl+C in a terminal) end the
// program the way closing its window does, so the clipboard is still handed over. A
// signal that comes while a box is up closes the box, and no further box is shown.
void QuitOnTerminationSignals();
// Whether such a signal came; the main loop does not start after it.
bool QuitRequested();

// Shows the window above the others and gives it the focus, as far as the window system
// lets a program do that (Wayland leaves it to the compositor).
void BringForward(QWidget& window);

// With QUILLON_REPORT_PLATFORM set, says on standard error on which platform the window
// appeared ("quillon: window shown on wayland"), for checking a desktop set-up.
void ReportPlatformWhenShown(QWidget& window);

} // namespace quillon
