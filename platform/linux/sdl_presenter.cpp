#include "platform/linux/sdl_presenter.h"

namespace plat::linux_port {
namespace {

Uint32 SdlFormatOf(const PixelFormat& format) {
  return format.rgbBitCount == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
}

}  // namespace

SdlPresenter::~SdlPresenter() { SDL_FreeSurface(source_); }

soft::PixelMemory SdlPresenter::LendPrimary(std::int32_t width, std::int32_t height,
                                            const PixelFormat& format) {
  X11ShmPresenter* shm = shm_ ? shm_() : nullptr;
  return shm != nullptr ? shm->LendPrimary(width, height, format) : nullptr;
}

// The wrapper is made again only when the primary's memory or shape changes,
// so presenting allocates nothing per frame.
SDL_Surface* SdlPresenter::SourceFor(const LockedSurface& frame) {
  const int bits = static_cast<int>(frame.format.rgbBitCount);
  if (source_ != nullptr && source_->pixels == frame.bits && source_->w == frame.width &&
      source_->h == frame.height && source_->pitch == frame.pitch &&
      source_->format->BitsPerPixel == bits) {
    return source_;
  }
  SDL_FreeSurface(source_);
  source_ = SDL_CreateRGBSurfaceWithFormatFrom(frame.bits, frame.width, frame.height, bits,
                                               frame.pitch, SdlFormatOf(frame.format));
  return source_;
}

// Frames are blitted onto the window surface, so this window never takes a
// renderer; SDL converts 16-bit frames to the window's format.
void SdlPresenter::Present(const LockedSurface& frame) {
  SDL_Window* window = window_ ? window_() : nullptr;
  if (window == nullptr || frame.bits == nullptr || frame.width <= 0 || frame.height <= 0) return;
  if (X11ShmPresenter* shm = shm_ ? shm_() : nullptr) {
    if (shm->Present(frame)) ++shown_;
    return;
  }
  SDL_Surface* target = SDL_GetWindowSurface(window);
  if (target == nullptr) return;
  SDL_Surface* source = SourceFor(frame);
  if (source == nullptr) return;
  const bool blitted = SDL_BlitSurface(source, nullptr, target, nullptr) == 0;
  if (blitted && SDL_UpdateWindowSurface(window) == 0) ++shown_;
}

}  // namespace plat::linux_port
