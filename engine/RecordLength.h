// The record lengths N the analyzer accepts: powers of two from 256 to 65536.
#pragma once

#include <array>
#include <cstdint>

namespace velmora2 {

constexpr std::array<int32_t, 9> kRecordLengths{256,  512,   1024,  2048, 4096,
                                                8192, 16384, 32768, 65536};

constexpr bool IsValidRecordLength(int32_t n) {
    for (int32_t length : kRecordLengths)
        if (length == n) return true;
    return false;
}

}  // namespace velmora2
