// What the saver's windows need of X11 beyond SDL, on SDL's own connection:
// the descriptor to wait on; a black background, so the screen is black from
// the moment a window maps whenever the first frame comes; the window
// manager's full-screen state above panels; the keyboard and pointer grabs a
// screen locker holds; and the pointer's position on any monitor. Every call
// does nothing (or answers false) for a window that is not on X11.
#pragma once
#include <SDL.h>

#include <memory>

#include "platform/linux/x11_present.h"

namespace plat::linux_port {

class X11SaverWindow {
 public:
  // Called while the window is still unmapped: background and state.
  explicit X11SaverWindow(SDL_Window* window);
  ~X11SaverWindow();  // covers gone, grabs released
  X11SaverWindow(const X11SaverWindow&) = delete;
  X11SaverWindow& operator=(const X11SaverWindow&) = delete;

  int ConnectionFd() const;  // -1 when not on X11
  // Another window of ours (a black cover over another monitor), still
  // unmapped: the same background and state.
  void PrepareCover(SDL_Window* cover);
  // The keyboard to this window, the pointer to whichever of our windows it
  // is over, hidden on every monitor; false while another client holds a
  // grab.
  bool Grab();
  void Ungrab();
  bool Grabbed() const { return grabbed_; }
  // The pointer in root-window coordinates.
  bool Pointer(int& x, int& y) const;
  // Shows frames without SDL's window surface; null where it cannot.
  X11ShmPresenter* Frames() const { return frames_.get(); }

 private:
  void MakeBlackAndFullScreen(unsigned long window);

  void* display_ = nullptr;  // Display*
  unsigned long window_ = 0;
  unsigned long root_ = 0;
  unsigned long blankCursor_ = 0;
  std::unique_ptr<X11ShmPresenter> frames_;
  bool grabbed_ = false;
};

}  // namespace plat::linux_port
