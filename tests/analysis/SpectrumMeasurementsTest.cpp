#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/SpectrumAnalyzer.h"
#include "analysis/SpectrumMeasurements.h"
#include "tests/analysis/SignalSynthesis.h"

namespace velmora2 {
namespace {

constexpr int kRate = 48000;

// Runs the whole record path (window, transform, measurements) without averaging.
SpectrumAnalyzer Analysed(const std::vector<double>& left, const char* window = "black-h") {
    const int n = static_cast<int>(left.size());
    SpectrumAnalyzer analyzer(n);
    std::copy(left.begin(), left.end(), analyzer.Left().capture.begin());
    int counter = 0;
    analyzer.AnalyseRecord(window, kRate, false, 50, counter);
    return analyzer;
}

TEST(MainFrequency, OneKilohertzAtTwoThousandPoints) {
    const SpectrumAnalyzer analyzer = Analysed(testing::Sine(2048, kRate, 1000, 10000));
    const ChannelSpectrum& left = analyzer.Left();
    const MainFrequency main = FindMainFrequency(left.magnitude.data(), 2048, kRate);
    EXPECT_EQ(main.peakBin, 43);
    EXPECT_EQ(main.halfWidth, 5);
    EXPECT_NEAR(main.frequency, 1000.0, 0.5);
    EXPECT_EQ(left.mainFrequency, main.frequency);

    EXPECT_EQ(left.harmonicCount, 22);
    EXPECT_NEAR(left.harmonicFrequencies[0], 2000.0, 1.0);
    EXPECT_NEAR(left.harmonicFrequencies[21], 23000.0, 12.0);
    EXPECT_EQ(left.harmonicFrequencies[22], 0.0);
}

// Spectra built bin by bin, to pin the peak search and the half-width rule.
struct PeakCase {
    const char* description;
    std::vector<std::pair<int, double>> bins;  // (index, magnitude); every other bin is 0
    int peakBin;
    int halfWidth;
    double frequency;  // Hz, for n = 1024 at 48000 Hz (bin width 46.875 Hz)
};

class PeakSearch : public ::testing::TestWithParam<PeakCase> {};

TEST_P(PeakSearch, FindsPeakHalfWidthAndCentroid) {
    const PeakCase& c = GetParam();
    std::vector<double> magnitudes(1024, 0.0);
    for (const auto& [k, m] : c.bins) magnitudes[k] = m;
    const MainFrequency main = FindMainFrequency(magnitudes.data(), 1024, kRate);
    EXPECT_EQ(main.peakBin, c.peakBin);
    EXPECT_EQ(main.halfWidth, c.halfWidth);
    EXPECT_DOUBLE_EQ(main.frequency, c.frequency);
}

INSTANTIATE_TEST_SUITE_P(
    Spectra, PeakSearch,
    ::testing::Values(
        PeakCase{"all_zero", {}, 0, 0, 0.0},
        PeakCase{"bin_one_is_exactly_one_bin_width", {{1, 5.0}, {2, 4.0}}, 1, 0, 46.875},
        PeakCase{"bin_three_has_no_band", {{2, 9.0}, {3, 10.0}, {4, 9.0}}, 3, 0, 3 * 46.875},
        PeakCase{"bin_seven_half_width_two", {{5, 1.0}, {7, 2.0}, {9, 1.0}}, 7, 2, 7 * 46.875},
        PeakCase{"bin_eleven_half_width_four",
                 {{7, 1.0}, {11, 2.0}},
                 11,
                 4,
                 (7.0 * 1 + 11.0 * 4) / 5 * 46.875},
        PeakCase{
            "bin_twelve_half_width_five", {{7, 1.0}, {12, 2.0}, {17, 1.0}}, 12, 5, 12 * 46.875},
        PeakCase{"tie_goes_to_lowest", {{20, 3.0}, {30, 3.0}}, 20, 5, 20 * 46.875},
        PeakCase{"upper_half_is_ignored", {{40, 1.0}, {600, 9.0}}, 40, 5, 40 * 46.875}),
    [](const auto& info) { return std::string(info.param.description); });

TEST(Harmonics, ZeroMainFrequencyFillsTheListWithZeros) {
    std::vector<double> harmonics(1024, 1.0);
    EXPECT_EQ(ListHarmonics(0.0, 2048, kRate, harmonics.data()), 1023);
    for (double f : harmonics) ASSERT_EQ(f, 0.0);
}

TEST(Harmonics, StopBelowTheSampleRateOverTwoPointZeroOne) {
    std::vector<double> harmonics(128);
    // 2 ... 11 x 2000 Hz lie below 23880.6 Hz; 12 x 2000 does not.
    EXPECT_EQ(ListHarmonics(2000.0, 256, kRate, harmonics.data()), 10);
    EXPECT_EQ(harmonics[9], 22000.0);
    EXPECT_EQ(harmonics[10], 0.0);
}

TEST(BandPower, SumsSquaredMagnitudesAroundTheNearestBin) {
    std::vector<double> magnitudes(1024, 0.0);
    for (int k = 0; k < 1024; ++k) magnitudes[k] = k % 7;
    // 480 Hz is bin 10.24, so bins 8 ... 12 with d = 2.
    double expected = 0;
    for (int k = 8; k <= 12; ++k) expected += (k % 7) * (k % 7);
    EXPECT_EQ(BandPower(magnitudes.data(), 1024, kRate, 480.0, 2), expected);
    // Below bin 0 nothing is added: band around bin 1 with d = 3 holds bins 0 ... 4.
    EXPECT_EQ(BandPower(magnitudes.data(), 1024, kRate, 46.875, 3), 0 + 1 + 4 + 9 + 16);
}

TEST(Distortion, OnePercentSecondHarmonic) {
    std::vector<double> signal = testing::Sine(2048, kRate, 1000, 10000);
    testing::AddTo(signal, testing::Sine(2048, kRate, 2000, 100));
    const SpectrumAnalyzer analyzer = Analysed(signal);
    const DistortionFigures figures = MeasureDistortion(analyzer.Left(), kRate, false);
    ASSERT_TRUE(figures.thd.has_value());
    EXPECT_NEAR(*figures.thd, 1.0, 0.02);
    ASSERT_TRUE(figures.thdPlusNoise.has_value());
    EXPECT_GE(*figures.thdPlusNoise, *figures.thd * 0.99);
}

// 8192 points keep the spread of the noise total over random seeds near 0.1 dB.
TEST(Distortion, SignalToNoiseOfSineInWhiteNoise) {
    const int n = 8192;
    const double amplitude = 10000;
    struct Case {
        double sigma;
        unsigned seed;
    };
    for (const Case c : {Case{7.0710678, 1}, Case{70.710678, 2}, Case{223.6068, 3}}) {
        std::vector<double> signal = testing::Sine(n, kRate, 1000, amplitude);
        testing::AddTo(signal, testing::WhiteNoise(n, c.sigma, c.seed));
        const double truth = 10 * std::log10(amplitude * amplitude / 2 / (c.sigma * c.sigma));
        const DistortionFigures figures = MeasureDistortion(Analysed(signal).Left(), kRate, false);
        ASSERT_TRUE(figures.signalToNoise.has_value()) << truth;
        EXPECT_NEAR(*figures.signalToNoise, truth, 0.5) << "sigma " << c.sigma;
    }
}

TEST(Distortion, AllZeroSpectrumMeasuresNothing) {
    const SpectrumAnalyzer analyzer = Analysed(std::vector<double>(2048, 0.0));
    EXPECT_EQ(analyzer.Left().mainFrequency, 0.0);
    EXPECT_EQ(analyzer.Left().mainPower, 0.0);
    const DistortionFigures figures = MeasureDistortion(analyzer.Left(), kRate, true);
    EXPECT_FALSE(figures.thd.has_value());
    EXPECT_FALSE(figures.thdPlusNoise.has_value());
    EXPECT_FALSE(figures.signalToNoise.has_value());
}

TEST(Distortion, NoPowerOutsideTheMainBandMeasuresNoNoise) {
    ChannelSpectrum channel(2048);
    channel.mainPower = 4.0;
    channel.binPowers[10] = 4.0;
    channel.harmonicCount = 3;
    const DistortionFigures figures = MeasureDistortion(channel, kRate, false);
    ASSERT_TRUE(figures.thd.has_value());
    EXPECT_EQ(*figures.thd, 0.0);
    EXPECT_FALSE(figures.thdPlusNoise.has_value());
    EXPECT_FALSE(figures.signalToNoise.has_value());
}

TEST(HighPass, StartsTheNoiseTotalAt75Hz) {
    EXPECT_EQ(NoiseStartBin(2048, 48000, true), 3);
    EXPECT_EQ(NoiseStartBin(2048, 48000, false), 0);
    EXPECT_EQ(NoiseStartBin(65536, 192000, true), 25);
}

// Hum below 75 Hz counts as noise without the filter and not with it; THD is untouched.
TEST(HighPass, RemovesOnlyTheBinsBelow75HzFromTheNoise) {
    ChannelSpectrum channel(2048);
    channel.mainPower = 100.0;
    channel.binPowers[43] = 100.0;
    channel.binPowers[2] = 1.0;    // 46.9 Hz hum
    channel.binPowers[300] = 1.0;  // broadband noise
    channel.harmonicCount = 1;
    channel.harmonicPowers[0] = 0.25;
    const DistortionFigures off = MeasureDistortion(channel, kRate, false);
    const DistortionFigures on = MeasureDistortion(channel, kRate, true);
    EXPECT_NEAR(*off.thdPlusNoise, 100 * std::sqrt(2.0 / 100), 1e-12);
    EXPECT_NEAR(*on.thdPlusNoise, 100 * std::sqrt(1.0 / 100), 1e-12);
    EXPECT_NEAR(*on.signalToNoise, 20.0, 1e-12);
    EXPECT_EQ(*off.thd, *on.thd);
    EXPECT_NEAR(*on.thd, 5.0, 1e-12);
}

}  // namespace
}  // namespace velmora2
