// Four doubles side by side for the record loops. Vector arithmetic is element-wise IEEE
// arithmetic, so every lane computes exactly what the scalar code would; the loops are compiled
// twice, for 256-bit registers where the processor has them and portably, and the choice is made
// once at start-up by an ordinary check rather than by the loader's function resolution, which
// runs before sanitizer runtimes are ready.
#pragma once

#include <cstring>

namespace velmora2 {

using Quad = double __attribute__((vector_size(32)));

// The helpers take vectors by reference and are always inlined, so no wide vector crosses a call
// boundary (whose convention would depend on the instruction set).
template <typename V>
[[gnu::always_inline]] inline void Load(V& v, const double* p) {
    std::memcpy(&v, p, sizeof(V));
}

template <typename V>
[[gnu::always_inline]] inline void Store(double* p, const V& v) {
    std::memcpy(p, &v, sizeof(V));
}

// Stores v at p with its lanes in reverse order.
[[gnu::always_inline]] inline void StoreReversed(double* p, const Quad& v) {
    Store(p, __builtin_shufflevector(v, v, 3, 2, 1, 0));
}

inline bool ProcessorHasAvx() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}

}  // namespace velmora2
