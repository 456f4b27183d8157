// What the end-to-end tests need of X11 beyond xdotool and xclip:
//   x11_tool close NAME      asks every top-level window named NAME to close, the way a
//                            window manager's close button does (WM_DELETE_WINDOW)
//   x11_tool owner SELECTION succeeds when some client owns the selection (for example
//                            CLIPBOARD_MANAGER, which a clipboard manager holds)
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string NameOf(Display* display, Window window) {
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string name;
  if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                         &after, &data) == Success &&
      data) {
    name.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return name;
}

} // namespace

int Close(Display* display, const char* wanted) {
  Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
  unsigned count = 0;
  XQueryTree(display, root, &root, &parent, &children, &count);
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  int asked = 0;
  for (unsigned i = 0; i < count; ++i) {
    if (NameOf(display, children[i]) != wanted)
      continue;
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = children[i];
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, children[i], False, NoEventMask, &event);
    ++asked;
  }
  if (children)
    XFree(children);
  XSync(display, False);
  return asked > 0 ? 0 : 1;
}

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "close") != 0 && std::strcmp(argv[1], "owner") != 0)) {
    std::fprintf(stderr, "usage: x11_tool close NAME | x11_tool owner SELECTION\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "x11_tool: no display\n");
    return 2;
  }
  int status = 0;
  if (std::strcmp(argv[1], "close") == 0)
    status = Close(display, argv[2]);
  else
    status = XGetSelectionOwner(display, XInternAtom(display, argv[2], False)) != None ? 0 : 1;
  XCloseDisplay(display);
  return status;
}
