// The right input's transfer function against the left's: both records transformed together, the
// right's spectrum divided by the left's. The left input is the reference, so whatever delays both
// (the output's latency, the sound server) cancels. Outside the played band the quotient is tapered
// to zero, so the impulse response carries no noise from where nothing was played. The taper is
// a minimum-phase filter: its ringing comes after time 0 only, where the fundamental's part of the
// impulse response is long, never before it, where the harmonics lie close.
#pragma once

#include <complex>
#include <span>
#include <vector>

#include "synthesis/LogSweepSignal.h"

namespace velmora2 {

struct Deconvolved {
    int points = 0;  // the transform's length, a power of two
    double binHz = 0.0;
    // D[k] B[k] for k <= points / 2, where B is the band's taper.
    std::vector<std::complex<double>> transfer;
    std::vector<std::complex<double>> taper;  // B[k]: 1 in magnitude within the band
    // Its inverse transform: the impulse response, time 0 at index 0, negative times (where
    // the harmonics lie) wrapped to the end.
    std::vector<double> impulse;
};

// `reference` and `response` are the same span of both inputs; throws std::bad_alloc like any
// allocation.
Deconvolved Deconvolve(std::span<const double> reference, std::span<const double> response,
                       const LogSweepPlan& plan);

// The real signal (length 2 (size - 1)) whose transform has bins 0 .. size - 1 as given.
std::vector<double> RealSignalOf(std::span<const std::complex<double>> halfSpectrum);

// The transform of the impulse response's part from `begin` to `end` (frames, negative before time
// 0) with frame `centre` moved to time 0: the part of one harmonic, or the fundamental's. Each side
// tapers over its outer quarter. Bins 0 .. points / 2.
std::vector<std::complex<double>> SpectrumOfCut(const Deconvolved& d, int64_t begin, int64_t end,
                                                int64_t centre);

// The unwrapped phase of transfer[k] for first <= k <= last (index k - first), starting from the
// principal value at `first`.
std::vector<double> UnwrappedPhase(std::span<const std::complex<double>> transfer, int first,
                                   int last);

}  // namespace velmora2
