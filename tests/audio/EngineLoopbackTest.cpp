// The whole instrument on the real default devices through the loopback: the engine plays the
// tone file through its generator, the spectrum analysis finds the tone in what comes back, and a
// recording of it reads back as a WAV file that holds the tone.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "display/DrawCallLog.h"
#include "engine/CDSCapture.h"
#include "engine/ToneFile.h"
#include "tests/audio/PulseLoopback.h"
#include "tests/support/TempDirectory.h"
#include "wav/WavReader.h"

namespace velmora2 {
namespace {

using Clock = std::chrono::steady_clock;

using testing::kLoopbackRate;

// Waits (a safety limit, not a timing check) until `blocks` more blocks have been processed.
bool WaitForMoreBlocks(const CDSCapture& engine, uint64_t blocks) {
    const uint64_t target = engine.BlocksProcessed() + blocks;
    const auto limit = Clock::now() + std::chrono::seconds(20);
    while (engine.BlocksProcessed() < target) {
        if (Clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// The engine on the default devices, playing files from a fresh directory, in spectrum mode with
// 16384-point records; the left channel's main frequency at every record start is kept.
class EngineLoopback : public testing::PulseLoopback {
protected:
    // Starts the engine; the output device's highest rate goes to maxOutputRate.
    void StartEngine() {
        engine.SetBlockObserver([this](const CDSCapture::ProcessedBlock& b) {
            if (b.samples.recordPosition == 0)
                mainFrequency = b.samples.records.Left().mainFrequency;
        });
        ASSERT_EQ(engine.Start(maxOutputRate), kOk);
        engine.SetMode(kModeSpectrum);
        ASSERT_EQ(engine.SetRecordLength(16384), kOk);
    }

    testing::TempDirectory dir;
    DrawCallLogTarget window;
    std::atomic<double> mainFrequency{0.0};  // written by the worker until the engine goes
    int maxOutputRate = 0;
    CDSCapture engine{sound,      window,        DeviceId{},
                      DeviceId{}, kLoopbackRate, FileSearchPlaces{dir.Path(), {}, {}, {}}};
};

TEST_F(EngineLoopback, PlaysTheToneFileMeasuresItAndRecordsIt) {
    ASSERT_TRUE(WriteToneFile(dir / "sin1k.wav", 1000, kLoopbackRate));
    ASSERT_NO_FATAL_FAILURE(StartEngine());
    ASSERT_EQ(engine.SetGeneratorFile("sin1k.wav"), 0);
    engine.SetGeneratorVolume(0);
    engine.SetOutputs(true, true, true);

    // Half a second for the sound server's latency, then two whole records.
    ASSERT_TRUE(WaitForMoreBlocks(engine, 12 + 16));
    EXPECT_NEAR(mainFrequency.load(), 1000.0, 1.0);

    ASSERT_EQ(engine.StartRecording(), 18);
    ASSERT_TRUE(WaitForMoreBlocks(engine, 24));
    engine.StopRecording();
    ASSERT_TRUE(engine.Stop());
    EXPECT_EQ(engine.BlocksDropped(), 0u);

    const WavContents wav = ReadWavFile(dir / "RECORD00.wav");
    ASSERT_EQ(wav.fault, WavFault::None);
    EXPECT_EQ(wav.format.sampleRate, static_cast<uint32_t>(kLoopbackRate));
    EXPECT_EQ(wav.format.channels, 2);
    ASSERT_GE(wav.data.size(), 24u * kBlockBytes);
    EXPECT_EQ(wav.data.size() % kBlockBytes, 0u);
    // The tone in the recording: its level and, from the spacing of upward zero crossings, its
    // frequency. The median spacing is not thrown by a gap the sound server may leave on a busy
    // machine.
    const size_t frames = wav.data.size() / 4;
    double sum = 0.0;
    std::vector<size_t> crossings;
    int16_t previous = 0;
    for (size_t f = 0; f < frames; ++f) {
        int16_t left;
        std::memcpy(&left, &wav.data[4 * f], 2);
        sum += static_cast<double>(left) * left;
        if (f > 0 && previous < 0 && left >= 0) crossings.push_back(f);
        previous = left;
    }
    ASSERT_GE(crossings.size(), 100u);
    std::vector<size_t> spacing;
    for (size_t i = 1; i < crossings.size(); ++i)
        spacing.push_back(crossings[i] - crossings[i - 1]);
    std::nth_element(spacing.begin(), spacing.begin() + spacing.size() / 2, spacing.end());
    const size_t medianSpacing = spacing[spacing.size() / 2];
    const double rms = std::sqrt(sum / static_cast<double>(frames));
    std::printf("main frequency %.3f Hz; recording %zu frames, rms %.1f, median period %zu\n",
                mainFrequency.load(), frames, rms, medianSpacing);
    EXPECT_NEAR(rms, kToneAmplitude / std::sqrt(2.0), 0.2 * kToneAmplitude);
    EXPECT_EQ(medianSpacing, static_cast<size_t>(kLoopbackRate / 1000));
}

TEST_F(EngineLoopback, AFileAtAnotherRatePlaysThroughAStreamAtItsOwnRate) {
    ASSERT_TRUE(WriteToneFile(dir / "fs96k_sin2k.wav", 2000, 96000));
    ASSERT_NO_FATAL_FAILURE(StartEngine());
    if (maxOutputRate < 96000) GTEST_SKIP() << "the output device does not take 96000 Hz";
    engine.SetOutputs(true, true, true);
    ASSERT_EQ(engine.SetGeneratorFile("fs96k_sin2k.wav"), 0);
    ASSERT_TRUE(WaitForMoreBlocks(engine, 12 + 16));
    ASSERT_TRUE(engine.Stop());
    // Played at 48000 Hz the file would sound an octave low.
    EXPECT_NEAR(mainFrequency.load(), 2000.0, 1.0);
}

}  // namespace
}  // namespace velmora2
