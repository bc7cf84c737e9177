// What the saver's window needs of X11 beyond SDL, on SDL's own connection:
// the descriptor to wait on; a black background, so the screen is black from
// the moment the window maps whenever the first frame comes; the window
// manager's full-screen state above panels; black covers over the other
// monitors; the keyboard and pointer grabs a screen locker holds; and the
// pointer's position on any monitor. Every call does nothing (or answers
// false) for a window that is not on X11.
#pragma once
#include <SDL.h>

#include <memory>
#include <vector>

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
  // A black window over each monitor that does not overlap the primary.
  void CoverOtherMonitors(const SDL_Rect& primary);
  // Keyboard and pointer to this window, the pointer hidden on every
  // monitor; false while another client holds a grab.
  bool Grab();
  void Ungrab();
  bool Grabbed() const { return grabbed_; }
  // The pointer in root-window coordinates.
  bool Pointer(int& x, int& y) const;
  // Shows frames without SDL's window surface; null where it cannot.
  X11ShmPresenter* Frames() const { return frames_.get(); }

 private:
  unsigned long MakeBlackWindow(const SDL_Rect& area);
  void SetFullScreenState(unsigned long window);

  void* display_ = nullptr;  // Display*
  unsigned long window_ = 0;
  unsigned long root_ = 0;
  unsigned long blankCursor_ = 0;
  std::vector<unsigned long> covers_;
  std::unique_ptr<X11ShmPresenter> frames_;
  bool grabbed_ = false;
};

}  // namespace plat::linux_port
