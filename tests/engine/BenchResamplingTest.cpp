// A 48000 Hz tone file played on the simulated bench at every capture rate: the bench resamples
// it as a sound server does, so the left input, which is the generator's signal itself, reads the
// same THD+N and S/N at every rate and shows no line but the tone and its harmonics.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <vector>

#include "analysis/SpectrumMeasurements.h"
#include "audio/sim/LoopResampler.h"
#include "display/DrawCallLog.h"
#include "engine/ToneFile.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

constexpr int kResampledToneHz = 1000;
constexpr size_t kCheckedFrames = 4096;

struct LeftInput {
    std::vector<double> samples;  // kCheckedFrames raw frames
    DistortionFigures figures;    // of the last 2048-point record, Blackman-Harris
};

// The left input with "sin1k.wav" (48000 Hz) playing on the bench at `rate`.
LeftInput PlayToneAt(int rate) {
    testing::TempDirectory dir;
    EXPECT_TRUE(WriteToneFile(dir / "sin1k.wav", kResampledToneHz, 48000));
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, rate,
                      FileSearchPlaces{dir.Path(), {}, {}, {}});
    LeftInput input;
    std::atomic<bool> keep{false};
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& b) {
        if (!keep) return;
        for (int f = 0; f < kBlockFrames && input.samples.size() < kCheckedFrames; ++f) {
            int16_t s[2];
            std::memcpy(s, b.bytes + 4 * f, 4);
            input.samples.push_back(s[0]);
        }
        input.figures = MeasureDistortion(b.samples.records.Left(), rate, false);
    });
    int maxRate = 0;
    EXPECT_EQ(engine.Start(maxRate), kOk);
    engine.SetMode(kModeSpectrum);
    EXPECT_EQ(engine.SetGeneratorFile("sin1k.wav"), 0);
    engine.SetOutputs(true, true, true);
    EXPECT_TRUE(testing::DeliverBlocks(bench, engine, 4));
    keep = true;
    EXPECT_TRUE(testing::DeliverBlocks(bench, engine, 4));
    EXPECT_TRUE(engine.Stop());
    return input;
}

// The highest level in dBFS of a line away from the tone's harmonics (more than 5 bins from
// every k * 1000 Hz), by a plain DFT of the samples with a 4-term Blackman-Harris window.
double HighestStrayLineDbfs(const std::vector<double>& x, int rate) {
    const size_t n = x.size();
    std::vector<double> windowed(n);
    double windowSum = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const double p = 2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n);
        const double w =
            0.35875 - 0.48829 * std::cos(p) + 0.14128 * std::cos(2 * p) - 0.01168 * std::cos(3 * p);
        windowed[i] = w * x[i];
        windowSum += w;
    }
    std::vector<double> cosine(n);
    std::vector<double> sine(n);
    for (size_t i = 0; i < n; ++i) {
        cosine[i] =
            std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n));
        sine[i] =
            std::sin(2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n));
    }
    const double binHz = static_cast<double>(rate) / static_cast<double>(n);
    double highest = -400.0;
    for (size_t k = 1; k < n / 2; ++k) {
        const double hz = static_cast<double>(k) * binHz;
        const double harmonic = std::round(hz / kResampledToneHz) * kResampledToneHz;
        if (harmonic > 0 && std::abs(hz - harmonic) <= 5 * binHz) continue;
        double re = 0.0;
        double im = 0.0;
        for (size_t i = 0; i < n; ++i) {
            const size_t at = (k * i) % n;
            re += windowed[i] * cosine[at];
            im -= windowed[i] * sine[at];
        }
        const double amplitude = 2.0 * std::hypot(re, im) / windowSum;
        highest = std::max(highest, 20.0 * std::log10(std::max(amplitude, 1e-12) / 32768.0));
    }
    return highest;
}

double PercentToDb(double percent) {
    return 20.0 * std::log10(percent / 100.0);
}

TEST(BenchResampling, AToneFileOfAnotherRateComesBackAsCleanAsAtItsOwn) {
    const LeftInput own = PlayToneAt(48000);
    ASSERT_TRUE(own.figures.thdPlusNoise && own.figures.signalToNoise);
    EXPECT_LT(HighestStrayLineDbfs(own.samples, 48000), -100.0);
    for (const int rate : {96000, 192000}) {
        SCOPED_TRACE(rate);
        const LeftInput resampled = PlayToneAt(rate);
        ASSERT_EQ(resampled.samples.size(), kCheckedFrames);
        ASSERT_TRUE(resampled.figures.thdPlusNoise && resampled.figures.signalToNoise);
        EXPECT_NEAR(PercentToDb(*resampled.figures.thdPlusNoise),
                    PercentToDb(*own.figures.thdPlusNoise), 1.0);
        EXPECT_NEAR(*resampled.figures.signalToNoise, *own.figures.signalToNoise, 1.0);
        EXPECT_LT(HighestStrayLineDbfs(resampled.samples, rate), -100.0);
    }
}

TEST(LoopResampler, EqualRatesPassTheSamplesAndEveryRatioKeepsAConstant) {
    const std::vector<int16_t> ramp = {0, 100, -200, 300, 12000, -32768, 32767, 5};
    const LoopResampler same(48000, 48000);
    for (size_t i = 0; i < ramp.size(); ++i) EXPECT_EQ(same.At(ramp, 1, 0, i), ramp[i]) << i;

    const std::vector<int16_t> constant(64, 1234);
    for (const auto& [in, out] : {std::pair{48000, 96000}, std::pair{48000, 192000},
                                  std::pair{96000, 48000}, std::pair{44100, 48000}}) {
        SCOPED_TRACE(std::to_string(in) + " to " + std::to_string(out));
        const LoopResampler resampler(in, out);
        EXPECT_DOUBLE_EQ(resampler.Step(), static_cast<double>(in) / out);
        for (const double position : {0.0, 0.25, 0.5, 13.37, 63.9})
            EXPECT_NEAR(resampler.At(constant, 1, 0, position), 1234.0, 1e-9) << position;
    }
}

}  // namespace
}  // namespace velmora2
