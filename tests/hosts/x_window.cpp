// A plain black X window for the end-to-end checks of drawing into a host's
// window: x_window X Y WIDTH HEIGHT maps it there (no window manager moves
// it), prints its id once it is mapped, and stays until it is killed.
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(
      display, RootWindow(display, screen), std::atoi(argv[1]), std::atoi(argv[2]),
      static_cast<unsigned>(std::atoi(argv[3])), static_cast<unsigned>(std::atoi(argv[4])), 0,
      BlackPixel(display, screen), BlackPixel(display, screen));
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;  // placed as asked, even under a window manager
  XChangeWindowAttributes(display, window, CWOverrideRedirect, &attributes);
  XSelectInput(display, window, StructureNotifyMask);
  XMapWindow(display, window);
  for (XEvent event{}; event.type != MapNotify;) XNextEvent(display, &event);
  std::printf("%lu\n", window);
  std::fflush(stdout);
  for (;;) pause();
}
