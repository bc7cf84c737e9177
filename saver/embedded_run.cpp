#include "saver/embedded_run.h"

#include "framework/timers.h"
#include "saver/saver_run.h"
#include "saver/startup.h"

namespace prumya {

namespace {

class NoMessageBoxes : public plat::IMessageBoxes {
 public:
  int Show(plat::WindowHandle, const char*, const char*, std::uint32_t) override { return 0; }
};

}  // namespace

EmbeddedRun::EmbeddedRun(qrx::Framework& framework, plat::IHostWindow& host)
    : framework_(framework),
      host_(host),
      files_(*framework.platform.profile, *framework.platform.system),
      config_(files_, framework.random),
      trail_(config_, framework.random, anchor_),
      font_(framework.slots),
      overlays_(config_, *framework.platform.clock, font_) {}

int EmbeddedRun::Run() {
  std::int32_t width = 0, height = 0;
  if (host_.Gone() || !host_.Size(width, height)) return 0;
  trig_.BuildTrigTable();
  PrepareConfig(config_, files_, *framework_.platform.system);
  screenWidth_ = config_.screenWidth > 0 ? config_.screenWidth : width;
  screenHeight_ = config_.screenHeight > 0 ? config_.screenHeight : height;
  LoadValues();

  plat::IClock& clock = *framework_.platform.clock;
  qrx::Timer frameTimer(clock);
  qrx::Timer rerollTimer(clock, kRerollPeriodMs);
  bool first = true;
  while (!host_.Gone() && FollowWindow()) {
    if (config_.RerollsEveryMinute() && rerollTimer.PeriodPassed()) {
      LoadValues();
      FitParams();
      trail_.ResetTrail();
    }
    const std::uint32_t interval = FrameInterval();
    if (first || frameTimer.HasElapsed(interval)) {
      first = false;
      frameTimer.Restart();
      DrawFrame();
    }
    const std::uint32_t elapsed = clock.TickCount() - frameTimer.Start();
    host_.Wait(elapsed < interval ? interval - elapsed : 0);
  }
  framework_.screen.Release();
  return 0;
}

// Loaded as the full-screen run loads them (maxima fitted to the screen,
// the preset's command carried out), then kept for the window's fit.
void EmbeddedRun::LoadValues() {
  config_.FitScreen(screenWidth_, screenHeight_);
  config_.LoadSettings(true);
  base_ = config_.params;
}

// Radius, Margin and WobbleAmplitude fitted to the window as the full-screen
// run fits them to the screen.
void EmbeddedRun::FitParams() {
  config_.FitScreen(width_ > 0 ? width_ : 0, height_ > 0 ? height_ : 0);
  for (int i = 0; i < kParamCount; ++i) config_.params[i] = config_.Clamp(i, base_[i]);
}

bool EmbeddedRun::FollowWindow() {
  std::int32_t width = 0, height = 0;
  if (!host_.Size(width, height)) return false;
  if (width != width_ || height != height_) FitWindow(width, height);
  return true;
}

void EmbeddedRun::FitWindow(std::int32_t width, std::int32_t height) {
  width_ = width;
  height_ = height;
  FitParams();
  qrx::Screen& screen = framework_.screen;
  screen.Release();
  if (width > 0 && height > 0 && screen.InitWindowed(width, height, host_)) font_.Load();
  trail_.ResetTrail();
}

void EmbeddedRun::DrawFrame() {
  const bool overlays = width_ >= kEmbeddedOverlayWidth;
  DrawSaverFrame(framework_.screen, trail_, config_.params, trig_, overlays ? &overlays_ : nullptr);
}

// A speed limit slower than the timer's pace is kept.
std::uint32_t EmbeddedRun::FrameInterval() const {
  const std::int32_t limit = config_.settings.speedLimitMs;
  return limit > static_cast<std::int32_t>(kEmbeddedFrameMs) ? static_cast<std::uint32_t>(limit)
                                                             : kEmbeddedFrameMs;
}

int RunEmbeddedProcess(const plat::Platform& platform, plat::IHostWindow& host,
                       std::uint32_t salt) {
  NoMessageBoxes boxes;
  const plat::Platform& p = platform;
  qrx::Framework framework(plat::MakePlatform(*p.windows, boxes, *p.system, *p.clock, *p.input,
                                              *p.profile, *p.display, *p.bitmaps, *p.sound));
  framework.random.Seed(static_cast<std::uint32_t>(platform.clock->UnixSeconds()) ^ salt);
  EmbeddedRun run(framework, host);
  return run.Run();
}

}  // namespace prumya
