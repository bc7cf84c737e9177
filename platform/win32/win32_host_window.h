// The preview pane of the Windows screen-saver settings as a host window: a
// child window of ours fills the pane's client area, and frames are drawn
// over it with GDI from the software surface. The pane's owner ends the
// preview by destroying its window, which destroys ours with it.
#pragma once
#include "platform/host_window.h"
#include "platform/win32/win32_headers.h"

namespace plat::win32_port {

class Win32HostWindow : public IHostWindow {
 public:
  explicit Win32HostWindow(HINSTANCE instance) : instance_(instance) {}
  ~Win32HostWindow() override;
  Win32HostWindow(const Win32HostWindow&) = delete;
  Win32HostWindow& operator=(const Win32HostWindow&) = delete;

  // Creates the child window; false when parent is not a window.
  bool Attach(WindowHandle parent);

  bool Size(std::int32_t& width, std::int32_t& height) override;
  void Wait(std::uint32_t timeoutMs) override;
  bool Gone() override;
  void Present(const LockedSurface& frame) override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  HWND parent_ = nullptr;
  HWND child_ = nullptr;
  bool destroyed_ = false;
  bool finePeriod_ = false;
};

}  // namespace plat::win32_port
