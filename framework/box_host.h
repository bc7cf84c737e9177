// What a message box needs of the running application: the current owner
// window, the display's switch to its GDI surface, the box itself and the
// cursor hiding afterwards.
#pragma once
#include <cstdint>

#include "platform/window_system.h"

namespace qrx {

class AppShell;
class Screen;

class BoxHost {
 public:
  BoxHost(plat::IMessageBoxes& boxes, plat::IWindowSystem& windows, AppShell& shell)
      : boxes_(&boxes), windows_(&windows), shell_(&shell) {}
  void AttachScreen(Screen* screen) { screen_ = screen; }

  // The box sequence shared by MessageDialog and ErrorReport: owner and
  // display taken now, GDI surface shown if a display object exists, modal
  // box, cursor hidden again. Returns the box's result.
  int ShowBox(const char* text, const char* caption, std::uint32_t style);

 private:
  plat::IMessageBoxes* boxes_;
  plat::IWindowSystem* windows_;
  AppShell* shell_;
  Screen* screen_ = nullptr;
};

}  // namespace qrx
