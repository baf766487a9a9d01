// Tones of known frequency in a windowed record: the record's transform at any frequency, the
// weighted least-squares fit of a constant and sinusoids at given frequencies (the window as the
// weight, so that what lies outside the tones' main lobes does not enter), and the frequency of
// a tone refined to where the transform of the record, cleared of the other fitted parts, peaks.
// Frequencies are in cycles per sample. Nothing here allocates.
#pragma once

#include <array>
#include <complex>
#include <span>

#include "precision/CosineSumWindow.h"

namespace velmora2 {

// The sum over m of windowed[m] exp(-i 2 pi f m) for each of the frequencies.
void WindowedTransforms(std::span<const double> windowed, std::span<const double> frequencies,
                        std::span<std::complex<double>> transforms);
std::complex<double> WindowedTransform(std::span<const double> windowed, double frequency);

// x[m] ~ dc + sum of a cos(2 pi f m) + b sin(2 pi f m).
struct FittedTone {
    double frequency = 0;
    double a = 0;
    double b = 0;
    // As amplitude cos(2 pi f m + phase).
    double Amplitude() const;
    double Phase() const;  // radians
};

// The most tones one fit takes (the fundamental and its harmonics up to the tenth).
inline constexpr int kMostFittedTones = 10;

struct ToneFit {
    bool solved = false;  // false when the frequencies are too close to tell apart, or too many
    double dc = 0;
    std::array<FittedTone, kMostFittedTones> tones{};  // in the order of the frequencies given
    int count = 0;

    // What the fitted parts add to the windowed transform at f, leaving out tone `skip`'s positive
    // frequency (-1: none).
    std::complex<double> TransformAt(const CosineSumWindow& window, double f, int skip = -1) const;
};

ToneFit FitTones(std::span<const double> windowed, const CosineSumWindow& window,
                 std::span<const double> frequencies);

// Where |transform - others.TransformAt(f, skip)| peaks near guess (within half a bin of it);
// guess itself when there is no peak there.
double RefinePeak(std::span<const double> windowed, const CosineSumWindow& window, double guess,
                  const ToneFit& others, int skip);

}  // namespace velmora2
