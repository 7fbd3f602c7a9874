#include "support/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
std::atomic<long> gLive{0};
}  // namespace

void* operator new(std::size_t size) {
    if (gCounting) ++gAllocations;
    // Under a debugger, VELMORA_TRAP_ALLOCATION=1 stops at the offending allocation.
    if (gCounting && std::getenv("VELMORA_TRAP_ALLOCATION")) __builtin_trap();
    if (void* p = std::malloc(size ? size : 1)) {
        gLive.fetch_add(1, std::memory_order_relaxed);
        return p;
    }
    throw std::bad_alloc();
}
// Kept out of line so the compiler does not pair a new-expression with free().
__attribute__((noinline)) void operator delete(void* p) noexcept {
    if (p) gLive.fetch_sub(1, std::memory_order_relaxed);
    std::free(p);
}
__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace vel::test {

CountAllocations::CountAllocations() {
    gAllocations = 0;
    gCounting = true;
}
CountAllocations::~CountAllocations() { gCounting = false; }
long CountAllocations::count() const { return gAllocations.load(); }
long liveAllocations() { return gLive.load(); }

}  // namespace vel::test
