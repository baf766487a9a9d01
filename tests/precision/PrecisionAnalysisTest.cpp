// The precision analysis against signals made in the test from known components: each
// expectation is computed from how the signal was made, never from the analysis itself.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "precision/AWeighting.h"
#include "precision/PrecisionAnalyzer.h"
#include "tests/support/KnownSignals.h"

namespace velmora2 {
namespace {

using testing::QuantiseTo16Bits;
using testing::SumOfSines;

constexpr int kRate = 48000;
constexpr double kLsb = 1.0 / 32768;
// The largest sine whose dithered codes never clip.
constexpr double kFullScale = 32766.0 / 32768;

double Db10(double ratio) {
    return 10 * std::log10(ratio);
}

ChannelFigures Analyse(const std::vector<double>& x, const PrecisionOptions& options = {}) {
    return AnalysePrecisely(x, x, 1.0, kRate, options).left;
}

TEST(PrecisionNoise, SixteenBitFloorWithAndWithoutDither) {
    const int n = 65536;
    // TPDF dither: rounding (q^2/12) and the dither (2 q^2/12); rounding alone: q^2/12.
    std::vector<double> dithered = SumOfSines(n, kRate, {{997, kFullScale}});
    QuantiseTo16Bits(dithered, true, 11);
    const double signal = kFullScale * kFullScale / 2;
    const ChannelFigures d = Analyse(dithered);
    ASSERT_TRUE(d.snrDb && d.noiseDbfs);
    EXPECT_NEAR(*d.snrDb, Db10(signal / (kLsb * kLsb / 4)), 0.2);
    EXPECT_NEAR(*d.noiseDbfs, Db10(kLsb * kLsb / 4 / 0.5), 0.2);
    EXPECT_NEAR(*d.enobBits, (Db10(signal / (kLsb * kLsb / 4)) - d.levelDbfs - 1.76) / 6.02, 0.05);

    std::vector<double> rounded = SumOfSines(n, kRate, {{1234.5678, kFullScale}});
    QuantiseTo16Bits(rounded, false, 0);
    const ChannelFigures r = Analyse(rounded);
    ASSERT_TRUE(r.snrDb);
    EXPECT_NEAR(*r.snrDb, Db10(signal / (kLsb * kLsb / 12)), 0.5);
}

TEST(PrecisionNoise, BandSumsOnlyTheBandsBins) {
    // White noise of known power: the measurement band 20 Hz .. 20 kHz holds 19980 / 24000 of it.
    std::vector<double> x = SumOfSines(65536, kRate, {{1000, 0.5}});
    const double sigma = 1e-4;
    testing::AddGaussianNoise(x, sigma, 3);
    const ChannelFigures f = Analyse(x);
    ASSERT_TRUE(f.thdPlusNoisePercent && f.sinadDb && f.snrBandDb);
    const double inBand = sigma * sigma * 19980 / 24000;
    EXPECT_NEAR(*f.sinadDb, Db10(0.125 / inBand), 0.1);
    EXPECT_NEAR(*f.snrBandDb, Db10(0.125 / inBand), 0.1);
    EXPECT_NEAR(*f.thdPlusNoisePercent, 100 * std::sqrt(inBand / 0.125),
                0.01 * *f.thdPlusNoisePercent);
    EXPECT_NEAR(*f.snrDb, Db10(0.125 / (sigma * sigma)), 0.1);
}

TEST(PrecisionNoise, AWeightedAgainstTheWeightingIntegral) {
    // The weighting written out here from its poles, integrated by Simpson's rule to fs/2.
    const auto weight = [](double f) {
        const auto r = [](double g) {
            const double g2 = g * g;
            return 12194.217 * 12194.217 * g2 * g2 /
                   ((g2 + 20.599 * 20.599) *
                    std::sqrt((g2 + 107.653 * 107.653) * (g2 + 737.862 * 737.862)) *
                    (g2 + 12194.217 * 12194.217));
        };
        return std::pow(r(f) / r(1000), 2);
    };
    // Simpson's rule over from .. to Hz.
    const auto integral = [&](double from, double to) {
        const int steps = 240000;
        const double h = (to - from) / steps;
        double sum = weight(from) + weight(to);
        for (int i = 1; i < steps; ++i) sum += (i % 2 ? 4 : 2) * weight(from + i * h);
        return sum * h / 3;
    };
    const double whole = integral(0, 0.5 * kRate), band = integral(20, 20000);
    for (const double sigma : {1e-5, 1e-3}) {
        std::vector<double> x = SumOfSines(65536, kRate, {{1000, 0.5}});
        testing::AddGaussianNoise(x, sigma, 5);
        PrecisionOptions weighted;
        weighted.aWeighted = true;
        const ChannelFigures f = Analyse(x, weighted);
        ASSERT_TRUE(f.snrADb && f.sinadDb);
        const double density = sigma * sigma / (0.5 * kRate);
        EXPECT_NEAR(*f.snrADb, Db10(0.125 / (density * whole)), 0.3) << sigma;
        // With the A weighting the band's residue is weighted too.
        EXPECT_NEAR(*f.sinadDb, Db10(0.125 / (density * band)), 0.3) << sigma;
    }
}

struct DistortionCase {
    const char* name;
    double thdPercent;
    int points;
    bool sixteenBits;  // dithered 16-bit codes rather than exact values
    double tolerance;  // relative
};

class PrecisionThd : public ::testing::TestWithParam<DistortionCase> {};

// Harmonics 2, 3 and 5 in the power ratio 4 : 2 : 1 at phases of their own.
TEST_P(PrecisionThd, ReadsTheHarmonicsItWasMadeOf) {
    const DistortionCase& c = GetParam();
    const double a = 0.5;
    const double total = a * c.thdPercent / 100;
    const double h2 = total * std::sqrt(4.0 / 7), h3 = total * std::sqrt(2.0 / 7),
                 h5 = total * std::sqrt(1.0 / 7);
    std::vector<double> x = SumOfSines(
        c.points, kRate, {{997, a, 0.3}, {1994, h2, 1.1}, {2991, h3, -2.0}, {4985, h5, 0.7}});
    if (c.sixteenBits) QuantiseTo16Bits(x, true, 21);
    const ChannelFigures f = Analyse(x);
    ASSERT_TRUE(f.thdPercent);
    EXPECT_NEAR(*f.thdPercent, c.thdPercent, c.tolerance * c.thdPercent);
    ASSERT_TRUE(f.harmonicsDb[0] && f.harmonicsDb[1] && f.harmonicsDb[3]);
    EXPECT_NEAR(*f.harmonicsDb[0], 20 * std::log10(h2 / a), 20 * std::log10(1 + 2 * c.tolerance));
    EXPECT_NEAR(*f.harmonicsDb[3], 20 * std::log10(h5 / a), 20 * std::log10(1 + 4 * c.tolerance));
    EXPECT_NEAR(f.frequencyHz, 997, 1e-6);
    EXPECT_NEAR(f.phaseDegrees, 0.3 * 180 / std::numbers::pi, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Levels, PrecisionThd,
                         ::testing::Values(DistortionCase{"p001", 0.001, 16384, false, 0.01},
                                           DistortionCase{"p01", 0.01, 16384, false, 0.01},
                                           DistortionCase{"p1", 0.1, 8192, false, 0.01},
                                           DistortionCase{"one", 1, 4096, false, 0.01},
                                           DistortionCase{"ten", 10, 16384, false, 0.01},
                                           DistortionCase{"thirty", 30, 16384, false, 0.01},
                                           DistortionCase{"p01_16bit", 0.01, 65536, true, 0.01},
                                           DistortionCase{"thirty_16bit", 30, 65536, true, 0.01}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrecisionThd, SecondHarmonicAtThreeMillionthsInSixteenBits) {
    const double a = kFullScale;
    std::vector<double> x = SumOfSines(65536, kRate, {{997, a}, {1994, 3e-6 * a, 0.4}});
    QuantiseTo16Bits(x, true, 8);
    const ChannelFigures f = Analyse(x);
    ASSERT_TRUE(f.thdPercent);
    EXPECT_NEAR(*f.thdPercent, 0.0003, 0.1 * 0.0003);
}

TEST(PrecisionTone, TwentyHertzFromSixteenThousandPoints) {
    // Under seven periods, its lobe beside the constant's: a DC offset and a 1% third harmonic
    // must not move the figures.
    std::vector<double> x = SumOfSines(16384, kRate, {{20, 0.5, 1.0}, {60, 0.005, 0.2}});
    for (double& v : x) v += 0.01;
    QuantiseTo16Bits(x, true, 2);
    const ChannelFigures f = Analyse(x);
    ASSERT_TRUE(f.measured && f.thdPercent);
    EXPECT_NEAR(f.frequencyHz, 20, 1e-4);
    EXPECT_NEAR(f.levelDbfs, 20 * std::log10(0.5), 0.001);
    EXPECT_NEAR(f.phaseDegrees, 1.0 * 180 / std::numbers::pi, 0.01);
    EXPECT_NEAR(*f.thdPercent, 1.0, 0.01);
}

struct ImdCase {
    const char* name;
    ImdStandard standard;
    double lowHz, lowAmplitude, highHz, highAmplitude;
    std::vector<testing::Sinusoid> products;
    double percent;
};

class PrecisionImd : public ::testing::TestWithParam<ImdCase> {};

TEST_P(PrecisionImd, ReadsTheProductsItWasMadeOf) {
    const ImdCase& c = GetParam();
    std::vector<testing::Sinusoid> parts = {{c.lowHz, c.lowAmplitude},
                                            {c.highHz, c.highAmplitude, 0.5}};
    parts.insert(parts.end(), c.products.begin(), c.products.end());
    std::vector<double> x = SumOfSines(65536, kRate, parts);
    QuantiseTo16Bits(x, true, 4);
    PrecisionOptions options;
    options.imd = c.standard;
    const ChannelFigures f = Analyse(x, options);
    ASSERT_TRUE(f.imd);
    EXPECT_NEAR(f.imd->lowToneHz, c.lowHz, 1e-3);
    EXPECT_NEAR(f.imd->highToneHz, c.highHz, 1e-3);
    EXPECT_NEAR(f.imd->percent, c.percent, 0.02 * c.percent);
}

// SMPTE: the 7 kHz tone's order-2 sidebands 0.05% each (0.1% together); CCIF: the 1 kHz
// difference tone at 0.1% of the two tones' sum, and a pure pair reading next to nothing.
INSTANTIATE_TEST_SUITE_P(
    Standards, PrecisionImd,
    ::testing::Values(
        ImdCase{"smpte",
                ImdStandard::Smpte,
                60,
                0.64,
                7000,
                0.16,
                {{6940, 0.0005 * 0.16, 0.1}, {7060, 0.0005 * 0.16, 0.1}},
                0.1},
        ImdCase{"smpte_orders_2_and_3",
                ImdStandard::Smpte,
                60,
                0.64,
                7000,
                0.16,
                {{6940, 0.0003 * 0.16},
                 {7060, 0.0003 * 0.16},
                 {6880, 0.0004 * 0.16},
                 {7120, 0.0004 * 0.16}},
                std::hypot(0.06, 0.08)},
        ImdCase{"ccif", ImdStandard::Ccif, 19000, 0.4, 20000, 0.4, {{1000, 0.001 * 0.8, 0.3}}, 0.1},
        ImdCase{"ccif_third_order",
                ImdStandard::Ccif,
                19000,
                0.4,
                20000,
                0.4,
                {{18000, 0.0005 * 0.8}, {21000, 0.0005 * 0.8}},
                0.1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrecisionStereo, CrosstalkGainAndPhaseBetweenTheChannels) {
    // Left 1 kHz at -1 dBFS; right the same tone 90 dB down and 30 degrees later, in 16 bits.
    const double a = std::pow(10.0, -1.0 / 20);
    const double lag = 30 * std::numbers::pi / 180;
    std::vector<double> left = SumOfSines(65536, kRate, {{1000, a, 0.2}});
    std::vector<double> right =
        SumOfSines(65536, kRate, {{1000, a * std::pow(10.0, -90.0 / 20), 0.2 - lag}});
    QuantiseTo16Bits(left, true, 1);
    QuantiseTo16Bits(right, true, 2);
    const StereoFigures f = AnalysePrecisely(left, right, 1.0, kRate, {});
    ASSERT_TRUE(f.right.crosstalkDb && f.gainDb && f.phaseDegrees);
    EXPECT_NEAR(*f.right.crosstalkDb, -90, 0.5);
    EXPECT_NEAR(*f.gainDb, -90, 0.5);
    EXPECT_NEAR(*f.phaseDegrees, -30, 3);

    // Different tones on the two sides: each side's leak of the other's.
    std::vector<double> l2 = SumOfSines(32768, kRate, {{1000, 0.5}, {1500, 0.5e-4}});
    std::vector<double> r2 = SumOfSines(32768, kRate, {{1500, 0.25}, {1000, 0.5e-5}});
    const StereoFigures g = AnalysePrecisely(l2, r2, 1.0, kRate, {});
    ASSERT_TRUE(g.left.crosstalkDb && g.right.crosstalkDb);
    EXPECT_NEAR(*g.left.crosstalkDb, 20 * std::log10(0.5e-4 / 0.25), 0.01);
    EXPECT_NEAR(*g.right.crosstalkDb, -100, 0.01);
}

TEST(PrecisionAnalyzerSteps, SilenceVoltsAndSteps) {
    const std::vector<double> silence(4096, 0.0);
    std::vector<double> tone = SumOfSines(4096, kRate, {{3000, 0.5}});
    PrecisionOptions options;
    options.fullScaleVrms = 2.0;
    options.calibration = 1.5;
    const StereoFigures f = AnalysePrecisely(tone, silence, 32768.0 / 32768, kRate, options);
    EXPECT_FALSE(f.right.measured);
    EXPECT_FALSE(f.right.snrDb || f.gainDb || f.left.crosstalkDb);
    ASSERT_TRUE(f.left.level);
    EXPECT_NEAR(f.left.level->rms, 0.5 * 2.0 * 1.5, 1e-9);
    EXPECT_NEAR(f.left.level->dbu, 20 * std::log10(1.5 / std::sqrt(0.6)), 1e-6);

    // Stepped as a caller spreads it: one step at a time, the same figures at the end.
    PrecisionAnalyzer analyzer(4096);
    analyzer.Begin(tone.data(), tone.data(), 1.0, kRate, {});
    int steps = 0;
    while (!analyzer.Step()) ++steps;
    EXPECT_EQ(steps + 1, PrecisionAnalyzer::kSteps);
    EXPECT_FALSE(analyzer.Busy());
    EXPECT_EQ(analyzer.Figures().left.frequencyHz, f.left.frequencyHz);
    EXPECT_NEAR(AWeightingPowerGain(1000), 1.0, 1e-15);
}

}  // namespace
}  // namespace velmora2
