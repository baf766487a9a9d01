// The network analyzer's measurement: per sweep point, the gain and phase of the right channel
// against the left one from one analysed frame, after the point has settled for a number of
// frames. Owns the sweep table and the per-point results. Worker thread only.
#pragma once

#include "analysis/ChannelSpectrum.h"
#include "analysis/SweepTable.h"

namespace velmora2 {

// The largest magnitude of one channel below N/2 and its bin.
struct SpectrumPeak {
    double amplitude = 0.1;
    int bin = 0;
};

// The search starts from amplitude 0.1 at bin 0 and moves only to a strictly larger magnitude,
// so an empty spectrum (or a search that is off) gives 0.1 at bin 0.
SpectrumPeak FindPeakBin(const double* magnitudes, int n, bool peakSearch);

// One analysed frame as the measurement reads it.
struct SweepFrame {
    const ChannelSpectrum& left;
    const ChannelSpectrum& right;
    // First rising crossing of level 0 in each channel's raw record from index 60 on; 0 if none.
    int crossingL = 0;
    int crossingR = 0;
};

class NetworkSweep {
public:
    // Not pi to full precision: the wrap, unfolding and sign rules are defined with this value.
    static constexpr double kPi = 3.1415928;
    // Frames counted from the start of a point to its measurement, plain and slow sweep.
    static constexpr int kSettleFrames = 10;
    static constexpr int kSlowSettleFrames = 30;

    // Entering network analysis: a fresh table, no point measured, no wrap, sign check in force.
    void Reset(int points, int sampleRate);
    // The generator now plays point index: settling starts.
    void StartPoint(int index);
    // Called once per analysed frame while a point settles (SettleCounter() != 0). Measures the
    // point on the frame that completes the settle length and ends the settling then.
    void MeasureSweepPoint(const SweepFrame& frame, bool peakSearch, bool slowSweep);

    int SettleCounter() const { return settleCounter_; }
    int PointIndex() const { return pointIndex_; }
    bool PhaseWrapped() const { return phaseWrapped_; }
    bool SignByCrossing() const { return signByCrossing_; }
    const SweepResults& Results() const { return results_; }

private:
    void Measure(const SweepFrame& frame, bool peakSearch);
    double UnsignedPhase(const SweepFrame& frame, int bin) const;
    void DetectWrap(int i);
    bool RightLeads(const SweepFrame& frame, int i) const;

    SweepResults results_;
    int pointIndex_ = 0;
    int settleCounter_ = 0;
    bool phaseWrapped_ = false;
    bool signByCrossing_ = true;
};

}  // namespace velmora2
