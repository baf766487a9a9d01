#include "engine/InputCapture.h"

#include <algorithm>
#include <cstring>

namespace velmora2 {

InputCapture::InputCapture(int64_t frames)
    : left_(static_cast<size_t>(frames)), right_(static_cast<size_t>(frames)) {}

void InputCapture::Feed(const uint8_t* bytes, int frames, uint64_t blocksLost) {
    if (Current() != State::Filling) return;
    if (!lostAtStart_) lostAtStart_ = blocksLost;
    if (blocksLost != *lostAtStart_) {
        state_.store(State::Lost, std::memory_order_release);
        return;
    }
    const int64_t filled = filled_.load(std::memory_order_relaxed);
    const int count = static_cast<int>(std::min<int64_t>(frames, Frames() - filled));
    for (int i = 0; i < count; ++i) {
        int16_t pair[2];
        std::memcpy(pair, bytes + 4 * i, sizeof pair);
        left_[filled + i] = pair[0];
        right_[filled + i] = pair[1];
    }
    filled_.store(filled + count, std::memory_order_release);
    if (filled + count == Frames()) state_.store(State::Complete, std::memory_order_release);
}

}  // namespace velmora2
