// The output path on the real default devices: a generator buffer playing a 1 kHz tone into the
// loopback sink is heard on the loopback's capture side, at the volume set, and stops when asked.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "audio/BlockQueue.h"
#include "tests/audio/PulseLoopback.h"

namespace velmora2 {
namespace {

using testing::kLoopbackRate;
constexpr double kToneHz = 1000.0;
constexpr double kAmplitude = 16000.0;
constexpr int kSettleBlocks = 12;   // 0.5 s for the sound server's latency
constexpr int kMeasureBlocks = 12;  // then 0.5 s that are measured

// One second of a 1 kHz tone on both channels: a whole number of periods, so it loops cleanly.
std::vector<int16_t> OneSecondOfTone() {
    std::vector<int16_t> frames(2 * kLoopbackRate);
    for (int i = 0; i < kLoopbackRate; ++i) {
        const auto value = static_cast<int16_t>(
            std::lround(kAmplitude * std::sin(2 * M_PI * kToneHz * i / kLoopbackRate)));
        frames[2 * i] = value;
        frames[2 * i + 1] = value;
    }
    return frames;
}

struct Heard {
    double rms = 0.0;
    double frequencyHz = 0.0;  // from the rate of upward zero crossings
};

class GeneratorTone : public testing::PulseLoopback {
protected:
    void SetUp() override {
        PulseLoopback::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_EQ(sound.OpenCaptureDevice(DeviceId{}, captureDevice), kOk);
        ASSERT_EQ(captureDevice->CreateCaptureBuffer(WaveFormat::StereoPcm16(kLoopbackRate),
                                                     kCaptureBufferBytes, capture),
                  kOk);
        ASSERT_EQ(capture->AttachQueue(&queue), kOk);
        ASSERT_EQ(capture->SetNotificationPositions(kBlockBytes - 1, kCaptureBufferBytes - 1), kOk);
        ASSERT_EQ(capture->Start(), kOk);
    }

    // Lets the sound settle, then measures the left channel of what is captured.
    Heard Listen() {
        std::vector<int16_t> left;
        uint8_t block[kBlockBytes];
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (int taken = 0; taken < kSettleBlocks + kMeasureBlocks;) {
            if (!queue.Pop(block)) {
                if (std::chrono::steady_clock::now() > deadline) break;
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            if (++taken <= kSettleBlocks) continue;
            for (int f = 0; f < kBlockFrames; ++f) {
                int16_t sample;
                std::memcpy(&sample, block + 4 * f, 2);
                left.push_back(sample);
            }
        }
        EXPECT_EQ(left.size(), static_cast<size_t>(kMeasureBlocks * kBlockFrames));
        Heard heard;
        if (left.empty()) return heard;
        double sum = 0.0;
        int upward = 0;
        for (size_t i = 0; i < left.size(); ++i) {
            sum += static_cast<double>(left[i]) * left[i];
            if (i > 0 && left[i - 1] < 0 && left[i] >= 0) ++upward;
        }
        heard.rms = std::sqrt(sum / static_cast<double>(left.size()));
        heard.frequencyHz =
            upward * static_cast<double>(kLoopbackRate) / static_cast<double>(left.size());
        return heard;
    }

    WakeSignal wake;
    BlockQueue queue{wake, 256};
    std::unique_ptr<CaptureDevice> captureDevice;
    std::unique_ptr<CaptureBuffer> capture;
};

TEST_F(GeneratorTone, ToneIsHeardAtTheVolumeSetAndStopsWhenStopped) {
    std::unique_ptr<OutputDevice> outputDevice;
    ASSERT_EQ(sound.OpenOutputDevice(DeviceId{}, outputDevice), kOk);
    const std::vector<int16_t> tone = OneSecondOfTone();
    const auto bytes = static_cast<uint32_t>(tone.size() * sizeof(int16_t));
    std::unique_ptr<OutputBuffer> generator;
    ASSERT_EQ(
        outputDevice->CreateOutputBuffer(WaveFormat::StereoPcm16(kLoopbackRate), bytes, generator),
        kOk);
    ASSERT_EQ(generator->Fill(0, reinterpret_cast<const uint8_t*>(tone.data()), bytes), kOk);
    ASSERT_EQ(generator->SetVolume(0), kOk);

    ASSERT_EQ(generator->PlayLooping(), kOk);
    EXPECT_TRUE(generator->IsPlaying());
    const Heard full = Listen();
    EXPECT_NEAR(full.rms, kAmplitude / std::sqrt(2.0), 0.2 * kAmplitude);
    EXPECT_NEAR(full.frequencyHz, kToneHz, 0.05 * kToneHz);

    ASSERT_EQ(generator->SetVolume(-2000), kOk);  // -20 dB while playing
    const Heard quiet = Listen();
    EXPECT_NEAR(quiet.rms / full.rms, 0.1, 0.02);
    EXPECT_NEAR(quiet.frequencyHz, kToneHz, 0.05 * kToneHz);

    ASSERT_EQ(generator->Stop(), kOk);
    EXPECT_FALSE(generator->IsPlaying());
    const Heard stopped = Listen();
    EXPECT_LT(stopped.rms, 0.01 * full.rms);
    EXPECT_EQ(queue.DroppedCount(), 0u);
}

}  // namespace
}  // namespace velmora2
