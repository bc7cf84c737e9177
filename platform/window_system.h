// Window, message loop and cursor operations the shell needs. The portable
// shell owns the window procedure's logic; the port calls it through the
// procedure given to RegisterWindowClass for every message it dispatches.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/win_types.h"

namespace plat {

struct WindowMessage {
  WindowHandle window = 0;
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

using WindowProcedure =
    std::function<std::intptr_t(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t)>;

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;
  virtual void LowercaseInPlace(char* text) = 0;  // CharLowerA
  virtual void DisableInputMethod() = 0;          // WINNLSEnableIME(NULL, FALSE)
  virtual int ScreenWidth() = 0;                  // GetSystemMetrics(SM_CXSCREEN)
  virtual int ScreenHeight() = 0;                 // GetSystemMetrics(SM_CYSCREEN)
  // RegisterClassA with styles 11, the icon "APPICON", arrow cursor, black brush.
  virtual bool RegisterWindowClass(const char* className, InstanceHandle instance,
                                   WindowProcedure procedure) = 0;
  // CreateWindowExA(0, className, title, WS_POPUP | WS_SYSMENU, x, y, w, h, ...).
  virtual WindowHandle CreateMainWindow(const char* className, const char* title, int x, int y,
                                        int width, int height, InstanceHandle instance) = 0;
  virtual void ShowAndUpdate(WindowHandle window, int showCommand) = 0;
  virtual bool PeekMessage(WindowMessage& out) = 0;  // PM_REMOVE, any window of the thread
  virtual void TranslateAndDispatch(const WindowMessage& message) = 0;
  virtual void WaitMessage() = 0;
  // MsgWaitForMultipleObjects(0, NULL, FALSE, ms, QS_ALLINPUT): returns when
  // a message arrives or after ms milliseconds, whichever comes first.
  virtual void WaitMessageTimeout(std::uint32_t ms) = 0;
  virtual bool PostMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) = 0;
  virtual void PostQuitMessage(int exitCode) = 0;
  virtual void DestroyWindow(WindowHandle window) = 0;  // sends WM_DESTROY synchronously
  virtual std::intptr_t DefWindowProc(WindowHandle window, std::uint32_t message,
                                      std::uintptr_t wParam, std::intptr_t lParam) = 0;
  virtual void HideCursor() = 0;  // SetCursor(NULL)
};

class IMessageBoxes {
 public:
  virtual ~IMessageBoxes() = default;
  // MessageBoxA: modal, owned by owner (0 = none); returns IDOK/IDYES/IDNO or 0.
  virtual int Show(WindowHandle owner, const char* text, const char* caption,
                   std::uint32_t style) = 0;
};

class ISoundDevice {
 public:
  virtual ~ISoundDevice() = default;
  virtual HResult Create() = 0;  // DirectSoundCreate(NULL, ..., NULL)
  virtual HResult SetCooperativeLevel(WindowHandle window, std::uint32_t level) = 0;
  virtual HResult CreatePrimaryBuffer() = 0;  // DSBUFFERDESC size 20, DSBCAPS_PRIMARYBUFFER
  virtual bool HasPrimaryBuffer() = 0;
  virtual void ReleasePrimaryBuffer() = 0;
  virtual bool HasDevice() = 0;
  virtual void ReleaseDevice() = 0;
};

}  // namespace plat
