// Command lines that hand the saver a window of another program to draw in:
// the Windows screen-saver host's preview request, and the X11 forms that
// screen-saver daemons and embedding programs use on Linux. They are read
// before the shell sees the command line, which keeps its own meanings.
#pragma once
#include <cstdint>

#include "platform/win_types.h"

namespace prumya {

// "/p HWND", "/p:HWND" or "-p HWND" (either case of the letter): true, with
// the handle read as the parent handle of "/c:HWND" is (0 when none).
bool ParsePreviewRequest(const char* commandLine, plat::WindowHandle& window);

struct XHostRequest {
  enum Kind { None, Root, Window, Invalid };
  Kind kind = None;
  std::uint32_t window = 0;  // for Window
};

// "--root"/"-root": the window in XSCREENSAVER_WINDOW when that is set, else
// the root window; "--window-id ID"/"-window-id ID"; no argument at all with
// XSCREENSAVER_WINDOW set. xscreensaverWindow is that variable or null.
// A malformed or missing id is Invalid; any other command line is None.
XHostRequest ParseXHostRequest(int argc, const char* const* argv, const char* xscreensaverWindow);

// A window id in decimal or with a 0x prefix in hexadecimal; 0 when the text
// is not one (X never uses 0 for a window).
std::uint32_t ParseWindowId(const char* text);

}  // namespace prumya
