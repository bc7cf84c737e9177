#include "saver/saver_run.h"

#include <algorithm>
#include <cstdlib>

#include "framework/message_dialog.h"
#include "saver/save_failure.h"
#include "saver/trail_render.h"

namespace prumya {

namespace {

const char kQuickSaveCaption[] = "映像保存";
const char kQuickSaveText[] = "現在の映像を映像名 \"???\" に保存します。";

}  // namespace

SaverRun::SaverRun(qrx::Framework& framework, const SaverParts& parts)
    : framework_(&framework), parts_(parts) {}

void SaverRun::StartSaver() {
  SaverConfig& config = parts_.config;
  config.LoadSettings(true);
  parts_.trail.ResetTrail();
  // A failed init has been reported by the Screen; the run goes on without
  // drawing.
  if (config.settings.fullColour != 0) {
    framework_->screen.InitFullColour(config.screenWidth, config.screenHeight);
  } else {
    framework_->screen.Init16(config.screenWidth, config.screenHeight);
  }
  parts_.font.Load();
  framework_->shell.SetMessageHandler(
      [this](plat::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
             std::intptr_t lParam) { return MessageHandler(window, message, wParam, lParam); });
}

// Only the message and the key count: a held key's auto-repeat repeats its
// action.
bool SaverRun::MessageHandler(plat::WindowHandle, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t) {
  if (message == plat::kWmRButtonDown) {
    OpenSettings();
    return true;
  }
  if (message == plat::kWmLButtonDown) {
    framework_->shell.RequestClose();
    return true;
  }
  if (message != plat::kWmKeyDown) return false;
  switch (wParam) {
    case plat::kVkF1:
      OpenSettings();
      break;
    case plat::kVkF2:
      ReloadAndReset();
      break;
    case plat::kVkF3:
      SaveQuickPreset();
      parts_.trail.ResetTrail();
      break;
    default:
      framework_->shell.RequestClose();
      break;
  }
  return true;
}

void SaverRun::ReloadAndReset() {
  parts_.config.LoadSettings(true);
  parts_.trail.ResetTrail();
}

// Whatever the dialog ended with, the files decide what runs next.
void SaverRun::OpenSettings() {
  parts_.config.LoadSettings(false);
  parts_.runSettingsDialog(framework_->shell.GetInstance(), framework_->shell.GetMainWindow());
  ReloadAndReset();
}

void SaverRun::SaveQuickPreset() {
  qrx::MessageDialog notice(framework_->boxes, qrx::MessageDialog::Information);
  notice.SetCaption(kQuickSaveCaption);
  notice.SetText(kQuickSaveText);
  notice.Show();
  if (const char* failed = parts_.config.WriteQuickPreset()) ReportSaveFailure(framework_->boxes, failed);
}

// A tick that draws nothing (the speed limit has not run out, or the display
// has not refreshed since the last frame) still checks the exits and the
// re-roll; the shell then waits for the time left or the next message.
std::uint32_t SaverRun::FrameTick() {
  plat::IClock& clock = *framework_->platform.clock;
  if (!frameTimer_) {
    frameTimer_.emplace(clock);
    rerollTimer_.emplace(clock, kRerollPeriodMs);
  }
  if (CheckExit()) {
    framework_->shell.RequestClose();
    return 0;
  }
  if (parts_.config.RerollsEveryMinute() && rerollTimer_->PeriodPassed()) ReloadAndReset();
  if (const std::uint32_t wait = UntilNextFrame(); wait > 0) return wait;
  frameTimer_->Restart();
  DrawFrame();
  return UntilNextFrame();
}

// A limit from the file is taken as an unsigned millisecond count.
std::uint32_t SaverRun::UntilNextFrame() const {
  const auto limit = static_cast<std::uint32_t>(parts_.config.settings.speedLimitMs);
  const std::uint32_t limitLeft = limit != 0 ? frameTimer_->Remaining(limit) : 0;
  return std::max(limitLeft, framework_->screen.MsUntilNextRefresh());
}

void SaverRun::DrawFrame() {
  DrawSaverFrame(framework_->screen, parts_.trail, parts_.config.params, parts_.trig,
                 &parts_.overlays);
}

void DrawSaverFrame(qrx::Screen& screen, Trail& trail, const SaverParams& params,
                    const TrigTable& trig, Overlays* overlays) {
  trail.StepTrail();
  screen.Clear();
  DrawTrail(screen, trail.Chain(), params, trig);
  if (overlays != nullptr) {
    overlays->DrawClock();
    overlays->DrawFrameRate();
  }
  screen.Present();
}

// The anchor is taken at the first check after each trail reset; the
// explicit flag lets it lie at negative coordinates (monitors left of or
// above the primary one), where a sentinel would retake it at every check.
bool SaverRun::CheckExit() {
  plat::IInputState& input = *framework_->platform.input;
  qrx::KeyTracker alt(input, plat::kVkMenu);
  alt.Update();
  if (alt.GetState() != qrx::KeyTracker::KeyUp) return true;
  if (parts_.config.settings.mouseThreshold <= 0) return false;
  std::int32_t x = 0, y = 0;
  qrx::MouseTracker(input).GetPosition(&x, &y);
  CursorAnchor& anchor = parts_.anchor;
  if (!anchor.taken) {
    anchor.x = x;
    anchor.y = y;
    anchor.taken = true;
  }
  return MovedBeyondThreshold(x, y);
}

// Each axis on its own, strictly beyond; differences taken wide so that no
// pair of positions can overflow.
bool SaverRun::MovedBeyondThreshold(std::int32_t x, std::int32_t y) const {
  const std::int64_t threshold = parts_.config.settings.mouseThreshold;
  const CursorAnchor& anchor = parts_.anchor;
  return std::llabs(static_cast<std::int64_t>(anchor.x) - x) > threshold ||
         std::llabs(static_cast<std::int64_t>(anchor.y) - y) > threshold;
}

}  // namespace prumya
