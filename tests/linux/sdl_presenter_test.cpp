// The software display shown in an SDL window, on SDL's dummy video driver.
#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/linux/sdl_presenter.h"
#include "platform/soft/soft_display.h"
#include "platform/soft/soft_surface.h"

namespace {

std::uint32_t WindowPixel(SDL_Window* window, int x, int y) {
  SDL_Surface* s = SDL_GetWindowSurface(window);
  const auto* row = static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch;
  Uint32 value = 0;
  SDL_memcpy(&value, row + x * s->format->BytesPerPixel, s->format->BytesPerPixel);
  Uint8 r, g, b;
  SDL_GetRGB(value, s->format, &r, &g, &b);
  return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
}

TEST(SdlPresenter, EveryPresentOfThePrimaryReachesTheWindow) {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO)) << SDL_GetError();
  SDL_Window* window = SDL_CreateWindow("t", 0, 0, 64, 32, SDL_WINDOW_HIDDEN);
  ASSERT_NE(nullptr, window);
  SDL_Window* shown = nullptr;  // no window yet: presents are dropped
  plat::linux_port::SdlPresenter presenter([&shown] { return shown; });
  for (int bpp : {16, 32}) {
    plat::soft::SoftDisplayDevice device(64, 32);
    device.SetPresentTarget(&presenter);
    ASSERT_EQ(plat::kOk, device.Create());
    ASSERT_EQ(plat::kOk, device.SetDisplayMode(64, 32, bpp));
    plat::SurfaceDesc desc;
    desc.flags = plat::kDdsdCaps;
    desc.caps = plat::kDdsCapsPrimarySurface;
    plat::ISurface* primary = nullptr;
    ASSERT_EQ(plat::kOk, device.CreateSurface(desc, &primary));
    shown = nullptr;
    const int before = presenter.Shown();
    primary->ColourFill(0);
    EXPECT_EQ(before, presenter.Shown());
    shown = window;
    plat::IDeviceContext* dc = nullptr;
    ASSERT_EQ(plat::kOk, primary->GetDC(&dc));
    dc->SetPixel(5, 6, plat::MakeColour(255, 0, 255));
    ASSERT_EQ(plat::kOk, primary->ReleaseDC(dc));
    EXPECT_EQ(before + 1, presenter.Shown());
    EXPECT_EQ(0xFF00FFu, WindowPixel(window, 5, 6));
    EXPECT_EQ(0u, WindowPixel(window, 6, 6));
    primary->Release();
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
}

}  // namespace
