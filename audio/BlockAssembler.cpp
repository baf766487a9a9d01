#include "audio/BlockAssembler.h"

#include <algorithm>
#include <cstring>

#include "audio/BlockQueue.h"

namespace velmora2 {

void BlockAssembler::Append(const uint8_t* frames, size_t count) {
    constexpr size_t kFrameBytes = kBlockBytes / kBlockFrames;
    while (count > 0) {
        const size_t take = std::min(count, static_cast<size_t>(kBlockFrames) - staged_);
        uint8_t* dst = staging_.data() + staged_ * kFrameBytes;
        if (frames != nullptr) {
            std::memcpy(dst, frames, take * kFrameBytes);
            frames += take * kFrameBytes;
        } else {
            std::memset(dst, 0, take * kFrameBytes);
        }
        staged_ += take;
        count -= take;
        if (staged_ == static_cast<size_t>(kBlockFrames)) {
            if (queue_ != nullptr) queue_->Push(staging_.data());
            staged_ = 0;
        }
    }
}

}  // namespace velmora2
