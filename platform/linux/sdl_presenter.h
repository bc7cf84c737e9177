// Shows the software display's primary surface in the shell's SDL window:
// the frame is blitted (and converted) onto the window surface after each
// write onto the primary surface.
#pragma once
#include <SDL.h>

#include <functional>

#include "platform/soft/present_target.h"

namespace plat::linux_port {

class SdlPresenter : public IPresentTarget {
 public:
  // The window is looked up at each present: it is created after the display.
  explicit SdlPresenter(std::function<SDL_Window*()> window) : window_(std::move(window)) {}
  ~SdlPresenter() override;
  SdlPresenter(const SdlPresenter&) = delete;
  SdlPresenter& operator=(const SdlPresenter&) = delete;
  void Present(const LockedSurface& frame) override;
  int Shown() const { return shown_; }

 private:
  SDL_Surface* SourceFor(const LockedSurface& frame);

  std::function<SDL_Window*()> window_;
  SDL_Surface* source_ = nullptr;  // wraps the primary's memory; kept between frames
  int shown_ = 0;
};

}  // namespace plat::linux_port
