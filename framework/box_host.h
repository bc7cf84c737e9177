// What a message box needs of the running application: the current owner
// window, the display's switch to its GDI surface, the box itself and the
// cursor hiding afterwards.
#pragma once
#include <cstdint>
#include <functional>

#include "framework/screen.h"
#include "platform/display_device.h"
#include "platform/window_system.h"

namespace qrx {

class AppShell;

class BoxHost {
 public:
  // The display object as it stands now, or null (no display, settings mode).
  using DisplaySource = std::function<plat::IDisplayDevice*()>;

  BoxHost(plat::IMessageBoxes& boxes, plat::IWindowSystem& windows, AppShell& shell)
      : boxes_(&boxes), windows_(&windows), shell_(&shell) {}
  void AttachScreen(Screen* screen) {
    display_ = [screen] { return screen->GetDirectDraw(); };
  }
  void AttachDisplay(DisplaySource source) { display_ = std::move(source); }

  // The box sequence shared by MessageDialog and ErrorReport: owner and
  // display taken now, GDI surface shown if a display object exists, modal
  // box, cursor hidden again. Returns the box's result.
  int ShowBox(const char* text, const char* caption, std::uint32_t style);

 private:
  plat::IMessageBoxes* boxes_;
  plat::IWindowSystem* windows_;
  AppShell* shell_;
  DisplaySource display_;
};

}  // namespace qrx
