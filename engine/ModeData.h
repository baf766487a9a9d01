// An owned copy of the data behind the picture of the current mode, for saving it as numbers: the
// worker fills it between blocks, so nothing outside the worker ever reads its live buffers.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/SampleBlock.h"
#include "records/RuntimeState.h"

namespace velmora2 {

struct ModeData {
    int32_t mode = kModeScope;
    int sampleRate = 48000;

    // Oscilloscope and Lissajous: the two display buffers (ADC counts), the trigger index the
    // oscilloscope starts from, and what turns counts into volts and indices into seconds.
    std::vector<double> left;
    std::vector<double> right;
    int triggerIndex = 0;
    int oversampling = 1;
    double cal = 1.0;

    // Spectrum: |X[k]| of each channel for k < N/2 (after averaging when that is on).
    int32_t fftSize = 0;
    double specCal = 0.0;
};

// Copies what `settings.mode` shows out of the sample block. Reuses out's storage.
void CaptureModeData(const SampleBlock& samples, const RuntimeState& settings, int sampleRate,
                     ModeData& out);

}  // namespace velmora2
