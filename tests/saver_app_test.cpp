// The whole process over fakes: the shell, the InitHandler and the saver's
// start and exit hooks working together.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "saver/app.h"
#include "saver/saver_app.h"

namespace {

struct SaverProcess : fake::FakePorts {
  int Run(const char* commandLine) {
    std::vector<char> line(commandLine, commandLine + std::strlen(commandLine) + 1);
    return prumya::RunSaverProcess(Get(), 1, line.data(), 1);
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
  EXPECT_FALSE(process.sound.device);  // closed with the display
}
