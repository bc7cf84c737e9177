// Message boxes and failure reports through the box host, and the sound
// device's opening and closing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app_shell.h"
#include "framework/box_host.h"
#include "framework/framework.h"
#include "framework/message_dialog.h"
#include "framework/sound_system.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_sound.h"
#include "tests/display_rig.h"

namespace {

class BoxTest : public ::testing::Test {
 protected:
  BoxTest() {
    windows.log = boxes.log = flips.log = &log;
    flips.flipResult = static_cast<plat::HResult>(0x887600D2u);  // not flippable: ignored
  }
  const fake::FakeMessageBoxes::Box& Last() const { return boxes.shown.back(); }
  std::vector<std::string> Texts() const { return {Last().caption, Last().text}; }

  fake::CallLog log;
  fake::FakeWindowSystem windows;
  fake::FakeClock clock;
  fake::FakeMessageBoxes boxes;
  qrx::Random random;
  qrx::AppShell shell{windows, clock, random};
  qrx::BoxHost host{boxes, windows, shell};
  testrig::FlipOnlyDisplay flips;
};

// Message boxes show their texts or their defaults and pass the answer on;
// an error report shows its own caption and sections.
TEST_F(BoxTest, DialogsShowTheirTextsOrDefaultsAndPassTheAnswerOn) {
  qrx::MessageDialog notice(host, qrx::MessageDialog::Information);
  EXPECT_EQ(plat::kIdOk, notice.Show());
  EXPECT_EQ((std::vector<std::string>{"メッセージ", "メッセージはありません。"}), Texts());
  EXPECT_EQ(plat::kMbOk | plat::kMbIconInformation, Last().style);
  notice.SetCaption("色数設定");
  notice.SetText("本文");
  notice.Show();
  EXPECT_EQ((std::vector<std::string>{"色数設定", "本文"}), Texts());
  qrx::MessageDialog question(host, qrx::MessageDialog::Question);
  boxes.answers = {plat::kIdYes, plat::kIdNo, 0};
  EXPECT_EQ((std::vector<int>{plat::kIdYes, plat::kIdNo, 0}), (std::vector<int>{question.Show(), question.Show(), question.Show()}))
      << "a box that cannot be shown reads as 0";
  EXPECT_EQ(plat::kMbYesNo | plat::kMbIconQuestion, Last().style);
  EXPECT_TRUE(qrx::ErrorReport(host).Show()) << "true whatever the box did";
  EXPECT_EQ((std::vector<std::string>{"エラー発生", "内容：\nエラーが発生しました。"}), Texts());
}

TEST_F(BoxTest, FlipsOnlyWithADisplayAndHidesTheCursorAfter) {
  qrx::MessageDialog(host, qrx::MessageDialog::Information).Show();
  EXPECT_EQ((std::vector<std::string>{"MessageBox", "HideCursor"}), log.calls);
  EXPECT_EQ(0u, Last().owner) << "no main window: no owner";

  log.calls.clear();
  host.AttachDisplay([this] { return static_cast<plat::IDisplayDevice*>(&flips); });
  shell.SwapMainWindow(0x55);
  EXPECT_TRUE(qrx::ErrorReport(host).Show());
  EXPECT_EQ((std::vector<std::string>{"FlipToGdiSurface", "MessageBox", "HideCursor"}), log.calls);
  EXPECT_EQ(0x55u, Last().owner);
  EXPECT_EQ(plat::kMbOk | plat::kMbIconWarning | plat::kMbSystemModal, Last().style);

  fake::FakePorts ports;  // the framework's boxes flip its screen's display
  plat::Platform platform = ports.Get();
  platform.display = &flips;
  flips.flips = 0;
  qrx::Framework framework(platform);
  EXPECT_FALSE(framework.screen.InitFullColour(640, 480));  // no surfaces: reported
  EXPECT_EQ(1u, ports.boxes.shown.size());
  EXPECT_EQ(1, flips.flips);
}

// The 7-byte label and 2,039 bytes fill all but one byte of the text area:
// the next character would straddle its last byte.
TEST_F(BoxTest, OverlongTextsAreCutWholeCharactersInsideTheAreas) {
  qrx::ErrorReport report(host);
  report.SetCaption((std::string(126, 'c') + "表表").c_str());  // the first 表 would straddle byte 127
  report.SetContent((std::string(2039, 'x') + "表表").c_str());
  report.Show();
  EXPECT_EQ(std::string(126, 'c'), Last().caption);
  EXPECT_EQ("内容：\n" + std::string(2039, 'x'), Last().text);
}

// The buffer belongs to the device and goes first; a failed open releases
// nothing (a second open tries again), a failed buffer only the device;
// an open device is not opened again, nor a closed one closed.
TEST_F(BoxTest, SoundOpensAgainstTheMainWindowAndClosesWhatWasMade) {
  fake::FakeSound device;
  device.log = &log;
  qrx::SoundSystem sound(device, shell);
  shell.SwapMainWindow(0x42);
  const std::vector<std::string> logs[] = {
      {"SoundCreate", "SoundSetCooperativeLevel", "SoundCreatePrimaryBuffer", "SoundReleasePrimaryBuffer",
       "SoundReleaseDevice"},
      {"SoundCreate", "SoundCreate"},
      {"SoundCreate", "SoundSetCooperativeLevel", "SoundCreatePrimaryBuffer", "SoundReleaseDevice"}};
  for (int fail : {0, 1, 2}) {  // nothing, the device, the buffer
    log.calls.clear();
    device.failCreate = fail == 1, device.failBuffer = fail == 2;
    sound.OpenSound();
    sound.OpenSound();
    EXPECT_EQ(fail != 1, sound.Ready()) << "ready without its buffer";
    sound.CloseSound();
    sound.CloseSound();
    EXPECT_EQ(logs[fail], log.calls);
    EXPECT_FALSE(device.device);
  }
  EXPECT_EQ(0x42u, device.cooperativeWindow);
  EXPECT_EQ(plat::kDsSclNormal, device.cooperativeLevel);
}

}  // namespace
