// The data of a looping generator buffer: 16-bit interleaved samples (silence until filled) that
// an audio callback renders over and over at a gain. Filling and the gain go through atomics, so
// the callback reads without a lock while the user interface writes; a fill during playback may
// be heard half-done for one pass, as with any buffer written while it plays.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/StatusCode.h"

namespace velmora2 {

class LoopingSamples {
public:
    LoopingSamples(uint32_t bytes, int channels);

    uint32_t SizeBytes() const { return bytes_; }
    // Copies little-endian sample bytes in at a byte offset. One writer at a time.
    Status Fill(uint32_t offset, const uint8_t* data, uint32_t bytes);
    void SetGain(double gain) { gain_.store(gain, std::memory_order_relaxed); }
    // Audio thread: the next `frames` frames, continuing where the previous call ended and
    // starting again at the first frame after the last whole frame.
    void Render(int16_t* out, size_t frames);

    // Frames rendered since the samples were made.
    uint64_t FramesAdvanced() const { return advanced_.load(std::memory_order_acquire); }
    // From frame `at` on, Render plays `loop` (looping, from its first frame) instead. One writer
    // at a time; false while an earlier change still waits, or when `at` has passed.
    bool ContinueWith(std::vector<int16_t> loop, uint64_t at);

private:
    uint8_t ByteAt(uint32_t offset) const;
    // The sample of channel c at `position` in whatever plays now.
    int16_t SampleAt(size_t position, size_t c) const;

    uint32_t bytes_;
    size_t channels_;
    size_t frames_;  // whole frames; a trailing partial frame is never played
    std::unique_ptr<std::atomic<int16_t>[]> samples_;
    std::atomic<double> gain_{1.0};
    std::atomic<size_t> position_{0};  // frame to play next
    std::atomic<uint64_t> advanced_{0};

    // A loop that took over (the audio thread's), and one that waits for its frame: the writer
    // frees a loop only once the audio thread has moved past it.
    std::unique_ptr<const std::vector<int16_t>> playingLoop_;
    std::unique_ptr<const std::vector<int16_t>> waitingLoop_;
    std::atomic<const std::vector<int16_t>*> pending_{nullptr};
    std::atomic<uint64_t> switchAt_{0};
    const std::vector<int16_t>* current_ = nullptr;  // audio thread: null for the own samples
};

}  // namespace velmora2
