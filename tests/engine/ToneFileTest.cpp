// The tone files the build writes: one second of a -6 dBFS sine on both channels, a whole number
// of periods, so that looping the file makes no click.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/ToneFile.h"
#include "tests/support/TempDirectory.h"
#include "wav/WavReader.h"

namespace velmora2 {
namespace {

std::vector<int16_t> Left(const std::vector<uint8_t>& data) {
    std::vector<int16_t> left(data.size() / 4);
    for (size_t f = 0; f < left.size(); ++f) std::memcpy(&left[f], &data[4 * f], 2);
    return left;
}

TEST(ToneFile, OneSecondOfAMinus6DbfsSineThatLoopsWithoutAClick) {
    const struct {
        int frequency;
        int rate;
    } cases[] = {{50, 48000},   {1000, 48000},  {1500, 48000},   {20000, 48000},
                 {1400, 96000}, {40000, 96000}, {10800, 192000}, {80000, 192000}};
    testing::TempDirectory dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.frequency) + " Hz at " + std::to_string(c.rate));
        const std::filesystem::path path = dir / "tone.wav";
        ASSERT_TRUE(WriteToneFile(path, c.frequency, c.rate));
        const WavContents wav = ReadWavFile(path);
        ASSERT_EQ(wav.fault, WavFault::None);
        EXPECT_EQ(wav.format.sampleRate, static_cast<uint32_t>(c.rate));
        EXPECT_EQ(wav.format.channels, 2);
        EXPECT_EQ(wav.format.bitsPerSample, 16);
        ASSERT_EQ(wav.data.size(), static_cast<size_t>(c.rate) * 4) << "one second";
        for (size_t f = 0; f < wav.data.size(); f += 4)
            ASSERT_EQ(std::memcmp(&wav.data[f], &wav.data[f + 2], 2), 0) << "channels differ";

        const std::vector<int16_t> x = Left(wav.data);
        int peak = 0;
        int largestStep = 0;
        for (size_t n = 0; n < x.size(); ++n) {
            peak = std::max(peak, std::abs(x[n]));
            if (n > 0) largestStep = std::max(largestStep, std::abs(x[n] - x[n - 1]));
        }
        EXPECT_NEAR(20 * std::log10(peak / 32768.0), -6.0, 0.05);
        // Played in a loop, the last frame is followed by the first: no larger step than inside.
        const double expectedNext = kToneAmplitude * std::sin(2 * M_PI * c.frequency);
        EXPECT_NEAR(x.front(), expectedNext, 0.5);
        EXPECT_LE(std::abs(x.front() - x.back()), largestStep);
    }
}

}  // namespace
}  // namespace velmora2
