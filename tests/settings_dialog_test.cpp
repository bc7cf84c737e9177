// The settings dialog's handlers over the fake control model, a real shell
// and box host, and files in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app_shell.h"
#include "framework/box_host.h"
#include "platform/fake/fake_dialog_host.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_window_system.h"
#include "saver/dialog_layout.h"
#include "saver/settings_dialog.h"
#include "tests/config_fixture.h"
#include "tests/display_rig.h"

using plat::WindowHandle;
using prumya_test::kSettingsFile;
using prumya_test::kSystemFile;
using prumya_test::kUserFile;
using Host = fake::FakeDialogHost;

namespace {

constexpr WindowHandle kSaverWindow = 0x500;
constexpr int kName = prumya::kIdcPresetName, kDelete = prumya::kIdcDelete, kOk = plat::kIdOk;
const std::string kDefaultName = "* ぷるみゅら";

class SettingsDialogTest : public prumya_test::ConfigTest {
 protected:
  SettingsDialogTest() : dialog(config, host, shell, boxes, [this] { return Display(); }) {
    shell.SwapMainWindow(kSaverWindow);
    boxes.AttachDisplay([this] { return Display(); });
  }
  plat::IDisplayDevice* Display() { return overSaver ? &display : nullptr; }

  std::intptr_t Run(Host::User user) {
    host.user = [user](Host& h, WindowHandle d, int templateId) {
      if (templateId == prumya::kSettingsTemplate) user(h, d, templateId);
    };
    return dialog.Run(0, kSaverWindow);
  }
  std::int32_t Pos(WindowHandle d, int index) { return host.Find(d, prumya::kIdcFirstSlider + index)->pos; }
  bool Enabled(WindowHandle d, int id) { return host.Find(d, id)->enabled; }
  std::string Text(WindowHandle d, int id) { return host.Find(d, id)->text; }
  bool Ended(WindowHandle d) { return host.FindDialog(d)->ended; }
  int IndexOf(WindowHandle d, const std::string& text) { return host.Find(d, kName)->list.FindExact(text.c_str()); }
  const fake::FakeMessageBoxes::Box& Box(std::size_t i) const { return messageBoxes.shown.at(i); }

  fake::FakeWindowSystem windows;
  fake::FakeClock clock;
  qrx::AppShell shell{windows, clock, rng};
  fake::FakeMessageBoxes messageBoxes;
  qrx::BoxHost boxes{messageBoxes, windows, shell};
  Host host{&prumya::FindDialogTemplate};
  testrig::FlipOnlyDisplay display;
  bool overSaver = false;
  prumya::SettingsDialog dialog;
};

// Slider moves show the label and three digits; loading a preset (its
// command changes nothing here) takes its values clamped to the screen and
// leaves that display alone.
TEST_F(SettingsDialogTest, OpensWithBothFilesListedAndTheValuesInMemoryThenTakesMovesAndPresets) {
  Load("[Beta]|[alpha long]|[Wide]|data08=900|data00=1", "[Beta]|[Gamma]|[Wide]|data05=77|command=2", "ALPHA");
  config.FitScreen(1024, 200);  // Radius, Margin and amplitude up to 50
  config.params[prumya::Length] = 100;
  config.settings.speedLimitMs = 50;  // hand-written values tick their boxes
  config.settings.mouseThreshold = 0;
  config.settings.showFrameRate = 1;
  Run([&](Host& h, WindowHandle d, int) {
    EXPECT_EQ((std::vector<std::string>{"alpha long", "Beta", "Beta", "Gamma", "Wide", "Wide"}), h.ListTexts(d, kName));
    EXPECT_EQ("alpha long", Text(d, kName));  // by prefix, ignoring case
    EXPECT_EQ(32, h.Find(d, kName)->limit);
    EXPECT_EQ("", Text(d, prumya::kIdcValueDisplay));
    const auto* length = h.Find(d, prumya::kIdcFirstSlider);
    EXPECT_EQ((std::vector<std::int32_t>{100, 4, 512, 1, 1}),
              (std::vector<std::int32_t>{length->pos, length->rangeMin, length->rangeMax, length->pageSize,
                                         length->lineSize}));
    EXPECT_EQ(50, h.Find(d, prumya::kIdcFirstSlider + prumya::Margin)->rangeMax);
    for (int id : {prumya::kIdcSpeedLimit, prumya::kIdcMouseLock, prumya::kIdcClock, prumya::kIdcFrameRate,
                   prumya::kIdcFullColour})
      EXPECT_EQ(id != prumya::kIdcClock && id != prumya::kIdcFullColour, h.IsButtonChecked(d, id)) << id;
    std::vector<std::string> shown;
    for (const auto& move : {std::pair<int, int>{prumya::HeadMove, 2}, {prumya::Length, 9999},
                             {prumya::WobbleAmplitude, 0}, {prumya::Thickness, 2}}) {
      h.MoveSlider(d, prumya::kIdcFirstSlider + move.first, move.second);  // the trackbar stops at its end
      shown.push_back(Text(d, prumya::kIdcValueDisplay));
    }
    EXPECT_EQ((std::vector<std::string>{"移動先端:002", "長さ:512", "振幅:000", "太さ:002"}), shown);
    h.ChooseEntry(d, kName, IndexOf(d, "Wide"));
    EXPECT_EQ(50, Pos(d, prumya::Margin));
    EXPECT_EQ(4, Pos(d, prumya::Length));
    EXPECT_EQ(77, Pos(d, prumya::HeadSpin));
    EXPECT_EQ(6, Pos(d, prumya::Thickness));  // the default
    EXPECT_EQ(shown.back(), Text(d, prumya::kIdcValueDisplay));
  });
  EXPECT_EQ(kSaverWindow, host.parents[0]);
}

// Typing or choosing a name enables Delete for a whole list entry that is
// not read-only (the user file's mark decides first, lifting the system
// file's or setting its own), and OK for any name; an OK sent while it is
// disabled is not taken. OK that cannot store the settings says so after
// the dialog, naming the file.
TEST_F(SettingsDialogTest, NameFieldEnablesDeleteAndOk) {
  Load("[Locked]|readonly=1|[Open]|data00=8|[Freed]|readonly=1", "[Freed]|readonly=0|[Mine]|readonly=1", "Gone");
  struct Step {
    bool choose;  // a list entry, else typed
    const char* name;
    bool deletes, oks;
  };
  const Step steps[] = {{false, "open", true, true},   {false, "Ope", false, true}, {true, "Freed", true, true},
                        {true, "Locked", false, true}, {true, "Mine", false, true}, {false, "", false, false},
                        {false, "x", false, true}};
  const std::intptr_t result = Run([&](Host& h, WindowHandle d, int) {
    EXPECT_EQ("", Text(d, kName));  // the stored name is no preset
    EXPECT_FALSE(Enabled(d, kOk));
    h.SendCommand(d, kOk);
    EXPECT_FALSE(Ended(d));
    for (const Step& step : steps) {
      SCOPED_TRACE(step.name);
      if (step.choose) h.ChooseEntry(d, kName, IndexOf(d, step.name));
      else h.Type(d, kName, step.name);
      EXPECT_EQ(step.deletes, Enabled(d, kDelete));
      EXPECT_EQ(step.oks, Enabled(d, kOk));
    }
    store.failWrites = true;
    h.Click(d, kOk);
  });
  EXPECT_EQ(plat::kIdOk, result);
  EXPECT_EQ("x", Name());
  ASSERT_EQ(1u, messageBoxes.shown.size());
  EXPECT_EQ("保存エラー", Box(0).caption);
  EXPECT_NE(std::string::npos, Box(0).text.find(std::string("\"") + kSettingsFile + "\""));
  EXPECT_NE(std::string::npos, Box(0).text.find("書き込み禁止")) << "the remedy says what to check";
  EXPECT_EQ(kSaverWindow, Box(0).owner);
}

// OK on a read-only preset whose stored values are not the sliders' is
// refused by a box the dialog owns. OK tests the name it would store: a
// longer name whose first 32 bytes are a read-only preset's is that preset.
// Once the values agree, only the settings are written.
TEST_F(SettingsDialogTest, ReadOnlyPresetWithOtherValuesIsRefusedEvenWhenCut) {
  const std::string locked = std::string(30, 'n') + "表";  // 32 bytes
  Load("[Wide]|readonly=1|data08=900|[" + locked + "]|readonly=1|data01=3", "[" + locked + "x]");
  WindowHandle mainDuringBox = 0;
  messageBoxes.onShow = [&](const fake::FakeMessageBoxes::Box&) { mainDuringBox = shell.GetMainWindow(); };
  const std::intptr_t result = Run([&](Host& h, WindowHandle d, int) {
    h.ChooseEntry(d, kName, IndexOf(d, "Wide"));
    h.Click(d, kOk);  // unchanged, but the stored 900 is not the slider's 192
    ASSERT_EQ(1u, messageBoxes.shown.size());
    EXPECT_EQ(d, Box(0).owner);
    EXPECT_EQ(d, mainDuringBox);
    h.ChooseEntry(d, kName, IndexOf(d, locked + "x"));
    h.Click(d, kOk);
    EXPECT_FALSE(Ended(d));
    h.Type(d, kName, locked.c_str());
    h.MoveSlider(d, prumya::kIdcFirstSlider + prumya::Thickness, 3);
    h.Click(d, kOk);  // now all twelve equal the stored values
  });
  ASSERT_EQ(2u, messageBoxes.shown.size());
  EXPECT_EQ("ぷるみゅら の設定", Box(0).caption);
  EXPECT_EQ("映像名 \"Wide\" への上書きは出来ません。\n映像名を変更してください。", Box(0).text);
  EXPECT_EQ(plat::kMbOk | plat::kMbIconInformation, Box(0).style);
  EXPECT_NE(std::string::npos, Box(1).text.find("\"" + locked + "\""));
  EXPECT_EQ(kSaverWindow, shell.GetMainWindow());
  EXPECT_EQ(plat::kIdOk, result);
  EXPECT_EQ(6u, store.Writes().size());  // the settings only
}

// No changes nothing. Yes deletes the user file's section (the system
// file's stays, and a key before the first section) and shows the default
// preset; Cancel afterwards keeps the deletion and the name.
TEST_F(SettingsDialogTest, DeletingANamePresentInBothFiles) {
  Load("[Twin]|data00=10|[" + kDefaultName + "]|data00=30", "orphan=1|[Twin]|data00=20", "Twin");
  messageBoxes.answers.push_back(plat::kIdNo);
  const std::intptr_t result = Run([&](Host& h, WindowHandle d, int) {
    h.Click(d, kDelete);
    EXPECT_EQ(3u, h.ListTexts(d, kName).size());
    h.Type(d, kName, "Twin");
    EXPECT_EQ(20, Pos(d, prumya::Length));
    h.Click(d, kDelete);
    EXPECT_EQ(d, Box(1).owner);
    EXPECT_EQ((std::vector<std::string>{kDefaultName, "Twin"}), h.ListTexts(d, kName));
    EXPECT_EQ(kDefaultName, Text(d, kName));
    EXPECT_EQ(30, Pos(d, prumya::Length));
    h.PressEscape(d);
  });
  EXPECT_EQ(plat::kIdCancel, result);
  ASSERT_EQ(2u, messageBoxes.shown.size());
  EXPECT_EQ("映像削除", Box(1).caption);
  EXPECT_EQ("映像名 \"Twin\" を削除します。\nよろしいですか？", Box(1).text);
  EXPECT_EQ(plat::kMbYesNo | plat::kMbIconQuestion, Box(1).style);
  EXPECT_EQ("orphan=1\r\n", store.files[kUserFile]);
  EXPECT_EQ(kDefaultName, store.Find(kSettingsFile, "action", "name"));
  EXPECT_EQ(2u, store.Writes().size());  // the deletion and the name
}

// With no entry left under the default name, the dialog shows that name
// over the table's defaults, every slider included.
TEST_F(SettingsDialogTest, DeletingTheLastEntryShowsTheDefaultsUnderTheDefaultName) {
  Load("", "[Solo]|data00=20|data11=3", "Solo");
  Run([&](Host& h, WindowHandle d, int) {
    h.Click(d, kDelete);
    EXPECT_EQ(kDefaultName, Text(d, kName));
    for (int i : {0, prumya::kParamCount - 1})
      EXPECT_EQ(config.Clamp(i, prumya::kParamTable[i].defaultValue), Pos(d, i)) << i;
    h.PressEscape(d);
  });
}

// The notice comes for a change of the switch made over the saver, owned by
// the shell's window; only over the saver does the display flip.
TEST_F(SettingsDialogTest, FullColourNoticeOnlyForAChangeOverTheSaver) {
  const auto toggles = [&](int count) {
    messageBoxes.shown.clear();
    Run([&](Host& h, WindowHandle d, int) {
      for (int i = 0; i < count; ++i) h.Click(d, prumya::kIdcFullColour);
    });
    return messageBoxes.shown;
  };
  overSaver = true;
  auto shown = toggles(1);
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ("色数設定", shown[0].caption);
  EXPECT_EQ("色数の設定は再起動後に有効となります。", shown[0].text);
  EXPECT_EQ(kSaverWindow, shown[0].owner);
  EXPECT_EQ(1, config.settings.fullColour);
  EXPECT_TRUE(toggles(2).empty());
  EXPECT_EQ(1, config.settings.fullColour);
  EXPECT_EQ(3, display.flips);  // two openings over the saver and the notice
  overSaver = false;
  EXPECT_TRUE(toggles(1).empty());
  EXPECT_EQ(0, config.settings.fullColour);
  EXPECT_EQ(3, display.flips);
}

// Version opens the about box over the dialog, which Escape closes; Cancel
// then keeps the switches and sliders as set but writes nothing.
TEST_F(SettingsDialogTest, AboutBoxOverTheDialogAndCancelKeepingTheValuesUnwritten) {
  config.settings.mouseThreshold = 24;
  std::intptr_t about = 0;
  WindowHandle settings = 0;
  host.user = [&](Host& h, WindowHandle d, int templateId) {
    if (templateId == prumya::kAboutTemplate) {
      h.PressEscape(d);
      about = h.FindDialog(d)->result;
      return;
    }
    settings = d;
    h.Click(d, prumya::kIdcVersion);
    EXPECT_FALSE(Ended(d));
    for (int id : {prumya::kIdcSpeedLimit, prumya::kIdcMouseLock, prumya::kIdcClock}) h.Click(d, id);
    h.MoveSlider(d, prumya::kIdcFirstSlider + prumya::TrailSpin, 200);
    h.PressEscape(d);
  };
  EXPECT_EQ(plat::kIdCancel, dialog.Run(0, kSaverWindow));
  EXPECT_EQ((std::vector<int>{prumya::kSettingsTemplate, prumya::kAboutTemplate}), host.opened);
  EXPECT_EQ(settings, host.parents[1]);
  EXPECT_EQ(plat::kIdCancel, about);
  EXPECT_EQ(0, host.unknownControlCalls);
  const auto& s = config.settings;
  EXPECT_EQ((std::vector<int>{20, 0, 1, 0}), (std::vector<int>{s.speedLimitMs, s.mouseThreshold, s.showClock,
                                                               s.showFrameRate}));
  EXPECT_EQ(200, config.params[prumya::TrailSpin]);
  EXPECT_TRUE(store.Writes().empty());
}

}  // namespace
