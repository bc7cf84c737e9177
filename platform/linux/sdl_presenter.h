// Shows the software display's primary surface in the shell's SDL window
// after each write onto it: through the window's X11 presenter where it has
// one (no copy for a 32-bit primary it lent the memory for), else blitted
// (and converted) onto SDL's window surface.
#pragma once
#include <SDL.h>

#include <functional>

#include "platform/linux/x11_present.h"
#include "platform/soft/present_target.h"

namespace plat::linux_port {

class SdlPresenter : public IPresentTarget {
 public:
  // The window is looked up at each present: it is created after the display.
  explicit SdlPresenter(std::function<SDL_Window*()> window,
                        std::function<X11ShmPresenter*()> shm = nullptr)
      : window_(std::move(window)), shm_(std::move(shm)) {}
  ~SdlPresenter() override;
  SdlPresenter(const SdlPresenter&) = delete;
  SdlPresenter& operator=(const SdlPresenter&) = delete;
  void Present(const LockedSurface& frame) override;
  soft::PixelMemory LendPrimary(std::int32_t width, std::int32_t height,
                                const PixelFormat& format) override;
  int Shown() const { return shown_; }

 private:
  SDL_Surface* SourceFor(const LockedSurface& frame);

  std::function<SDL_Window*()> window_;
  std::function<X11ShmPresenter*()> shm_;
  SDL_Surface* source_ = nullptr;  // wraps the primary's memory; kept between frames
  int shown_ = 0;
};

}  // namespace plat::linux_port
