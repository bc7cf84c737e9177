#include "platform/linux/linux_signals.h"

#include <fcntl.h>
#include <glib-unix.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace plat::linux_port {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

volatile sig_atomic_t requested = 0;
int wakeRead = -1;
int wakeWrite = -1;

// Async-signal-safe: a flag and one non-blocking write (a full pipe already
// holds a wake-up).
void OnSignal(int) {
  const int saved = errno;
  requested = 1;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(wakeWrite, &byte, 1);
  errno = saved;
}

struct GlibWatch {
  void (*onSignal)(void*);
  void* data;
};

gboolean OnWakeFd(gint, GIOCondition, gpointer user) {
  DrainTerminationWakeups();
  const auto* watch = static_cast<const GlibWatch*>(user);
  if (TerminationRequested()) watch->onSignal(watch->data);
  return G_SOURCE_CONTINUE;
}

}  // namespace

bool InstallTerminationSignals() {
  if (wakeRead >= 0) return true;
  int fds[2];
  if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return false;
  wakeRead = fds[0];
  wakeWrite = fds[1];
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int s : kSignals) sigaddset(&action.sa_mask, s);
  action.sa_flags = SA_RESTART;
  bool ok = true;
  for (int s : kSignals) ok = sigaction(s, &action, nullptr) == 0 && ok;
  return ok;
}

bool TerminationRequested() { return requested != 0; }

int TerminationWakeFd() { return wakeRead; }

void DrainTerminationWakeups() {
  if (wakeRead < 0) return;
  char buffer[64];
  while (read(wakeRead, buffer, sizeof buffer) > 0) {
  }
}

unsigned WatchTerminationInGlib(void (*onSignal)(void* data), void* data) {
  if (wakeRead < 0) return 0;
  return g_unix_fd_add_full(G_PRIORITY_HIGH, wakeRead, G_IO_IN, OnWakeFd,
                            new GlibWatch{onSignal, data},
                            [](gpointer p) { delete static_cast<GlibWatch*>(p); });
}

}  // namespace plat::linux_port
