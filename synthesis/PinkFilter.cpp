#include "synthesis/PinkFilter.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace velmora2 {

namespace {

// A third of a decade between neighbouring poles; each zero sits half way (in log frequency) to
// the next pole up, which gives -10 dB per decade on average.
const double kSpacing = std::pow(10.0, 1.0 / 3.0);
// Lowest corner: the slope holds from a few hertz up.
constexpr double kLowestPoleHz = 1.0;

struct RelativeCorners {
    double zero;  // fractions of the sample rate
    double pole;
};
// Near the top the plain spacing leaves the response too high (the sections' corners near half
// the rate do not act as they would at low frequencies); these three are placed to hold the
// slope up to 0.42 of the rate.
constexpr RelativeCorners kTopSections[] = {
    {0.45464, 0.22500}, {0.18736, 0.11606}, {0.07507, 0.05142}};

double CornerToCoefficient(double cornerHz, int sampleRate) {
    return std::exp(-2.0 * std::numbers::pi * cornerHz / sampleRate);
}

}  // namespace

PinkFilter::PinkFilter(int sampleRate) {
    for (const RelativeCorners& corners : kTopSections)
        sections_.push_back({std::exp(-2.0 * std::numbers::pi * corners.zero),
                             std::exp(-2.0 * std::numbers::pi * corners.pole)});
    for (double pole = kTopSections[2].pole * sampleRate / kSpacing; pole > kLowestPoleHz;
         pole /= kSpacing)
        sections_.push_back({CornerToCoefficient(pole * std::sqrt(kSpacing), sampleRate),
                             CornerToCoefficient(pole, sampleRate)});
    // Unit gain at 1 kHz.
    const std::complex<double> z = std::polar(1.0, -2.0 * std::numbers::pi * 1000.0 / sampleRate);
    std::complex<double> response = 1.0;
    for (const Section& s : sections_) response *= (1.0 - s.zero * z) / (1.0 - s.pole * z);
    gain_ = 1.0 / std::abs(response);
}

double PinkFilter::Next(double white) {
    double x = white * gain_;
    for (Section& s : sections_) {
        const double y = x - s.zero * s.lastInput + s.pole * s.lastOutput;
        s.lastInput = x;
        s.lastOutput = y;
        x = y;
    }
    return x;
}

}  // namespace velmora2
