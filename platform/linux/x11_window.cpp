#include "platform/linux/x11_window.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace plat::linux_port {

namespace {

Display* Dpy(void* display) { return static_cast<Display*>(display); }

constexpr unsigned kPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;

}  // namespace

X11SaverWindow::X11SaverWindow(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) ||
      info.subsystem != SDL_SYSWM_X11) {
    return;
  }
  Display* d = info.info.x11.display;
  display_ = d;
  window_ = info.info.x11.window;
  XWindowAttributes attributes;
  XGetWindowAttributes(d, window_, &attributes);
  root_ = attributes.root;
  // The server paints the background itself on map and expose.
  XSetWindowBackground(d, window_, BlackPixelOfScreen(attributes.screen));
  SetFullScreenState(window_);
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
  for (unsigned long cover : covers_) XDestroyWindow(Dpy(display_), cover);
  if (blankCursor_ != 0) XFreeCursor(Dpy(display_), blankCursor_);
  XFlush(Dpy(display_));
}

int X11SaverWindow::ConnectionFd() const {
  return display_ != nullptr ? ConnectionNumber(Dpy(display_)) : -1;
}

// Set before the window maps, when a window manager reads the initial state:
// full screen on its monitor, above panels and docks.
void X11SaverWindow::SetFullScreenState(unsigned long window) {
  Display* d = Dpy(display_);
  Atom state[] = {XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False),
                  XInternAtom(d, "_NET_WM_STATE_ABOVE", False)};
  XChangeProperty(d, window, XInternAtom(d, "_NET_WM_STATE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(state), 2);
}

unsigned long X11SaverWindow::MakeBlackWindow(const SDL_Rect& area) {
  Display* d = Dpy(display_);
  const unsigned long black = BlackPixel(d, DefaultScreen(d));
  const Window cover = XCreateSimpleWindow(d, root_, area.x, area.y, static_cast<unsigned>(area.w),
                                           static_cast<unsigned>(area.h), 0, black, black);
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = area.x, hints.y = area.y, hints.width = area.w, hints.height = area.h;
  XSetWMNormalHints(d, cover, &hints);
  SetFullScreenState(cover);
  XDefineCursor(d, cover, blankCursor_);
  XMapRaised(d, cover);
  return cover;
}

void X11SaverWindow::CoverOtherMonitors(const SDL_Rect& primary) {
  if (display_ == nullptr) return;
  const int monitors = SDL_GetNumVideoDisplays();
  for (int i = 0; i < monitors; ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) != 0 || SDL_HasIntersection(&bounds, &primary)) continue;
    covers_.push_back(MakeBlackWindow(bounds));
  }
  XFlush(Dpy(display_));
}

// Events of the grabbed pointer come to this window wherever the pointer is.
bool X11SaverWindow::Grab() {
  if (display_ == nullptr || grabbed_) return grabbed_;
  Display* d = Dpy(display_);
  if (XGrabKeyboard(d, window_, False, GrabModeAsync, GrabModeAsync, CurrentTime) != GrabSuccess)
    return false;
  if (XGrabPointer(d, window_, False, kPointerEvents, GrabModeAsync, GrabModeAsync, None,
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
