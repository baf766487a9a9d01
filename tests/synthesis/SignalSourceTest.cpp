// The generator's own signals, measured by plain DFTs of the samples: level, frequency, purity
// and noise floor of the sine, the two-tone presets, the slope of pink noise, and loops and
// frequency changes without a step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "synthesis/SignalSource.h"
#include "tests/support/PlainSpectrum.h"

namespace velmora2 {
namespace {

using testing::BinAmplitude;

constexpr int kRate = 48000;
constexpr double kFullScaleSineRms = kFullScaleCounts / std::numbers::sqrt2;

std::vector<double> Channel(const std::vector<int16_t>& interleaved, int channel) {
    std::vector<double> x;
    for (size_t i = static_cast<size_t>(channel); i < interleaved.size(); i += 2)
        x.push_back(interleaved[i]);
    return x;
}

double Db(double ratio) {
    return 20.0 * std::log10(ratio);
}

GeneratorSignal Sine(double hz, double dbfs, bool dither = true) {
    GeneratorSignal signal;
    signal.kind = SignalKind::Sine;
    signal.frequencyHz = hz;
    signal.levelDbfs = dbfs;
    signal.dither = dither;
    return signal;
}

// What is left of the record once the fundamental (and DC) is taken away, as RMS counts.
double ResidualRms(const std::vector<double>& x, double cycles, double amplitude, double phase) {
    const double n = static_cast<double>(x.size());
    double mean = 0.0;
    for (double v : x) mean += v / n;
    double power = 0.0;
    for (size_t i = 0; i < x.size(); ++i) {
        const double fit =
            amplitude *
            std::cos(2.0 * std::numbers::pi * cycles * static_cast<double>(i) / n + phase);
        power += (x[i] - mean - fit) * (x[i] - mean - fit);
    }
    return std::sqrt(power / n);
}

double BinPhase(const std::vector<double>& x, double cycles) {
    std::complex<double> sum = 0.0;
    const double n = static_cast<double>(x.size());
    for (size_t i = 0; i < x.size(); ++i)
        sum +=
            x[i] * std::polar(1.0, -2.0 * std::numbers::pi * cycles * static_cast<double>(i) / n);
    return std::arg(sum);
}

TEST(SignalSource, ADitheredSineHasItsLevelFrequencyPurityAndTheDitheredFloor) {
    const std::vector<int16_t> loop = RenderLoop(Sine(997.0, -1.0), kRate);
    ASSERT_EQ(loop.size(), 2u * 10 * kRate);  // 997 whole periods a second, for 10 s
    std::vector<double> left = Channel(loop, 0);
    left.resize(kRate);
    const double amplitude = BinAmplitude(left, 997.0);
    EXPECT_NEAR(Db(amplitude / kFullScaleCounts), -1.0, 0.01);
    EXPECT_NEAR(testing::CrossingFrequency(left, kRate) / 997.0, 1.0, 1e-6);

    double harmonics = 0.0;
    for (int k = 2; k <= 10; ++k) harmonics += std::pow(BinAmplitude(left, 997.0 * k), 2);
    EXPECT_LT(100.0 * std::sqrt(harmonics) / amplitude, 0.0001);

    const double floor = ResidualRms(left, 997.0, amplitude, BinPhase(left, 997.0));
    EXPECT_NEAR(Db(kFullScaleSineRms / floor), 93.3, 0.5);
    EXPECT_EQ(Channel(loop, 1).size(), 10u * kRate);
}

TEST(SignalSource, WithoutDitherAnOnBinSineReachesTheRoundingFloor) {
    const std::vector<double> left = Channel(RenderLoop(Sine(997.0, -1.0, false), kRate), 0);
    const double amplitude = BinAmplitude(left, 997.0);
    const double floor = ResidualRms(left, 997.0, amplitude, BinPhase(left, 997.0));
    EXPECT_GE(Db(kFullScaleSineRms / floor), 97.5);
}

TEST(SignalSource, TwoTonePresetsHaveTheirComponentsAndRatio) {
    struct Case {
        SignalKind kind;
        double low;
        double high;
        double ratioDb;
    };
    for (const Case& c : {Case{SignalKind::Smpte, 60.0, 7000.0, Db(4.0)},
                          Case{SignalKind::Ccif, 19000.0, 20000.0, 0.0}}) {
        GeneratorSignal signal;
        signal.kind = c.kind;
        signal.levelDbfs = -3.0;
        const std::vector<int16_t> loop = RenderLoop(signal, kRate);
        const std::vector<double> left = Channel(loop, 0);
        const double seconds = static_cast<double>(left.size()) / kRate;
        const double a1 = BinAmplitude(left, c.low * seconds);
        const double a2 = BinAmplitude(left, c.high * seconds);
        // The summed peak is the level.
        EXPECT_NEAR(Db((a1 + a2) / kFullScaleCounts), -3.0, 0.01) << static_cast<int>(c.kind);
        EXPECT_NEAR(Db(a1 / a2), c.ratioDb, 0.01) << static_cast<int>(c.kind);
    }
}

TEST(SignalSource, PinkNoiseFallsThreeDbPerOctave) {
    constexpr size_t kSegment = 1 << 15;
    std::vector<double> power(kSegment / 2, 0.0);
    // Several seeds, so that the lowest octave holds enough independent lines.
    constexpr int kSeeds = 6;
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        GeneratorSignal signal;
        signal.kind = SignalKind::Pink;
        signal.levelDbfs = -20.0;
        signal.seed = seed;
        const std::vector<double> left = Channel(RenderLoop(signal, kRate), 0);
        const std::vector<double> p = testing::AveragedPowerSpectrum(left, kSegment);
        for (size_t k = 0; k < power.size(); ++k) power[k] += p[k];
    }
    // The power density at the octave band's centre, from the mean over the band.
    const double binHz = static_cast<double>(kRate) / kSegment;
    const auto density = [&](double lowHz) {
        double sum = 0.0;
        int bins = 0;
        for (size_t k = 0; k < power.size(); ++k) {
            const double hz = static_cast<double>(k) * binHz;
            if (hz >= lowHz && hz < 2.0 * lowHz) {
                sum += power[k] * hz;  // a pink density times f is flat
                ++bins;
            }
        }
        return 10.0 * std::log10(sum / bins);
    };
    const double reference = density(640.0);
    for (double low = 20.0; low < 20000.0; low *= 2.0)
        EXPECT_NEAR(density(low), reference, 0.5) << low << " Hz";
}

TEST(SignalSource, NoiseHasItsRmsLevelAndRepeatsForItsSeed) {
    for (const SignalKind kind : {SignalKind::White, SignalKind::Pink}) {
        GeneratorSignal signal;
        signal.kind = kind;
        signal.levelDbfs = -20.0;
        const std::vector<int16_t> loop = RenderLoop(signal, kRate);
        double power = 0.0;
        const std::vector<double> left = Channel(loop, 0);
        for (double v : left) power += v * v;
        EXPECT_NEAR(Db(std::sqrt(power / left.size()) / kFullScaleSineRms), -20.0, 0.01);
        EXPECT_EQ(RenderLoop(signal, kRate), loop);
        signal.seed = 2;
        EXPECT_NE(RenderLoop(signal, kRate), loop);
    }
}

TEST(SignalSource, ChannelsAndSilence) {
    struct Case {
        SignalChannels channels;
        double leftSign;
        double rightSign;
    };
    for (const Case& c :
         {Case{SignalChannels::Both, 1, 1}, Case{SignalChannels::Left, 1, 0},
          Case{SignalChannels::Right, 0, 1}, Case{SignalChannels::Inverted, 1, -1}}) {
        GeneratorSignal signal = Sine(1000.0, -6.0, false);
        signal.channels = c.channels;
        const std::vector<int16_t> loop = RenderLoop(signal, kRate);
        for (size_t i = 0; i < loop.size() / 2; ++i) {
            const double x = loop[2 * i] != 0 ? loop[2 * i] : loop[2 * i + 1];
            ASSERT_NEAR(loop[2 * i], c.leftSign * x, 0.5);
            ASSERT_NEAR(loop[2 * i + 1], c.rightSign * x, 0.5);
        }
    }
    GeneratorSignal silence;
    silence.kind = SignalKind::Silence;
    const std::vector<int16_t> quiet = RenderLoop(silence, kRate);
    EXPECT_EQ(quiet.size(), 2u * kRate);
    EXPECT_TRUE(std::all_of(quiet.begin(), quiet.end(), [](int16_t s) { return s == 0; }));
}

TEST(SignalSource, ALoopClosesOnItselfAndAFrequencyChangeHasNoStep) {
    for (const double hz : {437.01, 1000.0, 12345.67}) {
        const std::vector<double> x = Channel(RenderLoop(Sine(hz, -6.0, false), kRate), 0);
        ASSERT_GT(x.size(), 1u);
        // Played once more after its last sample, the loop's first sample is one step on.
        const double wrap = std::abs(x.front() - x.back());
        const double counts = std::pow(10.0, -6.0 / 20.0) * kFullScaleCounts;
        EXPECT_LE(wrap, testing::SteepestSineStep(counts, hz, kRate) + 1.0) << hz;
    }
    ToneSource tone(Sine(1000.0, -6.0), kRate);
    std::vector<double> played;
    for (int i = 0; i < 3 * kRate / 100; ++i) {
        if (i == kRate / 100 + 7) tone.SetFrequency(3000.0);
        double left = 0.0;
        double right = 0.0;
        tone.Next(left, right);
        played.push_back(left);
    }
    const double amplitude = std::pow(10.0, -6.0 / 20.0);
    EXPECT_LE(testing::LargestStep(played),
              testing::SteepestSineStep(amplitude, 3000.0, kRate) * 1.0001);
}

TEST(SignalSource, RefusesWhatCannotBePlayed) {
    EXPECT_EQ(SignalProblem(Sine(1000.0, -6.0), kRate), nullptr);
    EXPECT_NE(SignalProblem(Sine(0.5, -6.0), kRate), nullptr);
    EXPECT_NE(SignalProblem(Sine(0.49 * kRate + 1.0, -6.0), kRate), nullptr);
    EXPECT_NE(SignalProblem(Sine(1000.0, 1.0), kRate), nullptr);
    EXPECT_NE(SignalProblem(Sine(1000.0, -121.0), kRate), nullptr);
    EXPECT_NE(SignalProblem(Sine(std::nan(""), -6.0), kRate), nullptr);
    GeneratorSignal ccif;
    ccif.kind = SignalKind::Ccif;
    EXPECT_EQ(SignalProblem(ccif, kRate), nullptr);
    // 437.01 Hz closes after 33 1/3 s (14567 periods), 1000 Hz after 48 frames; with dither the
    // periods repeat for 10 s at least.
    EXPECT_EQ(LoopFrames(Sine(437.01, -6.0), kRate), 1600000);
    EXPECT_EQ(LoopFrames(Sine(1000.0, -6.0, false), kRate), 48);
    EXPECT_EQ(LoopFrames(Sine(1000.0, -6.0), kRate), 480000);
    EXPECT_EQ(LoopFrames(Sine(997.0, -6.0), kRate), 480000);
}

}  // namespace
}  // namespace velmora2
