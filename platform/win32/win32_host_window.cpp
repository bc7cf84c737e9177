#include "platform/win32/win32_host_window.h"

#include <mmsystem.h>

#include <cstring>
#include <vector>

namespace plat::win32_port {

namespace {

const char kChildClass[] = "QRXPREVIEWWNDCLS";

// BITMAPINFO with room for the three masks of a 16-bit frame.
struct FrameInfo {
  BITMAPINFOHEADER header;
  DWORD masks[3];
};

}  // namespace

Win32HostWindow::~Win32HostWindow() {
  if (child_ != nullptr && IsWindow(child_)) DestroyWindow(child_);
  if (finePeriod_) timeEndPeriod(1);
}

bool Win32HostWindow::Attach(WindowHandle parent) {
  parent_ = reinterpret_cast<HWND>(parent);
  if (parent_ == nullptr || !IsWindow(parent_)) return false;
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &Procedure;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kChildClass;
  RegisterClassA(&wc);
  RECT area{};
  GetClientRect(parent_, &area);
  child_ = CreateWindowExA(0, kChildClass, "", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0,
                           area.right, area.bottom, parent_, nullptr, instance_, nullptr);
  if (child_ == nullptr) return false;
  SetWindowLongPtrA(child_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // Waits of 33 ms would otherwise round up to the 15.6 ms system tick.
  finePeriod_ = timeBeginPeriod(1) == TIMERR_NOERROR;
  return true;
}

LRESULT CALLBACK Win32HostWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  auto* self = reinterpret_cast<Win32HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_DESTROY && self != nullptr) self->destroyed_ = true;
  if (message == WM_PAINT) {  // the next frame comes within a timer period
    ValidateRect(window, nullptr);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The child follows the pane's client area.
bool Win32HostWindow::Size(std::int32_t& width, std::int32_t& height) {
  if (Gone()) return false;
  RECT pane{}, own{};
  GetClientRect(parent_, &pane);
  GetClientRect(child_, &own);
  if (pane.right != own.right || pane.bottom != own.bottom) {
    MoveWindow(child_, 0, 0, pane.right, pane.bottom, FALSE);
  }
  width = pane.right;
  height = pane.bottom;
  return true;
}

void Win32HostWindow::Wait(std::uint32_t timeoutMs) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs, QS_ALLINPUT);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) destroyed_ = true;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The pane's owner may destroy its window without our child being told at
// once (another process owns it), so the pane itself is asked too.
bool Win32HostWindow::Gone() {
  return destroyed_ || child_ == nullptr || !IsWindow(child_) || !IsWindow(parent_);
}

void Win32HostWindow::Present(const LockedSurface& frame) {
  if (Gone()) return;
  const bool sixteen = frame.format.rgbBitCount == 16;
  const int bytes = sixteen ? 2 : 4;
  FrameInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(sixteen ? 16 : 32);
  info.header.biCompression = sixteen ? BI_BITFIELDS : BI_RGB;
  info.masks[0] = frame.format.redMask;
  info.masks[1] = frame.format.greenMask;
  info.masks[2] = frame.format.blueMask;
  // DIB rows are whole DWORDs: a frame whose rows are not is copied first.
  const BYTE* bits = static_cast<const BYTE*>(frame.bits);
  std::int32_t pitch = frame.pitch;
  std::vector<BYTE> aligned;
  if (pitch % 4 != 0) {
    const std::int32_t row = frame.width * bytes;
    pitch = (row + 3) / 4 * 4;
    aligned.resize(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(frame.height));
    for (std::int32_t y = 0; y < frame.height; ++y)
      std::memcpy(&aligned[static_cast<std::size_t>(y) * pitch], bits + static_cast<std::ptrdiff_t>(y) * frame.pitch, row);
    bits = aligned.data();
  }
  info.header.biWidth = pitch / bytes;
  info.header.biHeight = -frame.height;  // top-down
  // Drawn through a DC of the pane that does not leave our child out: it
  // shows over the child on Windows and also under Wine, where a child of
  // another process's window draws nowhere.
  HDC dc = GetDCEx(parent_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (dc == nullptr) return;
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(frame.width), static_cast<DWORD>(frame.height), 0,
                    0, 0, static_cast<UINT>(frame.height), bits,
                    reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(parent_, dc);
}

}  // namespace plat::win32_port
