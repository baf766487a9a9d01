// The generator's own sine on the real default devices: played into the loopback sink by the
// engine and captured back from its monitor, at its frequency and level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "display/DrawCallLog.h"
#include "engine/CDSCapture.h"
#include "synthesis/SignalSource.h"
#include "tests/audio/PulseLoopback.h"
#include "tests/support/LeftInputRecorder.h"
#include "tests/support/PlainSpectrum.h"

namespace velmora2 {
namespace {

using testing::kLoopbackRate;

// The engine on the default devices, playing the sine at full volume.
class SynthesisedTone : public testing::PulseLoopback {
protected:
    void Play(const GeneratorSignal& sine) {
        engine.SetInitialisationTrace(false);
        int maxRate = 0;
        ASSERT_EQ(engine.Start(maxRate), kOk);
        engine.SetGeneratorVolume(0);
        ASSERT_EQ(engine.SetGeneratorSignal(sine), 0);
        engine.SetOutputs(true, true, true);
    }

    DrawCallLogTarget window;
    CDSCapture engine{sound, window, DeviceId{}, DeviceId{}, kLoopbackRate};
};

GeneratorSignal Sine(double hz, double dbfs) {
    GeneratorSignal sine;
    sine.kind = SignalKind::Sine;
    sine.frequencyHz = hz;
    sine.levelDbfs = dbfs;
    return sine;
}

double Dbfs(double amplitude) {
    return 20.0 * std::log10(amplitude / kFullScaleCounts);
}

TEST_F(SynthesisedTone, A440HzSineAtMinus20DbfsComesBackAsPlayed) {
    constexpr uint64_t kSettleBlocks = 24;  // 1 s for the sound server's latency
    const testing::LeftInputRecorder recorder(engine, kSettleBlocks, kLoopbackRate);
    Play(Sine(440.0, -20.0));
    ASSERT_TRUE(recorder.WaitFor(kLoopbackRate)) << "no second of input";
    EXPECT_TRUE(engine.Stop());

    // One second holds 440 whole periods: the level is that bin's, the frequency from the
    // interpolated rising zero crossings.
    const std::vector<double> left = recorder.Samples();
    EXPECT_NEAR(Dbfs(testing::BinAmplitude(left, 440.0)), -20.0, 0.2);
    EXPECT_NEAR(testing::CrossingFrequency(left, kLoopbackRate), 440.0, 0.1);
}

// On the real output stream too, a new frequency goes on from the phase reached: across the
// change no captured step exceeds the steepest one of the higher tone.
TEST_F(SynthesisedTone, AFrequencyChangeIsHeardWithoutAStep) {
    const testing::LeftInputRecorder recorder(engine);
    GeneratorSignal sine = Sine(440.0, -6.0);
    sine.dither = false;
    Play(sine);
    ASSERT_TRUE(recorder.WaitFor(kLoopbackRate));
    const size_t changedAt = recorder.Size();
    sine.frequencyHz = 880.0;
    ASSERT_EQ(engine.SetGeneratorSignal(sine), 0);
    ASSERT_TRUE(recorder.WaitFor(changedAt + 2 * kLoopbackRate));
    EXPECT_TRUE(engine.Stop());

    const std::vector<double> left = recorder.Samples();
    const double amplitude = std::pow(10.0, -6.0 / 20.0) * kFullScaleCounts;
    EXPECT_LE(testing::LargestStep(left, changedAt),
              testing::SteepestSineStep(amplitude, 880.0, kLoopbackRate) + 2.0);
    const std::vector<double> last(left.end() - kLoopbackRate, left.end());
    EXPECT_NEAR(Dbfs(testing::BinAmplitude(last, 880.0)), -6.0, 0.2);
}

}  // namespace
}  // namespace velmora2
