// Preset choice and the writes to the settings and user preset files.
#include <cstring>

#include "saver/config.h"

namespace prumya {

namespace {

constexpr std::uint32_t kNameListSize = 2048;
constexpr int kMaxCandidates = 1024;

struct CandidateList {
  const char* names[kMaxCandidates];
  int count = 0;
};

// Appends the plain presets of one section-name list (names separated by
// NULs, ended by an empty name). The scan stops at the buffer's end as well,
// so a list the store failed to terminate cannot run past it.
void AddPlainPresets(SaverConfig& config, char (&list)[kNameListSize], CandidateList& out) {
  list[kNameListSize - 1] = '\0';
  const char* p = list;
  const char* const end = list + kNameListSize - 1;
  while (p < end && *p != '\0' && out.count < kMaxCandidates) {
    if (config.ReadPresetInt(p, "command", 0) == kPlainPreset) out.names[out.count++] = p;
    p += std::strlen(p) + 1;
  }
}

}  // namespace

bool SaverConfig::PickRandomPreset() {
  char systemNames[kNameListSize] = {};
  char userNames[kNameListSize] = {};
  store_->GetSectionNames(systemNames, kNameListSize, paths.systemPresets);
  store_->GetSectionNames(userNames, kNameListSize, paths.userPresets);
  CandidateList candidates;
  AddPlainPresets(*this, systemNames, candidates);
  AddPlainPresets(*this, userNames, candidates);
  if (candidates.count == 0) return false;  // nothing to choose: keep the name

  // The rule against repeating the last position needs a second candidate;
  // with one, it is taken again.
  int r = random_->Next() % candidates.count;
  while (candidates.count > 1 && r == lastPresetPick) r = random_->Next() % candidates.count;
  CopyPresetName(settings.presetName, candidates.names[r]);
  lastPresetPick = r;
  return false;
}

const char* SaverConfig::WriteAfterOk() {
  const char* failed = WriteSettings();
  if (IsReadOnly(settings.presetName)) return failed;
  const char* dataFailed = WriteDataKeys(settings.presetName);
  return failed != nullptr ? failed : dataFailed;
}

const char* SaverConfig::WriteDataKeys(const char* section) {
  store_->BeginEdit(paths.userPresets);
  for (int i = 0; i < kParamCount; ++i) {
    char key[8];
    char text[12];
    FormatDataKey(key, i);
    FormatInt(text, params[i]);
    store_->WriteString(section, key, text, paths.userPresets);
  }
  return store_->CommitEdit() ? nullptr : paths.userPresets;
}

const char* SaverConfig::DeletePreset(const char* name) {
  return store_->WriteString(name, nullptr, nullptr, paths.userPresets) ? nullptr : paths.userPresets;
}

const char* SaverConfig::WriteDefaultPresetName() {
  const bool written = store_->WriteString(kSettingsSection, "name", kDefaultPresetName, paths.settings);
  return written ? nullptr : paths.settings;
}

}  // namespace prumya
