#include "tests/analysis/AllocationFailure.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocationsBeforeFailure{-1};  // negative: never fail
}  // namespace

void velmora2::testing::FailAllocationAfter(long count) {
    allocationsBeforeFailure = count;
}

void* operator new(std::size_t size) {
    const long left = allocationsBeforeFailure.load();
    if (left == 0) {
        allocationsBeforeFailure = -1;
        throw std::bad_alloc();
    }
    if (left > 0) allocationsBeforeFailure = left - 1;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
