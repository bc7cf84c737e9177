// The running saver's control: the start once the window is up, the frame
// tick of the idle loop, the exit conditions and the hot keys F1, F2, F3.
#pragma once
#include <cstdint>
#include <optional>

#include "framework/framework.h"
#include "framework/timers.h"
#include "saver/config.h"
#include "saver/overlays.h"
#include "saver/startup.h"
#include "saver/trail.h"
#include "saver/trig_table.h"

namespace prumya {

constexpr std::uint32_t kRerollPeriodMs = 60000;

// What the run works on; all of it is owned by SaverApp.
struct SaverParts {
  SaverConfig& config;
  Trail& trail;
  CursorAnchor& anchor;
  const TrigTable& trig;
  FontGlyphs& font;
  Overlays& overlays;
  const SettingsDialogRunner& runSettingsDialog;
};

// One drawn frame: the trail steps, the back buffer is cleared, the trail
// and then the overlays (when given) are drawn, and the frame is presented.
void DrawSaverFrame(qrx::Screen& screen, Trail& trail, const SaverParams& params,
                    const TrigTable& trig, Overlays* overlays);

class SaverRun {
 public:
  SaverRun(qrx::Framework& framework, const SaverParts& parts);
  SaverRun(const SaverRun&) = delete;
  SaverRun& operator=(const SaverRun&) = delete;

  // Settings with the command carried out, a fresh trail, the display, the
  // font; the message handler is registered last.
  void StartSaver();
  // True when the message was handled (the window procedure returns 0).
  bool MessageHandler(plat::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                      std::intptr_t lParam);
  // Answers how long (ms) until the next frame is due.
  std::uint32_t FrameTick();
  // Alt down now, or the cursor beyond the threshold from its anchor.
  bool CheckExit();
  // F3: a notice, then the twelve current values as the preset "???".
  void SaveQuickPreset();

 private:
  void ReloadAndReset();  // F2, and the end of F1
  void OpenSettings();    // F1 and the right button
  bool MovedBeyondThreshold(std::int32_t x, std::int32_t y) const;
  void DrawFrame();
  std::uint32_t UntilNextFrame() const;

  qrx::Framework* framework_;
  SaverParts parts_;
  // Both made by the first tick: the frame timer's start is when the last
  // drawn frame began; the re-roll timer runs only for commands 3 and 4.
  std::optional<qrx::Timer> frameTimer_;
  std::optional<qrx::Timer> rerollTimer_;
};

}  // namespace prumya
