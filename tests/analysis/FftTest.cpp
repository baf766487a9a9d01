#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/Fft.h"
#include "analysis/Window.h"
#include "reference/SpectrumReference.h"
#include "tests/analysis/SameBits.h"
#include "tests/analysis/SignalSynthesis.h"

namespace velmora2 {
namespace {

using testing::SameBits;

struct Spectrum {
    std::vector<double> magnitude, re, im;
    explicit Spectrum(int n) : magnitude(n), re(n), im(n) {}
};

// The level in dB of a magnitude, as the views compute it (without calibration offset).
double LevelDb(double magnitude, int n) {
    return 20 * std::log10((magnitude / n) / 32768);
}

Spectrum Transform(const std::vector<double>& input, int n, int offset = 0) {
    Spectrum result(n);
    FftPlan(n).ComputeSpectrum(input.data(), result.magnitude.data(), offset, result.re.data(),
                               result.im.data());
    return result;
}

Spectrum WindowedTransform(const std::vector<double>& record, const double* window, int n) {
    Spectrum result(n);
    FftPlan(n).ComputeWindowedSpectrum(record.data(), window, result.magnitude.data(),
                                       result.re.data(), result.im.data());
    return result;
}

// A captured-looking record: a tone, its third harmonic, noise and clipped codes, all integers.
std::vector<double> RecordOf(int n) {
    std::vector<double> record = testing::Sine(n, 48000, 1234.5, 20000);
    testing::AddTo(record, testing::Sine(n, 48000, 3703.5, 300));
    testing::AddTo(record, testing::WhiteNoise(n, 50, 7));
    for (double& s : record) s = std::fmax(-32768, std::fmin(32767, std::round(s)));
    return record;
}

struct BitCase {
    const char* window;
    int n;
};

class MatchesReference : public ::testing::TestWithParam<BitCase> {};

// The window applied as the transform loads the record, against the reference's windowed copy
// transformed.
TEST_P(MatchesReference, WindowAndTransformBitForBit) {
    const auto [window, n] = GetParam();
    const std::vector<double> record = RecordOf(n);

    WindowFunction coefficients(n);
    const Spectrum produced = WindowedTransform(record, coefficients.Coefficients(window), n);
    std::vector<double> expectedWindowed(n);
    reference::ApplyWindow(window, n, record.data(), expectedWindowed.data());
    Spectrum expected(n);
    reference::ComputeSpectrum(n, expectedWindowed.data(), expected.magnitude.data(), 0,
                               expected.re.data(), expected.im.data());
    EXPECT_TRUE(SameBits(produced.re, expected.re));
    EXPECT_TRUE(SameBits(produced.im, expected.im));
    EXPECT_TRUE(SameBits(produced.magnitude, expected.magnitude));
}

// Every window at three record lengths, and one window at every power of two from 2 to 65536 (the
// longest record; the reference's index arithmetic overflows beyond it): the transform takes
// different paths below 32 points, up to one cache block (16384) and past it.
std::vector<BitCase> AllWindowsAndSizes() {
    std::vector<BitCase> cases;
    for (int n : {256, 2048, 65536})
        for (const char* window : {"han", "ham", "black", "black-h", "bart", "rect"})
            cases.push_back({window, n});
    for (int n = 2; n <= 65536; n *= 2)
        if (n != 256 && n != 2048 && n != 65536) cases.push_back({"black-h", n});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, MatchesReference, ::testing::ValuesIn(AllWindowsAndSizes()),
                         [](const auto& info) {
                             std::string name = info.param.window;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name + "_" + std::to_string(info.param.n);
                         });

// A record loaded in pieces, in a scrambled order, into arrays still holding an old spectrum
// (here: not-a-number everywhere), then finished: the same bits as the transform in one go.
TEST(Transform, LoadedPieceByPieceInAnyOrderGivesTheSameBits) {
    for (const int n : {32, 4096, 65536}) {
        const std::vector<double> record = RecordOf(n);
        WindowFunction window(n);
        const double* coefficients = window.Coefficients("black-h");
        const Spectrum whole = WindowedTransform(record, coefficients, n);

        const int pieces = n == 32 ? 1 : 8;
        const int width = n / 8 / pieces;
        Spectrum produced(n);
        std::fill(produced.re.begin(), produced.re.end(), std::nan(""));
        std::fill(produced.im.begin(), produced.im.end(), std::nan(""));
        const FftPlan plan(n);
        for (int i = 0; i < pieces; ++i) {
            const int piece = (i * 5 + 3) % pieces;
            plan.LoadInputs(record.data(), coefficients, produced.re.data(), produced.im.data(),
                            piece * width, (piece + 1) * width);
        }
        plan.FinishSpectrum(produced.magnitude.data(), produced.re.data(), produced.im.data());
        EXPECT_TRUE(SameBits(produced.re, whole.re)) << n;
        EXPECT_TRUE(SameBits(produced.im, whole.im)) << n;
        EXPECT_TRUE(SameBits(produced.magnitude, whole.magnitude)) << n;
    }
}

// Both the small path and the blocked one, each from an offset that leaves the input unaligned.
TEST(Transform, ReadsFromTheGivenOffset) {
    for (int n : {16, 256, 32768}) {
        std::vector<double> input = RecordOf(n + 9);
        const std::vector<double> shifted(input.begin() + 9, input.end());
        EXPECT_TRUE(SameBits(Transform(input, n, 9).re, Transform(shifted, n).re)) << n;
        EXPECT_TRUE(SameBits(Transform(input, n, 9).im, Transform(shifted, n).im)) << n;
    }
}

// One plan serves every frame: a second, different frame through the same plan matches the
// reference too, so nothing of the first frame is left behind in the plan.
TEST(Transform, PlanIsReusedAcrossFrames) {
    const int n = 4096;
    const FftPlan plan(n);
    Spectrum produced(n);
    for (double amplitude : {20000.0, -3.0}) {
        std::vector<double> frame = RecordOf(n);
        for (double& s : frame) s *= amplitude / 20000.0;
        plan.ComputeSpectrum(frame.data(), produced.magnitude.data(), 0, produced.re.data(),
                             produced.im.data());
        Spectrum expected(n);
        reference::ComputeSpectrum(n, frame.data(), expected.magnitude.data(), 0,
                                   expected.re.data(), expected.im.data());
        EXPECT_TRUE(SameBits(produced.re, expected.re)) << amplitude;
        EXPECT_TRUE(SameBits(produced.im, expected.im)) << amplitude;
        EXPECT_TRUE(SameBits(produced.magnitude, expected.magnitude)) << amplitude;
    }
}

TEST(Transform, ZeroFrameGivesZeroSpectrum) {
    const int n = 2048;
    const Spectrum spectrum = Transform(std::vector<double>(n, 0.0), n);
    for (int k = 0; k < n; ++k) {
        ASSERT_EQ(spectrum.re[k], 0.0) << k;
        ASSERT_EQ(spectrum.im[k], 0.0) << k;
        ASSERT_EQ(spectrum.magnitude[k], 0.0) << k;
    }
}

// The upper half mirrors the lower about the middle of the array: index n-1-k, not n-k.
TEST(Transform, UpperHalfMirrorsAboutTheMiddle) {
    const int n = 1024;
    const Spectrum spectrum = Transform(RecordOf(n), n);
    EXPECT_EQ(spectrum.magnitude[n - 1], spectrum.magnitude[0]);
    EXPECT_EQ(spectrum.magnitude[n / 2], spectrum.magnitude[n / 2 - 1]);
    EXPECT_NE(spectrum.magnitude[n - 1], spectrum.magnitude[1]);
    for (int k = 0; k < n / 2; ++k) ASSERT_EQ(spectrum.magnitude[n - 1 - k], spectrum.magnitude[k]);
}

struct LevelCase {
    const char* description;
    const char* window;
    double amplitude;
    double expectedDb;
};

class BinExactSine : public ::testing::TestWithParam<LevelCase> {};

// A tone exactly on bin 64: amplitude A reads 20 log10(A / 65536) with the rectangular window; the
// "han" window loses its mean gain 0.5 (n-1)/n, about 6 dB.
TEST_P(BinExactSine, ReadsItsAmplitudeAsLevel) {
    const LevelCase& c = GetParam();
    const int n = 2048;
    const int bin = 64;
    const std::vector<double> tone = testing::Sine(n, n, bin, c.amplitude);
    WindowFunction window(n);
    const Spectrum spectrum = WindowedTransform(tone, window.Coefficients(c.window), n);
    EXPECT_NEAR(LevelDb(spectrum.magnitude[bin], n), c.expectedDb, 0.001);
}

const double kHanGainDb = 20 * std::log10(0.5 * 2047.0 / 2048.0);

INSTANTIATE_TEST_SUITE_P(
    Levels, BinExactSine,
    ::testing::Values(LevelCase{"full_scale_rect", "rect", 32767, 20 * std::log10(32767.0 / 65536)},
                      LevelCase{"quarter_scale_rect", "rect", 8192, -18.0618},
                      LevelCase{"full_scale_han", "han", 32767,
                                20 * std::log10(32767.0 / 65536) + kHanGainDb},
                      LevelCase{"quarter_scale_han", "han", 8192, -18.0618 + kHanGainDb}),
    [](const auto& info) { return std::string(info.param.description); });

// The exact angles against a plain DFT in long double: a transform of 2^k points is a DFT to the
// rounding of its stages (the read-out's rounded pi errs by about 1e-7 of the largest bin).
TEST(Transform, ExactAnglesAgreeWithAPlainDftToRounding) {
    for (const int n : {64, 1024, 4096}) {
        const std::vector<double> record = RecordOf(n);
        Spectrum exact(n);
        FftPlan(n, TwiddleAngles::Exact)
            .ComputeSpectrum(record.data(), exact.magnitude.data(), 0, exact.re.data(),
                             exact.im.data());
        const Spectrum readout = Transform(record, n);
        double worstExact = 0, worstReadout = 0, largest = 0;
        for (const int k : {1, 3, n / 8 + 1, n / 4 - 1, n / 2 - 5}) {
            long double re = 0, im = 0;
            for (int m = 0; m < n; ++m) {
                const long double angle = 2 * 3.141592653589793238462643L * k * m / n;
                re += record[m] * std::cos(angle);
                im -= record[m] * std::sin(angle);
            }
            worstExact = std::max(
                worstExact, static_cast<double>(std::hypot(exact.re[k] - re, exact.im[k] - im)));
            worstReadout =
                std::max(worstReadout,
                         static_cast<double>(std::hypot(readout.re[k] - re, readout.im[k] - im)));
            largest = std::max(largest, static_cast<double>(std::hypot(re, im)));
        }
        EXPECT_LT(worstExact, 1e-13 * largest) << n;
        EXPECT_GT(worstReadout, 1e3 * worstExact) << n;
    }
}

// The complex transform in place against a plain DFT of a complex sequence, for lengths below the
// first pass's groups, within one cache block and across several; the inverse undoes it.
TEST(Transform, ComplexInPlaceIsADftAndItsInverseUndoesIt) {
    for (const int n : {16, 1024, 65536, 1 << 18}) {
        std::vector<double> re(n), im(n);
        for (int m = 0; m < n; ++m) {
            re[m] = std::sin(0.37 * m) + 0.25 * std::cos(0.011 * m * m);
            im[m] = std::cos(1.3 * m) - 0.5 * std::sin(0.002 * m);
        }
        const std::vector<double> inRe = re, inIm = im;
        const FftPlan plan(n, TwiddleAngles::Exact);
        plan.TransformInPlace(re.data(), im.data());
        double worst = 0, largest = 0;
        for (const int k : {0, 1, 5, n / 2, n - 3}) {
            long double sumRe = 0, sumIm = 0;
            for (int m = 0; m < n; ++m) {
                const long double angle =
                    2 * 3.141592653589793238462643L * ((static_cast<long long>(k) * m) % n) / n;
                sumRe += inRe[m] * std::cos(angle) + inIm[m] * std::sin(angle);
                sumIm += inIm[m] * std::cos(angle) - inRe[m] * std::sin(angle);
            }
            worst = std::max(worst, static_cast<double>(std::hypot(re[k] - sumRe, im[k] - sumIm)));
            largest = std::max(largest, static_cast<double>(std::hypot(sumRe, sumIm)));
        }
        EXPECT_LT(worst, 1e-12 * std::max(largest, 1.0) * std::log2(n)) << n;

        plan.InverseInPlace(re.data(), im.data());
        double roundTrip = 0;
        for (int m = 0; m < n; ++m)
            roundTrip = std::max(roundTrip, std::hypot(re[m] - inRe[m], im[m] - inIm[m]));
        EXPECT_LT(roundTrip, 1e-13 * std::log2(n)) << n;
    }
}

}  // namespace
}  // namespace velmora2
