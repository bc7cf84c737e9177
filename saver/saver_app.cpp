#include "saver/saver_app.h"

#include "saver/settings_dialog.h"

namespace prumya {

const char kProductName[] = "ぷるみゅら";

SaverApp::SaverApp(qrx::Framework& fw)
    : framework(fw),
      files(*fw.platform.profile, *fw.platform.system),
      config(files, fw.random),
      trail(config, fw.random, anchor),
      font(fw.slots),
      overlays(config, *fw.platform.clock, font),
      runSettingsDialog([this](plat::InstanceHandle instance, plat::WindowHandle parent) {
        RunSettingsDialog(config, framework, instance, parent);
      }),
      run(fw, SaverParts{config, trail, anchor, trig, font, overlays, runSettingsDialog}) {}

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
  calls.frameTick = [this] { return FrameTick(); };
  calls.closeSequence = [this] { CloseSequence(); };
  shell.SetCalls(std::move(calls));
}

bool SaverApp::InitHandler(plat::InstanceHandle instance, plat::InstanceHandle, char* commandLine,
                           int) {
  return RunStartup(config, files, *framework.platform.system, runSettingsDialog, instance,
                    commandLine);
}

void SaverApp::CloseSequence() {
  framework.screen.Release();
  framework.sound.CloseSound();
}

}  // namespace prumya
