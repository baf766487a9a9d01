// The generator's own signals played on the simulated bench: the left input, which is the
// generator's output itself, carries each signal at its level and frequency.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "display/DrawCallLog.h"
#include "synthesis/SignalSource.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/LeftInputRecorder.h"
#include "tests/support/PlainSpectrum.h"

namespace velmora2 {
namespace {

constexpr int kRate = 48000;

// One second of the left input, captured after the signal has been playing for a while.
std::vector<double> LeftInputWhilePlaying(const GeneratorSignal& signal) {
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, kRate);
    constexpr int kSettleBlocks = 4;
    const testing::LeftInputRecorder left(engine, kSettleBlocks, kRate);
    int maxRate = 0;
    EXPECT_EQ(engine.Start(maxRate), kOk);
    engine.SetGeneratorVolume(0);
    EXPECT_EQ(engine.SetGeneratorSignal(signal), 0);
    engine.SetOutputs(true, true, true);
    EXPECT_TRUE(testing::DeliverBlocks(bench, engine, kSettleBlocks + kRate / kBlockFrames + 1));
    EXPECT_TRUE(engine.Stop());
    return left.Samples();
}

double Dbfs(double amplitude) {
    return 20.0 * std::log10(amplitude / kFullScaleCounts);
}

TEST(GeneratorSignal, EachSignalComesBackOnTheLeftInputAtItsLevelAndFrequency) {
    struct Case {
        SignalKind kind;
        double hz;
        double dbfs;
        double expectedHz;    // the component measured
        double expectedDbfs;  // its peak level
    };
    const Case cases[] = {
        {SignalKind::Sine, 437.0, -20.0, 437.0, -20.0},
        {SignalKind::Sine, 997.0, -60.0, 997.0, -60.0},
        {SignalKind::Smpte, 0.0, -6.0, 60.0, -6.0 + 20.0 * std::log10(0.8)},
        {SignalKind::Ccif, 0.0, -6.0, 20000.0, -6.0 + 20.0 * std::log10(0.5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        GeneratorSignal signal;
        signal.kind = c.kind;
        signal.frequencyHz = c.hz;
        signal.levelDbfs = c.dbfs;
        const std::vector<double> left = LeftInputWhilePlaying(signal);
        ASSERT_EQ(left.size(), static_cast<size_t>(kRate));
        EXPECT_NEAR(Dbfs(testing::BinAmplitude(left, c.expectedHz)), c.expectedDbfs, 0.05);
        // Nothing of it a hertz away: the frequency is the one asked for.
        EXPECT_LT(testing::BinAmplitude(left, c.expectedHz + 1.0),
                  testing::BinAmplitude(left, c.expectedHz) * 1e-3);
    }
    for (const SignalKind noise : {SignalKind::White, SignalKind::Pink}) {
        GeneratorSignal signal;
        signal.kind = noise;
        signal.levelDbfs = -20.0;
        const std::vector<double> left = LeftInputWhilePlaying(signal);
        double power = 0.0;
        for (double v : left) power += v * v / static_cast<double>(left.size());
        // RMS against a full-scale sine's; one second of a 10 s loop.
        EXPECT_NEAR(Dbfs(std::sqrt(2.0 * power)), -20.0, 0.5) << static_cast<int>(noise);
    }
    GeneratorSignal silence;
    silence.kind = SignalKind::Silence;
    const std::vector<double> quiet = LeftInputWhilePlaying(silence);
    double peak = 0.0;
    for (double v : quiet) peak = std::max(peak, std::abs(v));
    EXPECT_LE(peak, 1.0);
}

TEST(GeneratorSignal, ASignalTheRateCannotCarryIsRefusedAndTheOldSoundPlaysOn) {
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, kRate);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    GeneratorSignal sine;
    sine.kind = SignalKind::Sine;
    ASSERT_EQ(engine.SetGeneratorSignal(sine), 0);
    engine.SetOutputs(true, true, true);
    sine.frequencyHz = 0.5 * kRate;
    EXPECT_EQ(engine.SetGeneratorSignal(sine), CDSCapture::kGeneratorSignalRefused);
    EXPECT_TRUE(engine.GeneratorPlaying());
    EXPECT_TRUE(engine.Stop());
}

// A new frequency for a playing sine takes over a fifth of a second later at the phase reached:
// no sample-to-sample step anywhere exceeds the steepest one of the higher tone.
TEST(GeneratorSignal, AFrequencyChangeMidRunHasNoStep) {
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, kRate);
    const testing::LeftInputRecorder recorder(engine);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    engine.SetGeneratorVolume(0);
    GeneratorSignal sine;
    sine.kind = SignalKind::Sine;
    sine.frequencyHz = 1000.0;
    sine.levelDbfs = -1.0;
    sine.dither = false;
    ASSERT_EQ(engine.SetGeneratorSignal(sine), 0);
    engine.SetOutputs(true, true, true);
    ASSERT_TRUE(testing::DeliverBlocks(bench, engine, 7));
    for (const double hz : {3000.0, 437.5, 2999.99}) {
        sine.frequencyHz = hz;
        ASSERT_EQ(engine.SetGeneratorSignal(sine), 0);
        // The change takes over after 0.2 s and the time to make the new loop (up to 1.4 s).
        ASSERT_TRUE(testing::DeliverBlocks(bench, engine, 3 * kRate / kBlockFrames));
    }
    EXPECT_TRUE(engine.Stop());

    const std::vector<double> left = recorder.Samples();
    ASSERT_GT(left.size(), static_cast<size_t>(9 * kRate / 2));
    const double amplitude = std::pow(10.0, -1.0 / 20.0) * kFullScaleCounts;
    EXPECT_LE(testing::LargestStep(left),
              testing::SteepestSineStep(amplitude, 3000.0, kRate) + 1.0);
    // And the last tone plays: one second of it near the end.
    const std::vector<double> last(left.end() - kRate, left.end());
    EXPECT_NEAR(Dbfs(testing::BinAmplitude(last, 2999.99)), -1.0, 0.05);
}

}  // namespace
}  // namespace velmora2
