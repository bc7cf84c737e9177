// The whole process over fakes: the shell, the InitHandler and the saver's
// start and exit hooks working together.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_input.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_profile_store.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/fake_system_info.h"
#include "platform/fake/fake_window_system.h"
#include "platform/soft/soft_bitmap_loader.h"
#include "platform/soft/soft_display.h"
#include "saver/app.h"
#include "saver/saver_app.h"

namespace {

struct SaverProcess {
  fake::FakeWindowSystem windows;
  fake::FakeMessageBoxes boxes;
  fake::FakeSystemInfo system;
  fake::FakeClock clock;
  fake::FakeInput input;
  fake::FakeProfileStore profile;
  plat::soft::SoftDisplayDevice display{1024, 768};
  plat::soft::SoftBitmapLoader bitmaps;
  fake::FakeSound sound;

  int Run(const char* commandLine) {
    plat::Platform p;
    p.windows = &windows, p.boxes = &boxes, p.system = &system, p.clock = &clock;
    p.input = &input, p.profile = &profile, p.display = &display, p.bitmaps = &bitmaps;
    p.sound = &sound;
    std::vector<char> line(commandLine, commandLine + std::strlen(commandLine) + 1);
    return prumya::RunSaverProcess(p, 1, line.data(), 1);
  }
};

}  // namespace

TEST(SaverProcess, PreviewRequestEndsAtOnce) {
  SaverProcess process;
  EXPECT_EQ(0, process.Run("/P 1234"));
  EXPECT_EQ(0, process.windows.CountCalls("CreateMainWindow"));
  EXPECT_TRUE(process.profile.log.empty());
}

TEST(SaverProcess, RunsUnderItsTitleAndClosesOnAKey) {
  SaverProcess process;
  int waits = 0;
  process.windows.onWait = [&] {
    if (waits++ == 0) process.windows.Post(plat::kWmKeyDown, 'A');
  };
  EXPECT_EQ(0, process.Run("/S"));
  EXPECT_EQ(std::string(prumya::kProductName), process.windows.title);
  ASSERT_FALSE(process.profile.log.empty());  // the start loaded the settings
  EXPECT_EQ("C:\\Savers\\prumya.ini", process.profile.log[0].file);
  EXPECT_EQ(1u, process.windows.destroyed.size());
  EXPECT_EQ(0, process.windows.stallCount);
}
