#include "analysis/NetworkSweep.h"

#include <algorithm>
#include <cmath>

namespace velmora2 {

SpectrumPeak FindPeakBin(const double* magnitudes, int n, bool peakSearch) {
    SpectrumPeak peak;
    if (!peakSearch) return peak;
    for (int k = 0; k < n / 2; ++k) {
        if (magnitudes[k] > peak.amplitude) {
            peak.amplitude = magnitudes[k];
            peak.bin = k;
        }
    }
    return peak;
}

void NetworkSweep::Reset(int points, int sampleRate) {
    results_.table = BuildSweepTable(points, sampleRate);
    results_.measured.fill(false);
    phaseWrapped_ = false;
    signByCrossing_ = true;
}

void NetworkSweep::StartPoint(int index) {
    pointIndex_ = index;
    settleCounter_ = 1;
}

void NetworkSweep::MeasureSweepPoint(const SweepFrame& frame, bool peakSearch, bool slowSweep) {
    if (settleCounter_ == 0) return;
    ++settleCounter_;
    if (settleCounter_ < (slowSweep ? kSlowSettleFrames : kSettleFrames)) return;
    settleCounter_ = 0;
    // A point without a frequency in this sweep's table has nothing to be measured against.
    if (pointIndex_ < 0 || pointIndex_ >= results_.table.count) return;
    Measure(frame, peakSearch);
}

void NetworkSweep::Measure(const SweepFrame& frame, bool peakSearch) {
    const int n = frame.left.size;
    const SpectrumPeak left = FindPeakBin(frame.left.magnitude.data(), n, peakSearch);
    const SpectrumPeak right = FindPeakBin(frame.right.magnitude.data(), n, peakSearch);
    const int i = pointIndex_;
    auto& phase = results_.phase;

    results_.gain[i] = 20.0 * std::log10(right.amplitude / left.amplitude);
    phase[i] = UnsignedPhase(frame, right.bin);
    DetectWrap(i);
    // Past 180 degrees acos folds the phase back: 2 pi - phi restores it.
    if (phaseWrapped_) phase[i] = kPi + (kPi - phase[i]);
    if (phase[i] > kPi) signByCrossing_ = false;
    if (signByCrossing_ && RightLeads(frame, i) && phase[i] > kPi / 100) phase[i] = -phase[i];
    results_.measured[i] = true;
}

double NetworkSweep::UnsignedPhase(const SweepFrame& frame, int bin) const {
    const double reL = frame.left.re[bin];
    const double imL = frame.left.im[bin];
    const double reR = frame.right.re[bin];
    const double imR = frame.right.im[bin];
    const double product = std::sqrt(reL * reL + imL * imL) * std::sqrt(reR * reR + imR * imR);
    // No signal at the bin in either channel: there is no angle between them to measure.
    if (!(product > 0.0)) return 0.0;
    // Rounding can carry the ratio of nearly parallel vectors just past 1.
    const double ratio = std::clamp((reL * reR + imL * imR) / product, -1.0, 1.0);
    return std::acos(ratio);
}

// The phase rose above 90 degrees and turned down by more than 3 degrees: it has passed 180.
void NetworkSweep::DetectWrap(int i) {
    if (phaseWrapped_ || i < 2) return;
    const auto& phase = results_.phase;
    if (phase[i - 1] > phase[i - 2] && phase[i - 1] > phase[i] &&
        phase[i - 1] - phase[i] > kPi / 60 && phase[i - 1] > kPi / 2)
        phaseWrapped_ = true;
}

// The right channel's rising edge comes first within half a period.
bool NetworkSweep::RightLeads(const SweepFrame& frame, int i) const {
    const int halfPeriod = results_.table.period[i] / 2;
    const int tL = frame.crossingL;
    const int tR = frame.crossingR;
    return (tR < tL && tL - tR < halfPeriod) || (tL < tR && tR - tL > halfPeriod);
}

}  // namespace velmora2
