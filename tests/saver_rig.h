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
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_input.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_profile_store.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/fake_system_info.h"
#include "platform/fake/fake_window_system.h"
#include "platform/soft/soft_bitmap_loader.h"
#include "platform/soft/soft_display.h"
#include "saver/saver_app.h"

namespace testrig {

constexpr const char* kSettingsFile = "C:\\Savers\\prumya.ini";
constexpr const char* kSystemFile = "C:\\Savers\\actsys.ini";
constexpr const char* kUserFile = "C:\\Savers\\action.ini";

struct SaverFakes {
  fake::FakeWindowSystem windows;
  fake::FakeMessageBoxes boxes;
  fake::FakeSystemInfo system;
  fake::FakeClock clock;
  fake::FakeInput input;
  fake::FakeProfileStore profile;
  plat::soft::SoftDisplayDevice display{1024, 768};
  plat::soft::SoftBitmapLoader bitmaps;
  fake::FakeSound sound;

  plat::Platform Get() {
    plat::Platform p;
    p.windows = &windows, p.boxes = &boxes, p.system = &system, p.clock = &clock;
    p.input = &input, p.profile = &profile, p.display = &display, p.bitmaps = &bitmaps;
    p.sound = &sound;
    return p;
  }
};

struct SaverRig : SaverFakes {
  SaverRig() {
    system.width = 1024;
    system.height = 768;
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
  int Frames() const { return display.Presents(); }
  void MoveCursor(std::int32_t x, std::int32_t y) { input.cursorX = x, input.cursorY = y; }
  void Setting(const std::string& key, const std::string& value) {
    profile.Set(kSettingsFile, "action", key, value);
  }
  // How often the settings have been loaded (each load reads "name" first).
  int Loads() const {
    int n = 0;
    for (const auto& a : profile.log) n += a.file == kSettingsFile && a.key == "name" ? 1 : 0;
    return n;
  }

  qrx::Framework framework{Get()};
  prumya::SaverApp app{framework};
  plat::WindowHandle mainWindow = 0;
  std::vector<std::pair<plat::InstanceHandle, plat::WindowHandle>> dialogCalls;
  std::function<void()> duringDialog;
};

}  // namespace testrig
