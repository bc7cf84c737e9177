// The running saver: start, frame tick, exit conditions and hot keys over
// fakes for the clock, keys, cursor and display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/saver_rig.h"

namespace {

using testrig::SaverRig;
using testrig::kSettingsFile;
using testrig::kSystemFile;
using testrig::kUserFile;

constexpr std::uint32_t kRerollMs = 60000;

// Three plain presets and one carrying the given command, which is current.
void CommandingPreset(SaverRig& rig, int command) {
  for (const char* name : {"A", "B", "C"}) rig.profile.Set(kSystemFile, name, "data00", "100");
  rig.profile.Set(kSystemFile, "R", "command", std::to_string(command));
  rig.Setting("name", "R");
}

// The anchor is taken at (x, y) by one tick.
void Anchor(SaverRig& rig, std::int32_t x, std::int32_t y) {
  rig.MoveCursor(x, y);
  rig.Tick();
  ASSERT_TRUE(rig.app.anchor.taken);
  ASSERT_EQ(0, rig.Closes());
}

TEST(SaverStart, LoadsResetsInitialisesAndRegisters) {
  SaverRig rig;
  rig.Setting("color", "1");
  rig.Start();
  EXPECT_EQ(1, rig.Loads());
  EXPECT_FALSE(rig.app.anchor.taken);
  EXPECT_EQ(32, rig.display.ModeBpp());  // full colour: 24 refused, 32 taken
  EXPECT_NE(0, rig.app.font.sprite.SlotIndex());
  rig.Key('A');  // reaches the saver's handler through the shell
  EXPECT_EQ(1, rig.Closes());

  SaverRig sixteen;
  sixteen.Start();
  EXPECT_EQ(16, sixteen.display.ModeBpp());
}

TEST(SaverExit, MouseThresholdIsPerAxisAndStrict) {
  struct Case {
    std::int32_t dx, dy;
    bool ends;
  };
  for (const Case c : {Case{24, 0, false}, Case{0, -24, false}, Case{20, 20, false},
                       Case{25, 0, true}, Case{0, 25, true}, Case{-25, 3, true}}) {
    SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
    SaverRig rig;
    rig.Start();
    Anchor(rig, 500, 400);
    rig.MoveCursor(500 + c.dx, 400 + c.dy);
    rig.Tick();
    EXPECT_EQ(c.ends ? 1 : 0, rig.Closes());
  }
}

// The old (-1, -1) sentinel retook the anchor at every check wherever a
// coordinate was negative, so the mouse never ended the saver on a monitor
// left of or above the primary one.
TEST(SaverExit, MovementLeftOrAboveThePrimaryMonitorEnds) {
  for (const auto& start : {std::pair<int, int>{-1500, 300}, {200, -400}, {-1, -1}}) {
    SaverRig rig;
    rig.Start();
    Anchor(rig, start.first, start.second);
    rig.MoveCursor(start.first + 10, start.second - 10);
    rig.Tick();
    EXPECT_EQ(0, rig.Closes());  // the anchor stays put: drift adds up
    rig.MoveCursor(start.first + 25, start.second - 26);
    rig.Tick();
    EXPECT_EQ(1, rig.Closes()) << start.first << "," << start.second;
  }
}

TEST(SaverExit, MouseLockIgnoresMovementButNotKeysClicksOrAlt) {
  for (const char* lock : {"0", "-5"}) {
    SaverRig rig;
    rig.Setting("mouse", lock);
    rig.Start();
    rig.MoveCursor(10, 10);
    rig.Tick();
    rig.MoveCursor(900, 700);
    rig.Tick();
    EXPECT_EQ(0, rig.Closes());
    rig.Send(plat::kWmLButtonDown);
    EXPECT_EQ(1, rig.Closes());
    rig.input.SetKey(plat::kVkMenu, true);
    rig.Tick();
    EXPECT_EQ(2, rig.Closes());
  }
}

TEST(SaverExit, AnchorIsTakenAfreshAfterEachReset) {
  // F1 (the cursor moves while the dialog is open), F2, F3, the right button,
  // and a re-roll (the tick checks the exit, then re-rolls).
  constexpr int kRightButton = 0, kReroll = -1;
  for (int trigger : {plat::kVkF1, plat::kVkF2, plat::kVkF3, kRightButton, kReroll}) {
    SCOPED_TRACE(trigger);
    SaverRig rig;
    CommandingPreset(rig, trigger == kReroll ? 3 : 0);
    rig.Start();
    Anchor(rig, 300, 300);
    rig.duringDialog = [&] { rig.MoveCursor(800, 100); };
    if (trigger == kRightButton) {
      rig.Send(plat::kWmRButtonDown);
    } else if (trigger == kReroll) {
      rig.clock.Advance(kRerollMs);
      rig.Tick();
    } else {
      rig.Key(trigger);
    }
    rig.MoveCursor(800, 100);
    EXPECT_FALSE(rig.app.anchor.taken);
    rig.Tick();
    EXPECT_EQ(0, rig.Closes());
    EXPECT_EQ(800, rig.app.anchor.x);
    EXPECT_EQ(100, rig.app.anchor.y);
  }
}

TEST(SaverTick, SpeedLimitSkipsFramesButStillChecksExits) {
  SaverRig rig;
  rig.Setting("speed", "20");
  rig.Start();
  rig.Tick();  // the first tick starts the frame timer: no frame yet
  for (const auto& step : {std::pair<int, int>{19, 0}, {1, 1}, {19, 1}}) {
    rig.clock.Advance(step.first);
    rig.Tick();
    EXPECT_EQ(step.second, rig.Frames());
  }
  rig.input.SetKey(plat::kVkMenu, true);
  rig.Tick();  // Alt ends at the next tick, drawn or not
  EXPECT_EQ(1, rig.Closes());
  EXPECT_EQ(1, rig.Frames());
}

// The whole process over fakes, run by the shell's own loop from "/s": each
// timed wait and the frames drawn before it, until a key arrives during the
// first wait after the given frame and ends the run.
std::vector<std::pair<std::uint32_t, int>> WaitsUntilKey(const char* speed, int keyAfterFrame) {
  testrig::SaverFakes f;
  f.system.width = 1024;
  f.system.height = 768;
  f.clock.ticks = 5000;
  f.windows.clock = &f.clock;
  f.profile.Set(kSettingsFile, "action", "speed", speed);
  qrx::Framework framework{f.Get()};
  prumya::SaverApp app{framework};
  app.Install();
  std::vector<std::pair<std::uint32_t, int>> seen;
  bool keySent = false;
  f.windows.onWait = [&] {
    if (f.windows.timedWaits.size() == seen.size()) {  // untimed: the window is shown
      f.windows.Post(plat::kWmActivateApp, 1);
      return;
    }
    seen.push_back({f.windows.timedWaits.back(), f.display.Presents()});
    if (seen.size() == 4) {
      f.clock.Advance(5);  // a message that ends nothing cuts the fourth wait short
      f.windows.Post(plat::kWmMouseMove);
    } else if (f.display.Presents() == keyAfterFrame && !keySent) {
      keySent = true;
      f.windows.Post(plat::kWmKeyDown, 'Q');
    }
  };
  char line[] = "/s";
  EXPECT_EQ(0, framework.shell.Run(1, 0, line, 1));
  EXPECT_EQ(1u, f.windows.destroyed.size());
  EXPECT_EQ(0, f.windows.stallCount);
  return seen;
}

// Skipped ticks wait exactly for the time left, so no tick spins: speed 20
// waits out the limit; speed 0 presents once per refresh of a display that
// reports no rate (60 Hz), on the 1000/60 ms grid; a hand-edited negative
// speed reads as 0. The fourth wait is cut short by a mouse message after
// 5 ms; the next one is for exactly the rest.
TEST(SaverLoop, WaitsExactlyForTheNextFrameAndMessagesCutWaitsShort) {
  using Seen = std::vector<std::pair<std::uint32_t, int>>;
  const Seen limited{{20, 0}, {20, 1}, {20, 2}, {20, 3}, {15, 3}, {20, 4}, {20, 5}};
  EXPECT_EQ(limited, WaitsUntilKey("20", 5));
  const Seen paced{{16, 1}, {17, 2}, {17, 3}, {16, 4}, {11, 4}, {17, 5}};
  EXPECT_EQ(paced, WaitsUntilKey("0", 5));
  EXPECT_EQ(paced, WaitsUntilKey("-20", 5));
}

TEST(SaverTick, CommandsThreeAndFourRerollEveryMinute) {
  for (int command : {3, 4}) {
    SCOPED_TRACE(command);
    SaverRig rig;
    CommandingPreset(rig, command);
    rig.Start();
    rig.clock.Advance(1234);
    rig.Tick();  // starts the re-roll timer
    EXPECT_EQ(1, rig.Loads());
    rig.clock.Advance(kRerollMs / 2);
    rig.Key(plat::kVkF2);  // reloads, but does not restart the re-roll timer
    EXPECT_EQ(2, rig.Loads());
    for (const auto& step : {std::pair<std::uint32_t, int>{kRerollMs / 2 - 1, 2}, {1, 3},
                             {kRerollMs - 1, 3}, {1, 4}}) {
      rig.clock.Advance(step.first);
      rig.Tick();
      EXPECT_EQ(step.second, rig.Loads());
    }
  }
}

// The re-roll timer runs from the first tick even while it is not asked, so
// a minutely command chosen in the dialog after a long run re-rolls at once.
TEST(SaverTick, CommandChosenInTheDialogRerollsAtOnceWhenOverdue) {
  SaverRig rig;
  CommandingPreset(rig, 3);
  rig.Setting("name", "A");
  rig.Start();
  rig.Tick();
  rig.clock.Advance(kRerollMs + kRerollMs / 2);
  rig.Tick();
  rig.duringDialog = [&] { rig.Setting("name", "R"); };
  rig.Key(plat::kVkF1);
  const int loads = rig.Loads();
  rig.Tick();
  EXPECT_EQ(loads + 1, rig.Loads());
  rig.clock.Advance(kRerollMs - 1);
  rig.Tick();
  EXPECT_EQ(loads + 1, rig.Loads());
}

TEST(SaverTick, OtherCommandsNeverReroll) {
  for (int command : {0, 1, 2, 5}) {
    SaverRig rig;
    CommandingPreset(rig, command);
    rig.Start();
    for (int i = 0; i < 5; ++i) {
      rig.Tick();
      rig.clock.Advance(kRerollMs);
    }
    EXPECT_EQ(1, rig.Loads()) << command;
  }
}

TEST(SaverHotKeys, F2WithCommandOneNeverRepeatsThePreviousPosition) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    SaverRig rig;
    CommandingPreset(rig, 1);
    rig.framework.random.Seed(seed);
    rig.Start();
    std::vector<int> picks{rig.app.config.lastPresetPick};
    for (int press = 0; press < 3; ++press) {
      rig.Key(plat::kVkF2);
      picks.push_back(rig.app.config.lastPresetPick);
    }
    for (std::size_t i = 1; i < picks.size(); ++i) {
      ASSERT_NE(picks[i - 1], picks[i]) << "seed " << seed;
      ASSERT_GE(picks[i], 0);
    }
    EXPECT_EQ(0, rig.Closes());
  }
}

TEST(SaverHotKeys, F3StoresExactlyTheTwelveValuesAsTheQuickPreset) {
  SaverRig rig;
  CommandingPreset(rig, 4);  // random values: what is on screen is saved
  rig.Setting("time", "1");
  rig.Start();
  rig.Tick();
  const prumya::SaverParams shown = rig.app.config.params;
  const auto settingsBefore = *rig.profile.FindSection(kSettingsFile, "action");
  const std::size_t logBefore = rig.profile.log.size();

  rig.Key(plat::kVkF3);

  ASSERT_EQ(1u, rig.boxes.shown.size());
  const std::string caption = "映像保存";
  const std::string text = "現在の映像を映像名 \"???\" に保存します。";
  EXPECT_EQ(caption, rig.boxes.shown[0].caption);
  EXPECT_EQ(text, rig.boxes.shown[0].text);
  std::vector<std::string> keys;
  for (std::size_t i = logBefore; i < rig.profile.log.size(); ++i) {
    const auto& access = rig.profile.log[i];
    ASSERT_EQ("write", access.op);
    EXPECT_EQ(kUserFile, access.file);
    EXPECT_EQ("???", access.section);
    keys.push_back(access.key);
  }
  ASSERT_EQ(12u, keys.size());
  const auto* quick = rig.profile.FindSection(kUserFile, "???");
  ASSERT_NE(nullptr, quick);
  ASSERT_EQ(12u, quick->keys.size());
  for (int i = 0; i < 12; ++i) {
    char key[8];
    prumya::FormatDataKey(key, i);
    EXPECT_EQ(key, keys[i]);
    EXPECT_EQ(std::to_string(shown[i]), *rig.profile.Find(kUserFile, "???", key));
  }
  const auto& settingsAfter = *rig.profile.FindSection(kSettingsFile, "action");
  const auto pairs = [](const auto& section) {
    std::vector<std::string> out;
    for (const auto& k : section.keys) out.push_back(k.name + "=" + k.value);
    return out;
  };
  EXPECT_EQ(pairs(settingsBefore), pairs(settingsAfter));
  EXPECT_FALSE(rig.app.anchor.taken);
  EXPECT_EQ(0, rig.Closes());

  // A quick save that cannot be written says so, naming the file.
  rig.profile.failWrites = true;
  rig.Key(plat::kVkF3);
  ASSERT_EQ(3u, rig.boxes.shown.size());
  EXPECT_EQ("保存エラー", rig.boxes.shown[2].caption);
  EXPECT_NE(std::string::npos, rig.boxes.shown[2].text.find(std::string("\"") + kUserFile + "\""));
  EXPECT_EQ(0, rig.Closes());
}

TEST(SaverHotKeys, F1AndRightButtonRunTheDialogBetweenTwoLoads) {
  for (bool rightButton : {false, true}) {
    SaverRig rig;
    CommandingPreset(rig, 1);
    rig.Start();
    std::string nameInDialog;
    rig.duringDialog = [&] { nameInDialog = rig.app.config.settings.presetName; };
    const int loads = rig.Loads();
    if (rightButton) rig.Send(plat::kWmRButtonDown);
    else rig.Key(plat::kVkF1);
    ASSERT_EQ(1u, rig.dialogCalls.size());
    EXPECT_EQ(rig.framework.shell.GetInstance(), rig.dialogCalls[0].first);
    EXPECT_EQ(rig.mainWindow, rig.dialogCalls[0].second);
    EXPECT_EQ("R", nameInDialog);  // loaded without carrying the command out
    EXPECT_EQ(loads + 2, rig.Loads());
    EXPECT_NE("R", std::string(rig.app.config.settings.presetName));  // then carried out
    EXPECT_EQ(0, rig.Closes());
  }
}

TEST(SaverHotKeys, KeysAndClicksThatEndAndMessagesLeftAlone) {
  SaverRig rig;
  rig.Start();
  for (int vk : {int{'A'}, plat::kVkSpace, plat::kVkReturn, plat::kVkDown}) rig.Key(vk);
  rig.Send(plat::kWmLButtonDown);
  EXPECT_EQ(5, rig.Closes());
  rig.Key(plat::kVkEscape);  // the shell's own request and the handler's
  EXPECT_EQ(7, rig.Closes());
  const std::size_t before = rig.windows.defaultProcessed.size();
  for (std::uint32_t m : {plat::kWmMButtonDown, plat::kWmKeyUp, plat::kWmChar, plat::kWmMouseMove,
                          plat::kWmRButtonUp})
    rig.Send(m, 'A');
  EXPECT_EQ(before + 5, rig.windows.defaultProcessed.size());
  EXPECT_EQ(7, rig.Closes());
}

}  // namespace
