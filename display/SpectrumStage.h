// The spectrum's stage: turns one record's settings and analysis results into the picture the
// spectrum view draws, and draws it on the linear or the logarithmic axis. Pure mapping, so
// every field can be checked without a surface.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "display/BackgroundStatus.h"
#include "display/SpectrumViewState.h"
#include "display/Surface.h"
#include "precision/PrecisionFigures.h"
#include "records/RuntimeState.h"

namespace velmora2 {

// One channel's analysis of the record.
struct SpectrumResult {
    std::span<const double> magnitudes;  // |X[k]|, mirrored, averaged when averaging is on
    int32_t fftSize = 2048;              // N
    SpectrumFigures figures;
};

// What the pipeline hands the stage for one complete record.
struct SpectrumRecord {
    SpectrumResult left;
    SpectrumResult right;
    int32_t sampleRate = 48000;
    int32_t settleCounter = 0;  // network sweep point being measured
    int32_t averageCount = 0;   // the live averaging counter
};

struct SpectrumPicture {
    bool logAxis = false;
    int32_t fftSize = 2048;
    int32_t sampleRate = 48000;
    SpectrumStatus status;
    SpectrumViewState view;
    SpectrumChannel left;
    SpectrumChannel right;
    // The last precision analysis when its read-out is on, drawn under the spectrum's own.
    std::optional<StereoFigures> precision;
};

SpectrumPicture MakeSpectrumPicture(const RuntimeState& settings, const SpectrumRecord& record);

// The axis's background, then the channels: on the linear axis both (each decides what a hidden
// trace still shows), on the logarithmic axis only the shown ones.
void DrawSpectrumPicture(Surface& surface, const SpectrumPicture& picture);

}  // namespace velmora2
