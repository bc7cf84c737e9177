// The run inside another X client's window (a screen-saver daemon's, the
// root window, or one given by id), chosen before the shell sees the
// command line.
#pragma once
#include "saver/host_request.h"

namespace plat::linux_port {

// The exit code: 0 when the window went away or a signal asked to stop.
int RunInHostWindow(const prumya::XHostRequest& request);

}  // namespace plat::linux_port
