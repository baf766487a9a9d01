// Bit-for-bit equality of two sample vectors: the analysis results must match their plain
// reference loops exactly, not only within a tolerance.
#pragma once

#include <cstring>
#include <vector>

namespace velmora2::testing {

inline bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), sizeof(double) * a.size()) == 0;
}

}  // namespace velmora2::testing
