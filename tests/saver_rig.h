// The saver's objects over fakes and the software display, started as "/s"
// does, with the main window in place and frame ticks and messages driven
// by the test.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/framework.h"
#include "platform/fake/fake_platform.h"
#include "saver/saver_app.h"

namespace testrig {

constexpr const char* kSettingsFile = "C:\\Savers\\prumya.ini";
constexpr const char* kSystemFile = "C:\\Savers\\actsys.ini";
constexpr const char* kUserFile = "C:\\Savers\\action.ini";

using SaverFakes = fake::FakePorts;  // 1024 x 768

struct SaverRig : SaverFakes {
  explicit SaverRig(std::int32_t width = 1024, std::int32_t height = 768) : SaverFakes(width, height) {
    clock.ticks = 5000;
    app.runSettingsDialog = [this](plat::InstanceHandle instance, plat::WindowHandle parent) {
      dialogCalls.push_back({instance, parent});
      if (duringDialog) duringDialog();
    };
    char line[] = "/s";
    app.InitHandler(1, 0, line, 1);
    windows.RegisterWindowClass("QRXAPPWNDCLS", 1,
                                [this](plat::WindowHandle w, std::uint32_t m, std::uintptr_t wp,
                                       std::intptr_t lp) {
                                  return framework.shell.WindowProc(w, m, wp, lp);
                                });
    mainWindow = windows.CreateMainWindow("QRXAPPWNDCLS", "", 0, 0, 1024, 768, 1);
    framework.shell.SwapMainWindow(mainWindow);
    app.BuildTrigTable();
  }

  void Start() { app.StartSaver(); }
  void Tick() { app.FrameTick(); }
  // Through the shell's window procedure, as a dispatched message arrives.
  std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam = 0) {
    return windows.Send(message, wParam, 0);
  }
  void Key(int vk) { Send(plat::kWmKeyDown, static_cast<std::uintptr_t>(vk)); }
  int Closes() const {
    int n = 0;
    for (const plat::WindowMessage& m : windows.queue) n += m.message == plat::kWmClose ? 1 : 0;
    return n;
  }
  void MoveCursor(std::int32_t x, std::int32_t y) { input.cursorX = x, input.cursorY = y; }
  void Setting(const std::string& key, const std::string& value) {
    profile.Set(kSettingsFile, "action", key, value);
  }
  // How often the settings have been loaded (each load reads "name" first).
  int Loads() const {
    int n = 0;
    for (const auto& a : profile.log) n += a.file == kSettingsFile && a.key == "name";
    return n;
  }

  qrx::Framework framework{Get()};
  prumya::SaverApp app{framework};
  plat::WindowHandle mainWindow = 0;
  std::vector<std::pair<plat::InstanceHandle, plat::WindowHandle>> dialogCalls;
  std::function<void()> duringDialog;
};

}  // namespace testrig
