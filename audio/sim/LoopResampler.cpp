#include "audio/sim/LoopResampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora2 {

namespace {

constexpr size_t kPhases = 1024;
// Kaiser's design rule for 110 dB of stop band: beta = 0.1102 (A - 8.7), and
// 2 * half width = (A - 7.95) / (14.36 * transition), the transition 0.1 of the lower rate.
constexpr double kBeta = 0.1102 * (110.0 - 8.7);
constexpr double kTapsAtEqualRates = (110.0 - 7.95) / (14.36 * 0.1);

// The modified Bessel function of the first kind, order 0, by its series.
double BesselI0(double x) {
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; k < 50; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
        if (term < sum * 1e-17) break;
    }
    return sum;
}

}  // namespace

LoopResampler::LoopResampler(int inputRate, int outputRate)
    : step_(static_cast<double>(inputRate) / outputRate), passThrough_(inputRate == outputRate) {
    if (passThrough_) return;
    // The cut-off, in cycles per input sample: half the lower of the two rates.
    const double scale = std::min(1.0, static_cast<double>(outputRate) / inputRate);
    const double cutoff = 0.5 * scale;
    halfWidth_ = static_cast<int>(std::ceil(kTapsAtEqualRates / 2.0 / scale));
    const size_t width = 2 * static_cast<size_t>(halfWidth_);
    const double windowNorm = BesselI0(kBeta);
    taps_.resize((kPhases + 1) * width);
    for (size_t row = 0; row <= kPhases; ++row) {
        const double fraction = static_cast<double>(row) / kPhases;
        double sum = 0.0;
        for (size_t j = 0; j < width; ++j) {
            // Tap j multiplies input sample first + j, first = floor(position) - halfWidth + 1.
            const double t = static_cast<double>(j) - (halfWidth_ - 1) - fraction;
            const double u = t / halfWidth_;
            const double window =
                std::abs(u) >= 1.0 ? 0.0 : BesselI0(kBeta * std::sqrt(1.0 - u * u)) / windowNorm;
            const double x = 2.0 * cutoff * t;
            const double sinc =
                x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
            const double tap = 2.0 * cutoff * sinc * window;
            taps_[row * width + j] = tap;
            sum += tap;
        }
        // Every phase passes a constant unchanged.
        for (size_t j = 0; j < width; ++j) taps_[row * width + j] /= sum;
    }
}

double LoopResampler::Dot(std::span<const int16_t> samples, size_t channels, size_t channel,
                          int64_t first, size_t phase) const {
    const auto frames = static_cast<int64_t>(samples.size() / channels);
    const size_t width = 2 * static_cast<size_t>(halfWidth_);
    const double* row = &taps_[phase * width];
    int64_t frame = ((first % frames) + frames) % frames;
    double sum = 0.0;
    for (size_t j = 0; j < width; ++j) {
        sum += row[j] * samples[static_cast<size_t>(frame) * channels + channel];
        if (++frame == frames) frame = 0;
    }
    return sum;
}

double LoopResampler::At(std::span<const int16_t> samples, size_t channels, size_t channel,
                         double position) const {
    const size_t frames = samples.size() / channels;
    if (frames == 0) return 0.0;
    const double whole = std::floor(position);
    if (passThrough_) {
        const auto frame = static_cast<size_t>(whole) % frames;
        return samples[frame * channels + channel];
    }
    const double phase = (position - whole) * kPhases;
    const auto row = static_cast<size_t>(phase);
    const double between = phase - static_cast<double>(row);
    const int64_t first = static_cast<int64_t>(whole) - halfWidth_ + 1;
    const double value = Dot(samples, channels, channel, first, row);
    if (between == 0.0) return value;
    return value + between * (Dot(samples, channels, channel, first, row + 1) - value);
}

}  // namespace velmora2
