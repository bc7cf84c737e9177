// The saver inside a host's window: fitted to the window, following its
// resizes, paced by a timer, writing nothing; and the command lines that
// ask for it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_host_window.h"
#include "saver/embedded_run.h"
#include "saver/host_request.h"
#include "platform/fake/fake_platform.h"
#include "tests/saver_rig.h"

namespace {

using testrig::kSettingsFile;  // beside the fake module

struct EmbeddedRig : fake::FakePorts {
  EmbeddedRig() : FakePorts(1920, 1080) { clock.ticks = 5000; }
  int Run() {
    qrx::Framework framework(Get());
    prumya::EmbeddedRun run(framework, host);
    const int code = run.Run();
    params = run.Config().params;
    return code;
  }
  fake::FakeHostWindow host{clock};
  prumya::SaverParams params{};
};

TEST(EmbeddedRun, PreviewDrawsAFittedTrailAtThirtyFramesAndWritesNothingOnlyWhileTheWindowLasts) {
  EmbeddedRig rig;
  rig.host.goneAt = 7000;
  EXPECT_EQ(0, rig.Run());

  // The defaults (Radius 40, Margin 64) cut to a quarter of 112.
  EXPECT_EQ(28, rig.params[prumya::Radius]);
  EXPECT_EQ(28, rig.params[prumya::Margin]);
  ASSERT_GE(rig.host.frames.size(), 58u);
  EXPECT_LE(rig.host.frames.size(), 62u);
  for (const auto& f : rig.host.frames) EXPECT_GT(f.lit, 0);
  for (std::uint32_t wait : rig.host.waits)  // never spins, never oversleeps a frame
    EXPECT_TRUE(wait > 0 && wait <= prumya::kEmbeddedFrameMs) << wait;
  EXPECT_TRUE(rig.profile.Writes().empty());
  EXPECT_TRUE(rig.sound.calls.empty());
  EXPECT_EQ(plat::kDdsclNormal, rig.display.CooperativeFlags());
  EXPECT_TRUE(rig.display.ModesTried().empty());
  EXPECT_EQ(0, rig.display.LiveSurfaces());  // released at the end
}

TEST(EmbeddedRun, FollowsResizesWithTheFullScreenValuesAndOverlaysWhenWide) {
  EmbeddedRig rig;
  rig.profile.Set(kSettingsFile, "action", "time", "1");
  rig.profile.Set(kSettingsFile, "action", "fps", "1");
  rig.host.resizes = {{5300, 640, 480}, {5500, 800, 600}, {6000, 400, 300}};
  rig.host.goneAt = 6500;
  rig.Run();

  std::vector<std::string> seen;
  for (const auto& f : rig.host.frames) {
    const std::string size = std::to_string(f.width) + "x" + std::to_string(f.height);
    if (seen.empty() || seen.back() != size) seen.push_back(size);
    EXPECT_GT(f.lit, 0);
    EXPECT_EQ(f.width >= 640, f.green > 0) << size << " at " << f.at;
  }
  EXPECT_EQ((std::vector<std::string>{"152x112", "640x480", "800x600", "400x300"}), seen);
  EXPECT_EQ(40, rig.params[prumya::Radius]);  // back from 28 once the window is large enough
  EXPECT_EQ(64, rig.params[prumya::Margin]);
}

TEST(HostRequest, PreviewAndXCommandLinesAndEnvironment) {
  struct Case {
    const char* line;
    bool preview;
    plat::WindowHandle window;
  };
  for (const Case c : {Case{"/p 1234", true, 1234}, Case{"/p:1234", true, 1234},
                       Case{"-p 1234", true, 1234}, Case{"/P 77", true, 77},
                       Case{"/p x", true, 0}, Case{"/p", false, 0}, Case{"/s", false, 0},
                       Case{"/c:1234", false, 0}, Case{"p 12", false, 0}, Case{"", false, 0}}) {
    SCOPED_TRACE(c.line);
    plat::WindowHandle window = 99;
    EXPECT_EQ(c.preview, prumya::ParsePreviewRequest(c.line, window));
    EXPECT_EQ(c.window, window);
  }
  using Kind = prumya::XHostRequest::Kind;
  struct XCase {
    std::vector<const char*> args;
    const char* env;
    Kind kind;
    std::uint32_t window;
  };
  const std::vector<XCase> cases = {
      {{"--root"}, nullptr, Kind::Root, 0},          {{"-root"}, "0x2a00007", Kind::Window, 0x2a00007},
      {{}, "0x400001", Kind::Window, 0x400001},       {{}, nullptr, Kind::None, 0},
      {{}, "junk", Kind::Invalid, 0},                 {{"--window-id", "12345"}, nullptr, Kind::Window, 12345},
      {{"-window-id", "0X1F"}, "0x400001", Kind::Window, 0x1F},
      {{"--window-id", "12a"}, nullptr, Kind::Invalid, 0},
      {{"--window-id", "4294967296"}, nullptr, Kind::Invalid, 0},
      {{"--window-id"}, nullptr, Kind::Invalid, 0},   {{"/s"}, "0x400001", Kind::None, 0},
  };
  for (const XCase& c : cases) {
    std::vector<const char*> argv{"prumya"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(std::string(argv.size() > 1 ? argv[1] : "(none)") + " env " + (c.env ? c.env : "-"));
    const prumya::XHostRequest r = prumya::ParseXHostRequest(static_cast<int>(argv.size()), argv.data(), c.env);
    EXPECT_EQ(c.kind, r.kind);
    EXPECT_EQ(c.window, r.window);
  }
}

}  // namespace
