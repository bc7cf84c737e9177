// The settings dialog's handlers over the fake control model, a real shell
// and box host, and the in-memory INI store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app_shell.h"
#include "framework/box_host.h"
#include "platform/fake/fake_clock.h"
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

namespace {

constexpr WindowHandle kSaverWindow = 0x500;
constexpr int kName = prumya::kIdcPresetName;
constexpr int kDelete = prumya::kIdcDelete;
constexpr int kOk = plat::kIdOk;

const std::string kDefaultName = "* ぷるみゅら";
const std::string kDeleteCaption = "映像削除";
const std::string kRefuseCaption = "ぷるみゅら の設定";
const std::string kColourCaption = "色数設定";

class SettingsDialogTest : public prumya_test::ConfigTest {
 protected:
  SettingsDialogTest()
      : shell(windows, clock, random),
        boxes(messageBoxes, windows, shell),
        host(&prumya::FindDialogTemplate),
        dialog(config, host, shell, boxes, [this] { return Display(); }) {
    shell.SwapMainWindow(kSaverWindow);
    boxes.AttachDisplay([this] { return Display(); });
  }
  plat::IDisplayDevice* Display() { return overSaver ? &display : nullptr; }

  std::intptr_t Run(fake::FakeDialogHost::User user) {
    host.user = [user](fake::FakeDialogHost& h, WindowHandle d, int templateId) {
      if (templateId == prumya::kSettingsTemplate) user(h, d, templateId);
    };
    return dialog.Run(0, kSaverWindow);
  }
  std::int32_t Pos(WindowHandle d, int index) { return host.Find(d, 5000 + index)->pos; }
  bool Enabled(WindowHandle d, int id) { return host.Find(d, id)->enabled; }
  std::string Field(WindowHandle d) { return host.Find(d, kName)->text; }
  int IndexOf(WindowHandle d, const std::string& text) {
    return host.Find(d, kName)->list.FindExact(text.c_str());
  }
  std::vector<std::string> DataKeyWrites() const {
    std::vector<std::string> keys;
    for (const auto& w : store.Writes())
      if (w.key.compare(0, 4, "data") == 0) keys.push_back(w.section + "/" + w.key);
    return keys;
  }

  fake::FakeWindowSystem windows;
  fake::FakeClock clock;
  qrx::Random random;
  qrx::AppShell shell;
  fake::FakeMessageBoxes messageBoxes;
  qrx::BoxHost boxes;
  fake::FakeDialogHost host;
  testrig::FlipOnlyDisplay display;
  bool overSaver = false;
  prumya::SettingsDialog dialog;
};

TEST_F(SettingsDialogTest, OpeningListsBothFilesAndSelectsByPrefixIgnoringCase) {
  store.AddSection(kSystemFile, "Beta");
  store.AddSection(kSystemFile, "alpha long");
  store.AddSection(kUserFile, "Beta");
  store.AddSection(kUserFile, "Gamma");
  SetName("ALPHA");
  config.LoadSettings(false);
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    const std::vector<std::string> expected = {"alpha long", "Beta", "Beta", "Gamma"};
    EXPECT_EQ(expected, h.ListTexts(d, kName));
    EXPECT_EQ("alpha long", Field(d));
    EXPECT_EQ(32, h.Find(d, kName)->limit);
    EXPECT_EQ(std::string(), h.Find(d, prumya::kIdcValueDisplay)->text);
    EXPECT_TRUE(Enabled(d, kOk));
  });
  EXPECT_EQ(0, host.unknownControlCalls);
  EXPECT_EQ(kSaverWindow, host.parents[0]);
}

TEST_F(SettingsDialogTest, OpeningSetsSlidersAndSwitchesFromMemory) {
  config.FitScreen(1024, 200);  // Radius, Margin and amplitude up to 50
  config.params[prumya::Length] = 100;
  config.settings.speedLimitMs = 50;  // hand-written values tick their boxes
  config.settings.mouseThreshold = 0;
  config.settings.showFrameRate = 1;
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    const auto* length = h.Find(d, 5000);
    EXPECT_EQ(100, length->pos);
    EXPECT_EQ(4, length->rangeMin);
    EXPECT_EQ(512, length->rangeMax);
    EXPECT_EQ((512u << 16) | 4u, length->packedRange);
    EXPECT_EQ(1, length->pageSize);
    EXPECT_EQ(1, length->lineSize);
    EXPECT_EQ(50, h.Find(d, 5000 + prumya::Margin)->rangeMax);
    EXPECT_TRUE(h.IsButtonChecked(d, prumya::kIdcSpeedLimit));
    EXPECT_TRUE(h.IsButtonChecked(d, prumya::kIdcMouseLock));
    EXPECT_FALSE(h.IsButtonChecked(d, prumya::kIdcClock));
    EXPECT_TRUE(h.IsButtonChecked(d, prumya::kIdcFrameRate));
    EXPECT_FALSE(h.IsButtonChecked(d, prumya::kIdcFullColour));
  });
}

TEST_F(SettingsDialogTest, DeleteFollowsReadOnlyAndTypedNames) {
  store.Set(kSystemFile, "Locked", "readonly", "1");
  store.Set(kSystemFile, "Open", "data00", "8");
  store.Set(kUserFile, "Freed", "readonly", "0");
  store.Set(kSystemFile, "Freed", "readonly", "1");
  SetName("Locked");
  config.LoadSettings(false);
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    EXPECT_FALSE(Enabled(d, kDelete));
    h.Type(d, kName, "open");  // a list entry ignoring case, writable
    EXPECT_TRUE(Enabled(d, kDelete));
    h.Type(d, kName, "Ope");  // not a whole entry
    EXPECT_FALSE(Enabled(d, kDelete));
    h.Type(d, kName, "LOCKED");
    EXPECT_FALSE(Enabled(d, kDelete));
    h.ChooseEntry(d, kName, IndexOf(d, "Freed"));  // user file lifts the mark
    EXPECT_TRUE(Enabled(d, kDelete));
    h.ChooseEntry(d, kName, IndexOf(d, "Locked"));
    EXPECT_FALSE(Enabled(d, kDelete));
  });
}

TEST_F(SettingsDialogTest, UnknownOrEmptyNameDisablesOkUntilSomethingIsTyped) {
  store.AddSection(kSystemFile, "Alpha");
  SetName("Gone");
  config.LoadSettings(false);
  const std::intptr_t result = Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    EXPECT_EQ(std::string(), Field(d));  // an unknown name opens with an empty field
    EXPECT_FALSE(Enabled(d, kOk));
    h.SendCommand(d, kOk);  // even an IDOK from elsewhere is not taken
    EXPECT_FALSE(h.FindDialog(d)->ended);
    h.Type(d, kName, "x");
    EXPECT_TRUE(Enabled(d, kOk));
    h.Type(d, kName, "");
    EXPECT_FALSE(Enabled(d, kOk));
    EXPECT_FALSE(h.PressEnter(d));
    h.Type(d, kName, "x");
    h.PressEnter(d);
  });
  EXPECT_EQ(plat::kIdOk, result);
  EXPECT_STREQ("x", config.settings.presetName);
}

TEST_F(SettingsDialogTest, SliderMovesShowLabelAndThreeDigits) {
  const std::string head = "移動先端:002";
  const std::string length = "長さ:512";
  const std::string amplitude = "振幅:000";
  std::vector<std::string> shown;
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    h.MoveSlider(d, 5000 + prumya::HeadMove, 2);
    shown.push_back(h.Find(d, prumya::kIdcValueDisplay)->text);
    h.MoveSlider(d, 5000 + prumya::Length, 9999);  // the trackbar stops at its end
    shown.push_back(h.Find(d, prumya::kIdcValueDisplay)->text);
    h.MoveSlider(d, 5000 + prumya::WobbleAmplitude, 0);
    shown.push_back(h.Find(d, prumya::kIdcValueDisplay)->text);
    h.ChooseEntry(d, kName, 0);  // loading a preset leaves the display alone
  });
  EXPECT_EQ((std::vector<std::string>{head, length, amplitude}), shown);
}

TEST_F(SettingsDialogTest, ChoosingPresetClampsIntoSliderRanges) {
  store.Set(kSystemFile, "Wide", "data08", "900");  // margin above height / 4
  store.Set(kSystemFile, "Wide", "data00", "1");
  store.Set(kUserFile, "Wide", "data05", "77");
  store.Set(kUserFile, "Wide", "command", "2");  // a command changes nothing here
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    h.ChooseEntry(d, kName, IndexOf(d, "Wide"));
    EXPECT_EQ(192, Pos(d, prumya::Margin));
    EXPECT_EQ(4, Pos(d, prumya::Length));
    EXPECT_EQ(77, Pos(d, prumya::HeadSpin));
    EXPECT_EQ(6, Pos(d, prumya::Thickness));  // default
  });
}

TEST_F(SettingsDialogTest, ReadOnlyPresetOutsideRangeIsRefusedUntilRenamed) {
  store.Set(kSystemFile, "Wide", "readonly", "1");
  store.Set(kSystemFile, "Wide", "data08", "900");
  int refusals = 0;
  WindowHandle owner = 0, mainDuringBox = 0;
  messageBoxes.onShow = [&](const fake::FakeMessageBoxes::Box& box) {
    owner = box.owner;
    mainDuringBox = shell.GetMainWindow();
  };
  const std::intptr_t result = Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    h.ChooseEntry(d, kName, IndexOf(d, "Wide"));
    h.Click(d, kOk);  // unchanged, but the stored 900 is not the slider's 192
    refusals = static_cast<int>(messageBoxes.shown.size());
    EXPECT_EQ(d, owner);
    EXPECT_EQ(d, mainDuringBox);
    EXPECT_FALSE(h.FindDialog(d)->ended);
    h.Type(d, kName, "Mine");
    h.Click(d, kOk);
  });
  EXPECT_EQ(1, refusals);
  EXPECT_EQ(kRefuseCaption, messageBoxes.shown[0].caption);
  const std::string text = "映像名 \"Wide\" への上書きは出来ません。\n映像名を変更してください。";
  EXPECT_EQ(text, messageBoxes.shown[0].text);
  EXPECT_EQ(plat::kMbOk | plat::kMbIconInformation, messageBoxes.shown[0].style);
  EXPECT_EQ(kSaverWindow, shell.GetMainWindow());
  EXPECT_EQ(plat::kIdOk, result);
  EXPECT_EQ(12u, DataKeyWrites().size());
}

TEST_F(SettingsDialogTest, TypedReadOnlyNameWithOtherValuesIsRefused) {
  store.Set(kSystemFile, "Locked", "readonly", "1");
  store.Set(kSystemFile, "Locked", "data01", "3");
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    h.Type(d, kName, "Locked");
    h.Click(d, kOk);
    EXPECT_FALSE(h.FindDialog(d)->ended);
    h.MoveSlider(d, 5000 + prumya::Thickness, 3);
    h.Click(d, kOk);  // now all twelve equal the stored values
    EXPECT_TRUE(h.FindDialog(d)->ended);
  });
  EXPECT_EQ(1u, messageBoxes.shown.size());
  // The six settings keys, no data key of the read-only preset.
  EXPECT_TRUE(DataKeyWrites().empty());
  EXPECT_EQ(6u, store.Writes().size());
}

// OK that cannot store the settings says so after the dialog, naming the
// file; the values are still tried in their own file.
TEST_F(SettingsDialogTest, FailedSaveAfterOkIsReported) {
  store.failWrites = true;
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    h.Type(d, kName, "New one");
    h.Click(d, kOk);
  });
  ASSERT_EQ(1u, messageBoxes.shown.size());
  EXPECT_EQ("保存エラー", messageBoxes.shown[0].caption);
  EXPECT_NE(std::string::npos, messageBoxes.shown[0].text.find(std::string("\"") + kSettingsFile + "\""));
  EXPECT_EQ(kSaverWindow, messageBoxes.shown[0].owner);
  EXPECT_EQ(12u, DataKeyWrites().size());
}

TEST_F(SettingsDialogTest, OkWithNewNameWritesExactlyTheTwelveDataKeys) {
  store.AddSection(kSystemFile, kDefaultName);
  config.LoadSettings(false);
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    h.MoveSlider(d, 5000 + prumya::HeadSpin, 99);
    h.Type(d, kName, "New one");
    h.Click(d, kOk);
  });
  const auto* section = store.FindSection(kUserFile, "New one");
  ASSERT_NE(nullptr, section);
  ASSERT_EQ(12u, section->keys.size());
  EXPECT_EQ("data05", section->keys[5].name);
  EXPECT_EQ("99", section->keys[5].value);
  EXPECT_EQ("New one", *store.Find(kSettingsFile, "action", "name"));
}

TEST_F(SettingsDialogTest, DeletingNamePresentInBothFiles) {
  store.Set(kSystemFile, "Twin", "data00", "10");
  store.Set(kUserFile, "Twin", "data00", "20");
  store.Set(kSystemFile, kDefaultName, "data00", "30");
  SetName("Twin");
  config.LoadSettings(false);
  WindowHandle owner = 0;
  messageBoxes.onShow = [&](const fake::FakeMessageBoxes::Box& box) { owner = box.owner; };
  std::vector<std::string> listAfter;
  const std::intptr_t result = Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    EXPECT_EQ(20, Pos(d, prumya::Length));
    h.Click(d, kDelete);
    EXPECT_EQ(d, owner);
    listAfter = h.ListTexts(d, kName);
    EXPECT_EQ(kDefaultName, Field(d));
    EXPECT_EQ(30, Pos(d, prumya::Length));  // the default preset's value
    EXPECT_TRUE(Enabled(d, kOk));
    h.PressEscape(d);
  });
  EXPECT_EQ(plat::kIdCancel, result);
  ASSERT_EQ(1u, messageBoxes.shown.size());
  EXPECT_EQ(kDeleteCaption, messageBoxes.shown[0].caption);
  const std::string question = "映像名 \"Twin\" を削除します。\nよろしいですか？";
  EXPECT_EQ(question, messageBoxes.shown[0].text);
  EXPECT_EQ(plat::kMbYesNo | plat::kMbIconQuestion, messageBoxes.shown[0].style);
  EXPECT_EQ((std::vector<std::string>{kDefaultName, "Twin"}), listAfter);
  // Cancel keeps the deletion and the settings file's name; the system
  // file's section stays.
  EXPECT_EQ(nullptr, store.FindSection(kUserFile, "Twin"));
  EXPECT_NE(nullptr, store.FindSection(kSystemFile, "Twin"));
  EXPECT_EQ(kDefaultName, *store.Find(kSettingsFile, "action", "name"));
  EXPECT_TRUE(DataKeyWrites().empty());
  EXPECT_EQ(kSaverWindow, shell.GetMainWindow());
}

TEST_F(SettingsDialogTest, DeleteWithoutDefaultPresetShowsTableDefaults) {
  config.FitScreen(1024, 200);
  store.Set(kUserFile, "Mine", "data08", "40");
  SetName("Mine");
  config.LoadSettings(false);
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    h.Click(d, kDelete);
    EXPECT_TRUE(h.ListTexts(d, kName).empty());
    EXPECT_EQ(kDefaultName, Field(d));
    EXPECT_EQ(50, Pos(d, prumya::Margin));  // default 64 clamped
    EXPECT_EQ(64, Pos(d, prumya::Length));
  });
  EXPECT_EQ(kDefaultName, *store.Find(kSettingsFile, "action", "name"));
}

TEST_F(SettingsDialogTest, DeleteAnsweredNoOrWithEmptyFieldChangesNothing) {
  store.Set(kUserFile, "Mine", "data00", "20");
  store.Set(kUserFile, "", "orphan", "1");  // keys before the first section
  SetName("Mine");
  config.LoadSettings(false);
  messageBoxes.answers.push_back(plat::kIdNo);
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    h.Click(d, kDelete);
    EXPECT_EQ(1u, h.ListTexts(d, kName).size());
    EXPECT_EQ("Mine", Field(d));
    h.Type(d, kName, "");
    h.EnableItem(d, kDelete, true);
    h.Click(d, kDelete);  // asks nothing
  });
  EXPECT_EQ(1u, messageBoxes.shown.size());
  EXPECT_NE(nullptr, store.Find(kUserFile, "", "orphan"));
  EXPECT_TRUE(store.Writes().empty());
}

TEST_F(SettingsDialogTest, FullColourNoticeOnlyForAChangeOverTheSaverWhichAloneFlips) {
  const auto toggles = [&](int count) {
    messageBoxes.shown.clear();
    Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
      for (int i = 0; i < count; ++i) h.Click(d, prumya::kIdcFullColour);
    });
    return messageBoxes.shown;
  };
  overSaver = true;
  config.settings.fullColour = 0;
  auto shown = toggles(1);
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(kColourCaption, shown[0].caption);
  EXPECT_EQ(kSaverWindow, shown[0].owner);  // not swapped: the shell's window owns it
  EXPECT_EQ(1, config.settings.fullColour);
  EXPECT_TRUE(toggles(2).empty());
  config.settings.fullColour = 5;  // hand-written, stays ticked
  EXPECT_TRUE(toggles(0).empty());
  EXPECT_EQ(1, config.settings.fullColour);
  EXPECT_EQ(4, display.flips);  // three openings over the saver and the notice
  overSaver = false;
  EXPECT_TRUE(toggles(1).empty());
  EXPECT_EQ(0, config.settings.fullColour);
  EXPECT_EQ(4, display.flips);
}

TEST_F(SettingsDialogTest, ClosingStoresSwitchesAndSlidersEvenOnCancel) {
  config.settings.mouseThreshold = 24;
  const std::intptr_t result = Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    h.Click(d, prumya::kIdcSpeedLimit);
    h.Click(d, prumya::kIdcMouseLock);
    h.Click(d, prumya::kIdcClock);
    h.MoveSlider(d, 5000 + prumya::TrailSpin, 200);
    h.PressEscape(d);
  });
  EXPECT_EQ(plat::kIdCancel, result);
  EXPECT_EQ(20, config.settings.speedLimitMs);
  EXPECT_EQ(0, config.settings.mouseThreshold);
  EXPECT_EQ(1, config.settings.showClock);
  EXPECT_EQ(0, config.settings.showFrameRate);
  EXPECT_EQ(200, config.params[prumya::TrailSpin]);
  EXPECT_TRUE(store.Writes().empty());
}

TEST_F(SettingsDialogTest, LongListNameIsKeptAsItsFirst32Bytes) {
  // 30 ASCII bytes, then a double-byte character across the 32-byte line.
  const std::string longName = std::string(31, 'n') + "長い名前";
  store.AddSection(kUserFile, longName);
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    h.ChooseEntry(d, kName, 0);
    h.Click(d, kOk);
  });
  EXPECT_EQ(std::string(31, 'n'), config.settings.presetName);
}

// OK tests the name it would store: a longer name whose first 32 bytes are a
// read-only preset's is refused as that preset, never stored over it.
TEST_F(SettingsDialogTest, LongNameCutToAReadOnlyPresetIsRefused) {
  const std::string locked = std::string(30, 'n') + "表";  // 32 bytes
  store.Set(kSystemFile, locked, "readonly", "1");
  store.Set(kSystemFile, locked, "data01", "3");
  store.AddSection(kUserFile, locked + "x");
  Run([&](fake::FakeDialogHost& h, WindowHandle d, int) {
    h.ChooseEntry(d, kName, IndexOf(d, locked + "x"));
    h.Click(d, kOk);
    EXPECT_FALSE(h.FindDialog(d)->ended);
    h.PressEscape(d);
  });
  ASSERT_EQ(1u, messageBoxes.shown.size());
  EXPECT_NE(std::string::npos, messageBoxes.shown[0].text.find("\"" + locked + "\""));
  EXPECT_TRUE(store.Writes().empty());
}

TEST_F(SettingsDialogTest, VersionOpensAboutBoxOverTheDialog) {
  store.AddSection(kSystemFile, kDefaultName);
  std::vector<std::intptr_t> aboutResults;
  WindowHandle settings = 0;
  host.user = [&](fake::FakeDialogHost& h, WindowHandle d, int templateId) {
    if (templateId == prumya::kAboutTemplate) {
      EXPECT_FALSE(h.Click(d, 9));  // nothing else in the box
      h.PressEscape(d);
      aboutResults.push_back(h.FindDialog(d)->result);
      return;
    }
    settings = d;
    h.Click(d, prumya::kIdcVersion);
    EXPECT_FALSE(h.FindDialog(d)->ended);
    h.Click(d, kOk);
  };
  EXPECT_EQ(plat::kIdOk, dialog.Run(0, 0));
  ASSERT_EQ(2u, host.opened.size());
  EXPECT_EQ(prumya::kAboutTemplate, host.opened[1]);
  EXPECT_EQ(settings, host.parents[1]);
  EXPECT_EQ(std::vector<std::intptr_t>{plat::kIdCancel}, aboutResults);
  EXPECT_EQ(0, host.unknownControlCalls);
}

}  // namespace
