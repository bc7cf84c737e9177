// Bitmap slots and sprites over the software display, with bitmap files in
// the test's own directory beside a fake module path.
#include <gtest/gtest.h>

#include <string>

#include "tests/display_rig.h"
#include "tests/scratch_dir.h"

namespace {

using plat::soft::SoftFault;
using testrig::DisplayRig;

// Column c of the stripes bitmap has colour (c + 1, 2c, 255 - c); row 3 is black.
std::uint32_t Stripe(std::int32_t x, std::int32_t y) {
  return y == 3 ? 0 : static_cast<std::uint32_t>(((x + 1) << 16) | ((2 * x) << 8) | (255 - x));
}

class SlotsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.system.modulePath = scratch.File("prumya.scr");
    scratch.Write("stripes.bmp", testrig::MakeBmp24(64, 16, Stripe));
    ASSERT_TRUE(rig.screen.InitFullColour(rig.width, rig.height));
  }
  std::uint32_t StripeNative(std::int32_t column) const {
    return plat::soft::NativeFromRgb(DisplayRig::Layout(rig.screen.BackBuffer()), Stripe(column, 0));
  }
  // A slot's surface size and caps, and its name.
  std::string Desc(int slot) {
    plat::SurfaceDesc d;
    rig.slots.Slot(slot).surface->GetSurfaceDesc(d);
    return std::to_string(d.width) + "x" + std::to_string(d.height) + " " + std::to_string(d.caps) + " " +
           rig.slots.Slot(slot).name.get();
  }

  testutil::ScratchDir scratch{"slots"};
  DisplayRig rig;
};

TEST_F(SlotsTest, LoadsResourceIgnoringCaseThenFilesBesideTheModule) {
  ASSERT_EQ(1, rig.slots.LoadSlot("FONT01", true));
  EXPECT_EQ("256x16 " + std::to_string(plat::kDdsCapsOffscreenPlain | plat::kDdsCapsSystemMemory) + " FONT01", Desc(1));
  ASSERT_EQ(2, rig.slots.LoadSlot("stripes.bmp", false));
  EXPECT_EQ("64x16 " + std::to_string(plat::kDdsCapsOffscreenPlain) + " stripes.bmp", Desc(2));
  EXPECT_EQ(StripeNative(9), DisplayRig::Pixel(rig.slots.Slot(2).surface, 9, 0));
#ifdef _WIN32
  const std::string withColon = scratch.File("stripes.bmp");  // the drive letter carries the colon
#else
  const std::string withColon = scratch.Write("colon:stripes.bmp", testrig::MakeBmp24(8, 8, Stripe));
#endif
  rig.system.modulePath = "/nowhere/prumya.scr";  // a colon name ignores the module's directory
  EXPECT_EQ(3, rig.slots.LoadSlot(withColon.c_str(), true));
  EXPECT_TRUE(rig.boxes.shown.empty());
}

// A missing bitmap and a full table are reported; a path longer than the
// 256-byte area is refused, not cut; a freed slot is used again.
TEST_F(SlotsTest, FailedLoadsAreReportedAndLeaveTheSlotFree) {
  EXPECT_EQ(0, rig.slots.LoadSlot("nothere.bmp", true));
  EXPECT_EQ(0u, rig.boxes.shown.back().text.find("内容：\nビットマップを読み込めません。\n\n対処法：\n"));
  rig.system.modulePath = scratch.File(std::string(250, 'd') + "/prumya.scr");
  EXPECT_EQ(0, rig.slots.LoadSlot("stripes.bmp", true));
  for (int i = 1; i < qrx::SlotTable::kSlotCount; ++i) ASSERT_EQ(i, rig.slots.LoadSlot("FONT01", true));
  EXPECT_EQ(0, rig.slots.LoadSlot("font01", true));
  EXPECT_EQ(0u, rig.boxes.shown.back().text.find("内容：\nビットマップバッファが上限に達しました。"));
  EXPECT_EQ(3u, rig.boxes.shown.size());
  const int live = rig.device.LiveSurfaces();
  rig.slots.FreeSlot(5);
  EXPECT_EQ(live - 1, rig.device.LiveSurfaces());
  EXPECT_EQ(5, rig.slots.LoadSlot("font01", true));
  plat::ISurface* work = rig.slots.Slot(0).surface;  // index 0 and others out of range are ignored
  for (int i : {0, -3, 5000}) rig.slots.FreeSlot(i), rig.slots.ReloadSlot(i);
  EXPECT_EQ(work, rig.slots.Slot(0).surface);
}

TEST_F(SlotsTest, DrawClipsAgainstTheClipRectangleAndKeysBlack) {
  const int stripes = rig.slots.LoadSlot("stripes.bmp", true);
  const std::int32_t w = rig.width, h = rig.height;
  rig.slots.DrawSlot(-6, 20, stripes, 32, 0, 16, 16);  // drawn from srcX 38, 10 wide, at x 0
  rig.slots.DrawSlot(w - 4, h - 2, stripes, 0, 0, 16, 16);  // cut at the right and bottom
  rig.slots.DrawSlot(100, -5, stripes, 0, 0, 16, 16);  // shifted at the top
  struct Probe {
    std::int32_t x, y, column;  // -1: nothing drawn, or black (row 3) keyed out
  };
  for (const Probe& p : {Probe{0, 20, 38}, Probe{9, 20, 47}, Probe{10, 20, -1}, Probe{0, 23, -1},
                         Probe{w - 1, h - 1, 3}, Probe{100, 0, 0}, Probe{100, 10, 0}, Probe{100, 11, -1}})
    EXPECT_EQ(p.column < 0 ? 0u : StripeNative(p.column), rig.Back(p.x, p.y)) << p.x << "," << p.y;
  // Beyond the clip, or from slot 0: nothing.
  ASSERT_EQ(plat::kOk, rig.screen.Clear());
  rig.slots.DrawSlot(w, 0, stripes, 0, 0, 16, 16);
  rig.slots.DrawSlot(-16, 0, stripes, 0, 0, 16, 16);
  rig.slots.DrawSlot(INT32_MIN, INT32_MAX, stripes, INT32_MAX, 0, INT32_MAX, 16);
  rig.slots.DrawSlot(0, 0, 0, 0, 0, 16, 16);
  for (std::int32_t y = 0; y < 16; ++y)
    for (std::int32_t x = 0; x < w; ++x) ASSERT_EQ(0u, rig.Back(x, y));
  qrx::Painter painter;  // what lies under a black pixel shows through
  ASSERT_EQ(plat::kOk, rig.screen.GetDC(painter));
  painter.Line(0, 13, 50, 13, 1, plat::MakeColour(255, 0, 0));
  rig.screen.ReleaseDC(painter);
  rig.slots.DrawSlot(0, 10, stripes, 0, 0, 16, 16);
  EXPECT_EQ(rig.Native(plat::MakeColour(255, 0, 0)), rig.Back(4, 13));
  EXPECT_EQ(StripeNative(4), rig.Back(4, 12));
  EXPECT_EQ(0x00FFFFFFu, rig.slots.MatchColour(rig.slots.Slot(0).surface, plat::MakeColour(255, 255, 255)));
}

// The native value of a colour, found through a pixel that is put back; on
// a 1 x 1 screen the read stays within its memory.
TEST(MatchColour, FindsTheNativeValueAndPutsThePixelBack) {
  DisplayRig rig(1, 1);
  ASSERT_TRUE(rig.screen.Init16(1, 1));
  plat::ISurface* work = rig.slots.Slot(0).surface;
  plat::soft::WritePixel(static_cast<plat::soft::SoftSurface*>(work)->View(), 0, 0, 0x1F);  // not white
  EXPECT_EQ(0xFFFFu, rig.slots.MatchColour(work, plat::MakeColour(255, 255, 255)));
  EXPECT_EQ(0x1Fu, DisplayRig::Pixel(work, 0, 0));
  rig.device.Fail(SoftFault::Lock);
  EXPECT_EQ(0xFFFFFFFFu, rig.slots.MatchColour(work, 0));
  EXPECT_EQ(0xFFFFFFFFu, rig.slots.MatchColour(nullptr, 0));
}

}  // namespace
