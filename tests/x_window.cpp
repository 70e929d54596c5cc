// Asks an X server about top-level windows by title, and closes one the way
// a window manager does when the user clicks its close button. Used by the
// end-to-end test of the window program; the server is taken from DISPLAY.
//
//   x_window find TITLE SECONDS  waits for a shown window titled TITLE and
//                                prints "ID X Y WIDTH HEIGHT" (client area)
//   x_window count TITLE         prints how many windows are titled TITLE
//   x_window close ID            sends WM_DELETE_WINDOW to window ID
//
// Exit status 0 on success, 1 when the window is not found or cannot be
// closed, 2 on bad usage or no X server.

#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

// A window may vanish between listing and asking about it; that is not an
// error here, and Xlib's default handler would end the program.
int IgnoreXError(Display* /*display*/, XErrorEvent* /*event*/) { return 0; }

std::string Title(Display* display, Window window) {
  Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, net_wm_name, 0, 1024, False, utf8,
                         &type, &format, &count, &after, &data) == Success &&
      data != nullptr && type == utf8) {
    title.assign(reinterpret_cast<char*>(data), count);
  } else {
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name != nullptr) title = name;
    if (name != nullptr) XFree(name);
  }
  if (data != nullptr) XFree(data);
  return title;
}

// All windows titled `title`, depth first; a window manager, if any, puts
// the program's window below a frame of its own.
void FindTitled(Display* display, Window window, const std::string& title,
                std::vector<Window>* found) {
  if (Title(display, window) == title) found->push_back(window);
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return;
  for (unsigned int i = 0; i < count; ++i) {
    FindTitled(display, children[i], title, found);
  }
  if (children != nullptr) XFree(children);
}

bool IsShown(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) &&
         attributes.map_state == IsViewable;
}

int Find(Display* display, const std::string& title, double seconds) {
  auto deadline =
      std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    std::vector<Window> found;
    FindTitled(display, DefaultRootWindow(display), title, &found);
    for (Window window : found) {
      XWindowAttributes attributes;
      Window child = 0;
      int x = 0, y = 0;
      if (IsShown(display, window) &&
          XGetWindowAttributes(display, window, &attributes) &&
          XTranslateCoordinates(display, window, DefaultRootWindow(display), 0,
                                0, &x, &y, &child)) {
        std::printf("%lu %d %d %d %d\n", window, x, y, attributes.width,
                    attributes.height);
        return 0;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < deadline);
  std::fprintf(stderr, "x_window: no shown window titled '%s'\n",
               title.c_str());
  return 1;
}

int Count(Display* display, const std::string& title) {
  std::vector<Window> found;
  FindTitled(display, DefaultRootWindow(display), title, &found);
  std::printf("%zu\n", found.size());
  return 0;
}

int Close(Display* display, Window window) {
  Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
  // A window manager only sends the message to a window that asks for it.
  Atom* offered = nullptr;
  int count = 0;
  bool asks = false;
  if (XGetWMProtocols(display, window, &offered, &count)) {
    for (int i = 0; i < count; ++i) asks = asks || offered[i] == delete_window;
    XFree(offered);
  }
  if (!asks) {
    std::fprintf(stderr, "x_window: window %lu takes no WM_DELETE_WINDOW\n",
                 window);
    return 1;
  }
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = protocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(delete_window);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  if (!((command == "find" && argc == 4) || (command == "count" && argc == 3) ||
        (command == "close" && argc == 3))) {
    std::fprintf(stderr,
                 "usage: x_window find TITLE SECONDS | count TITLE | "
                 "close ID\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "x_window: cannot open display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreXError);
  int status = 0;
  if (command == "find") {
    status = Find(display, argv[2], std::atof(argv[3]));
  } else if (command == "count") {
    status = Count(display, argv[2]);
  } else {
    status = Close(display, std::strtoul(argv[2], nullptr, 10));
  }
  XCloseDisplay(display);
  return status;
}
