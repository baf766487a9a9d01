// The record transform: an in-place complex radix-2 decimation-in-time FFT of one length n, with
// its twiddle factors and bit-reversal order computed once per length instead of once per frame.
#pragma once

#include <vector>

namespace velmora2 {

// The read-out's transform defines its twiddle factors with pi rounded to 3.1415928, and its
// figures are kept bit for bit; the precision analysis needs the exact angles.
enum class TwiddleAngles { Readout, Exact };

class FftPlan {
public:
    // Builds the tables for n points (a power of two, >= 2); throws std::bad_alloc like any
    // allocation.
    explicit FftPlan(int n, TwiddleAngles angles = TwiddleAngles::Readout);

    // Transforms input[offset] ... input[offset + n - 1] as a complex sequence with zero imaginary
    // parts. re and im receive the unscaled spectrum X[k] (n values each); magnitude[k] = |X[k]|
    // for k < n/2 and its mirror image magnitude[n - 1 - k] = |X[k]|.
    void ComputeSpectrum(const double* input, double* magnitude, int offset, double* re,
                         double* im) const;

    // The same for the windowed record input[i] * window[i], i < n; a null window leaves the
    // input as it is. Bit for bit what the transform of a windowed copy would give.
    void ComputeWindowedSpectrum(const double* input, const double* window, double* magnitude,
                                 double* re, double* im) const;

    // The same in two steps, for a record that arrives piece by piece. LoadInputs takes the
    // inputs input[j n/8 + m] for j < 8 and from <= m < to (multiples of 4, within n/8),
    // windowed when a window is given, through the first stages into their places in re and im
    // (below 32 points it loads every input whatever the range); once every m < n/8 is loaded, in
    // any order, FinishSpectrum does the rest. The result is bit for bit that of
    // ComputeWindowedSpectrum.
    void LoadInputs(const double* input, const double* window, double* re, double* im, int from,
                    int to) const;
    void FinishSpectrum(double* magnitude, double* re, double* im) const;

    // FinishSpectrum in FinishSteps() steps (the early stages of one cache block, the late
    // stages, the magnitudes), for a caller that spreads the transform over time: FinishStep(0)
    // ... FinishStep(FinishSteps() - 1) in this order do exactly what FinishSpectrum does; only
    // the last one writes the magnitudes.
    int FinishSteps() const;
    void FinishStep(int step, double* magnitude, double* re, double* im) const;

    // The unscaled transform of the complex sequence re[k] + i im[k], k < n, in place; no
    // magnitudes. For long records made in one piece (the deconvolution of a sweep).
    void TransformInPlace(double* re, double* im) const;
    // The inverse in place: x[k] = (1/n) sum X[j] e^(2 pi i jk/n), so that it undoes
    // TransformInPlace.
    void InverseInPlace(double* re, double* im) const;

private:
    int CacheBlock() const;
    void Transform(const double* in, const double* window, double* magnitude, double* re,
                   double* im) const;

    int n_;
    // source[k]: the input index that lands at position k after the bit-reversal swaps.
    std::vector<int> source_;
    // The twiddles of every stage side by side: the stage of half-span h uses entries
    // h - 1 ... 2h - 2, so each stage reads its factors in order.
    std::vector<double> twiddleRe_;
    std::vector<double> twiddleIm_;
};

}  // namespace velmora2
