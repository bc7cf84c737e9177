// Another X client's window as the host: the window a screen-saver daemon
// names in XSCREENSAVER_WINDOW, the root window, or any window by its id.
// Frames are put into it with MIT-SHM where the server offers it, else with
// XPutImage; the wait polls the X connection and a stop descriptor (the
// signal handler's), so a resize, the window's end or a signal cut it short.
#pragma once
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <string>

#include "platform/host_window.h"

namespace plat::linux_port {

class X11HostWindow : public IHostWindow {
 public:
  X11HostWindow() = default;
  ~X11HostWindow() override;
  X11HostWindow(const X11HostWindow&) = delete;
  X11HostWindow& operator=(const X11HostWindow&) = delete;

  // Opens the display and takes the window (0: the root window); false,
  // with the reason, when there is no display or no such window.
  bool Attach(std::uint32_t window, std::string& error);
  // A descriptor that turns readable when the run is to stop (-1: none).
  void SetStopDescriptor(int fd) { stopFd_ = fd; }
  // The size of the screen the window is on.
  std::int32_t ScreenWidth() const { return screenWidth_; }
  std::int32_t ScreenHeight() const { return screenHeight_; }
  std::uint32_t WindowId() const { return static_cast<std::uint32_t>(window_); }

  bool Size(std::int32_t& width, std::int32_t& height) override;
  void Wait(std::uint32_t timeoutMs) override;
  bool Gone() override;
  void Present(const LockedSurface& frame) override;

 private:
  void HandleEvents();
  bool StopAsked() const;
  bool MakeImage(std::int32_t width, std::int32_t height);
  bool MakeSharedImage(std::int32_t width, std::int32_t height);
  void DropImage();
  void Fill(const LockedSurface& frame);

  Display* display_ = nullptr;
  ::Window window_ = 0;
  Visual* visual_ = nullptr;
  int depth_ = 0;
  GC gc_ = nullptr;
  XImage* image_ = nullptr;
  XShmSegmentInfo shm_{};
  bool shared_ = false;
  bool shmUsable_ = false;
  std::int32_t width_ = 0, height_ = 0;
  std::int32_t screenWidth_ = 0, screenHeight_ = 0;
  int stopFd_ = -1;
  bool gone_ = false;
  bool stopped_ = false;
};

}  // namespace plat::linux_port
