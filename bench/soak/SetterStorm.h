// A thread that calls every control operation of a running engine at random, every few
// milliseconds, the way a user turning every knob at once would. The operations that define the
// soak's configuration (mode, record length, averaging, traces, run) are called too, but always
// with the soak's own values, so the configuration under test stays what it is.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "engine/CDSCapture.h"

namespace velmora2 {

struct SoakConfiguration {
    int32_t mode = kModeSpectrum;
    int32_t recordLength = 65536;
    int32_t averages = 50;
};

class SetterStorm {
public:
    SetterStorm(CDSCapture& engine, SoakConfiguration configuration, uint32_t seed);
    ~SetterStorm();
    SetterStorm(const SetterStorm&) = delete;
    SetterStorm& operator=(const SetterStorm&) = delete;

    uint64_t Calls() const { return calls_.load(std::memory_order_relaxed); }

private:
    void Run(uint32_t seed);

    CDSCapture& engine_;
    const SoakConfiguration configuration_;
    std::atomic<bool> stop_{false};
    std::atomic<uint64_t> calls_{0};
    std::thread thread_;
};

}  // namespace velmora2
