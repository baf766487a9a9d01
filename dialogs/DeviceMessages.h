// The device list's message texts, exactly as the user sees them (escapes as in C).
#pragma once

#include "platform/UiText.h"

namespace velmora2::msg {

// Shown for each output device that cannot be used; the device is then left out of the list.
inline constexpr const char* kOutputDeviceProblem = VELMORA2_TEXT(
    "オーディオデバイスに問題があります。 \r\n"
    "Velmora2のヘルプの \r\n"
    "→トラブルシューティングをご覧ください。 ");

inline constexpr const char* kDeviceListTitle = "Velmora2";

}  // namespace velmora2::msg
