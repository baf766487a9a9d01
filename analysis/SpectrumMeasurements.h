// The spectrum measurements of one channel: main frequency, fundamental and harmonic band powers,
// bin powers, and the THD, THD+N and S/N figures the readout derives from them. Figures that
// cannot be measured come back empty, never as a division by zero or the log of zero.
#pragma once

#include <optional>

#include "analysis/ChannelSpectrum.h"

namespace velmora2 {

struct MainFrequency {
    int peakBin = 0;       // p: lowest index of the largest magnitude below n/2
    int halfWidth = 0;     // d: the band half-width for every BandPower call of this channel
    double frequency = 0;  // Hz; 0 when the band around the peak holds no power
};

// The power-weighted centroid of the 2d + 1 bins around the largest magnitude below n/2.
MainFrequency FindMainFrequency(const double* magnitudes, int n, int sampleRate);

// Fills harmonicFrequencies[0 .. n/2 - 1] with 2 f0, 3 f0, ... below fs / 2.01 (zeros after
// them) and returns how many are valid, at most n/2 - 1.
int ListHarmonics(double mainFrequency, int n, int sampleRate, double* harmonicFrequencies);

// Sum of magnitude^2 over the bins c - halfWidth ... c + halfWidth around the bin c nearest to
// frequency; bins outside 0 ... n - 1 contribute nothing.
double BandPower(const double* magnitudes, int n, int sampleRate, double frequency, int halfWidth);

inline double BinPower(const double* magnitudes, int k) {
    return magnitudes[k] * magnitudes[k];
}

// The per-frame measurements of one transformed channel, in the order the readout relies on.
// keepHarmonicCount: a finished average keeps the harmonic count of the frames it holds.
void MeasureChannel(ChannelSpectrum& channel, int sampleRate, bool keepHarmonicCount);

// First bin of the noise total: the bins below 75 Hz are left out when the high-pass is on.
int NoiseStartBin(int n, int sampleRate, bool highPass);

struct DistortionFigures {
    std::optional<double> thd;            // per cent
    std::optional<double> thdPlusNoise;   // per cent
    std::optional<double> signalToNoise;  // dB
};

// THD from the harmonic powers; THD+N and S/N from the bin powers outside the main band. All are
// ratios of powers, so the level calibration does not enter.
DistortionFigures MeasureDistortion(const ChannelSpectrum& channel, int sampleRate, bool highPass);

}  // namespace velmora2
