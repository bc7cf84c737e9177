// The saver drawn inside a window that a host program owns: a preview pane
// or a screen-saver daemon's window. The same model, drawing and colours as
// the full-screen run, at the window's size and following its resizes,
// paced by a timer. It reads the settings at start, writes nothing, takes
// no input (the host owns it) and never touches the display's mode.
#pragma once
#include <cstdint>

#include "framework/framework.h"
#include "platform/host_window.h"
#include "saver/config.h"
#include "saver/overlays.h"
#include "saver/settings_files.h"
#include "saver/trail.h"
#include "saver/trig_table.h"

namespace prumya {

constexpr std::uint32_t kEmbeddedFrameMs = 33;      // about 30 frames a second
constexpr std::int32_t kEmbeddedOverlayWidth = 640;  // narrower windows show no overlays

class EmbeddedRun {
 public:
  EmbeddedRun(qrx::Framework& framework, plat::IHostWindow& host);
  EmbeddedRun(const EmbeddedRun&) = delete;
  EmbeddedRun& operator=(const EmbeddedRun&) = delete;

  // Until the window goes away or the process is asked to stop; returns the
  // exit code, 0.
  int Run();

  const SaverConfig& Config() const { return config_; }

 private:
  void LoadValues();
  void FitParams();
  bool FollowWindow();  // false once the window is gone
  void FitWindow(std::int32_t width, std::int32_t height);
  void DrawFrame();
  std::uint32_t FrameInterval() const;

  qrx::Framework& framework_;
  plat::IHostWindow& host_;
  SettingsFiles files_;  // where the files lie; nothing is written here
  SaverConfig config_;
  CursorAnchor anchor_;
  Trail trail_;
  TrigTable trig_;
  FontGlyphs font_;
  Overlays overlays_;
  // The values as the full-screen run would use them; the window's fit is
  // taken from these, so a window that shrinks and grows again gets them back.
  SaverParams base_{};
  std::int32_t screenWidth_ = 0, screenHeight_ = 0;
  std::int32_t width_ = -1, height_ = -1;
};

// The embedded run's process over platform, whose display must draw in
// memory (its frames go to host). Message boxes are dropped: nobody could
// answer one inside a host's window. salt tells runs started in the same
// second apart (one per monitor), e.g. the window's id.
int RunEmbeddedProcess(const plat::Platform& platform, plat::IHostWindow& host,
                       std::uint32_t salt);

}  // namespace prumya
