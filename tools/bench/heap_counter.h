// Counts the program's calls of the global operator new (the bench replaces
// it), so the timed frames can show that they allocate nothing.
#pragma once
#include <cstdint>

namespace bench {

std::uint64_t HeapAllocations();

}  // namespace bench
