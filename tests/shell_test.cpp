// The application shell over the fake window system: its start, loop, close
// and window procedure.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "framework/app_shell.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_window_system.h"

namespace {

using plat::WindowHandle;

class ShellTest : public ::testing::Test {
 protected:
  // The start activates the window (as the system does once it is shown)
  // and each frame runs `frame`.
  ShellTest() {
    qrx::ShellCalls calls;
    calls.buildTrigTable = [this] { windows.calls.push_back("BuildTrigTable"); };
    calls.startSaver = [this] {
      windows.calls.push_back("StartSaver");
      windows.Post(plat::kWmActivateApp, 1);
    };
    calls.frameTick = [this] {
      ++frames;
      if (frame) frame();
      return std::uint32_t{0};
    };
    calls.closeSequence = [this] { windows.calls.push_back("CloseSequence"); };
    shell.SetCalls(calls);
  }
  // The call log, one call a line, from the first `from` on.
  std::string Log(const std::string& from = "") const {
    std::string all;
    for (const std::string& c : windows.calls) all += c + "\n";
    return all.substr(std::min(all.find(from), all.size()));
  }
  int Run(const char* commandLine = "/s") {
    std::vector<char> line(commandLine, commandLine + std::string(commandLine).size() + 1);
    return shell.Run(0x400000, 0, line.data(), 1);
  }

  fake::FakeWindowSystem windows;
  fake::FakeClock clock;
  qrx::Random random;
  qrx::AppShell shell{windows, clock, random};
  std::vector<std::uint32_t> received;
  std::function<void()> frame;
  int frames = 0;
};

TEST_F(ShellTest, EntryRunsItsStepsInOrderAndEndsWithZero) {
  std::string seen;
  shell.SetInitHandler([&](plat::InstanceHandle instance, plat::InstanceHandle, char* line, int) {
    seen = line + (" at " + std::to_string(instance));
    windows.calls.push_back("Init");
    return true;
  });
  frame = [this] { shell.RequestClose(); };
  clock.seconds = 0x1234567;
  EXPECT_FALSE(shell.SetTitle(nullptr));  // leaves the default
  EXPECT_EQ(0, Run("/S 123"));
  EXPECT_EQ("/s 123 at 4194304", seen);
  EXPECT_EQ(0x1234567u, random.State());
  EXPECT_EQ("LowercaseInPlace\nDisableInputMethod\nInit\nRegisterWindowClass QRXAPPWNDCLS\n"
            "CreateMainWindow QRXAPPWNDCLS 0,0 1024x768\nShowAndUpdate 1\nBuildTrigTable\nStartSaver\nPostMessage 16\n"
            "CloseSequence\nDestroyWindow\nPostQuitMessage\n",
            Log());
  EXPECT_EQ("QRX Application", windows.title);
  EXPECT_EQ(nullptr, shell.Title()) << "the exit step frees the title";
  EXPECT_FALSE(windows.runaway);
}

TEST_F(ShellTest, RefusedStartOrFailedWindowEndsWithZeroBeforeTheStart) {
  shell.SetInitHandler([](plat::InstanceHandle, plat::InstanceHandle, char*, int) { return false; });
  EXPECT_EQ(0, Run("/p 1234"));
  shell.SetInitHandler(nullptr);
  windows.failCreate = true;
  EXPECT_EQ(0, Run());
  EXPECT_EQ("LowercaseInPlace\nDisableInputMethod\nLowercaseInPlace\nDisableInputMethod\n"
            "RegisterWindowClass QRXAPPWNDCLS\nCreateMainWindow QRXAPPWNDCLS 0,0 1024x768\n", Log());
  EXPECT_EQ(0u, shell.GetMainWindow());
}

// Esc is still offered; the shell's own request and the handler's make one
// close, and neither WM_CLOSE nor WM_DESTROY reaches the handler.
TEST_F(ShellTest, EscAndTheHandlersOwnRequestCloseOnce) {
  shell.SetMessageHandler([&](WindowHandle, std::uint32_t m, std::uintptr_t, std::intptr_t) {
    received.push_back(m);
    if (m == plat::kWmKeyDown) shell.RequestClose();
    return true;
  });
  frame = [this] { windows.Post(plat::kWmKeyDown, plat::kVkEscape); };
  EXPECT_EQ(0, Run());
  EXPECT_EQ(1, frames);
  EXPECT_EQ(std::vector<std::uint32_t>{plat::kWmKeyDown}, received);
  EXPECT_EQ(0, shell.WindowProc(7, plat::kWmClose, 0, 0));  // the guard holds until the next frame
  EXPECT_EQ("StartSaver\nPostMessage 16\nPostMessage 16\nCloseSequence\nDestroyWindow\nPostQuitMessage\n",
            Log("StartSaver"));
}

// What the procedure answers, whether the handler (consuming or not) is
// offered the message, and whether the default procedure gets it.
TEST_F(ShellTest, WindowProcedureRoutesEachMessage) {
  // message, wParam, the handler consumes; the answer, offered, defaulted
  const std::tuple<std::uint32_t, std::uintptr_t, bool, std::intptr_t, bool, bool> cases[] = {
      {plat::kWmSysKeyDown, plat::kVkMenu, false, 0, false, false},
      {plat::kWmSysKeyDown, plat::kVkF10, false, 0, false, false},
      {plat::kWmSysCommand, plat::kScScreenSave, false, 1, false, false},
      {plat::kWmSysCommand, 0xF060, false, 0, true, true},  // SC_CLOSE
      {plat::kWmSysCommand, plat::kScScreenSave + 1, false, 0, true, true},
      {plat::kWmSetCursor, 7, true, 1, false, false},
      {plat::kWmActivateApp, 1, true, 0, false, false},
      {plat::kWmLButtonDown, 1, true, 0, true, false},
      {plat::kWmKeyDown, 'A', true, 0, true, false},
  };
  for (const auto& [message, wParam, consume, answer, offered, defaulted] : cases) {
    SCOPED_TRACE(std::to_string(message) + " " + std::to_string(wParam));
    shell.SetMessageHandler([this, c = consume](WindowHandle, std::uint32_t m, std::uintptr_t, std::intptr_t) {
      received.push_back(m);
      return c;
    });
    received.clear();
    windows.defaultProcessed.clear();
    EXPECT_EQ(answer, shell.WindowProc(7, message, wParam, 0));
    EXPECT_EQ(offered, !received.empty());
    EXPECT_EQ(defaulted, !windows.defaultProcessed.empty());
  }
  EXPECT_EQ(1, windows.hideCursorCount);
  shell.SetMessageHandler(nullptr);
  EXPECT_EQ(0, shell.WindowProc(7, plat::kWmMouseMove, 0, 0));
  EXPECT_EQ(1u, windows.defaultProcessed.size()) << "no handler: default processing";
}

// A registered title names the window (setting it to itself keeps it); a
// close of the shell's own window destroys it even while a dialog's is
// swapped in as the main window.
TEST_F(ShellTest, CloseDestroysTheShellWindowEvenWithADialogSwappedIn) {
  EXPECT_TRUE(shell.SetTitle("ぷるみゅら"));
  EXPECT_TRUE(shell.SetTitle(shell.Title()));
  WindowHandle created = 0;
  frame = [&] {
    created = shell.GetMainWindow();
    EXPECT_EQ(created, shell.SwapMainWindow(0x9999));
    windows.queue.push_back({created, plat::kWmClose, 0, 0});
  };
  Run();
  EXPECT_EQ("ぷるみゅら", windows.title);
  EXPECT_NE(0u, created);
  EXPECT_EQ(std::vector<WindowHandle>{created}, windows.destroyed);
  EXPECT_EQ(0x400000u, shell.GetInstance());
  shell.SwapMainWindow(created);
  EXPECT_FALSE(shell.RequestClose()) << "the window is gone";
}

}  // namespace
