#include "platform/win32/win32_message_boxes.h"

#include "platform/win32/win32_headers.h"

namespace plat::win32_port {

int Win32MessageBoxes::Show(WindowHandle owner, const char* text, const char* caption,
                            std::uint32_t style) {
  return MessageBoxA(reinterpret_cast<HWND>(owner), text, caption, style);
}

}  // namespace plat::win32_port
