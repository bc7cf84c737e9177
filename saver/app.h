// The saver process: builds the saver's objects over a Platform, registers
// its title and hooks with the shell and runs the shell's entry routine.
#pragma once
#include "platform/platform.h"

namespace prumya {

int RunSaverProcess(const plat::Platform& platform, plat::InstanceHandle instance,
                    char* commandLine, int showCommand);

}  // namespace prumya
