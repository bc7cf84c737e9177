// The parameter table, the layered preset lookup and the loading of the
// settings and values.
#include "saver/config.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "platform/common/sjis.h"

namespace prumya {

const ParamSpec kParamTable[kParamCount] = {
    {"長さ", 64, 4, 512},     {"太さ", 6, 1, 8},        {"移動先端", 2, 0, 16},
    {"移動軌跡", 1, 0, 16},   {"変化", 2, 0, 16},       {"回転先端", 20, 0, 255},
    {"回転軌跡", 2, 0, 255},  {"半径", 40, 0, 128},     {"余白", 64, 0, 128},
    {"振動先端", 0, 0, 255},  {"振動軌跡", 0, 0, 255},  {"振幅", 0, 0, 128},
};

const char kDefaultPresetName[] = "* ぷるみゅら";
const char kSettingsSection[] = "action";
const char kQuickPresetName[] = "???";

namespace {

// A value of this or more in the user preset file counts as absent there.
constexpr std::int32_t kUserFileSentinel = 100000;

struct SettingKey {
  const char* key;
  std::int32_t defaultValue;
  std::int32_t SaverSettings::*field;
};

// The integer switches of the settings file, in the order they are read and
// written.
constexpr SettingKey kSettingKeys[] = {
    {"speed", 0, &SaverSettings::speedLimitMs}, {"mouse", 24, &SaverSettings::mouseThreshold},
    {"time", 0, &SaverSettings::showClock},     {"fps", 0, &SaverSettings::showFrameRate},
    {"color", 0, &SaverSettings::fullColour},
};

}  // namespace

SaverConfig::SaverConfig(plat::IProfileStore& store, qrx::Random& random)
    : settings{}, paths{}, store_(&store), random_(&random) {
  std::memcpy(ranges, kParamTable, sizeof(ranges));
  for (int i = 0; i < kParamCount; ++i) params[i] = ranges[i].defaultValue;
  CopyPresetName(settings.presetName, kDefaultPresetName);
  settings.mouseThreshold = 24;
}

void SaverConfig::FitScreen(std::int32_t width, std::int32_t height) {
  screenWidth = width;
  screenHeight = height;
  for (int i : {Radius, WobbleAmplitude}) ranges[i].maximum = height / 4;
  // The head bounces inside the margin on both axes: on a screen narrower
  // than twice a height-fitted margin both bounces of an axis would fire in
  // one step and the head would stick at the far edge.
  ranges[Margin].maximum = std::min(width, height) / 4;
}

std::int32_t SaverConfig::ReadPresetInt(const char* section, const char* key,
                                        std::int32_t defaultValue) {
  const std::int32_t v = store_->GetInt(section, key, kUserFileSentinel, paths.userPresets);
  if (v < kUserFileSentinel) return v;
  return store_->GetInt(section, key, defaultValue, paths.systemPresets);
}

bool SaverConfig::IsReadOnly(const char* presetName) {
  return ReadPresetInt(presetName, "readonly", 0) != 0;
}

void CopyPresetName(char (&name)[kPresetNameMax + 1], const char* text) {
  const std::size_t n = plat::sjis::CopyBounded(name, sizeof name, text);
  if (plat::sjis::EndsInLoneLead(std::string_view(name, n))) name[n - 1] = '\0';
}

void FormatInt(char (&text)[12], std::int32_t v) { std::snprintf(text, sizeof(text), "%d", v); }

void FormatDataKey(char (&key)[8], int index) { std::snprintf(key, sizeof(key), "data%02d", index); }

std::int32_t SaverConfig::StoredValue(const char* presetName, int index) {
  char key[8];
  FormatDataKey(key, index);
  return ReadPresetInt(presetName, key, ranges[index].defaultValue);
}

std::int32_t SaverConfig::Clamp(int index, std::int32_t v) const {
  if (v < ranges[index].minimum) v = ranges[index].minimum;
  if (v > ranges[index].maximum) v = ranges[index].maximum;
  return v;
}

void SaverConfig::LoadSettings(bool applyCommand) {
  // Read with room to spare so that a longer stored name is cut here, at a
  // character boundary, rather than by the store in mid-character.
  char name[2 * (kPresetNameMax + 1)];
  store_->GetString(kSettingsSection, "name", kDefaultPresetName, name, sizeof(name),
                    paths.settings);
  CopyPresetName(settings.presetName, name);
  for (const SettingKey& k : kSettingKeys)
    settings.*k.field = store_->GetInt(kSettingsSection, k.key, k.defaultValue, paths.settings);
  // Only a hand edit makes the limit negative; taken as an unsigned count it
  // would hold the first frame off for weeks. It reads as no limit.
  if (settings.speedLimitMs < 0) settings.speedLimitMs = 0;
  settings.command = ReadPresetInt(settings.presetName, "command", 0);

  if (applyCommand) {
    switch (settings.command) {
      case kPickPresetOnce:
      case kPickPresetEveryMinute:
        if (PickRandomPreset()) return;
        break;
      case kRandomValuesOnce:
      case kRandomValuesEveryMinute:
        if (RandomizeParams()) return;
        break;
      default:
        break;
    }
  }
  for (int i = 0; i < kParamCount; ++i) params[i] = Clamp(i, StoredValue(settings.presetName, i));
}

const char* SaverConfig::WriteSettings() {
  store_->BeginEdit(paths.settings);
  store_->WriteString(kSettingsSection, "name", settings.presetName, paths.settings);
  for (const SettingKey& k : kSettingKeys) {
    char text[12];
    FormatInt(text, settings.*k.field);
    store_->WriteString(kSettingsSection, k.key, text, paths.settings);
  }
  return store_->CommitEdit() ? nullptr : paths.settings;
}

bool SaverConfig::RandomizeParams() {
  for (int i = 0; i < kParamCount; ++i)
    params[i] = random_->Between(ranges[i].minimum, ranges[i].maximum, true);
  return true;
}

}  // namespace prumya
