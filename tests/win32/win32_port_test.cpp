// The Win32 port's own calls, run under Wine or Windows with a display.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/win32/win32_headers.h"
#include "platform/win32/win32_sound_device.h"
#include "platform/win32/win32_window_system.h"

namespace {

using plat::WindowMessage;
using plat::win32_port::Win32WindowSystem;

constexpr std::uint32_t kProbe = WM_APP + 7;

TEST(Win32WindowSystem, RunsTheRegisteredProcedureAndDestroysSynchronously) {
  Win32WindowSystem windows;
  std::vector<WindowMessage> seen;
  const auto instance = reinterpret_cast<plat::InstanceHandle>(GetModuleHandleA(nullptr));
  ASSERT_TRUE(windows.RegisterWindowClass(
      "QRXPORTTESTCLS", instance,
      [&](plat::WindowHandle w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
        seen.push_back({w, m, wp, lp});
        return windows.DefWindowProc(w, m, wp, lp);
      }));
  const plat::WindowHandle window =
      windows.CreateMainWindow("QRXPORTTESTCLS", "probe", 0, 0, 64, 48, instance);
  ASSERT_NE(0u, window);

  ASSERT_TRUE(windows.PostMessage(window, kProbe, 5, 6));
  WindowMessage m;
  bool found = false;
  while (!found && windows.PeekMessage(m)) {
    windows.TranslateAndDispatch(m);
    found = m.message == kProbe;
  }
  ASSERT_TRUE(found);
  const WindowMessage& probe = seen.back();
  EXPECT_EQ(kProbe, probe.message);
  EXPECT_EQ(5u, probe.wParam);
  EXPECT_EQ(6, probe.lParam);

  seen.clear();
  windows.DestroyWindow(window);
  bool destroyed = false;
  for (const WindowMessage& s : seen) destroyed = destroyed || s.message == WM_DESTROY;
  EXPECT_TRUE(destroyed) << "WM_DESTROY arrives during DestroyWindow";
  EXPECT_FALSE(windows.PostMessage(window, kProbe, 0, 0));
  windows.PostQuitMessage(3);
  while (windows.PeekMessage(m) && m.message != WM_QUIT) {
  }
  EXPECT_EQ(static_cast<std::uint32_t>(WM_QUIT), m.message);
}

TEST(Win32WindowSystem, LowercasesTheCommandLine) {
  Win32WindowSystem windows;
  char line[] = "/S 1234 \x83\x41";  // ア: its trail byte is 'A'
  windows.LowercaseInPlace(line);
  EXPECT_EQ(0, std::memcmp(line, "/s 1234 ", 8));
  if (GetACP() == 932) {
    EXPECT_STREQ("/s 1234 \x83\x41", line);
  }
}

TEST(Win32SoundDevice, PrimaryBufferAcceptsTheShortRecord) {
  plat::win32_port::Win32SoundDevice sound;
  if (FAILED(sound.Create())) GTEST_SKIP() << "no sound device here";
  EXPECT_TRUE(sound.HasDevice());
  EXPECT_TRUE(SUCCEEDED(sound.SetCooperativeLevel(
      reinterpret_cast<plat::WindowHandle>(GetDesktopWindow()), plat::kDsSclNormal)));
  EXPECT_TRUE(SUCCEEDED(sound.CreatePrimaryBuffer()));
  EXPECT_TRUE(sound.HasPrimaryBuffer());
  sound.ReleasePrimaryBuffer();
  sound.ReleaseDevice();
  EXPECT_FALSE(sound.HasDevice());
}

}  // namespace
