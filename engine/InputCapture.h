// Both inputs captured without a gap for a measurement that needs a long stretch of them (the log
// sweep): the user interface makes the capture (all its memory at once) and hands it to the
// engine; the worker fills it from the next block on, and gives up at the first block of input
// lost meanwhile, since a record with a gap would measure something that was never played.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace velmora2 {

class InputCapture {
public:
    enum class State { Filling, Complete, Lost };

    // Throws std::bad_alloc like any allocation.
    explicit InputCapture(int64_t frames);

    // Worker: one captured block (interleaved 16-bit left/right, `frames` frames) and the count
    // of blocks the queue has lost since the engine started.
    void Feed(const uint8_t* bytes, int frames, uint64_t blocksLost);

    State Current() const { return state_.load(std::memory_order_acquire); }
    int64_t FramesFilled() const { return filled_.load(std::memory_order_acquire); }
    int64_t Frames() const { return static_cast<int64_t>(left_.size()); }
    // The codes of each input; whole once Complete.
    const std::vector<double>& Left() const { return left_; }
    const std::vector<double>& Right() const { return right_; }

private:
    std::vector<double> left_, right_;
    std::optional<uint64_t> lostAtStart_;  // the worker's
    std::atomic<int64_t> filled_{0};
    std::atomic<State> state_{State::Filling};
};

}  // namespace velmora2
