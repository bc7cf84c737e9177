#include "saver/saver_app.h"

namespace prumya {

const char kProductName[] = "ぷるみゅら";

SaverApp::SaverApp(qrx::Framework& fw)
    : framework(fw),
      config(*fw.platform.profile, fw.random),
      trail(config, fw.random, anchor),
      runSettingsDialog([](plat::InstanceHandle, plat::WindowHandle) {}) {}

void SaverApp::Install() {
  qrx::AppShell& shell = framework.shell;
  shell.SetTitle(kProductName);
  shell.SetInitHandler([this](plat::InstanceHandle instance, plat::InstanceHandle previous,
                              char* commandLine, int showCommand) {
    return InitHandler(instance, previous, commandLine, showCommand);
  });
  qrx::ShellCalls calls;
  calls.buildTrigTable = [this] { BuildTrigTable(); };
  calls.startSaver = [this] { StartSaver(); };
  calls.frameTick = [this] { FrameTick(); };
  calls.closeSequence = [this] { CloseSequence(); };
  shell.SetCalls(std::move(calls));
}

bool SaverApp::InitHandler(plat::InstanceHandle instance, plat::InstanceHandle, char* commandLine,
                           int) {
  return RunStartup(config, *framework.platform.system, runSettingsDialog, instance, commandLine);
}

void SaverApp::BuildTrigTable() {}

void SaverApp::StartSaver() {
  config.LoadSettings(true);
  trail.ResetTrail();
  framework.shell.SetMessageHandler(
      [this](plat::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
             std::intptr_t lParam) { return MessageHandler(window, message, wParam, lParam); });
}

bool SaverApp::MessageHandler(plat::WindowHandle, std::uint32_t message, std::uintptr_t,
                              std::intptr_t) {
  if (message == plat::kWmKeyDown || message == plat::kWmLButtonDown) {
    framework.shell.RequestClose();
    return true;
  }
  return false;
}

void SaverApp::FrameTick() {}

void SaverApp::CloseSequence() {
  framework.screen.Release();
  framework.sound.CloseSound();
}

}  // namespace prumya
