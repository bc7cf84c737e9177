#include "framework/box_host.h"

#include "framework/app_shell.h"

namespace qrx {

int BoxHost::ShowBox(const char* text, const char* caption, std::uint32_t style) {
  plat::IDisplayDevice* display = display_ ? display_() : nullptr;
  const plat::WindowHandle owner = shell_->GetMainWindow();
  // Over an exclusive full-screen display the box is only visible on the
  // GDI surface; the flip's result does not matter.
  if (display != nullptr) display->FlipToGdiSurface();
  const int result = boxes_->Show(owner, text, caption, style);
  windows_->HideCursor();
  return result;
}

}  // namespace qrx
