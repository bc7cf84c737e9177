// A link-time seam between the entry and the display: the shipped program
// leaves the display as the platform made it (display_hook.cpp); the fault
// build links its own definition instead, which sets a fault plan.
#pragma once
#include "platform/linux/linux_display.h"

namespace plat::linux_port {

// Called once, after the platform has started and before the saver runs.
void PrepareDisplay(LinuxDisplay& display);

}  // namespace plat::linux_port
