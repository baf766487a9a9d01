#include "audio/LoopingSamples.h"

#include <algorithm>
#include <cmath>

namespace velmora2 {

LoopingSamples::LoopingSamples(uint32_t bytes, int channels)
    : bytes_(bytes),
      channels_(channels > 0 ? static_cast<size_t>(channels) : 1),
      frames_(bytes / 2 / channels_),
      samples_(std::make_unique<std::atomic<int16_t>[]>((bytes + 1) / 2)) {}

uint8_t LoopingSamples::ByteAt(uint32_t offset) const {
    const auto sample = static_cast<uint16_t>(samples_[offset / 2].load(std::memory_order_relaxed));
    return static_cast<uint8_t>(offset % 2 == 0 ? sample & 0xFF : sample >> 8);
}

Status LoopingSamples::Fill(uint32_t offset, const uint8_t* data, uint32_t bytes) {
    if (offset > bytes_ || bytes > bytes_ - offset || (data == nullptr && bytes > 0))
        return kInvalidArgument;
    const uint32_t end = offset + bytes;
    // A sample only partly covered keeps its other byte.
    for (uint32_t first = offset - offset % 2; first < end; first += 2) {
        const uint8_t low = first >= offset ? data[first - offset] : ByteAt(first);
        uint8_t high = 0;  // an odd-sized buffer's last sample has no high byte
        if (first + 1 < end) {
            high = data[first + 1 - offset];
        } else if (first + 1 < bytes_) {
            high = ByteAt(first + 1);
        }
        samples_[first / 2].store(static_cast<int16_t>(low | (high << 8)),
                                  std::memory_order_relaxed);
    }
    return kOk;
}

int16_t LoopingSamples::SampleAt(size_t position, size_t c) const {
    if (current_ != nullptr) return (*current_)[position * channels_ + c];
    return samples_[position * channels_ + c].load(std::memory_order_relaxed);
}

void LoopingSamples::Render(int16_t* out, size_t frames) {
    const double gain = gain_.load(std::memory_order_relaxed);
    size_t position = position_.load(std::memory_order_relaxed);
    uint64_t advanced = advanced_.load(std::memory_order_relaxed);
    const std::vector<int16_t>* next = pending_.load(std::memory_order_acquire);
    const uint64_t switchAt = switchAt_.load(std::memory_order_relaxed);
    for (size_t f = 0; f < frames; ++f, ++advanced) {
        if (next != nullptr && advanced >= switchAt) {
            current_ = next;
            next = nullptr;
            position = 0;
            pending_.store(nullptr, std::memory_order_release);
        }
        const size_t loopFrames = current_ != nullptr ? current_->size() / channels_ : frames_;
        if (loopFrames == 0) {
            for (size_t c = 0; c < channels_; ++c) *out++ = 0;
            continue;
        }
        for (size_t c = 0; c < channels_; ++c) {
            const double value = std::nearbyint(SampleAt(position, c) * gain);
            *out++ = static_cast<int16_t>(std::fmax(-32768.0, std::fmin(32767.0, value)));
        }
        if (++position >= loopFrames) position = 0;
    }
    position_.store(position, std::memory_order_relaxed);
    advanced_.store(advanced, std::memory_order_release);
}

bool LoopingSamples::ContinueWith(std::vector<int16_t> loop, uint64_t at) {
    if (pending_.load(std::memory_order_acquire) != nullptr || at < FramesAdvanced()) return false;
    // The waiting loop has taken over by now; the one it replaced is no longer read.
    if (waitingLoop_) playingLoop_ = std::move(waitingLoop_);
    waitingLoop_ = std::make_unique<const std::vector<int16_t>>(std::move(loop));
    switchAt_.store(at, std::memory_order_relaxed);
    pending_.store(waitingLoop_.get(), std::memory_order_release);
    return true;
}

}  // namespace velmora2
