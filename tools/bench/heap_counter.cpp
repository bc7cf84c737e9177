#include "tools/bench/heap_counter.h"

#include <cstdlib>
#include <new>

namespace {

std::uint64_t allocations = 0;  // the bench runs on one thread

}  // namespace

namespace bench {

std::uint64_t HeapAllocations() { return allocations; }

}  // namespace bench

// The array and nothrow forms of the library call these.
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
