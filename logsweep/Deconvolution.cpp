#include "logsweep/Deconvolution.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

#include "analysis/Fft.h"

namespace velmora2 {

namespace {

// Guards the quotient where the left's spectrum all but vanishes, far below anything played.
constexpr double kGuardShare = 1e-12;
// Beyond the band the quotient is kept whole this far: above it a 48th of an octave; below it half
// an octave, so that the low edge's ringing in the impulse response has died away within the
// fundamental's part even at the band's start.
constexpr double kOctavesKeptBeyondBand = 1.0 / 48.0;
constexpr double kOctavesKeptBelowBand = 1.0 / 48.0;

// 1 from a little below the band to a little above it (so that every bin a point of the band
// averages is whole), a raised cosine in log frequency down to 0 at the played sweep's ends.
double BandTaper(double f, const LogSweepPlan& plan, const LogSweepShape& shape) {
    const auto fall = [](double x) { return 0.5 - 0.5 * std::cos(std::numbers::pi * x); };
    const double low = plan.startHz * std::exp2(-kOctavesKeptBelowBand);
    const double high = std::min(plan.endHz * std::exp2(kOctavesKeptBeyondBand),
                                 std::sqrt(plan.endHz * shape.playedEndHz));
    if (f <= shape.playedStartHz || f >= shape.playedEndHz) return 0.0;
    if (f < low)
        return fall(std::log(f / shape.playedStartHz) / std::log(low / shape.playedStartHz));
    if (f > high) return fall(std::log(shape.playedEndHz / f) / std::log(shape.playedEndHz / high));
    return 1.0;
}

// A taper below this is taken as this, so that its logarithm is finite.
constexpr double kTaperFloor = 1e-6;

// The minimum-phase filter of magnitude BandTaper, from its real cepstrum: the logarithm of the
// magnitude, transformed back, folded onto positive quefrencies, and transformed again gives the
// logarithm of the filter.
std::vector<std::complex<double>> MinimumPhaseTaper(const FftPlan& fft, int n, double binHz,
                                                    const LogSweepPlan& plan) {
    const LogSweepShape shape = ShapeOf(plan);
    const int half = n / 2;
    std::vector<double> re(n), im(n, 0.0);
    for (int k = 0; k <= half; ++k) {
        re[k] = std::log(std::max(kTaperFloor, BandTaper(k * binHz, plan, shape)));
        if (k > 0 && k < half) re[n - k] = re[k];
    }
    fft.InverseInPlace(re.data(), im.data());
    for (int m = 1; m < half; ++m) re[m] *= 2.0;
    for (int m = half + 1; m < n; ++m) re[m] = 0.0;
    std::fill(im.begin(), im.end(), 0.0);
    fft.TransformInPlace(re.data(), im.data());
    std::vector<std::complex<double>> taper(half + 1);
    for (int k = 0; k <= half; ++k) taper[k] = std::exp(std::complex<double>(re[k], im[k]));
    return taper;
}

}  // namespace

Deconvolved Deconvolve(std::span<const double> reference, std::span<const double> response,
                       const LogSweepPlan& plan) {
    const size_t frames = std::min(reference.size(), response.size());
    const int n = static_cast<int>(std::bit_ceil(std::max<size_t>(frames, 2)));
    Deconvolved out;
    out.points = n;
    out.binHz = static_cast<double>(plan.sampleRate) / n;

    // Both real records in one complex transform: left + i right.
    std::vector<double> re(n, 0.0), im(n, 0.0);
    std::copy_n(reference.begin(), frames, re.begin());
    std::copy_n(response.begin(), frames, im.begin());
    const FftPlan fft(n, TwiddleAngles::Exact);
    fft.TransformInPlace(re.data(), im.data());

    const int half = n / 2;
    std::vector<std::complex<double>> left(half + 1), right(half + 1);
    double largest = 0.0;
    for (int k = 0; k <= half; ++k) {
        const std::complex<double> z(re[k], im[k]);
        const std::complex<double> mirror =
            std::conj(std::complex<double>(re[(n - k) % n], im[(n - k) % n]));
        left[k] = 0.5 * (z + mirror);
        right[k] = std::complex<double>(0.0, -0.5) * (z - mirror);
        largest = std::max(largest, std::norm(left[k]));
    }

    out.taper = MinimumPhaseTaper(fft, n, out.binHz, plan);
    out.transfer.resize(half + 1);
    for (int k = 0; k <= half; ++k) {
        out.transfer[k] = out.taper[k] * right[k] * std::conj(left[k]) /
                          (std::norm(left[k]) + kGuardShare * largest);
    }

    out.impulse = RealSignalOf(out.transfer);
    return out;
}

std::vector<double> RealSignalOf(std::span<const std::complex<double>> halfSpectrum) {
    const int half = static_cast<int>(halfSpectrum.size()) - 1;
    const int n = 2 * half;
    std::vector<double> re(n), im(n);
    for (int k = 0; k <= half; ++k) {
        re[k] = halfSpectrum[k].real();
        im[k] = halfSpectrum[k].imag();
        if (k > 0 && k < half) {
            re[n - k] = re[k];
            im[n - k] = -im[k];
        }
    }
    im[0] = 0.0;
    im[half] = 0.0;
    FftPlan(n, TwiddleAngles::Exact).InverseInPlace(re.data(), im.data());
    return re;
}

std::vector<std::complex<double>> SpectrumOfCut(const Deconvolved& d, int64_t begin, int64_t end,
                                                int64_t centre) {
    constexpr double kTaperShare = 0.25;
    const int n = d.points;
    const auto wrap = [n](int64_t i) { return static_cast<size_t>(((i % n) + n) % n); };
    const auto weight = [&](int64_t i) {
        const double share = i < centre ? static_cast<double>(i - begin) / (centre - begin)
                                        : static_cast<double>(end - 1 - i) / (end - 1 - centre);
        return share >= kTaperShare ? 1.0
                                    : 0.5 - 0.5 * std::cos(std::numbers::pi * share / kTaperShare);
    };
    std::vector<double> re(n, 0.0), im(n, 0.0);
    for (int64_t i = begin; i < end; ++i) re[wrap(i - centre)] = weight(i) * d.impulse[wrap(i)];
    FftPlan(n, TwiddleAngles::Exact).TransformInPlace(re.data(), im.data());
    std::vector<std::complex<double>> spectrum(static_cast<size_t>(n / 2 + 1));
    for (int k = 0; k <= n / 2; ++k) spectrum[k] = {re[k], im[k]};
    return spectrum;
}

std::vector<double> UnwrappedPhase(std::span<const std::complex<double>> transfer, int first,
                                   int last) {
    std::vector<double> phase;
    phase.reserve(static_cast<size_t>(std::max(0, last - first + 1)));
    double previous = 0.0;
    for (int k = first; k <= last; ++k) {
        double p = std::arg(transfer[k]);
        if (k > first) {
            p += 2.0 * std::numbers::pi * std::round((previous - p) / (2.0 * std::numbers::pi));
        }
        phase.push_back(p);
        previous = p;
    }
    return phase;
}

}  // namespace velmora2
