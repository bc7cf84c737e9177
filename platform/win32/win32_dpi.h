// The DPI a window is laid out at, and sizes at that DPI. The per-monitor
// functions exist from Windows 10 1607 on; before that the system DPI holds
// for every window of the process.
#pragma once
#include "platform/win32/win32_headers.h"

namespace plat::win32_port {

UINT WindowDpi(HWND window);

// GetSystemMetrics as it would answer at dpi.
int MetricAtDpi(int index, UINT dpi);

// A length given for 96 DPI (the dialog manager's base), at dpi.
inline int AtDpi(int pixelsAt96, UINT dpi) { return MulDiv(pixelsAt96, static_cast<int>(dpi), 96); }

}  // namespace plat::win32_port
