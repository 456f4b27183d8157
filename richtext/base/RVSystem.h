// What the engine knows of the operating system it runs on.
#pragma once

namespace richtext {

// The operating system's version flags. On this platform the system reports itself NT-class,
// version 10, so all three are true.
extern bool RVNT;
extern bool RVVista;
extern bool RVWin10;

} // namespace richtext
