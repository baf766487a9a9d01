// The analysis buffers of one channel for record length N: the captured record, the spectrum, the
// measured powers and the averaging sums. Arrays hold M = max(N, 2048) or M/2 zero-filled doubles
// and are allocated and released together (SpectrumAnalyzer::Resize replaces both channels at
// once); each starts on a cache line.
#pragma once

#include "analysis/CacheAlignedArray.h"

namespace velmora2 {

struct ChannelSpectrum {
    // Allocates every array for n, zero-filled; throws std::bad_alloc like any allocation.
    explicit ChannelSpectrum(int n);

    int size;  // N

    // M entries each.
    CacheAlignedArray capture;    // raw sample codes of the record (first N used)
    CacheAlignedArray magnitude;  // |X[k]|, mirrored about the middle; averaged when enabled
    CacheAlignedArray re;         // X[k], unscaled
    CacheAlignedArray im;

    // M/2 entries each.
    CacheAlignedArray harmonicFrequencies;  // 2 f0, 3 f0, ...; 0 beyond the count
    CacheAlignedArray harmonicPowers;
    CacheAlignedArray binPowers;  // magnitude[k]^2 for k < N/2
    CacheAlignedArray magnitudeSum;
    CacheAlignedArray harmonicPowerSum;
    CacheAlignedArray binPowerSum;

    double mainFrequency = 0;  // Hz
    double mainPower = 0;      // squared-magnitude units
    int harmonicCount = 0;
    double mainFrequencySum = 0;
    double mainPowerSum = 0;
    int averagedFrames = 0;  // frames held in the averaging sums
};

}  // namespace velmora2
