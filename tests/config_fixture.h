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

  fake::FakeProfileStore store;
  qrx::Random rng;
  prumya::SaverConfig config;
};

}  // namespace prumya_test
