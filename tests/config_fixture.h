// A SaverConfig over an in-memory store with three fixed INI paths.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/fake/fake_profile_store.h"
#include "saver/config.h"

namespace prumya_test {

constexpr const char* kSettingsFile = "C:\\s\\prumya.ini";
constexpr const char* kSystemFile = "C:\\s\\actsys.ini";
constexpr const char* kUserFile = "C:\\s\\action.ini";

// INI text with '|' for the line breaks.
inline std::string Ini(std::string text) {
  for (std::size_t at; (at = text.find('|')) != std::string::npos;) text.replace(at, 1, "\r\n");
  return text;
}

class ConfigTest : public ::testing::Test {
 protected:
  ConfigTest() : config(store, rng) {
    std::strcpy(config.paths.settings, kSettingsFile);
    std::strcpy(config.paths.systemPresets, kSystemFile);
    std::strcpy(config.paths.userPresets, kUserFile);
    config.FitScreen(1024, 768);
  }
  void SetName(const std::string& name) { store.Set(kSettingsFile, "action", "name", name); }
  std::string Name() const { return config.settings.presetName; }
  // The two preset files (as Ini text) and the stored name, loaded.
  void Load(const std::string& system, const std::string& user, const std::string& name = "") {
    store.files[kSystemFile] = Ini(system);
    store.files[kUserFile] = Ini(user);
    if (!name.empty()) SetName(name);
    config.LoadSettings(false);
  }

  fake::FakeProfileStore store;
  qrx::Random rng;
  prumya::SaverConfig config;
};

}  // namespace prumya_test
