// Tests on real sound devices need the private loopback daemon that scripts/pulse-loopback.sh
// starts: a null sink "loop" as the default output and its monitor as the default input, so the
// default devices capture exactly what they play.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

#include "audio/portaudio/PortAudioSystem.h"

namespace velmora2::testing {

// The null sink's rate, as the script creates it.
inline constexpr int kLoopbackRate = 48000;

inline bool PulseLoopbackRunning() {
    const char* flag = std::getenv("VELMORA2_PULSE_LOOPBACK");
    return flag != nullptr && std::string_view(flag) == "1";
}

class PulseLoopback : public ::testing::Test {
protected:
    void SetUp() override {
        if (!PulseLoopbackRunning())
            GTEST_SKIP() << "needs the sound loopback: source scripts/pulse-loopback.sh and run "
                            "start_pulse_loopback first";
        ASSERT_EQ(sound.InitResult(), kOk);
    }

    PortAudioSystem sound;
};

}  // namespace velmora2::testing
