// The saver's configuration: the parameter table, the current values, the
// per-user switches, the three INI paths and the screen size, with the
// operations that read and write them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "framework/random.h"
#include "platform/profile_store.h"

namespace prumya {

constexpr int kParamCount = 12;
constexpr int kPresetNameMax = 32;  // bytes, without the terminator
constexpr int kPathSize = 512;

enum ParamIndex : int {
  Length = 0,
  Thickness,
  HeadMove,
  TrailMove,
  ColourShift,
  HeadSpin,
  TrailSpin,
  Radius,
  Margin,
  HeadWobble,
  TrailWobble,
  WobbleAmplitude,
};

struct ParamSpec {
  char label[16];  // code page 932, NUL-padded
  std::int32_t defaultValue;
  std::int32_t minimum;
  std::int32_t maximum;
};

// The table as built; SaverConfig keeps a copy whose three maxima are fitted
// to the screen.
extern const ParamSpec kParamTable[kParamCount];
extern const char kDefaultPresetName[];  // "* ぷるみゅら"
extern const char kSettingsSection[];    // "action"
extern const char kQuickPresetName[];    // "???", the F3 quick save

// A preset's "command" value; anything else behaves as kPlainPreset but is
// never a candidate for a random choice.
enum PresetCommand : std::int32_t {
  kPlainPreset = 0,
  kPickPresetOnce = 1,
  kRandomValuesOnce = 2,
  kPickPresetEveryMinute = 3,
  kRandomValuesEveryMinute = 4,
};

struct SaverParams {
  std::int32_t value[kParamCount];
  std::int32_t& operator[](int i) { return value[i]; }
  std::int32_t operator[](int i) const { return value[i]; }
};

struct SaverSettings {
  char presetName[kPresetNameMax + 1];
  std::int32_t speedLimitMs;
  std::int32_t mouseThreshold;
  std::int32_t showClock;
  std::int32_t showFrameRate;
  std::int32_t fullColour;
  std::int32_t command;
};

struct IniPaths {
  char settings[kPathSize];       // prumya.ini
  char systemPresets[kPathSize];  // actsys.ini
  char userPresets[kPathSize];    // action.ini
};

class SaverConfig {
 public:
  SaverConfig(plat::IProfileStore& store, qrx::Random& random);

  // Sets the maxima of Radius and WobbleAmplitude to height / 4, and that of
  // Margin to a quarter of the smaller side.
  void FitScreen(std::int32_t width, std::int32_t height);

  std::int32_t ReadPresetInt(const char* section, const char* key, std::int32_t defaultValue);
  bool IsReadOnly(const char* presetName);
  std::int32_t StoredValue(const char* presetName, int index);  // unclamped
  std::int32_t Clamp(int index, std::int32_t v) const;

  void LoadSettings(bool applyCommand);
  // True: the values are set and no data key is to be read.
  bool RandomizeParams();
  // Replaces presetName by a random plain preset (never the position chosen
  // last time while another exists); keeps it when there is no candidate.
  // False: the caller goes on to read the chosen preset's values.
  bool PickRandomPreset();
  // Commands 3 and 4 choose again every minute while the saver runs.
  bool RerollsEveryMinute() const {
    return settings.command == kPickPresetEveryMinute ||
           settings.command == kRandomValuesEveryMinute;
  }
  // The writes. Each file is changed in one step, so a failure (or a crash)
  // leaves it as it was; each returns the file it could not write, or null.
  //
  // What RunSettingsDialog writes after OK: the six settings keys, then the
  // twelve data keys unless the preset is read-only; both files are tried,
  // the first failure is returned.
  const char* WriteAfterOk();
  const char* WriteSettings();  // "name", then the five switches, settings file
  const char* WriteDataKeys(const char* section);  // the twelve "data%02d" keys, user file
  const char* WriteQuickPreset() { return WriteDataKeys(kQuickPresetName); }  // F3's file side
  const char* DeletePreset(const char* name);
  const char* WriteDefaultPresetName();  // "name" = kDefaultPresetName, settings file

  ParamSpec ranges[kParamCount];
  SaverParams params;
  SaverSettings settings;
  IniPaths paths;
  std::int32_t screenWidth = 0;
  std::int32_t screenHeight = 0;
  std::int32_t lastPresetPick = -1;

  plat::IProfileStore& Store() { return *store_; }
  qrx::Random& Rng() { return *random_; }

 private:
  plat::IProfileStore* store_;
  qrx::Random* random_;
};

// Integers are stored as "%d" text.
void FormatInt(char (&text)[12], std::int32_t v);

// The key of parameter index (0..11): "data%02d".
void FormatDataKey(char (&key)[8], int index);

// The preset name stored from text: cut to kPresetNameMax bytes at a
// character boundary, without a final lone lead byte, which would pair with
// the ']' of its section header.
void CopyPresetName(char (&name)[kPresetNameMax + 1], const char* text);

}  // namespace prumya
