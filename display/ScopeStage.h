// The oscilloscope's stage: turns one block's settings and display buffers into the picture the
// oscilloscope view draws, and draws it. Pure mapping, so every field can be checked without a
// surface; the block pipeline only supplies what it found in the block.
#pragma once

#include <cstdint>
#include <span>

#include "display/BackgroundStatus.h"
#include "display/ScopeState.h"
#include "display/Surface.h"
#include "records/RuntimeState.h"

namespace velmora2 {

// What the pipeline found in the block: the oversampled display buffers and the trigger.
struct ScopeBlock {
    std::span<const double> displayL;
    std::span<const double> displayR;
    int32_t triggerIndex = 0;
    bool traceValid = false;   // a crossing was found, the trigger is off, or a shot is frozen
    int32_t filterLength = 0;  // taps of the oversampling filter in force
    int32_t sampleRate = 48000;
};

struct ScopePicture {
    RecordingStatus recording;
    ScopeState state;
    ScopeChannel left;
    ScopeChannel right;
};

ScopePicture MakeScopePicture(const RuntimeState& settings, const ScopeBlock& block);

// Background, then the left channel, then the right one over it.
void DrawScopePicture(Surface& surface, const ScopePicture& picture);

}  // namespace velmora2
