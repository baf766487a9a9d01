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

void LoopingSamples::Render(int16_t* out, size_t frames) {
    if (frames_ == 0) {
        std::fill_n(out, frames * channels_, int16_t{0});
        return;
    }
    const double gain = gain_.load(std::memory_order_relaxed);
    size_t position = position_.load(std::memory_order_relaxed);
    for (size_t f = 0; f < frames; ++f) {
        for (size_t c = 0; c < channels_; ++c) {
            const double value = std::nearbyint(
                samples_[position * channels_ + c].load(std::memory_order_relaxed) * gain);
            *out++ = static_cast<int16_t>(std::fmax(-32768.0, std::fmin(32767.0, value)));
        }
        if (++position == frames_) position = 0;
    }
    position_.store(position, std::memory_order_relaxed);
}

}  // namespace velmora2
