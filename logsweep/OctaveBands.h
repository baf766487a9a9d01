// The measurement's frequencies, a fraction of an octave apart from the band's start, and the bins
// of a spectrum each one averages over: the fraction of an octave centred on it (in log
// frequency), or the nearest bin when it holds none or nothing is smoothed.
#pragma once

#include <complex>
#include <span>
#include <vector>

#include "logsweep/LogSweepResult.h"
#include "synthesis/LogSweepSignal.h"

namespace velmora2 {

// Points per octave averaged over: 6, 12, 24 or 48, or 0 for none.
inline constexpr int kSmoothingChoices[] = {0, 6, 12, 24, 48};
inline constexpr int kDefaultSmoothing = 48;
bool IsSmoothingChoice(int smoothing);
// Without smoothing the points are this many to the octave.
inline constexpr int kUnsmoothedPointsPerOctave = 48;

// startHz 2^(i / points per octave) up to endHz.
std::vector<double> PointFrequencies(const LogSweepPlan& plan, int smoothing);

struct BinRange {
    int first = 0;
    int last = 0;  // inclusive
};
// The bins of a spectrum of bin width binHz, within 1 .. lastBin, that the point at f averages.
BinRange BinsAround(double f, int smoothing, double binHz, int lastBin);

// The mean of |X[k]|^2 over the range.
double MeanPower(std::span<const std::complex<double>> spectrum, BinRange bins);

}  // namespace velmora2
