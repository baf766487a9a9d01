#include "logsweep/OctaveBands.h"

#include <algorithm>
#include <cmath>

namespace velmora2 {

bool IsSmoothingChoice(int smoothing) {
    return std::find(std::begin(kSmoothingChoices), std::end(kSmoothingChoices), smoothing) !=
           std::end(kSmoothingChoices);
}

std::vector<double> PointFrequencies(const LogSweepPlan& plan, int smoothing) {
    const int perOctave = smoothing > 0 ? smoothing : kUnsmoothedPointsPerOctave;
    std::vector<double> frequencies;
    // A hair of tolerance, so that a band of whole octaves ends on its end frequency.
    const double last = plan.endHz * (1.0 + 1e-9);
    for (int i = 0;; ++i) {
        const double f = plan.startHz * std::exp2(static_cast<double>(i) / perOctave);
        if (f > last) break;
        frequencies.push_back(f);
    }
    return frequencies;
}

BinRange BinsAround(double f, int smoothing, double binHz, int lastBin) {
    const auto clampBin = [&](double k) {
        return static_cast<int>(std::clamp(k, 1.0, static_cast<double>(lastBin)));
    };
    BinRange bins;
    if (smoothing > 0) {
        const double halfWidth = std::exp2(0.5 / smoothing);
        bins.first = clampBin(std::ceil(f / halfWidth / binHz));
        bins.last = clampBin(std::floor(f * halfWidth / binHz));
        if (bins.first <= bins.last) return bins;
    }
    bins.first = bins.last = clampBin(std::round(f / binHz));
    return bins;
}

double MeanPower(std::span<const std::complex<double>> spectrum, BinRange bins) {
    double sum = 0.0;
    for (int k = bins.first; k <= bins.last; ++k) sum += std::norm(spectrum[k]);
    return sum / (bins.last - bins.first + 1);
}

}  // namespace velmora2
