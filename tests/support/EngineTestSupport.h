// Helpers for tests that run the engine on the stepped simulated bench.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <thread>

#include "audio/sim/SimBench.h"
#include "engine/CDSCapture.h"
#include "measurement/SteppedDelivery.h"

namespace velmora2::testing {

using velmora2::DeliverBlocks;
using velmora2::WaitForBlocks;

// A signal that numbers every frame: left = low 15 bits of the frame index, right = the next 15.
inline void NumberFrames(int64_t frame, double& left, double& right) {
    left = static_cast<double>(frame & 0x7FFF);
    right = static_cast<double>((frame >> 15) & 0x7FFF);
}

inline int64_t FrameNumberAt(const uint8_t* bytes, int frameInBlock) {
    int16_t samples[2];
    std::memcpy(samples, bytes + frameInBlock * 4, 4);
    return static_cast<int64_t>(samples[0]) | (static_cast<int64_t>(samples[1]) << 15);
}

inline int ThreadCount() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

// A joined thread can still be listed under /proc for a moment after join() returns (the kernel
// wakes the joiner before it reaps the task), so counts are read once they stop moving.

// The count once it equals `expected`, or whatever it is when `limit` has passed.
inline int ThreadCountOnceItIs(int expected,
                               std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (ThreadCount() != expected && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return ThreadCount();
}

// The thread count to compare against later: runtimes that start a helper thread of their own
// with the first thread (the sanitizers do) have done so by then, and the joined probe is gone.
inline int BaselineThreadCount() {
    const int before = ThreadCount();
    std::thread([] {}).join();
    return ThreadCountOnceItIs(before, std::chrono::milliseconds(50));
}

}  // namespace velmora2::testing
