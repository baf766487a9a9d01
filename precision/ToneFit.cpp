#include "precision/ToneFit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "analysis/Lanes.h"

namespace velmora2 {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// The phasors are stepped by multiplication and set afresh every so many samples (a multiple of
// four), which keeps their rounding near that of a directly computed exponential.
constexpr int kPhasorRun = 256;

std::complex<double> PhasorAt(double frequency, int m) {
    const double cycles = frequency * m;
    return std::polar(1.0, -kTwoPi * (cycles - std::floor(cycles)));
}

// Solves a x = b in place by elimination with partial pivoting; false when singular.
bool Solve(double* a, double* b, int size) {
    for (int col = 0; col < size; ++col) {
        int pivot = col;
        for (int row = col + 1; row < size; ++row)
            if (std::fabs(a[row * size + col]) > std::fabs(a[pivot * size + col])) pivot = row;
        if (!(std::fabs(a[pivot * size + col]) > 1e-12 * std::fabs(a[0]))) return false;
        if (pivot != col) {
            for (int k = 0; k < size; ++k) std::swap(a[col * size + k], a[pivot * size + k]);
            std::swap(b[col], b[pivot]);
        }
        for (int row = col + 1; row < size; ++row) {
            const double factor = a[row * size + col] / a[col * size + col];
            for (int k = col; k < size; ++k) a[row * size + k] -= factor * a[col * size + k];
            b[row] -= factor * b[col];
        }
    }
    for (int row = size - 1; row >= 0; --row) {
        double sum = b[row];
        for (int k = row + 1; k < size; ++k) sum -= a[row * size + k] * b[k];
        b[row] = sum / a[row * size + row];
    }
    return true;
}

}  // namespace

namespace {

[[gnu::always_inline]] inline void Splat(Quad& q, double v) {
    q = Quad{v, v, v, v};
}

// Up to kGroup frequencies in one pass over the samples, each with four phasors side by side
// (samples m, m + 1, m + 2, m + 3, stepped by four samples), so that the multiplications of
// different chains overlap. Leaves the samples past the last multiple of four to the caller.
constexpr int kGroup = 4;

template <int G>
[[gnu::always_inline]] inline void TransformGroup(const double* x, int whole, const double* f,
                                                  std::complex<double>* out) {
    Quad laneRe[G], laneIm[G], stepRe[G], stepIm[G], sumRe[G], sumIm[G];
    for (int g = 0; g < G; ++g) {
        for (int r = 0; r < 4; ++r) {
            const std::complex<double> p = PhasorAt(f[g], r);
            laneRe[g][r] = p.real();
            laneIm[g][r] = p.imag();
        }
        const std::complex<double> step = PhasorAt(f[g], 4);
        Splat(stepRe[g], step.real());
        Splat(stepIm[g], step.imag());
        Splat(sumRe[g], 0);
        Splat(sumIm[g], 0);
    }
    for (int start = 0; start < whole; start += kPhasorRun) {
        const int end = std::min(whole, start + kPhasorRun);
        Quad pRe[G], pIm[G];
        for (int g = 0; g < G; ++g) {
            const std::complex<double> first = PhasorAt(f[g], start);
            Quad re, im;
            Splat(re, first.real());
            Splat(im, first.imag());
            pRe[g] = re * laneRe[g] - im * laneIm[g];
            pIm[g] = re * laneIm[g] + im * laneRe[g];
        }
        for (int m = start; m < end; m += 4) {
            Quad v;
            Load(v, x + m);
#pragma GCC unroll 4
            for (int g = 0; g < G; ++g) {
                sumRe[g] += v * pRe[g];
                sumIm[g] += v * pIm[g];
                const Quad nextRe = pRe[g] * stepRe[g] - pIm[g] * stepIm[g];
                pIm[g] = pRe[g] * stepIm[g] + pIm[g] * stepRe[g];
                pRe[g] = nextRe;
            }
        }
    }
    for (int g = 0; g < G; ++g)
        out[g] = {sumRe[g][0] + sumRe[g][1] + sumRe[g][2] + sumRe[g][3],
                  sumIm[g][0] + sumIm[g][1] + sumIm[g][2] + sumIm[g][3]};
}

template <int G>
__attribute__((target("avx"))) void TransformGroupAvx(const double* x, int whole, const double* f,
                                                      std::complex<double>* out) {
    TransformGroup<G>(x, whole, f, out);
}

template <int G>
void TransformGroupPortable(const double* x, int whole, const double* f,
                            std::complex<double>* out) {
    TransformGroup<G>(x, whole, f, out);
}

using GroupPass = void (*)(const double*, int, const double*, std::complex<double>*);

// The passes for 1 .. kGroup frequencies, for the processor at hand.
std::array<GroupPass, kGroup> ChooseGroupPasses() {
    if (ProcessorHasAvx())
        return {TransformGroupAvx<1>, TransformGroupAvx<2>, TransformGroupAvx<3>,
                TransformGroupAvx<4>};
    return {TransformGroupPortable<1>, TransformGroupPortable<2>, TransformGroupPortable<3>,
            TransformGroupPortable<4>};
}

const std::array<GroupPass, kGroup> kGroupPasses = ChooseGroupPasses();

}  // namespace

void WindowedTransforms(std::span<const double> windowed, std::span<const double> frequencies,
                        std::span<std::complex<double>> transforms) {
    const int n = static_cast<int>(windowed.size());
    const int whole = n - n % 4;
    for (size_t j = 0; j < frequencies.size(); j += kGroup) {
        const int group = static_cast<int>(std::min<size_t>(kGroup, frequencies.size() - j));
        kGroupPasses[group - 1](windowed.data(), whole, frequencies.data() + j,
                                transforms.data() + j);
        for (int g = 0; g < group; ++g)
            for (int m = whole; m < n; ++m)
                transforms[j + g] += windowed[m] * PhasorAt(frequencies[j + g], m);
    }
}

std::complex<double> WindowedTransform(std::span<const double> windowed, double frequency) {
    std::complex<double> result;
    WindowedTransforms(windowed, std::span(&frequency, 1), std::span(&result, 1));
    return result;
}

double FittedTone::Amplitude() const {
    return std::hypot(a, b);
}

double FittedTone::Phase() const {
    return std::atan2(-b, a);
}

std::complex<double> ToneFit::TransformAt(const CosineSumWindow& window, double f, int skip) const {
    // a cos + b sin = (a - ib)/2 exp(+i..) + (a + ib)/2 exp(-i..).
    std::complex<double> sum = dc * window.Transform(f);
    for (int j = 0; j < count; ++j) {
        const FittedTone& tone = tones[j];
        if (j != skip)
            sum +=
                0.5 * std::complex<double>(tone.a, -tone.b) * window.Transform(f - tone.frequency);
        sum += 0.5 * std::complex<double>(tone.a, tone.b) * window.Transform(f + tone.frequency);
    }
    return sum;
}

ToneFit FitTones(std::span<const double> windowed, const CosineSumWindow& window,
                 std::span<const double> frequencies) {
    // Unknowns: dc, then a and b of each tone. The normal equations' sums of w cos cos, w cos sin
    // and w sin sin come from the window's transform at the sums and differences of frequencies.
    ToneFit fit;
    const int tones = static_cast<int>(frequencies.size());
    if (tones > kMostFittedTones) return fit;
    const int size = 1 + 2 * tones;
    std::array<double, kMostFittedTones + 1> all{};  // the constant as a tone of frequency 0
    std::copy(frequencies.begin(), frequencies.end(), all.begin() + 1);
    std::array<std::complex<double>, kMostFittedTones + 1> transforms;
    WindowedTransforms(windowed, std::span(all.data(), tones + 1),
                       std::span(transforms.data(), tones + 1));
    constexpr int kMostUnknowns = 1 + 2 * kMostFittedTones;
    std::array<double, kMostUnknowns * kMostUnknowns> gram{};
    std::array<double, kMostUnknowns> right{};
    right[0] = transforms[0].real();
    for (int j = 0; j < tones; ++j) {
        right[1 + 2 * j] = transforms[j + 1].real();
        right[2 + 2 * j] = -transforms[j + 1].imag();
    }
    // Rows and columns: the constant's cosine (index 0), then each tone's cosine and sine.
    const auto entry = [&](int r, int c) -> double& { return gram[r * size + c]; };
    for (int i = 0; i <= tones; ++i) {
        for (int j = i; j <= tones; ++j) {
            const std::complex<double> difference = window.Transform(all[i] - all[j]);
            const std::complex<double> sum = window.Transform(all[i] + all[j]);
            const int ci = i == 0 ? 0 : 2 * i - 1, cj = j == 0 ? 0 : 2 * j - 1;
            entry(ci, cj) = 0.5 * (difference.real() + sum.real());
            if (j > 0) entry(ci, cj + 1) = 0.5 * (difference.imag() - sum.imag());  // cos i sin j
            if (i > 0) {
                entry(ci + 1, cj) = 0.5 * (-difference.imag() - sum.imag());  // sin i cos j
                if (j > 0) entry(ci + 1, cj + 1) = 0.5 * (difference.real() - sum.real());
            }
        }
    }
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < r; ++c) entry(r, c) = entry(c, r);
    if (!Solve(gram.data(), right.data(), size)) return fit;
    fit.solved = true;
    fit.dc = right[0];
    fit.count = tones;
    for (int j = 0; j < tones; ++j)
        fit.tones[j] = FittedTone{frequencies[j], right[1 + 2 * j], right[2 + 2 * j]};
    return fit;
}

double RefinePeak(std::span<const double> windowed, const CosineSumWindow& window, double guess,
                  const ToneFit& others, int skip) {
    const double bin = 1.0 / window.Size();
    const double h = 0.05 * bin;
    double f = guess;
    for (int iteration = 0; iteration < 6; ++iteration) {
        const double probes[3] = {f - h, f, f + h};
        std::complex<double> transforms[3];
        WindowedTransforms(windowed, probes, transforms);
        double power[3];
        for (int j = 0; j < 3; ++j)
            power[j] = std::norm(transforms[j] - others.TransformAt(window, probes[j], skip));
        const double curvature = power[0] - 2 * power[1] + power[2];
        if (!(curvature < 0)) return guess;
        const double shift = 0.5 * h * (power[0] - power[2]) / curvature;
        f += std::clamp(shift, -0.25 * bin, 0.25 * bin);
        if (std::fabs(f - guess) > 0.5 * bin) return guess;
        if (std::fabs(shift) < 1e-7 * bin) break;
    }
    return f;
}

}  // namespace velmora2
