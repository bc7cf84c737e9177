#include "platform/linux/x11_window.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace plat::linux_port {

namespace {

Display* Dpy(void* display) { return static_cast<Display*>(display); }

constexpr unsigned kPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;

unsigned long X11WindowOf(SDL_Window* window, Display** display) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) ||
      info.subsystem != SDL_SYSWM_X11) {
    return 0;
  }
  *display = info.info.x11.display;
  return info.info.x11.window;
}

}  // namespace

X11SaverWindow::X11SaverWindow(SDL_Window* window) {
  Display* d = nullptr;
  window_ = X11WindowOf(window, &d);
  if (window_ == 0) return;
  display_ = d;
  XWindowAttributes attributes;
  XGetWindowAttributes(d, window_, &attributes);
  root_ = attributes.root;
  MakeBlackAndFullScreen(window_);
  char empty = 0;
  const Pixmap blank = XCreateBitmapFromData(d, root_, &empty, 1, 1);
  XColor black{};
  blankCursor_ = XCreatePixmapCursor(d, blank, blank, &black, &black, 0, 0);
  XFreePixmap(d, blank);
  frames_ = X11ShmPresenter::Create(display_, window_);
  XFlush(d);
}

X11SaverWindow::~X11SaverWindow() {
  if (display_ == nullptr) return;
  frames_.reset();
  Ungrab();
  if (blankCursor_ != 0) XFreeCursor(Dpy(display_), blankCursor_);
  XFlush(Dpy(display_));
}

int X11SaverWindow::ConnectionFd() const {
  return display_ != nullptr ? ConnectionNumber(Dpy(display_)) : -1;
}

// Set before the window maps, when a window manager reads the initial state:
// full screen on its monitor, above panels and docks. The server paints the
// background itself on map and expose.
void X11SaverWindow::MakeBlackAndFullScreen(unsigned long window) {
  Display* d = Dpy(display_);
  XSetWindowBackground(d, window, BlackPixel(d, DefaultScreen(d)));
  Atom state[] = {XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False),
                  XInternAtom(d, "_NET_WM_STATE_ABOVE", False)};
  XChangeProperty(d, window, XInternAtom(d, "_NET_WM_STATE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(state), 2);
}

void X11SaverWindow::PrepareCover(SDL_Window* cover) {
  Display* d = nullptr;
  const unsigned long window = X11WindowOf(cover, &d);
  if (display_ == nullptr || window == 0) return;
  MakeBlackAndFullScreen(window);
  XFlush(d);
}

// Pointer events come to whichever of our windows the pointer is over (so
// SDL takes a click on a cover as its own), else to this one.
bool X11SaverWindow::Grab() {
  if (display_ == nullptr || grabbed_) return grabbed_;
  Display* d = Dpy(display_);
  if (XGrabKeyboard(d, window_, False, GrabModeAsync, GrabModeAsync, CurrentTime) != GrabSuccess)
    return false;
  if (XGrabPointer(d, window_, True, kPointerEvents, GrabModeAsync, GrabModeAsync, None,
                   blankCursor_, CurrentTime) != GrabSuccess) {
    XUngrabKeyboard(d, CurrentTime);
    XFlush(d);
    return false;
  }
  grabbed_ = true;
  return true;
}

void X11SaverWindow::Ungrab() {
  if (display_ == nullptr || !grabbed_) return;
  XUngrabPointer(Dpy(display_), CurrentTime);
  XUngrabKeyboard(Dpy(display_), CurrentTime);
  XFlush(Dpy(display_));
  grabbed_ = false;
}

bool X11SaverWindow::Pointer(int& x, int& y) const {
  if (display_ == nullptr) return false;
  Window root = 0, child = 0;
  int windowX = 0, windowY = 0;
  unsigned mask = 0;
  return XQueryPointer(Dpy(display_), root_, &root, &child, &x, &y, &windowX, &windowY, &mask) !=
         False;
}

}  // namespace plat::linux_port
