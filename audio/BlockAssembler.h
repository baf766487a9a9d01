// Gathers 16-bit stereo frames that arrive in pieces of any size into whole capture blocks of
// kBlockFrames frames and pushes each full block to a queue. Runs inside an audio callback: it
// neither allocates nor locks, and its staging block is part of the object.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "audio/SoundSystem.h"

namespace velmora2 {

class BlockAssembler {
public:
    // Set before the first Append; full blocks are dropped while no queue is attached.
    void Attach(BlockQueue* queue) { queue_ = queue; }
    // Appends `frames` frames of 4 bytes each; a null pointer stands for that many silent frames
    // (a device that reports a gap still advances the time line).
    void Append(const uint8_t* frames, size_t count);

private:
    BlockQueue* queue_ = nullptr;
    size_t staged_ = 0;  // frames already in the staging block
    std::array<uint8_t, kBlockBytes> staging_{};
};

}  // namespace velmora2
