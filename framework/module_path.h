// Places a file name beside the running module unless it carries a colon.
#pragma once
#include <cstddef>

#include "platform/system.h"

namespace qrx {

// The running module's folder with its separator (empty for a bare file
// name) into out. False (and an empty string) when it is unknown or does not
// fit.
bool ModuleDirectory(plat::ISystemInfo& system, char* out, std::size_t size);

// Writes at most size - 1 bytes plus NUL into out. Returns false (and writes
// an empty string) when the resolved path does not fit.
bool ResolveBesideModule(plat::ISystemInfo& system, char* out, std::size_t size, const char* name);

}  // namespace qrx
