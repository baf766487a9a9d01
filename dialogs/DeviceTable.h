// The sound-device pairs the user chooses from by index (the DEVICE setting): position i pairs
// capture device i with output device i. A default identifier opens the system default device.
#pragma once

#include <array>
#include <cstdint>

#include "audio/SoundSystem.h"

namespace velmora2 {

constexpr int kMaxListedDevices = 10;

struct DeviceTable {
    std::array<DeviceId, kMaxListedDevices> captureDeviceIds{};
    std::array<DeviceId, kMaxListedDevices> outputDeviceIds{};
    int32_t deviceCount = 0;
};

}  // namespace velmora2
