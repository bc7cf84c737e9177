// The Screen over the software display: its start step by step, the frame,
// surface loss and the release.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/display_rig.h"

namespace {

using plat::soft::SoftFault;
using testrig::DisplayRig;

// Each failing step is reported once under its own words, opens no sound and
// rolls nothing back (a failure after the mode keeps exclusive mode): Release
// hands everything back once.
TEST(ScreenInit, EachFailingStepReportsOnceAndOpensNoSound) {
  const std::vector<std::pair<std::function<void(DisplayRig&)>, std::string>> cases = {
      {[](DisplayRig& r) { r.device.Fail(SoftFault::Create); }, "DirectDrawが使用できません。"},
      {[](DisplayRig& r) { r.device.Fail(SoftFault::CooperativeLevel); }, "フルスクリーンに設定できません。"},
      {[](DisplayRig& r) { r.device.Fail(SoftFault::DisplayMode16); }, "解像度が変更できません。"},
      {[](DisplayRig& r) { r.device.FailCreateSurface(1); }, "プライマリサーフェスを作成できません。"},
      {[](DisplayRig& r) { r.device.FailCreateSurface(2); }, "バックバッファを作成できません。"},
      {[](DisplayRig& r) { r.device.FailCreateSurface(3); }, "作業バッファを作成できません。"},
      {[](DisplayRig& r) { r.device.Fail(SoftFault::PixelFormat); }, "ピクセルフォーマットが取得できません。"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].second);
    DisplayRig rig;
    cases[i].first(rig);
    EXPECT_FALSE(rig.screen.Init16(rig.width, rig.height));
    ASSERT_EQ(1u, rig.boxes.shown.size());
    EXPECT_EQ("QRX Inside Error", rig.boxes.shown[0].caption);
    EXPECT_EQ("内容：\n" + cases[i].second, rig.boxes.shown[0].text);
    EXPECT_TRUE(rig.sound.calls.empty());
    EXPECT_EQ(i >= 3, rig.device.ModeChanged());
    EXPECT_EQ(i < 4 ? 0 : static_cast<int>(i) - 3, rig.device.LiveSurfaces());  // those made stay
    EXPECT_EQ(i < 2 ? std::vector<std::int32_t>{} : std::vector<std::int32_t>{16}, rig.device.ModesTried());
    EXPECT_EQ(i < 2 ? 0u : plat::kDdsclFullscreenExclusive, rig.device.CooperativeFlags());
    rig.screen.Release();
    EXPECT_EQ(0, rig.device.LiveSurfaces());
    EXPECT_FALSE(rig.device.Exists());
    EXPECT_FALSE(rig.device.ModeChanged());
    EXPECT_EQ(i == 0 ? 0u : plat::kDdsclNormal, rig.device.CooperativeFlags());
  }
}

// Slots filled before the start are forgotten, not released; full colour
// tries 24 bits, then takes 32. The release hands back the slots' surfaces
// too, and a second one nothing more.
TEST(ScreenFrame, StartClearPresentDeviceContextAndRelease) {
  for (bool full : {false, true}) {
    SCOPED_TRACE(full ? "32-bit" : "16-bit");
    DisplayRig rig;
    rig.shell.SwapMainWindow(0x4242);
    rig.slots.Slot(7).name.reset(new char[2]{'x', '\0'});
    rig.slots.Slot(7).keyColour = 0x123456;
    ASSERT_TRUE(full ? rig.screen.InitFullColour(rig.width, rig.height) : rig.screen.Init16(rig.width, rig.height));
    for (int i = 1; i < qrx::SlotTable::kSlotCount; ++i)
      ASSERT_TRUE(!rig.slots.Slot(i).surface && !rig.slots.Slot(i).name && !rig.slots.Slot(i).keyColour) << i;
    EXPECT_EQ((full ? std::vector<std::int32_t>{24, 32} : std::vector<std::int32_t>{16}), rig.device.ModesTried());
    EXPECT_EQ(0x4242u, rig.device.CooperativeWindow());
    EXPECT_TRUE(rig.soundSystem.Ready());
    EXPECT_EQ(&rig.device, rig.screen.GetDirectDraw());
    qrx::Painter painter;
    ASSERT_EQ(plat::kOk, rig.screen.GetDC(painter));
    painter.Line(0, 5, rig.width, 5, 3, plat::MakeColour(255, 255, 255));
    EXPECT_NE(plat::kOk, rig.screen.Clear());  // busy while the context is out
    ASSERT_EQ(plat::kOk, rig.screen.ReleaseDC(painter));
    EXPECT_EQ(nullptr, painter.dc);
    rig.screen.Present();
    EXPECT_EQ(rig.Native(0xFFFFFF), DisplayRig::Pixel(rig.screen.Primary(), 10, 5));
    ASSERT_EQ(plat::kOk, rig.screen.Clear());
    for (std::int32_t y = 0; y < rig.height; ++y)
      for (std::int32_t x = 0; x < rig.width; ++x) ASSERT_EQ(0u, rig.Back(x, y));
    ASSERT_NE(0, rig.slots.LoadSlot("font01", true));
    rig.screen.Release();
    rig.screen.Release();
    EXPECT_EQ(0, rig.device.LiveSurfaces());
    EXPECT_EQ(nullptr, rig.screen.GetDirectDraw());
    EXPECT_EQ(nullptr, rig.screen.BackBuffer());
    EXPECT_FALSE(rig.slots.Slot(1).name);
  }
}

// A present that meets lost surfaces loses its frame; the surfaces come
// back, the font's bitmap is reloaded (black still its key), slot 0 keeps
// what the restore left. A draw that meets them restores them too.
TEST(ScreenFrame, LossDuringPresentRestoresAndReloads) {
  DisplayRig rig;
  ASSERT_TRUE(rig.screen.Init16(rig.width, rig.height));
  const int font = rig.slots.LoadSlot("font01", true);
  ASSERT_EQ(1, font);
  plat::ISurface* fontSurface = rig.slots.Slot(font).surface;
  rig.device.LoseAllSurfaces();
  const int presentsBefore = rig.device.Presents();
  rig.screen.Present();
  EXPECT_EQ(presentsBefore, rig.device.Presents());
  for (plat::ISurface* s : {rig.screen.Primary(), rig.screen.BackBuffer(), rig.slots.Slot(0).surface, fontSurface})
    EXPECT_EQ(plat::kOk, s->IsLost());
  EXPECT_EQ(0u, DisplayRig::Pixel(fontSurface, 16 + 5, 1));  // glyph 1 has no segment a
  EXPECT_EQ(0x07E0u, DisplayRig::Pixel(fontSurface, 13, 4));  // glyph 0, segment b
  EXPECT_EQ(0x5A5Au, DisplayRig::Pixel(rig.slots.Slot(0).surface, 3, 3));
  rig.device.LoseAllSurfaces();  // met by a draw: restored and reloaded, nothing drawn
  rig.slots.DrawSlot(0, 0, font, 0, 0, 16, 16);
  ASSERT_EQ(plat::kOk, rig.screen.Clear());
  rig.slots.DrawSlot(0, 0, font, 0, 0, 16, 16);
  EXPECT_EQ(0u, rig.Back(0, 0));
  EXPECT_EQ(0x07E0u, rig.Back(13, 4));
}

// No device at all, or a primary surface but no back buffer: nothing draws,
// nothing breaks; with a device a load still works.
TEST(ScreenFrame, FailedInitLeavesEverythingHarmless) {
  for (int failing : {0, 2}) {
    DisplayRig rig;
    if (failing == 0) rig.device.Fail(SoftFault::Create);
    else rig.device.FailCreateSurface(2);
    ASSERT_FALSE(rig.screen.Init16(rig.width, rig.height));
    qrx::Painter painter;
    EXPECT_EQ(plat::kEFail, rig.screen.Clear());
    EXPECT_EQ(plat::kEFail, rig.screen.GetDC(painter));
    EXPECT_EQ(nullptr, painter.dc);
    EXPECT_EQ(plat::kEFail, rig.screen.ReleaseDC(painter));
    for (int i = 0; i < 4; ++i) rig.screen.Present();
    EXPECT_EQ(4000u / 60, rig.screen.MsUntilNextRefresh());  // undrawn frames still paced at 60 Hz
    rig.screen.RestoreSurfaces();
    qrx::Sprite sprite(rig.slots);
    EXPECT_EQ(failing == 0 ? 0 : 1, sprite.Load("font01"));
    sprite.Draw(0, 0, 0, 0, 16, 16);
    EXPECT_EQ(failing == 0 ? 2u : 1u, rig.boxes.shown.size());
  }
}

}  // namespace
