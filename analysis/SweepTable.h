// The network sweep's points: the frequency of each, its column on the 400-pixel logarithmic
// axis from 10 Hz to fs/2 and its period in samples, and the results measured at them. Plain
// records and pure functions.
#pragma once

#include <array>
#include <cstdint>

namespace velmora2 {

// The result arrays hold this many points; the longest frequency list has kLongestSweep.
inline constexpr int kMaxSweepPoints = 50;
inline constexpr int kLongestSweep = 45;
// The point counts that choose a frequency list of their own.
inline constexpr std::array<int, 4> kSweepPointCounts = {11, 18, 30, kLongestSweep};
// The lower edge of the logarithmic frequency axis.
inline constexpr double kSweepAxisLowHz = 10.0;
// Width of the logarithmic frequency axis in pixels.
inline constexpr int kSweepAxisWidth = 400;

struct SweepTable {
    int count = 0;
    std::array<double, kMaxSweepPoints> frequency{};  // Hz
    std::array<int, kMaxSweepPoints> x{};             // pixel column on the frequency axis
    std::array<int, kMaxSweepPoints> period{};        // fs / f + 1 samples
};

// A sweep's table and what was measured at its points.
struct SweepResults {
    SweepTable table;
    std::array<double, kMaxSweepPoints> gain{};   // dB
    std::array<double, kMaxSweepPoints> phase{};  // radians; positive when the right channel lags
    // Set when the point was measured in the current sweep; only these points are plotted.
    std::array<bool, kMaxSweepPoints> measured{};
};

// Frequencies of the list chosen by the point count (11, 18 or 30 select their own list, any
// other count the 45-point one) at 48000 Hz, doubled at 96000 Hz and multiplied by 4 at any other
// rate; the first min(points, list length) are used, none for a count below 1.
SweepTable BuildSweepTable(int points, int sampleRate);

// Column of frequency f on the axis from 10 Hz to sampleRate / 2: trunc(log10(f / 10) /
// log10(fs / 2 / 10) x 400).
int SweepAxisX(double frequency, int sampleRate);

}  // namespace velmora2
