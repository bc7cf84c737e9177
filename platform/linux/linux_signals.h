// Termination signals (SIGTERM, SIGINT, SIGHUP) as a flag and a wake-up
// descriptor. The handler only records the signal; every loop of the process
// (the saver's wait, GTK's modal loops, an embedded run) watches the
// descriptor and then closes the ordinary way, so nothing is cut off midway.
#pragma once

namespace plat::linux_port {

// Installs the handlers (once; later calls do nothing). False when the
// wake-up pipe or a handler could not be set up.
bool InstallTerminationSignals();
// A termination signal has arrived. Stays true for the rest of the process.
bool TerminationRequested();
// Readable once a signal has arrived (-1 before the install); its bytes are
// only a wake-up: read them away with DrainTerminationWakeups.
int TerminationWakeFd();
void DrainTerminationWakeups();

// Calls onSignal from GLib's default main context (and so from inside any
// GTK modal loop) whenever a signal has woken it. Returns the source id.
unsigned WatchTerminationInGlib(void (*onSignal)(void* data), void* data);

}  // namespace plat::linux_port
