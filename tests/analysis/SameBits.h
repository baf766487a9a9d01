// Bit-for-bit equality of two sample vectors: the analysis results must match their plain
// reference loops exactly, not only within a tolerance.
#pragma once

#include <cstring>
#include <vector>

namespace velmora2::testing {

// Any two arrays of doubles (plain or cache-aligned vectors).
template <typename A, typename B>
bool SameBits(const A& a, const B& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), sizeof(double) * a.size()) == 0;
}

}  // namespace velmora2::testing
