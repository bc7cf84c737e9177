// Places a file name beside the running module unless it carries a colon.
#pragma once
#include <cstddef>

#include "platform/system.h"

namespace qrx {

// Writes at most size - 1 bytes plus NUL into out. Returns false (and writes
// an empty string) when the resolved path does not fit.
bool ResolveBesideModule(plat::ISystemInfo& system, char* out, std::size_t size, const char* name);

}  // namespace qrx
