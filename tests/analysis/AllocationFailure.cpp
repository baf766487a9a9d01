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

namespace {
// Counts one allocation and throws when it is the one chosen to fail.
void CountAllocation() {
    const long left = allocationsBeforeFailure.load();
    if (left == 0) {
        allocationsBeforeFailure = -1;
        throw std::bad_alloc();
    }
    if (left > 0) allocationsBeforeFailure = left - 1;
}
}  // namespace

void* operator new(std::size_t size) {
    CountAllocation();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

// The analysis arrays start on a cache line: their allocations count and fail like all others.
void* operator new(std::size_t size, std::align_val_t alignment) {
    CountAllocation();
    const auto bytes = static_cast<std::size_t>(alignment);
    // aligned_alloc wants a multiple of the alignment.
    const std::size_t rounded = (size + bytes - 1) / bytes * bytes;
    if (void* p = std::aligned_alloc(bytes, rounded == 0 ? bytes : rounded)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
