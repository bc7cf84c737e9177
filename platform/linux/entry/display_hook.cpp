#include "platform/linux/entry/display_hook.h"

namespace plat::linux_port {

void PrepareDisplay(LinuxDisplay&) {}

}  // namespace plat::linux_port
