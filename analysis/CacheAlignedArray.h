// Arrays of doubles that start on a cache line. The transform's passes write whole groups of
// eight values (64 bytes); when those groups straddle two lines every pass touches twice the lines
// it needs, which makes the transform about twice as slow.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace velmora2 {

constexpr std::size_t kCacheLineBytes = 64;

template <typename T>
struct CacheLineAllocator {
    using value_type = T;

    CacheLineAllocator() = default;
    template <typename U>
    explicit CacheLineAllocator(const CacheLineAllocator<U>&) noexcept {}

    // Throws std::bad_alloc like any allocation.
    T* allocate(std::size_t count) {
        return static_cast<T*>(
            ::operator new (count * sizeof(T), std::align_val_t{kCacheLineBytes}));
    }
    void deallocate(T* p, std::size_t) noexcept {
        ::operator delete (p, std::align_val_t{kCacheLineBytes});
    }

    friend bool operator==(const CacheLineAllocator&, const CacheLineAllocator&) = default;
};

using CacheAlignedArray = std::vector<double, CacheLineAllocator<double>>;

}  // namespace velmora2
