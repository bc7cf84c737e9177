// The running saver: start, frame tick, exit conditions and hot keys over
// fakes for the clock, keys, cursor and display.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/soft/soft_surface.h"
#include "saver/app.h"
#include "tests/saver_rig.h"

namespace {

using testrig::SaverRig;
using testrig::kSettingsFile;
using testrig::kSystemFile;
using testrig::kUserFile;

constexpr std::uint32_t kRerollMs = 60000;

// Three plain presets and one carrying the given command, which is current.
void CommandingPreset(SaverRig& rig, int command) {
  rig.profile.files[kSystemFile] =
      "[A]\r\ndata00=100\r\n[B]\r\ndata00=100\r\n[C]\r\ndata00=100\r\n[R]\r\ncommand=" + std::to_string(command) + "\r\n";
  rig.Setting("name", "R");
}

// Pixels of the overlay font's pure green on the presented frame (the trail
// never draws it; the frame hashes pin the overlays' cells).
int OverlayPixels(const SaverRig& rig) {
  const plat::soft::PixelView& v = rig.display.PrimarySurface()->View();
  const std::uint32_t green = plat::soft::NativeFromColour(v.layout, 0x00FF00);
  int n = 0;
  for (std::int32_t y = 0; y < v.height; ++y)
    for (std::int32_t x = 0; x < v.width; ++x) n += plat::soft::ReadPixel(v, x, y) == green ? 1 : 0;
  return n;
}

// The clock and frame rate show only when switched on. Messages the saver
// does not handle go to the default procedure.
TEST(SaverStart, LoadsOnceSetsTheModeAndDrawsOverlaysOnlyWhenOn) {
  for (const char* colour : {"1", "0"}) {
    SaverRig rig;
    rig.Setting("color", colour);
    const bool overlays = *colour == '1';
    rig.Setting("time", overlays ? "1" : "0");
    rig.Setting("fps", overlays ? "1" : "0");
    rig.Start();
    EXPECT_EQ(1, rig.Loads());
    EXPECT_EQ(*colour == '1' ? 32 : 16, rig.display.ModeBpp());  // full colour: 24 refused, 32 taken
    rig.Tick();
    EXPECT_EQ(overlays, OverlayPixels(rig) > 0);
    for (auto m : {plat::kWmMButtonDown, plat::kWmKeyUp, plat::kWmChar, plat::kWmMouseMove, plat::kWmRButtonUp})
      rig.Send(m, 'A');
    EXPECT_EQ(5u, rig.windows.defaultProcessed.size());
    EXPECT_EQ(0, rig.Closes());
  }
}

// Per axis and strictly beyond the threshold; the anchor may lie left of or
// above the primary monitor, and drift adds up. A threshold of 0 or below
// locks the mouse: no move ends the run.
TEST(SaverExit, MouseMovesBeyondTheThresholdFromTheAnchorEnd) {
  struct Case {
    std::int32_t x, y, dx, dy;
    bool ends;
    const char* threshold = "24";
  };
  for (const Case c : {Case{500, 400, 24, 0, false}, Case{500, 400, 0, -24, false}, Case{500, 400, 20, 20, false},
                       Case{500, 400, 25, 0, true}, Case{500, 400, 0, 25, true}, Case{500, 400, -25, 3, true},
                       Case{-1500, 300, 25, -26, true}, Case{200, -400, 25, -26, true}, Case{-1, -1, 25, -26, true},
                       Case{10, 10, 890, 690, false, "0"}, Case{10, 10, 890, 690, false, "-5"}}) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " by " << c.dx << "," << c.dy << " mouse=" << c.threshold);
    SaverRig rig;
    rig.Setting("mouse", c.threshold);
    rig.Start();
    rig.MoveCursor(c.x, c.y);
    rig.Tick();
    EXPECT_EQ(c.threshold[0] != '-' && c.threshold[0] != '0', rig.app.anchor.taken);
    rig.MoveCursor(c.x + c.dx / 2, c.y + c.dy / 2);
    rig.Tick();
    EXPECT_EQ(0, rig.Closes());
    rig.MoveCursor(c.x + c.dx, c.y + c.dy);
    rig.Tick();
    EXPECT_EQ(c.ends ? 1 : 0, rig.Closes());
  }
}

// The whole process over fakes, run by the shell's own loop from "/S": each
// timed wait and the frames drawn before it, until a key arrives during the
// first wait after the given frame and ends the run.
std::vector<std::pair<std::uint32_t, int>> WaitsUntilKey(const char* speed, int keyAfterFrame) {
  testrig::SaverFakes f;
  f.clock.ticks = 5000;
  f.windows.clock = &f.clock;
  f.profile.Set(kSettingsFile, "action", "speed", speed);
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
  char line[] = "/S";
  EXPECT_EQ(0, prumya::RunSaverProcess(f.Get(), 1, line, 1));
  EXPECT_EQ(prumya::kProductName, f.windows.title);
  EXPECT_EQ(kSettingsFile, f.profile.log.at(0).file);  // found beside the module
  EXPECT_EQ(1u, f.windows.destroyed.size());
  EXPECT_EQ(0, f.windows.stallCount);
  EXPECT_FALSE(f.sound.device);  // closed with the display
  return seen;
}

// Skipped ticks wait exactly for the time left, so no tick spins: speed 20
// waits out the limit; speed 0 presents once per refresh of a display that
// reports no rate (60 Hz), on the 1000/60 ms grid; a hand-edited negative
// speed reads as 0. The fourth wait is cut short by a mouse message after
// 5 ms; the next one is for exactly the rest.
TEST(SaverLoop, WaitsExactlyForTheNextFrameAndMessagesCutWaitsShort) {
  using Seen = std::vector<std::pair<std::uint32_t, int>>;
  EXPECT_EQ((Seen{{20, 0}, {20, 1}, {20, 2}, {20, 3}, {15, 3}, {20, 4}, {20, 5}}), WaitsUntilKey("20", 5));
  const Seen paced{{16, 1}, {17, 2}, {17, 3}, {16, 4}, {11, 4}, {17, 5}};
  EXPECT_EQ(paced, WaitsUntilKey("0", 5));
  EXPECT_EQ(paced, WaitsUntilKey("-20", 5));
}

// F2 reloads but does not restart the re-roll timer, which runs from the
// first tick, also while the command is another, which never re-rolls.
TEST(SaverTick, OnlyCommandsThreeAndFourRerollEveryMinute) {
  for (int command : {3, 4, 0, 1, 2, 5}) {
    SCOPED_TRACE(command);
    const bool rerolls = command == 3 || command == 4;
    SaverRig rig;
    CommandingPreset(rig, command);
    rig.Start();
    rig.clock.Advance(1234);
    rig.Tick();
    rig.clock.Advance(kRerollMs / 2);
    rig.Key(plat::kVkF2);
    EXPECT_EQ(2, rig.Loads());
    for (const auto& step : {std::pair<std::uint32_t, int>{kRerollMs / 2 - 1, 2}, {1, 3}, {kRerollMs - 1, 3},
                             {1, 4}, {2 * kRerollMs, 5}}) {
      rig.clock.Advance(step.first);
      rig.Tick();
      EXPECT_EQ(rerolls ? step.second : 2, rig.Loads());
    }
    if (rerolls) continue;
    CommandingPreset(rig, 3);  // taken up after a long run: re-rolls at once
    rig.Key(plat::kVkF2);
    rig.Tick();
    EXPECT_EQ(4, rig.Loads());
  }
}

TEST(SaverHotKeys, F3StoresExactlyTheShownValuesAsTheQuickPreset) {
  SaverRig rig;
  CommandingPreset(rig, 4);  // random values: what is on screen is saved
  rig.Start();
  rig.Tick();
  const prumya::SaverParams shown = rig.app.config.params;
  const std::string settingsBefore = rig.profile.files[kSettingsFile];

  rig.Key(plat::kVkF3);

  ASSERT_EQ(1u, rig.boxes.shown.size());
  EXPECT_EQ("映像保存", rig.boxes.shown[0].caption);
  EXPECT_EQ("現在の映像を映像名 \"???\" に保存します。", rig.boxes.shown[0].text);
  for (int i = 0; i < prumya::kParamCount; ++i) EXPECT_EQ(shown[i], rig.app.config.StoredValue("???", i)) << i;
  EXPECT_EQ(settingsBefore, rig.profile.files[kSettingsFile]);

  // A quick save that cannot be written says so, naming the file.
  rig.profile.failWrites = true;
  rig.Key(plat::kVkF3);
  ASSERT_EQ(3u, rig.boxes.shown.size());
  EXPECT_EQ("保存エラー", rig.boxes.shown[2].caption);
  EXPECT_NE(std::string::npos, rig.boxes.shown[2].text.find(std::string("\"") + kUserFile + "\""));
}

// Each trigger once, from a taken anchor at (300, 300), over a current
// preset carrying `command` (1 picks another preset; 3 re-rolls; 4 random
// values). The dialog's triggers load before and after it without carrying
// the command out in between; every reset takes the anchor afresh at the
// next tick, where the cursor is then (it moved during the dialog).
TEST(SaverTriggers, ClosesLoadsAnchorDialogsAndWrites) {
  constexpr int kReroll = -1, kAlt = -2, kPassed = 0x10000;  // kPassed + message: sent, not a key
  struct Case {
    int trigger, command, closes, loads, dialogs, writes;  // a trigger that closes leaves the anchor
  };
  const Case cases[] = {
      {plat::kVkF1, 1, 0, 3, 1, 0}, {kPassed + plat::kWmRButtonDown, 1, 0, 3, 1, 0}, {plat::kVkF2, 1, 0, 2, 0, 0},
      {plat::kVkF3, 4, 0, 1, 0, 12}, {kReroll, 3, 0, 2, 0, 0}, {'A', 0, 1, 1, 0, 0}, {plat::kVkSpace, 0, 1, 1, 0, 0},
      {plat::kVkReturn, 0, 1, 1, 0, 0}, {plat::kVkDown, 0, 1, 1, 0, 0}, {kPassed + plat::kWmLButtonDown, 0, 1, 1, 0, 0},
      {plat::kVkEscape, 0, 2, 1, 0, 0},  // the shell's own request and the handler's
      {kAlt, 0, 1, 1, 0, 0},             // held at a tick
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.trigger);
    SaverRig rig;
    CommandingPreset(rig, c.command);
    if (c.trigger == kAlt) rig.Setting("speed", "20");  // its tick draws no frame
    rig.Start();
    rig.MoveCursor(300, 300);
    rig.Tick();
    const int pick = rig.app.config.lastPresetPick;
    std::string nameInDialog;
    rig.duringDialog = [&] {
      nameInDialog = rig.app.config.settings.presetName;
      rig.MoveCursor(800, 100);
    };
    if (c.trigger == kReroll || c.trigger == kAlt) {
      rig.input.SetKey(plat::kVkMenu, c.trigger == kAlt);
      rig.clock.Advance(c.trigger == kReroll ? kRerollMs : 0);
      rig.Tick();  // checks the exit first, then re-rolls
    } else if (c.trigger >= kPassed) {
      rig.Send(static_cast<std::uint32_t>(c.trigger - kPassed));
    } else {
      rig.Key(c.trigger);
    }
    EXPECT_EQ(c.closes, rig.Closes());
    EXPECT_EQ(c.loads, rig.Loads());
    EXPECT_EQ(static_cast<std::size_t>(c.writes), rig.profile.Writes().size());
    ASSERT_EQ(static_cast<std::size_t>(c.dialogs), rig.dialogCalls.size());
    if (c.dialogs) {
      EXPECT_EQ(rig.framework.shell.GetInstance(), rig.dialogCalls[0].first);
      EXPECT_EQ(rig.mainWindow, rig.dialogCalls[0].second);
      EXPECT_EQ("R", nameInDialog);
    }
    EXPECT_TRUE(c.command != 1 || pick != rig.app.config.lastPresetPick);  // another preset
    EXPECT_EQ(c.closes != 0, rig.app.anchor.taken);
    if (c.closes != 0) continue;
    rig.MoveCursor(800, 100);
    rig.Tick();
    EXPECT_EQ(0, rig.Closes());
    EXPECT_EQ(800, rig.app.anchor.x);
    EXPECT_EQ(100, rig.app.anchor.y);
  }
}

}  // namespace
