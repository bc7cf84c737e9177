#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app_shell.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_window_system.h"

namespace {

using plat::WindowHandle;

struct Received {
  std::uint32_t message;
  std::uintptr_t wParam;
};

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() : shell(windows, clock, random) {}

  // Wires the fixed calls: the start activates the window (as the system
  // does once it is shown) and each frame runs `frame`.
  void WireCalls() {
    qrx::ShellCalls calls;
    calls.buildTrigTable = [this] { order.push_back("BuildTrigTable"); };
    calls.startSaver = [this] {
      order.push_back("StartSaver");
      windows.Post(plat::kWmActivateApp, 1);
    };
    calls.frameTick = [this] {
      ++frames;
      if (frame) frame();
      return std::uint32_t{0};
    };
    calls.closeSequence = [this] { ++closes; };
    shell.SetCalls(calls);
  }
  void RecordMessages(bool consume) {
    shell.SetMessageHandler([this, consume](WindowHandle, std::uint32_t m, std::uintptr_t w,
                                            std::intptr_t) {
      received.push_back({m, w});
      return consume;
    });
  }
  int Run(const char* commandLine = "/s") {
    std::vector<char> line(commandLine, commandLine + std::string(commandLine).size() + 1);
    return shell.Run(0x400000, 0, line.data(), 1);
  }
  int ReceivedCount(std::uint32_t message) const {
    int n = 0;
    for (const Received& r : received) n += r.message == message ? 1 : 0;
    return n;
  }

  fake::FakeWindowSystem windows;
  fake::FakeClock clock;
  qrx::Random random;
  qrx::AppShell shell;
  std::vector<std::string> order;
  std::vector<Received> received;
  std::function<void()> frame;
  int frames = 0;
  int closes = 0;
};

TEST_F(ShellTest, EntryRunsItsStepsInOrderAndEndsWithZero) {
  WireCalls();
  std::string seen;
  shell.SetInitHandler([&](plat::InstanceHandle instance, plat::InstanceHandle, char* line, int) {
    seen = line;
    order.push_back("Init");
    EXPECT_EQ(0x400000u, instance);
    EXPECT_EQ(2u, windows.calls.size()) << "lowercase and input method come first";
    return true;
  });
  frame = [this] { shell.RequestClose(); };
  clock.seconds = 0x1234567;

  EXPECT_EQ(0, Run("/S 123"));

  EXPECT_EQ("/s 123", seen);
  EXPECT_EQ("LowercaseInPlace", windows.calls[0]);
  EXPECT_EQ("DisableInputMethod", windows.calls[1]);
  EXPECT_EQ(0x1234567u, random.State());
  EXPECT_EQ((std::vector<std::string>{"Init", "BuildTrigTable", "StartSaver"}), order);
  EXPECT_EQ("QRXAPPWNDCLS", windows.className);
  EXPECT_EQ("QRX Application", windows.title);
  EXPECT_EQ(0, windows.createX);
  EXPECT_EQ(0, windows.createY);
  EXPECT_EQ(1024, windows.createWidth);
  EXPECT_EQ(768, windows.createHeight);
  EXPECT_EQ(1, windows.showCommand);
  EXPECT_EQ(1, closes);
  EXPECT_EQ(nullptr, shell.Title()) << "the exit step frees the title";
  EXPECT_FALSE(windows.runaway);
}

TEST_F(ShellTest, RefusedStartCreatesNothing) {
  WireCalls();
  EXPECT_TRUE(shell.SetInitHandler([](plat::InstanceHandle, plat::InstanceHandle, char*, int) {
    return false;
  }));
  EXPECT_EQ(0, Run("/p 1234"));
  EXPECT_EQ(0, windows.CountCalls("RegisterWindowClass"));
  EXPECT_EQ(0, windows.CountCalls("CreateMainWindow"));
  EXPECT_TRUE(order.empty());
  EXPECT_NE(nullptr, shell.Title()) << "no exit step after a refused start";
}

TEST_F(ShellTest, FailedWindowEndsWithZeroBeforeTheStart) {
  WireCalls();
  windows.failCreate = true;
  EXPECT_EQ(0, Run());
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(0, windows.CountCalls("ShowAndUpdate"));
  EXPECT_EQ(0u, shell.GetMainWindow());
}

TEST_F(ShellTest, RegisteredTitleWinsAndNullLeavesTheDefault) {
  const char* product = "ぷるみゅら";
  const std::string expected = product;
  WireCalls();
  frame = [this] { shell.RequestClose(); };
  EXPECT_TRUE(shell.SetTitle(product));
  EXPECT_TRUE(shell.SetTitle(shell.Title())) << "setting the title to itself keeps it";
  Run();
  EXPECT_EQ(expected, windows.title);

  fake::FakeWindowSystem windows2;
  qrx::AppShell shell2(windows2, clock, random);
  EXPECT_FALSE(shell2.SetTitle(nullptr));
  EXPECT_EQ(nullptr, shell2.Title());
  std::vector<char> line{'\0'};
  shell2.Run(1, 0, line.data(), 1);  // never activated: the fake ends the wait
  EXPECT_EQ("QRX Application", windows2.title);
}

TEST_F(ShellTest, EscAndTheHandlersOwnRequestCloseOnce) {
  WireCalls();
  shell.SetMessageHandler([&](WindowHandle, std::uint32_t m, std::uintptr_t w, std::intptr_t) {
    received.push_back({m, w});
    if (m == plat::kWmKeyDown) shell.RequestClose();
    return true;
  });
  frame = [this] { windows.Post(plat::kWmKeyDown, plat::kVkEscape); };

  EXPECT_EQ(0, Run());

  EXPECT_EQ(1, frames);
  EXPECT_EQ(1, ReceivedCount(plat::kWmKeyDown)) << "Esc is still offered";
  EXPECT_EQ(1, closes);
  EXPECT_EQ(1u, windows.destroyed.size());
  EXPECT_EQ(2, windows.CountCalls("PostMessage 16"));
  EXPECT_EQ(0, ReceivedCount(plat::kWmClose));
  EXPECT_EQ(0, ReceivedCount(plat::kWmDestroy));
}

TEST_F(ShellTest, SecondCloseBeforeTheNextFrameFindsTheGuardSet) {
  WireCalls();
  const WindowHandle w = 7;
  EXPECT_EQ(0, shell.WindowProc(w, plat::kWmClose, 0, 0));
  EXPECT_EQ(0, shell.WindowProc(w, plat::kWmClose, 0, 0));
  EXPECT_EQ(1, closes);
  EXPECT_EQ(1, windows.CountCalls("DestroyWindow"));
}

TEST_F(ShellTest, CloseDestroysTheShellWindowEvenWithADialogSwappedIn) {
  WireCalls();
  frame = [this] {
    const WindowHandle saver = shell.SwapMainWindow(0x9999);
    windows.queue.push_back({saver, plat::kWmClose, 0, 0});
  };
  Run();
  ASSERT_EQ(1u, windows.destroyed.size());
  EXPECT_EQ(windows.MainWindow(), windows.destroyed[0]);
}

TEST_F(ShellTest, SystemKeysAndScreenSaveCommandStopAtTheShell) {
  RecordMessages(false);
  const WindowHandle w = 7;
  EXPECT_EQ(0, shell.WindowProc(w, plat::kWmSysKeyDown, plat::kVkMenu, 0));
  EXPECT_EQ(0, shell.WindowProc(w, plat::kWmSysKeyDown, plat::kVkF10, 0));
  EXPECT_EQ(1, shell.WindowProc(w, plat::kWmSysCommand, plat::kScScreenSave, 0));
  EXPECT_TRUE(received.empty());
  EXPECT_TRUE(windows.defaultProcessed.empty());

  const std::uintptr_t kScClose = 0xF060;
  shell.WindowProc(w, plat::kWmSysCommand, kScClose, 0);
  shell.WindowProc(w, plat::kWmSysCommand, plat::kScScreenSave + 1, 0);
  EXPECT_EQ(2, ReceivedCount(plat::kWmSysCommand));
  EXPECT_EQ(2u, windows.defaultProcessed.size());
}

TEST_F(ShellTest, ShellMessagesAreNotOfferedAndTheCursorStaysHidden) {
  RecordMessages(true);
  const WindowHandle w = 7;
  EXPECT_EQ(1, shell.WindowProc(w, plat::kWmSetCursor, w, 0));
  EXPECT_EQ(1, windows.hideCursorCount);
  EXPECT_EQ(0, shell.WindowProc(w, plat::kWmActivateApp, 1, 0));
  EXPECT_TRUE(shell.IsActive());
  EXPECT_EQ(0, shell.WindowProc(w, plat::kWmDestroy, 0, 0));
  EXPECT_TRUE(windows.quitPosted);
  EXPECT_TRUE(received.empty());
  EXPECT_TRUE(windows.defaultProcessed.empty());
}

TEST_F(ShellTest, HandlerDecidesBetweenZeroAndDefaultProcessing) {
  const WindowHandle w = 7;
  EXPECT_EQ(0, shell.WindowProc(w, plat::kWmMouseMove, 0, 0));
  EXPECT_EQ(1u, windows.defaultProcessed.size()) << "no handler: default processing";
  RecordMessages(true);
  shell.WindowProc(w, plat::kWmLButtonDown, 1, 0);
  EXPECT_EQ(1u, windows.defaultProcessed.size());
  RecordMessages(false);
  shell.WindowProc(w, plat::kWmLButtonDown, 1, 0);
  EXPECT_EQ(2u, windows.defaultProcessed.size());
}

TEST_F(ShellTest, InactiveShellWaitsAndResumesFramesOnActivation) {
  WireCalls();
  qrx::ShellCalls calls;
  calls.frameTick = [this] {
    ++frames;
    if (frames == 3) windows.Post(plat::kWmActivateApp, 0);
    if (frames == 5) shell.RequestClose();
    return std::uint32_t{0};
  };
  calls.closeSequence = [this] { ++closes; };
  shell.SetCalls(calls);  // no activation at the start
  int framesAtWait[2] = {-1, -1};
  windows.onWait = [&] {
    if (windows.waitCount <= 2) framesAtWait[windows.waitCount - 1] = frames;
    windows.Post(plat::kWmActivateApp, 1);
  };
  Run();
  EXPECT_EQ(0, framesAtWait[0]) << "no frame before the first activation";
  EXPECT_EQ(3, framesAtWait[1]) << "deactivation blocks at once";
  EXPECT_EQ(2, windows.waitCount);
  EXPECT_EQ(5, frames);
  EXPECT_EQ(0, windows.stallCount);
}

TEST_F(ShellTest, SwapMainWindowAndRequestCloseTargetTheCurrentOwner) {
  WireCalls();
  WindowHandle created = 0;
  frame = [&] {
    created = shell.GetMainWindow();
    EXPECT_EQ(created, shell.SwapMainWindow(0x77));
    EXPECT_EQ(0x77u, shell.SwapMainWindow(created));
    EXPECT_EQ(created, shell.GetMainWindow());
    EXPECT_TRUE(shell.RequestClose());
  };
  Run();
  EXPECT_NE(0u, created);
  EXPECT_EQ(0x400000u, shell.GetInstance());
  EXPECT_FALSE(shell.RequestClose()) << "the window is gone";
}

}  // namespace
