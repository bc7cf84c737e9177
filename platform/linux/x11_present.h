// Frames shown in the saver's X11 window through MIT-SHM put-images, for
// windows of the usual 32-bit little-endian XRGB visual. A primary surface of
// that format lives in a shared segment the X server reads directly, so
// presenting copies nothing and holds no second frame; other frames (16-bit)
// are converted into a segment first. A segment lent to a surface stays
// attached until the surface gives it back, whatever happens to the presenter
// meanwhile.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/display_device.h"
#include "platform/soft/pixel_memory.h"

namespace plat::linux_port {

class X11ShmPresenter {
 public:
  // Null when the window's visual is another or MIT-SHM cannot be used
  // (a remote display).
  static std::unique_ptr<X11ShmPresenter> Create(void* display, unsigned long window);
  ~X11ShmPresenter();
  X11ShmPresenter(const X11ShmPresenter&) = delete;
  X11ShmPresenter& operator=(const X11ShmPresenter&) = delete;

  soft::PixelMemory LendPrimary(std::int32_t width, std::int32_t height, const PixelFormat& format);
  // Returns once the server has read the frame, so it may be drawn over.
  bool Present(const LockedSurface& frame);

  struct Segment;

 private:
  X11ShmPresenter(void* display, unsigned long window);
  std::shared_ptr<Segment> NewSegment(std::int32_t width, std::int32_t height);

  void* display_;  // Display*
  unsigned long window_;
  void* gc_ = nullptr;  // GC
  std::weak_ptr<Segment> lent_;
  std::shared_ptr<Segment> converted_;
};

}  // namespace plat::linux_port
