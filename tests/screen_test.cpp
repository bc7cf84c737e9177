#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/display_rig.h"

namespace {

using plat::soft::SoftFault;
using testrig::DisplayRig;

const std::string kCaption = "QRX Inside Error";

std::string Report(const std::string& content) { return std::string("内容：\n") + content; }

struct StepCase {
  const char* step;
  std::function<void(DisplayRig&)> breakIt;
  std::string content;
};

TEST(ScreenInit, EachFailingStepReportsOnceAndOpensNoSound) {
  const std::vector<StepCase> cases = {
      {"create", [](DisplayRig& r) { r.device.Fail(SoftFault::Create); }, "DirectDrawが使用できません。"},
      {"cooperative", [](DisplayRig& r) { r.device.Fail(SoftFault::CooperativeLevel); },
       "フルスクリーンに設定できません。"},
      {"mode", [](DisplayRig& r) { r.device.Fail(SoftFault::DisplayMode16); }, "解像度が変更できません。"},
      {"primary", [](DisplayRig& r) { r.device.FailCreateSurface(1); }, "プライマリサーフェスを作成できません。"},
      {"back", [](DisplayRig& r) { r.device.FailCreateSurface(2); }, "バックバッファを作成できません。"},
      {"work", [](DisplayRig& r) { r.device.FailCreateSurface(3); }, "作業バッファを作成できません。"},
      {"format", [](DisplayRig& r) { r.device.Fail(SoftFault::PixelFormat); },
       "ピクセルフォーマットが取得できません。"},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.step);
    DisplayRig rig;
    c.breakIt(rig);
    EXPECT_FALSE(rig.screen.Init16(rig.width, rig.height));
    ASSERT_EQ(1u, rig.boxes.shown.size());
    EXPECT_EQ(kCaption, rig.boxes.shown[0].caption);
    EXPECT_EQ(Report(c.content), rig.boxes.shown[0].text);
    EXPECT_EQ(0x1030u, rig.boxes.shown[0].style);
    EXPECT_TRUE(rig.sound.calls.empty());
    EXPECT_FALSE(rig.soundSystem.Ready());
    // Nothing was rolled back; Release hands everything back once.
    rig.screen.Release();
    EXPECT_EQ(0, rig.device.LiveSurfaces());
    EXPECT_FALSE(rig.device.Exists());
    EXPECT_FALSE(rig.device.ModeChanged());
  }
}

TEST(ScreenInit, ModeFailureKeepsExclusiveModeUntilRelease) {
  DisplayRig rig;
  rig.device.FailCreateSurface(2);
  EXPECT_FALSE(rig.screen.Init16(rig.width, rig.height));
  EXPECT_TRUE(rig.device.ModeChanged());
  EXPECT_EQ(0x13u, rig.device.CooperativeFlags());
  EXPECT_EQ(1, rig.device.LiveSurfaces());  // the primary surface stays
  rig.screen.Release();
  EXPECT_EQ(plat::kDdsclNormal, rig.device.CooperativeFlags());
}

TEST(ScreenInit, FullColourFallsBackTo32Bits) {
  DisplayRig rig;
  ASSERT_TRUE(rig.screen.InitFullColour(rig.width, rig.height));
  EXPECT_EQ(4, rig.screen.ColourDepth());
  EXPECT_EQ((std::vector<std::int32_t>{24, 32}), rig.device.ModesTried());
  EXPECT_EQ(32, rig.device.ModeBpp());
  EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(ScreenInit, NoUsableModeIsOneReport) {
  DisplayRig full;
  full.device.Fail(SoftFault::DisplayMode32);
  EXPECT_FALSE(full.screen.InitFullColour(full.width, full.height));
  EXPECT_EQ(1u, full.boxes.shown.size());
  EXPECT_EQ(Report("解像度が変更できません。"), full.LastBoxText());

  DisplayRig sixteen;
  sixteen.device.Fail(SoftFault::DisplayMode16);
  EXPECT_FALSE(sixteen.screen.Init16(sixteen.width, sixteen.height));
  EXPECT_EQ((std::vector<std::int32_t>{16}), sixteen.device.ModesTried());
  EXPECT_EQ(2, sixteen.screen.ColourDepth());
}

TEST(ScreenInit, ReadyStateAfterSuccess) {
  DisplayRig rig;
  rig.shell.SwapMainWindow(0x4242);
  // Slots filled before the init are forgotten, not released.
  rig.slots.Slot(7).name.reset(new char[2]{'x', '\0'});
  rig.slots.Slot(7).keyColour = 0x123456;
  ASSERT_TRUE(rig.screen.Init16(rig.width, rig.height));
  const plat::Rect clip = rig.screen.Clip();
  EXPECT_EQ(0, clip.left);
  EXPECT_EQ(0, clip.top);
  EXPECT_EQ(rig.width, clip.right);
  EXPECT_EQ(rig.height, clip.bottom);
  for (int i = 1; i < qrx::SlotTable::kSlotCount; ++i) {
    ASSERT_EQ(nullptr, rig.slots.Slot(i).surface);
    ASSERT_FALSE(rig.slots.Slot(i).name);
    ASSERT_EQ(0u, rig.slots.Slot(i).keyColour);
  }
  ASSERT_NE(nullptr, rig.slots.Slot(0).surface);
  EXPECT_EQ(0x4242u, rig.device.CooperativeWindow());
  EXPECT_EQ(0x13u, rig.device.CooperativeFlags());
  EXPECT_EQ(16, rig.device.ModeBpp());
  EXPECT_EQ(3, rig.device.LiveSurfaces());
  EXPECT_TRUE(rig.soundSystem.Ready());
  EXPECT_EQ(&rig.device, rig.screen.GetDirectDraw());
}

TEST(ScreenRelease, HandsTheDisplayBackOnce) {
  DisplayRig rig;
  rig.screen.Release();  // never initialised: nothing at all
  EXPECT_EQ(0u, rig.device.CooperativeFlags());
  ASSERT_TRUE(rig.screen.InitFullColour(rig.width, rig.height));
  ASSERT_NE(0, rig.slots.LoadSlot("font01", true));
  rig.screen.Release();
  EXPECT_EQ(0, rig.device.LiveSurfaces());
  EXPECT_FALSE(rig.device.ModeChanged());
  EXPECT_EQ(plat::kDdsclNormal, rig.device.CooperativeFlags());
  EXPECT_EQ(nullptr, rig.screen.GetDirectDraw());
  EXPECT_EQ(nullptr, rig.screen.BackBuffer());
  EXPECT_FALSE(rig.slots.Slot(1).name);
  rig.screen.SetClip(1, 2, 3, 4);
  rig.screen.Release();
  EXPECT_EQ(0, rig.device.LiveSurfaces());
}

TEST(ScreenFrame, ClearPresentAndDeviceContext) {
  for (bool full : {false, true}) {
    SCOPED_TRACE(full ? "32-bit" : "16-bit");
    DisplayRig rig;
    ASSERT_TRUE(full ? rig.screen.InitFullColour(rig.width, rig.height)
                     : rig.screen.Init16(rig.width, rig.height));
    qrx::Painter painter;
    ASSERT_EQ(plat::kOk, rig.screen.GetDC(painter));
    painter.Line(0, 5, rig.width, 5, 3, plat::MakeColour(255, 255, 255));
    EXPECT_NE(plat::kOk, rig.screen.Clear());  // busy while the context is out
    ASSERT_EQ(plat::kOk, rig.screen.ReleaseDC(painter));
    EXPECT_EQ(nullptr, painter.dc);
    rig.screen.Present();
    EXPECT_EQ(rig.Native(0xFFFFFF), DisplayRig::Pixel(rig.screen.Primary(), 10, 5));
    ASSERT_EQ(plat::kOk, rig.screen.Clear());
    for (std::int32_t y = 0; y < rig.height; ++y) {
      for (std::int32_t x = 0; x < rig.width; ++x) ASSERT_EQ(0u, rig.Back(x, y));
    }
  }
}

TEST(ScreenFrame, LossDuringPresentRestoresAndReloads) {
  DisplayRig rig;
  ASSERT_TRUE(rig.screen.Init16(rig.width, rig.height));
  const int font = rig.slots.LoadSlot("font01", true);
  ASSERT_EQ(1, font);
  plat::ISurface* fontSurface = rig.slots.Slot(font).surface;
  const std::uint32_t dark = DisplayRig::Pixel(fontSurface, 16 + 5, 1);  // glyph 1 has no segment a
  const std::uint32_t segment = DisplayRig::Pixel(fontSurface, 13, 4);  // glyph 0, segment b
  rig.device.LoseAllSurfaces();
  const int presentsBefore = rig.device.Presents();
  rig.screen.Present();  // answers SURFACELOST: the frame is lost, the surfaces come back
  EXPECT_EQ(presentsBefore, rig.device.Presents());
  EXPECT_EQ(plat::kOk, rig.screen.Primary()->IsLost());
  EXPECT_EQ(plat::kOk, rig.screen.BackBuffer()->IsLost());
  EXPECT_EQ(plat::kOk, rig.slots.Slot(0).surface->IsLost());
  EXPECT_EQ(plat::kOk, fontSurface->IsLost());
  EXPECT_EQ(dark, DisplayRig::Pixel(fontSurface, 16 + 5, 1));
  EXPECT_EQ(0u, dark);
  EXPECT_EQ(segment, DisplayRig::Pixel(fontSurface, 13, 4));
  EXPECT_EQ(0x07E0u, segment);
  // Slot 0 has no bitmap to reload: it keeps what the restore left.
  EXPECT_EQ(0x5A5Au, DisplayRig::Pixel(rig.slots.Slot(0).surface, 3, 3));
  // Black is still transparent after the reload.
  ASSERT_EQ(plat::kOk, rig.screen.Clear());
  rig.slots.DrawSlot(0, 0, font, 0, 0, 16, 16);
  EXPECT_EQ(0u, rig.Back(0, 0));
  EXPECT_EQ(0x07E0u, rig.Back(13, 4));
}

TEST(ScreenFrame, FailedInitLeavesEverythingHarmless) {
  for (int failing : {0, 2}) {  // no device at all; a primary surface but no back buffer
    DisplayRig rig;
    if (failing == 0) rig.device.Fail(SoftFault::Create);
    else rig.device.FailCreateSurface(2);
    ASSERT_FALSE(rig.screen.Init16(rig.width, rig.height));
    qrx::Painter painter;
    EXPECT_EQ(plat::kEFail, rig.screen.Clear());
    EXPECT_EQ(plat::kEFail, rig.screen.GetDC(painter));
    EXPECT_EQ(nullptr, painter.dc);
    EXPECT_EQ(plat::kEFail, rig.screen.ReleaseDC(painter));
    rig.screen.Present();
    rig.screen.RestoreSurfaces();
    // Without a device the load fails and is reported; with one it works,
    // but there is no back buffer to draw on.
    qrx::Sprite sprite(rig.slots);
    EXPECT_EQ(failing == 0 ? 0 : 1, sprite.Load("font01"));
    sprite.Draw(0, 0, 0, 0, 16, 16);
    EXPECT_EQ(failing == 0 ? 2u : 1u, rig.boxes.shown.size());
  }
}

}  // namespace
