// Oversampling for the scope display: spreads the first 2048/R captured samples of a channel R
// apart and interpolates between them with a fixed FIR, so the oscilloscope, the Lissajous view
// and the trigger search see R times the time resolution of the sound device (R = 1, 2 or 4).
// The per-block functions neither allocate nor keep state; the caller owns every buffer.
#pragma once

#include <span>

namespace velmora2 {

// Samples per channel in the stuffed and the display buffers.
constexpr int kOversampledLength = 2048;

// A supported ratio R with its interpolation taps h (T = taps.size(), none for R = 1). Ratio and
// taps live in one constant, so switching the ratio can never pair it with another ratio's taps.
struct OversamplingFilter {
    int factor;
    std::span<const double> taps;
};

// The filter for R = 1, 2 or 4; nullptr refuses any other ratio.
const OversamplingFilter* SelectOversampling(int factor);

// T: 0, 50 or 93; 0 (no filtering) for a refused ratio.
int FilterLength(int factor);

// T/2, the lag of the causal filter in output samples. The trigger search starts this much later
// so that it never looks at the filter's start-up edge.
int TriggerStartOffset(int factor);

// stuffed[k] = raw[k / R] for k = 0, R, 2R, ... below 2048 and 0 in between, so only
// raw[0 .. 2048/R - 1] is read. Returns false and writes nothing for a refused ratio.
bool StuffZeros(const double* raw, int factor, double* stuffed);

// display[k] = sum over j = 0 .. T-1 of R * h[j] * stuffed[k - j], where stuffed before index 0
// counts as 0, so the first T-1 outputs are the filter's start-up edge; R = 1 copies stuffed.
// stuffed must hold zeros between its R-spaced samples, as StuffZeros leaves it: the products
// with those zeros are skipped. Returns false and writes nothing for a refused ratio.
bool InterpolationFilter(const double* stuffed, int factor, double* display);

// StuffZeros and then InterpolationFilter: the per-block step for one channel.
bool OversampleForDisplay(const double* raw, int factor, double* stuffed, double* display);

}  // namespace velmora2
