// The generator's own sine on the real default devices: played into the loopback sink by the
// engine and captured back from its monitor, at its frequency and level.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <mutex>
#include <numbers>
#include <thread>
#include <vector>

#include "display/DrawCallLog.h"
#include "engine/CDSCapture.h"
#include "synthesis/SignalSource.h"
#include "tests/audio/PulseLoopback.h"
#include "tests/support/PlainSpectrum.h"

namespace velmora2 {
namespace {

using namespace std::chrono_literals;
using testing::kLoopbackRate;

class SynthesisedTone : public testing::PulseLoopback {};

TEST_F(SynthesisedTone, A440HzSineAtMinus20DbfsComesBackAsPlayed) {
    DrawCallLogTarget window;
    CDSCapture engine(sound, window, DeviceId{}, DeviceId{}, kLoopbackRate);
    engine.SetInitialisationTrace(false);
    std::mutex mutex;
    std::vector<double> left;
    std::atomic<uint64_t> blocks{0};
    constexpr uint64_t kSettleBlocks = 24;  // 1 s for the sound server's latency
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& b) {
        if (++blocks <= kSettleBlocks) return;
        const std::lock_guard lock(mutex);
        for (int f = 0; f < kBlockFrames && left.size() < kLoopbackRate; ++f) {
            int16_t s[2];
            std::memcpy(s, b.bytes + 4 * f, 4);
            left.push_back(s[0]);
        }
    });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    GeneratorSignal sine;
    sine.kind = SignalKind::Sine;
    sine.frequencyHz = 440.0;
    sine.levelDbfs = -20.0;
    engine.SetGeneratorVolume(0);
    ASSERT_EQ(engine.SetGeneratorSignal(sine), 0);
    engine.SetOutputs(true, true, true);
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    for (;;) {
        {
            const std::lock_guard lock(mutex);
            if (left.size() >= static_cast<size_t>(kLoopbackRate)) break;
        }
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no second of input";
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(engine.Stop());

    // One second holds 440 whole periods: the level is that bin's, the frequency from the
    // interpolated rising zero crossings.
    const std::lock_guard lock(mutex);
    const double level = 20.0 * std::log10(testing::BinAmplitude(left, 440.0) / kFullScaleCounts);
    EXPECT_NEAR(level, -20.0, 0.2);
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (size_t i = 1; i < left.size(); ++i) {
        if (left[i - 1] < 0.0 && left[i] >= 0.0) {
            const double at = static_cast<double>(i - 1) - left[i - 1] / (left[i] - left[i - 1]);
            if (first < 0.0) first = at;
            last = at;
            ++crossings;
        }
    }
    ASSERT_GT(crossings, 400);
    EXPECT_NEAR((crossings - 1) * kLoopbackRate / (last - first), 440.0, 0.1);
}

// On the real output stream too, a new frequency goes on from the phase reached: across the
// change no captured step exceeds the steepest one of the higher tone.
TEST_F(SynthesisedTone, AFrequencyChangeIsHeardWithoutAStep) {
    DrawCallLogTarget window;
    CDSCapture engine(sound, window, DeviceId{}, DeviceId{}, kLoopbackRate);
    engine.SetInitialisationTrace(false);
    std::mutex mutex;
    std::vector<double> left;
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& b) {
        const std::lock_guard lock(mutex);
        for (int f = 0; f < kBlockFrames; ++f) {
            int16_t s[2];
            std::memcpy(s, b.bytes + 4 * f, 4);
            left.push_back(s[0]);
        }
    });
    const auto waitFor = [&](size_t frames) {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        for (;;) {
            {
                const std::lock_guard lock(mutex);
                if (left.size() >= frames) return true;
            }
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(10ms);
        }
    };
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    GeneratorSignal sine;
    sine.kind = SignalKind::Sine;
    sine.frequencyHz = 440.0;
    sine.levelDbfs = -6.0;
    sine.dither = false;
    engine.SetGeneratorVolume(0);
    ASSERT_EQ(engine.SetGeneratorSignal(sine), 0);
    engine.SetOutputs(true, true, true);
    ASSERT_TRUE(waitFor(kLoopbackRate));
    size_t changedAt = 0;
    {
        const std::lock_guard lock(mutex);
        changedAt = left.size();
    }
    sine.frequencyHz = 880.0;
    ASSERT_EQ(engine.SetGeneratorSignal(sine), 0);
    ASSERT_TRUE(waitFor(changedAt + 2 * kLoopbackRate));
    EXPECT_TRUE(engine.Stop());

    const std::lock_guard lock(mutex);
    const double amplitude = std::pow(10.0, -6.0 / 20.0) * kFullScaleCounts;
    const double steepest = 2.0 * amplitude * std::sin(std::numbers::pi * 880.0 / kLoopbackRate);
    double largest = 0.0;
    for (size_t i = changedAt + 1; i < left.size(); ++i)
        largest = std::max(largest, std::abs(left[i] - left[i - 1]));
    EXPECT_LE(largest, steepest + 2.0);
    const std::vector<double> last(left.end() - kLoopbackRate, left.end());
    EXPECT_NEAR(20.0 * std::log10(testing::BinAmplitude(last, 880.0) / kFullScaleCounts), -6.0,
                0.2);
}

}  // namespace
}  // namespace velmora2
