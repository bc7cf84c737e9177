#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/app_shell.h"
#include "framework/box_host.h"
#include "framework/message_dialog.h"
#include "framework/sound_system.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/fake_window_system.h"
#include "tests/display_rig.h"

namespace {

class BoxTest : public ::testing::Test {
 protected:
  BoxTest() : shell(windows, clock, random), host(boxes, windows, shell) {
    windows.log = boxes.log = flips.log = &log;
    flips.flipResult = static_cast<plat::HResult>(0x887600D2u);  // not flippable: ignored
  }
  void AttachDisplay() {
    host.AttachDisplay([this] { return static_cast<plat::IDisplayDevice*>(&flips); });
  }
  const fake::FakeMessageBoxes::Box& Last() const { return boxes.shown.back(); }

  fake::CallLog log;
  fake::FakeWindowSystem windows;
  fake::FakeClock clock;
  fake::FakeMessageBoxes boxes;
  qrx::Random random;
  qrx::AppShell shell;
  qrx::BoxHost host;
  testrig::FlipOnlyDisplay flips;
};

TEST_F(BoxTest, DialogDefaultsAndNullCaptionReset) {
  const std::string caption = "メッセージ", text = "メッセージはありません。";
  const std::string own = "色数設定";
  qrx::MessageDialog dialog(host, qrx::MessageDialog::Information);
  EXPECT_EQ(plat::kIdOk, dialog.Show());
  EXPECT_EQ(caption, Last().caption);
  EXPECT_EQ(text, Last().text);
  EXPECT_EQ(64u, Last().style);

  dialog.SetCaption(own.c_str());
  dialog.Show();
  EXPECT_EQ(own, Last().caption);
  dialog.SetCaption(nullptr);
  dialog.Show();
  EXPECT_EQ(caption, Last().caption);
}

TEST_F(BoxTest, QuestionPassesTheAnswerThrough) {
  qrx::MessageDialog question(host, qrx::MessageDialog::Question);
  EXPECT_EQ(36u, question.Style());
  boxes.answers = {plat::kIdYes, plat::kIdNo, 0};
  EXPECT_EQ(6, question.Show());
  EXPECT_EQ(7, question.Show());
  EXPECT_EQ(0, question.Show()) << "a box that cannot be shown reads as 0";
}

TEST_F(BoxTest, FlipsOnlyWithADisplayAndHidesTheCursorAfter) {
  qrx::MessageDialog dialog(host, qrx::MessageDialog::Information);
  dialog.Show();
  EXPECT_EQ((std::vector<std::string>{"MessageBox", "HideCursor"}), log.calls);
  EXPECT_EQ(0u, Last().owner) << "no main window: no owner";

  log.calls.clear();
  AttachDisplay();
  shell.SwapMainWindow(0x55);
  qrx::ErrorReport report(host);
  EXPECT_TRUE(report.Show());
  EXPECT_EQ((std::vector<std::string>{"FlipToGdiSurface", "MessageBox", "HideCursor"}),
            log.calls);
  EXPECT_EQ(0x55u, Last().owner);
  EXPECT_EQ(0x1030u, Last().style);
}

TEST_F(BoxTest, ErrorReportComposesItsSections) {
  const std::string bare = "内容：\nエラーが発生しました。";
  const std::string defaultCaption = "エラー発生";
  qrx::ErrorReport report(host);
  boxes.answers = {0};
  EXPECT_TRUE(report.Show()) << "true whatever the box did";
  EXPECT_EQ(defaultCaption, Last().caption);
  EXPECT_EQ(bare, Last().text);

  const char* content = "ビットマップを読み込めません。";
  const char* remedy =
      "次のいずれかの原因が考えられます。\nファイル名が間違っている。\n"
      "ビットマップが大きすぎる。\nメモリが不足している。";
  const std::string expected =
      "内容：\nビットマップを読み込めません。\n\n対処法：\n次のいずれかの原因が考えられます。\n"
      "ファイル名が間違っている。\nビットマップが大きすぎる。\nメモリが不足している。";
  report.SetCaption("QRX Inside Error");
  report.SetContent(content);
  report.SetRemedy(remedy);
  report.Show();
  EXPECT_EQ("QRX Inside Error", Last().caption);
  EXPECT_EQ(expected, Last().text);
  report.Show();
  EXPECT_EQ(expected, Last().text) << "showing changes nothing";
}

TEST_F(BoxTest, OverlongTextsAreCutWholeCharactersInsideTheAreas) {
  std::string caption(126, 'c');
  caption += "表表";  // the first 表 would straddle byte 127
  std::string content(3000, 'x');
  qrx::ErrorReport report(host);
  report.SetCaption(caption.c_str());
  report.SetContent(content.c_str());
  report.Show();
  EXPECT_EQ(std::string(126, 'c'), Last().caption);
  EXPECT_EQ(2047u, Last().text.size());

  char small[8];
  char text[15];
  report.SetCaption("ab");
  report.SetContent("表表表表表");
  report.Compose(small, sizeof small, text, sizeof text);
  EXPECT_STREQ("ab", small);
  EXPECT_EQ(13u, std::strlen(text)) << "the 7-byte label and three whole characters";
}

TEST_F(BoxTest, SoundOpensAgainstTheMainWindowAndFailuresReleaseOnlyWhatWasMade) {
  fake::CallLog soundLog;
  fake::FakeSound device;
  device.log = &soundLog;
  qrx::SoundSystem sound(device, shell);
  shell.SwapMainWindow(0x42);
  sound.OpenSound();
  EXPECT_TRUE(sound.Ready());
  EXPECT_EQ(0x42u, device.cooperativeWindow);
  EXPECT_EQ(1u, device.cooperativeLevel);
  sound.CloseSound();
  sound.CloseSound();
  EXPECT_EQ((std::vector<std::string>{"SoundCreate", "SoundSetCooperativeLevel",
                                      "SoundCreatePrimaryBuffer", "SoundReleasePrimaryBuffer",
                                      "SoundReleaseDevice"}),
            soundLog.calls);
  soundLog.calls.clear();
  device.failCreate = true;
  sound.OpenSound();
  EXPECT_FALSE(sound.Ready());
  sound.CloseSound();
  EXPECT_EQ((std::vector<std::string>{"SoundCreate"}), soundLog.calls);
  device.failCreate = false;
  device.failBuffer = true;  // an untested buffer failure: only the device goes
  sound.OpenSound();
  sound.CloseSound();
  EXPECT_EQ("SoundReleaseDevice", soundLog.calls.back());
  EXPECT_FALSE(device.device);
}

}  // namespace
