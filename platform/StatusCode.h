// Status codes shared by the sound seam and the engine: negative = failure, 0 = success,
// positive = a refused parameter. Printed as "%08X" of the 32-bit value.
#pragma once

#include <cstdint>
#include <string>

namespace velmora2 {

using Status = int32_t;

constexpr Status kOk = 0;
constexpr Status kGenericFailure = static_cast<Status>(0x80004005u);  // E_FAIL
constexpr Status kNoDevice = static_cast<Status>(0x88780078u);        // no such device
constexpr Status kFormatRefused = static_cast<Status>(0x88780032u);   // bad format
constexpr Status kInvalidArgument = static_cast<Status>(0x80070057u);

inline bool Failed(Status s) {
    return s < 0;
}

// "%08X" of the status, e.g. "80004005".
std::string StatusHex(Status s);

}  // namespace velmora2
