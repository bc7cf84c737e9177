#include "tools/bench/headless_saver.h"

#include <cstdio>

#include "saver/trail_render.h"

namespace bench {
namespace {

// Where the fake system info puts the module: the INI files lie beside it.
constexpr const char* kSettingsFile = "C:\\Savers\\prumya.ini";
constexpr const char* kUserFile = "C:\\Savers\\action.ini";
constexpr const char* kPresetName = "bench";

}  // namespace

HeadlessSaver::HeadlessSaver(const BenchOptions& options)
    : platform_(options), fw_(platform_.Get()), app_(fw_), depth_(options.depth) {
  WritePreset(options);
  app_.runSettingsDialog = [](plat::InstanceHandle, plat::WindowHandle) {};
  char line[] = "/s";
  app_.InitHandler(1, 0, line, 1);
  app_.BuildTrigTable();
  fw_.random.Seed(options.seed);
  app_.StartSaver();
}

// The preset goes through the INI files, so its values are loaded and
// clamped exactly as the saver loads them.
void HeadlessSaver::WritePreset(const BenchOptions& options) {
  fake::FakeProfileStore& store = platform_.profile;
  const bool heavy = options.preset == PresetKind::Heavy;
  store.Set(kSettingsFile, "action", "name", kPresetName);
  store.Set(kSettingsFile, "action", "color", options.depth == 32 ? "1" : "0");
  store.Set(kSettingsFile, "action", "time", heavy ? "1" : "0");
  store.Set(kSettingsFile, "action", "fps", heavy ? "1" : "0");
  if (heavy) {
    store.Set(kUserFile, kPresetName, "data00", "512");  // Length
    store.Set(kUserFile, kPresetName, "data01", "8");    // Thickness
  } else {
    store.AddSection(kUserFile, kPresetName);  // every value from the table
  }
}

bool HeadlessSaver::Ready(std::string& error) const {
  char text[160];
  if (BackBuffer() == nullptr || Primary() == nullptr) {
    std::snprintf(text, sizeof text, "the display did not start (%d message boxes)",
                  static_cast<int>(platform_.boxes.shown.size()));
    error = text;
    return false;
  }
  if (platform_.display.ModeBpp() != depth_) {
    std::snprintf(text, sizeof text, "the display runs at %d bits, not %d",
                  static_cast<int>(platform_.display.ModeBpp()), static_cast<int>(depth_));
    error = text;
    return false;
  }
  return true;
}

void HeadlessSaver::Unfold() {
  for (std::int32_t i = 0; i < app_.config.params[prumya::Length]; ++i) app_.trail.StepTrail();
}

void HeadlessSaver::DrawTrail() {
  prumya::DrawTrail(fw_.screen, app_.trail.Chain(), app_.config.params, app_.trig);
}

void HeadlessSaver::DrawOverlays() {
  app_.overlays.DrawClock();
  app_.overlays.DrawFrameRate();
}

}  // namespace bench
