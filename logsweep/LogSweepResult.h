// What a log-sweep measurement gives: the right input's response against the left's at points a
// fraction of an octave apart, the impulse response, and the harmonics' levels per frequency.
#pragma once

#include <array>
#include <vector>

namespace velmora2 {

struct ResponsePoint {
    double frequencyHz = 0.0;
    double gainDb = 0.0;
    double phaseDeg = 0.0;  // unwrapped from the band's start; negative when the right input lags
    double groupDelayUs = 0.0;  // -d phase / d omega: positive for a lag
};

// The harmonic orders reported, 2 .. 1 + kHarmonicOrders.
inline constexpr int kHarmonicOrders = 4;

struct LogSweepResult {
    int sampleRate = 0;
    int smoothing = 0;  // points per octave averaged over, 0 for none
    std::vector<ResponsePoint> points;
    // harmonicDb[k - 2][i]: the level of harmonic k of the fundamental at points[i], in dB against
    // the fundamental at the output; not a number where the harmonic lies beyond the band.
    std::array<std::vector<double>, kHarmonicOrders> harmonicDb;
    // The impulse response of the right input against the left, starting impulseStartSeconds
    // (negative) before the time both have in common.
    std::vector<double> impulse;
    double impulseStartSeconds = 0.0;
};

}  // namespace velmora2
