#include "framework/app_shell.h"

#include "framework/owned_text.h"

namespace qrx {

namespace {

const char kClassName[] = "QRXAPPWNDCLS";
const char kDefaultTitle[] = "QRX Application";

}  // namespace

AppShell::AppShell(plat::IWindowSystem& windows, plat::IClock& clock, Random& random)
    : windows_(&windows), clock_(&clock), random_(&random) {}

AppShell::~AppShell() = default;

int AppShell::Run(plat::InstanceHandle instance, plat::InstanceHandle previousInstance,
                  char* commandLine, int showCommand) {
  instance_ = instance;
  if (commandLine != nullptr) windows_->LowercaseInPlace(commandLine);
  windows_->DisableInputMethod();
  random_->Seed(static_cast<std::uint32_t>(clock_->UnixSeconds()));
  if (!title_) SetTitle(kDefaultTitle);
  if (initHandler_ && !initHandler_(instance, previousInstance, commandLine, showCommand)) {
    return 0;
  }
  if (!OpenMainWindow(instance, showCommand)) return 0;
  if (calls_.buildTrigTable) calls_.buildTrigTable();
  if (calls_.startSaver) calls_.startSaver();
  RunLoop();
  title_.reset();
  return 0;
}

bool AppShell::OpenMainWindow(plat::InstanceHandle instance, int showCommand) {
  windows_->RegisterWindowClass(
      kClassName, instance,
      [this](plat::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
             std::intptr_t lParam) { return WindowProc(window, message, wParam, lParam); });
  const int width = windows_->ScreenWidth();
  const int height = windows_->ScreenHeight();
  mainWindow_ = windows_->CreateMainWindow(kClassName, title_.get(), 0, 0, width, height, instance);
  if (mainWindow_ == 0) return false;
  windows_->ShowAndUpdate(mainWindow_, showCommand);
  return true;
}

// Every waiting message goes before the next frame; an inactive application
// blocks instead of drawing. Between frames the loop sleeps until the next
// one is due or a message arrives, so exits still act at once.
void AppShell::RunLoop() {
  plat::WindowMessage message;
  for (;;) {
    if (windows_->PeekMessage(message)) {
      if (message.message == plat::kWmQuit) return;
      windows_->TranslateAndDispatch(message);
    } else if (active_) {
      closeGuard_ = false;
      const std::uint32_t wait = calls_.frameTick ? calls_.frameTick() : 0;
      if (wait > 0) windows_->WaitMessageTimeout(wait);
    } else {
      windows_->WaitMessage();
    }
  }
}

// The copy is made before the old title is freed: the text may be the
// current title itself.
bool AppShell::SetTitle(const char* text) {
  title_ = OwnedCopy(text);
  return text != nullptr;
}

bool AppShell::SetInitHandler(InitHandler handler) {
  initHandler_ = std::move(handler);
  return static_cast<bool>(initHandler_);
}

void AppShell::SetMessageHandler(MessageHandler handler) { messageHandler_ = std::move(handler); }

plat::WindowHandle AppShell::SwapMainWindow(plat::WindowHandle window) {
  const plat::WindowHandle previous = mainWindow_;
  mainWindow_ = window;
  return previous;
}

bool AppShell::RequestClose() { return windows_->PostMessage(mainWindow_, plat::kWmClose, 0, 0); }

std::intptr_t AppShell::WindowProc(plat::WindowHandle window, std::uint32_t message,
                                   std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case plat::kWmDestroy:
      windows_->PostQuitMessage(0);
      return 0;
    case plat::kWmClose:
      if (!closeGuard_) {
        closeGuard_ = true;
        CloseSequence(window);
      }
      return 0;
    case plat::kWmActivateApp:
      active_ = wParam != 0;
      return 0;
    case plat::kWmSetCursor:
      windows_->HideCursor();
      return 1;
    case plat::kWmKeyDown:
      if (wParam == static_cast<std::uintptr_t>(plat::kVkEscape)) {
        windows_->PostMessage(window, plat::kWmClose, 0, 0);
      }
      return Offer(window, message, wParam, lParam);
    case plat::kWmSysKeyDown:
      return 0;
    case plat::kWmSysCommand:
      if (wParam == plat::kScScreenSave) return 1;
      return Offer(window, message, wParam, lParam);
    default:
      return Offer(window, message, wParam, lParam);
  }
}

std::intptr_t AppShell::Offer(plat::WindowHandle window, std::uint32_t message,
                              std::uintptr_t wParam, std::intptr_t lParam) {
  // A copy, so a handler that replaces itself is not destroyed mid-call.
  const MessageHandler handler = messageHandler_;
  if (handler && handler(window, message, wParam, lParam)) return 0;
  return windows_->DefWindowProc(window, message, wParam, lParam);
}

// WM_CLOSE only reaches this procedure for the shell's own window, so that
// window is the one destroyed, even while a dialog has swapped itself in as
// the main window around a message box.
void AppShell::CloseSequence(plat::WindowHandle window) {
  if (calls_.closeSequence) calls_.closeSequence();
  windows_->DestroyWindow(window);
}

}  // namespace qrx
