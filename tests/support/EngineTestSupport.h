// Helpers for tests that run the engine on the stepped simulated bench.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <thread>

#include "audio/sim/SimBench.h"
#include "engine/CDSCapture.h"

namespace velmora2::testing {

// Waits (a safety limit, not a timing check) until the engine has processed `count` blocks.
inline bool WaitForBlocks(const CDSCapture& engine, uint64_t count,
                          std::chrono::seconds limit = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (engine.BlocksProcessed() < count) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

// Steps the bench block by block, letting the worker catch up so that the queue never overflows.
inline bool DeliverBlocks(SimBench& bench, const CDSCapture& engine, int blocks) {
    const uint64_t start = engine.BlocksProcessed();
    for (int i = 0; i < blocks; ++i) {
        if (bench.Step(1) != 1) return false;
        if ((i + 1) % 16 == 0 && !WaitForBlocks(engine, start + i + 1)) return false;
    }
    return WaitForBlocks(engine, start + blocks);
}

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

// The thread count to compare against later: runtimes that start a helper thread of their own
// with the first thread (the sanitizers do) have done so by then.
inline int BaselineThreadCount() {
    std::thread([] {}).join();
    return ThreadCount();
}

}  // namespace velmora2::testing
