// The DirectDraw wrapper against the real calls, under Wine or Windows with a
// display, in normal cooperative mode, off-screen: what the saver's runs
// under Wine do not reach (GDI's lines are compared with our rasteriser's by
// the parity check; fills, copies and flips are every frame's).
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/ddraw_display.h"
#include "platform/win32/win32_bitmap_loader.h"
#include "tests/display_rig.h"
#include "tests/scratch_dir.h"

namespace {

using plat::win32_port::DdrawDisplay;

// Surfaces, device contexts and colour keys over real DirectDraw.
class DirectDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(plat::kOk, display.Create());
    ASSERT_EQ(plat::kOk, display.SetCooperativeLevel(0, plat::kDdsclNormal));
  }
  plat::ISurface* Plain(std::int32_t w, std::int32_t h) {
    plat::SurfaceDesc desc;
    desc.flags = plat::kDdsdCaps | plat::kDdsdWidth | plat::kDdsdHeight;
    desc.caps = plat::kDdsCapsOffscreenPlain | plat::kDdsCapsSystemMemory;
    desc.width = w, desc.height = h;
    plat::ISurface* surface = nullptr;
    EXPECT_EQ(plat::kOk, display.CreateSurface(desc, &surface));
    return surface;
  }
  // The colour bits of the pixel at (x, y), read through a lock.
  static std::uint32_t Word(plat::ISurface* surface, std::int32_t x, std::int32_t y) {
    plat::LockedSurface locked;
    if (surface->Lock(locked) != plat::kOk) return 0xDEADBEEF;
    const auto* row = static_cast<const std::uint8_t*>(locked.bits) + y * locked.pitch;
    const int bytes = static_cast<int>(locked.format.rgbBitCount / 8);
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= std::uint32_t{row[x * bytes + i]} << (8 * i);
    surface->Unlock();
    return v & (locked.format.redMask | locked.format.greenMask | locked.format.blueMask);
  }
  template <typename Draw>
  static void WithDc(plat::ISurface* surface, Draw draw) {
    plat::IDeviceContext* dc = nullptr;
    ASSERT_EQ(plat::kOk, surface->GetDC(&dc));
    draw(*dc);
    ASSERT_EQ(plat::kOk, surface->ReleaseDC(dc));
  }

  DdrawDisplay display;
  plat::win32_port::Win32BitmapLoader bitmaps;
};

TEST_F(DirectDrawTest, DeviceContextLockAndColourKey) {
  plat::ISurface* a = Plain(32, 16);
  plat::ISurface* b = Plain(32, 16);
  ASSERT_NE(nullptr, a);
  ASSERT_NE(nullptr, b);
  plat::PixelFormat format;
  ASSERT_EQ(plat::kOk, a->GetPixelFormat(format));
  plat::SurfaceDesc desc;
  ASSERT_EQ(plat::kOk, a->GetSurfaceDesc(desc));
  EXPECT_EQ(32, desc.width);
  EXPECT_EQ(16, desc.height);

  const std::uint32_t white = format.redMask | format.greenMask | format.blueMask;
  WithDc(a, [](plat::IDeviceContext& dc) { dc.SetPixel(0, 0, plat::MakeColour(255, 255, 255)); });
  EXPECT_EQ(white, Word(a, 0, 0));
  ASSERT_EQ(plat::kOk, a->ColourFill(white));

  WithDc(b, [](plat::IDeviceContext& dc) { dc.Line(0, 2, 32, 2, 1, plat::MakeColour(255, 0, 0)); });
  ASSERT_EQ(plat::kOk, b->SetColourKey(0, 0));
  ASSERT_EQ(plat::kOk, a->CopyKeyed(0, 0, *b, plat::Rect{0, 0, 32, 16}));
  EXPECT_EQ(white, Word(a, 4, 1));  // black was transparent
  EXPECT_EQ(format.redMask, Word(a, 4, 2));
  a->Release();
  b->Release();
}

TEST_F(DirectDrawTest, BitmapFilesLoadIntoSurfaces) {
  testutil::ScratchDir scratch("ddraw");
  const std::string path = scratch.Write(
      "ddraw.bmp", testrig::MakeBmp24(20, 10, [](std::int32_t x, std::int32_t) { return x < 10 ? 0x00FF00u : 0u; }));
  EXPECT_EQ(nullptr, bitmaps.LoadResource("NOSUCHBITMAP"));
  plat::IBitmap* bitmap = bitmaps.LoadFile(path.c_str());
  ASSERT_NE(nullptr, bitmap);
  EXPECT_EQ(20, bitmap->Width());
  EXPECT_EQ(10, bitmap->Height());
  plat::ISurface* surface = Plain(20, 10);
  WithDc(surface, [&](plat::IDeviceContext& dc) { dc.StretchBitmap(0, 0, 20, 10, *bitmap, 0, 0, 20, 10); });
  bitmaps.Delete(bitmap);
  plat::PixelFormat format;
  ASSERT_EQ(plat::kOk, surface->GetPixelFormat(format));
  EXPECT_EQ(format.greenMask, Word(surface, 3, 3));
  EXPECT_EQ(0u, Word(surface, 15, 3));
  surface->Release();
}

}  // namespace
