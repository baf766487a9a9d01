// The left input an engine captures, kept block by block from its worker for a test to read:
// optionally after a number of blocks have passed (a sound server's latency), up to a limit.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstring>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/CDSCapture.h"

namespace velmora2::testing {

class LeftInputRecorder {
public:
    // Attaches to the engine; before Start.
    explicit LeftInputRecorder(CDSCapture& engine, uint64_t skippedBlocks = 0,
                               size_t limit = std::numeric_limits<size_t>::max())
        : skippedBlocks_(skippedBlocks), limit_(limit) {
        engine.SetBlockObserver([this](const CDSCapture::ProcessedBlock& block) { Keep(block); });
    }
    LeftInputRecorder(const LeftInputRecorder&) = delete;
    LeftInputRecorder& operator=(const LeftInputRecorder&) = delete;

    size_t Size() const {
        const std::lock_guard lock(mutex_);
        return samples_.size();
    }
    std::vector<double> Samples() const {
        const std::lock_guard lock(mutex_);
        return samples_;
    }
    // Waits until `count` samples are kept; false after `limit` (a safety limit).
    bool WaitFor(size_t count, std::chrono::seconds limit = std::chrono::seconds(20)) const {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (Size() < count) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

private:
    void Keep(const CDSCapture::ProcessedBlock& block) {
        const std::lock_guard lock(mutex_);
        if (blocks_++ < skippedBlocks_) return;
        for (int f = 0; f < kBlockFrames && samples_.size() < limit_; ++f) {
            int16_t frame[2];
            std::memcpy(frame, block.bytes + 4 * f, 4);
            samples_.push_back(frame[0]);
        }
    }

    const uint64_t skippedBlocks_;
    const size_t limit_;
    mutable std::mutex mutex_;
    uint64_t blocks_ = 0;
    std::vector<double> samples_;
};

}  // namespace velmora2::testing
