// The saver's objects for one process and the hooks it plugs into the
// shell: the InitHandler, the start routine, the message handler, the frame
// tick and the close sequence.
#pragma once
#include <cstdint>

#include "framework/framework.h"
#include "saver/config.h"
#include "saver/overlays.h"
#include "saver/saver_run.h"
#include "saver/startup.h"
#include "saver/trail.h"
#include "saver/trig_table.h"

namespace prumya {

extern const char kProductName[];  // "ぷるみゅら", the window title

class SaverApp {
 public:
  explicit SaverApp(qrx::Framework& framework);
  SaverApp(const SaverApp&) = delete;
  SaverApp& operator=(const SaverApp&) = delete;

  // What the static initialisers do (title, InitHandler) plus the shell's
  // fixed calls into the saver.
  void Install();

  bool InitHandler(plat::InstanceHandle instance, plat::InstanceHandle previousInstance,
                   char* commandLine, int showCommand);
  void BuildTrigTable() { trig.BuildTrigTable(); }
  void StartSaver() { run.StartSaver(); }
  bool MessageHandler(plat::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                      std::intptr_t lParam) {
    return run.MessageHandler(window, message, wParam, lParam);
  }
  std::uint32_t FrameTick() { return run.FrameTick(); }
  void CloseSequence();

  qrx::Framework& framework;
  SettingsFiles files;  // the profile store the configuration goes through
  SaverConfig config;
  CursorAnchor anchor;
  Trail trail;
  TrigTable trig;
  FontGlyphs font;
  Overlays overlays;
  // Shows the settings dialog and writes on OK.
  SettingsDialogRunner runSettingsDialog;
  SaverRun run;
};

}  // namespace prumya
