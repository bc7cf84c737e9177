// The Win32 port's calls that the end-to-end runs do not reach: the command
// line lowered byte-wise for code page 932, and the sound device.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/win32_headers.h"
#include "platform/win32/win32_sound_device.h"
#include "platform/win32/win32_window_system.h"

namespace {

using plat::win32_port::Win32WindowSystem;

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
