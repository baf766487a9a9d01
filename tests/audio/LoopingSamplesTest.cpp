// A generator buffer's data as the output callback plays it: silence until filled, looping over
// whole frames, at the gain of the volume set, with fills landing byte-exactly.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "audio/LoopingSamples.h"
#include "audio/SoundSystem.h"

namespace velmora2 {
namespace {

std::vector<int16_t> Render(LoopingSamples& samples, size_t frames, int channels) {
    std::vector<int16_t> out(frames * static_cast<size_t>(channels), -1);
    samples.Render(out.data(), frames);
    return out;
}

Status FillSamples(LoopingSamples& samples, uint32_t offset, const std::vector<int16_t>& values) {
    return samples.Fill(offset, reinterpret_cast<const uint8_t*>(values.data()),
                        static_cast<uint32_t>(values.size() * sizeof(int16_t)));
}

TEST(LoopingSamples, PlaysSilenceUntilFilled) {
    LoopingSamples samples(16, 2);
    EXPECT_EQ(Render(samples, 6, 2), std::vector<int16_t>(12, 0));
}

TEST(LoopingSamples, LoopsOverTheFramesAcrossCallbacks) {
    LoopingSamples samples(12, 2);  // three stereo frames
    ASSERT_EQ(FillSamples(samples, 0, {1, -1, 2, -2, 3, -3}), kOk);
    EXPECT_EQ(Render(samples, 2, 2), (std::vector<int16_t>{1, -1, 2, -2}));
    EXPECT_EQ(Render(samples, 5, 2), (std::vector<int16_t>{3, -3, 1, -1, 2, -2, 3, -3, 1, -1}));
}

TEST(LoopingSamples, TrailingPartialFrameIsNeverPlayed) {
    LoopingSamples samples(10, 2);  // two frames and half of a third
    ASSERT_EQ(FillSamples(samples, 0, {1, 1, 2, 2, 9}), kOk);
    EXPECT_EQ(Render(samples, 3, 2), (std::vector<int16_t>{1, 1, 2, 2, 1, 1}));
}

TEST(LoopingSamples, MonoBufferLoopsSampleBySample) {
    LoopingSamples samples(6, 1);
    ASSERT_EQ(FillSamples(samples, 0, {5, 6, 7}), kOk);
    EXPECT_EQ(Render(samples, 4, 1), (std::vector<int16_t>{5, 6, 7, 5}));
}

TEST(LoopingSamples, FillAtAnOddByteOffsetSplitsSamples) {
    LoopingSamples samples(8, 2);
    ASSERT_EQ(FillSamples(samples, 0, {0x1111, 0x2222, 0x3333, 0x4444}), kOk);
    const uint8_t bytes[] = {0xAA, 0xBB, 0xCC};
    ASSERT_EQ(samples.Fill(1, bytes, 3), kOk);  // high byte of sample 0, all of sample 1
    EXPECT_EQ(Render(samples, 2, 2),
              (std::vector<int16_t>{static_cast<int16_t>(0xAA11), static_cast<int16_t>(0xCCBB),
                                    0x3333, 0x4444}));
}

TEST(LoopingSamples, FillPastTheEndIsRefusedAndChangesNothing) {
    LoopingSamples samples(8, 2);
    const std::vector<int16_t> values{1, 2, 3};
    EXPECT_LT(FillSamples(samples, 4, values), 0);
    EXPECT_LT(FillSamples(samples, 10, {}), 0);
    EXPECT_EQ(Render(samples, 2, 2), std::vector<int16_t>(4, 0));
}

TEST(LoopingSamples, GainOfTheVolumeIsAppliedAndRounded) {
    LoopingSamples samples(8, 2);
    ASSERT_EQ(FillSamples(samples, 0, {10000, -10000, 32767, -32768}), kOk);
    samples.SetGain(VolumeToGain(-600));  // -6 dB: 0.50119
    EXPECT_EQ(Render(samples, 2, 2), (std::vector<int16_t>{5012, -5012, 16422, -16423}));
    samples.SetGain(VolumeToGain(-10000));  // -100 dB
    EXPECT_EQ(Render(samples, 2, 2), (std::vector<int16_t>{0, 0, 0, 0}));
}

// A new loop takes over at the exact frame asked for, mid-callback, and loops from its start;
// a second change waits for the first, and a frame already played is refused.
TEST(LoopingSamples, AnotherLoopTakesOverAtItsFrame) {
    LoopingSamples samples(8, 1);  // four mono frames
    ASSERT_EQ(FillSamples(samples, 0, {1, 2, 3, 4}), kOk);
    EXPECT_EQ(Render(samples, 2, 1), (std::vector<int16_t>{1, 2}));
    EXPECT_FALSE(samples.ContinueWith({9}, 1)) << "frame 1 has been played";
    ASSERT_TRUE(samples.ContinueWith({7, 8}, 5));
    EXPECT_FALSE(samples.ContinueWith({5}, 6)) << "the first change still waits";
    EXPECT_EQ(Render(samples, 7, 1), (std::vector<int16_t>{3, 4, 1, 7, 8, 7, 8}));
    EXPECT_EQ(samples.FramesAdvanced(), 9u);
    ASSERT_TRUE(samples.ContinueWith({5, 6, 0}, 10));
    EXPECT_EQ(Render(samples, 4, 1), (std::vector<int16_t>{7, 5, 6, 0}));
}

}  // namespace
}  // namespace velmora2
