// GTK 3 started once, on first use, in the same process as SDL. The
// process's C locale is left alone (texts are converted explicitly).
#pragma once
#include <functional>

namespace plat::linux_port {

// True when GTK is (now) initialised; false without a usable display.
bool EnsureGtk();
// Runs GTK's pending events, so a destroyed window is really gone.
void DrainGtkEvents();

// Hooks around the outermost modal window (dialog or box): `before` runs as
// it is about to be shown, `after` once it and its window are gone.
void SetModalHooks(std::function<void()> before, std::function<void()> after);

// One modal window while it runs: `cancel` ends its loop as a Cancel would.
// A termination signal cancels every open one, innermost first, so nested
// loops all return and the process can close the ordinary way.
class GtkModal {
 public:
  explicit GtkModal(std::function<void()> cancel);
  ~GtkModal();
  GtkModal(const GtkModal&) = delete;
  GtkModal& operator=(const GtkModal&) = delete;
  // A termination signal has arrived: a modal window should not even open.
  static bool Refused();

 private:
  std::function<void()> cancel_;
};

}  // namespace plat::linux_port
