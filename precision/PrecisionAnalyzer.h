// The precision analysis of one record of both inputs: each channel windowed with the
// high-dynamic-range window and transformed with exact angles; the fundamental's frequency
// refined between bins, it and its harmonics 2 .. 10 fitted together by weighted least squares;
// the noise summed over the band's bins outside the tones' main lobes, the lobes' share of it
// filled in at the density around them. In steps, so that a caller with a deadline per block can
// spread it: Begin copies the record, Step does the next of kSteps parts. Only the constructor
// allocates.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "analysis/Fft.h"
#include "precision/CosineSumWindow.h"
#include "precision/PrecisionFigures.h"
#include "precision/ToneFit.h"

namespace velmora2 {

class PrecisionAnalyzer {
public:
    // For records of n points (a power of two, 1024 .. 2^21); throws std::bad_alloc like any
    // allocation.
    explicit PrecisionAnalyzer(int n);

    int Size() const { return window_.Size(); }

    // Takes Size() samples of each input, multiplied by scale to make full scale 1.
    void Begin(const double* left, const double* right, double scale, int sampleRate,
               const PrecisionOptions& options);
    // The next part; true once the figures are complete (and on every call after that).
    bool Step();
    bool Busy() const { return step_ < kSteps; }
    // Drops the record in analysis.
    void Cancel() { step_ = kSteps; }
    const StereoFigures& Figures() const { return figures_; }

    // Each channel's transform, its measurement, then the figures between the channels.
    static constexpr int kSteps = 5;

private:
    struct Channel {
        std::vector<double> windowed;
        std::vector<double> power;                // |X[k]|^2, k <= n/2
        std::vector<double> harmonicFrequencies;  // cycles per sample; the fundamental first
        ToneFit fit;
    };
    void Transform(Channel& channel);
    void Measure(Channel& channel, ChannelFigures& figures);
    void Between();

    CosineSumWindow window_;
    FftPlan fft_;
    std::vector<double> magnitude_, re_, im_;
    Channel left_, right_;
    std::vector<uint8_t> binKinds_;   // of the channel being measured
    std::vector<double> aWeighting_;  // the power gain at each bin for weightedRate_
    int weightedRate_ = 0;
    PrecisionOptions options_;
    StereoFigures figures_;
    int step_ = kSteps;
};

// The whole analysis at once (for records of a power-of-two length).
StereoFigures AnalysePrecisely(std::span<const double> left, std::span<const double> right,
                               double scale, int sampleRate, const PrecisionOptions& options);

}  // namespace velmora2
