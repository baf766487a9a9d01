#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "analysis/Averaging.h"
#include "analysis/SpectrumAnalyzer.h"
#include "tests/analysis/SameBits.h"
#include "tests/analysis/SignalSynthesis.h"

namespace velmora2 {
namespace {

constexpr int kN = 256;

// Record number f of a test sequence, scaled per channel so that the channels cannot be mixed
// up. The upper half of the magnitudes is spoiled so the mirror has to be restored.
void LoadRecord(ChannelSpectrum& channel, double f, double scale) {
    for (int k = 0; k < kN / 2; ++k) {
        channel.magnitude[k] = scale * (f + k);
        channel.magnitude[kN - 1 - k] = -1;
        channel.binPowers[k] = scale * f * k;
    }
    channel.mainFrequency = 1000 + scale * f;
    channel.mainPower = 10 * scale * f;
    channel.harmonicCount = 2;
    channel.harmonicPowers[0] = scale * f;
    channel.harmonicPowers[1] = 2 * scale * f;
}

// What every value shows when it is the average of records whose mean number is mean.
void ExpectAverage(const ChannelSpectrum& channel, double mean, double scale) {
    for (int k = 0; k < kN / 2; ++k) {
        ASSERT_DOUBLE_EQ(channel.magnitude[k], scale * (mean + k)) << k;
        ASSERT_EQ(channel.magnitude[kN - 1 - k], channel.magnitude[k]) << k;
        ASSERT_DOUBLE_EQ(channel.binPowers[k], scale * mean * k) << k;
    }
    EXPECT_DOUBLE_EQ(channel.mainFrequency, 1000 + scale * mean);
    EXPECT_DOUBLE_EQ(channel.mainPower, 10 * scale * mean);
    EXPECT_DOUBLE_EQ(channel.harmonicPowers[0], scale * mean);
    EXPECT_DOUBLE_EQ(channel.harmonicPowers[1], 2 * scale * mean);
}

class Averaging : public ::testing::Test {
protected:
    // Feeds records first ... last (numbers as values) through the averaging of both channels.
    void Feed(int first, int last, int maxAverage) {
        for (int f = first; f <= last; ++f) {
            LoadRecord(left, f, 1);
            LoadRecord(right, f, 3);
            AverageChannel(counter, left);
            AverageChannel(counter, right);
            counter = NextAveragingCounter(counter, maxAverage);
        }
    }

    ChannelSpectrum left{kN};
    ChannelSpectrum right{kN};
    int counter = 1;  // as SetAveraging(on) leaves it
};

TEST_F(Averaging, ShowsRunningAveragesUntilMaxAverageRecords) {
    for (int c = 1; c <= 50; ++c) {
        Feed(c, c, 50);
        // Records 1 ... c average to (c + 1) / 2.
        ExpectAverage(left, (c + 1) / 2.0, 1);
        ExpectAverage(right, (c + 1) / 2.0, 3);
        ASSERT_EQ(counter, c == 50 ? 0 : c + 1);
    }
}

TEST_F(Averaging, FinishedAverageStaysFrozenWhileRecordsArrive) {
    Feed(1, 50, 50);
    Feed(1000, 1010, 50);
    EXPECT_EQ(counter, 0);
    ExpectAverage(left, 25.5, 1);
    ExpectAverage(right, 25.5, 3);
}

TEST_F(Averaging, RestartForgetsTheFinishedAverage) {
    Feed(1, 50, 50);
    counter = 1;
    Feed(200, 201, 50);
    EXPECT_EQ(counter, 3);
    ExpectAverage(left, 200.5, 1);
}

// MAXAVEN lowered to 20 while record 31 is due: that record completes the average, which then
// holds the 31 records really summed.
TEST_F(Averaging, MaxAverageLoweredBelowTheCounterFinishesAtTheNextRecord) {
    Feed(1, 30, 50);
    ASSERT_EQ(counter, 31);
    Feed(31, 31, 20);
    EXPECT_EQ(counter, 0);
    ExpectAverage(left, 16, 1);
    Feed(500, 505, 20);
    EXPECT_EQ(counter, 0);
    ExpectAverage(left, 16, 1);
    ExpectAverage(right, 16, 3);
}

// The running average in its plain form: each sum in record order, each value its sum over the
// frames, the magnitudes' upper half their mirror image. Values whose quotients round, at record
// lengths from a single bin to a whole vector and beyond, must come out bit for bit.
TEST(AveragingArithmetic, EveryValueIsItsSumOverTheFramesBitForBit) {
    for (int n : {2, 4, 8, 14, 256, 2048}) {
        ChannelSpectrum channel(n);
        std::vector<double> magnitudeSum(n / 2), binPowerSum(n / 2);
        uint64_t seed = 12345;
        auto next = [&seed] {
            seed = seed * 6364136223846793005u + 1442695040888963407u;
            return static_cast<double>(seed >> 11) * 0x1p-40;
        };
        for (int counter = 1; counter <= 7; ++counter) {
            std::vector<double> magnitude(n), binPowers(n / 2);
            for (int k = 0; k < n / 2; ++k) {
                channel.magnitude[k] = next();
                channel.binPowers[k] = next();
                magnitudeSum[k] += channel.magnitude[k];
                binPowerSum[k] += channel.binPowers[k];
                magnitude[k] = magnitude[n - 1 - k] = magnitudeSum[k] / counter;
                binPowers[k] = binPowerSum[k] / counter;
            }
            AverageChannel(counter, channel);
            const std::vector<double> shown(channel.magnitude.data(), channel.magnitude.data() + n);
            const std::vector<double> shownPowers(channel.binPowers.data(),
                                                  channel.binPowers.data() + n / 2);
            ASSERT_TRUE(testing::SameBits(shown, magnitude)) << n << " points, record " << counter;
            ASSERT_TRUE(testing::SameBits(shownPowers, binPowers))
                << n << " points, record " << counter;
        }
    }
}

// A finished average keeps the harmonic count of the records it holds, even when the tone of
// new records would give another count; without averaging the count follows the tone.
TEST(AveragingInThePipeline, FinishedAverageKeepsTheHarmonicCount) {
    const int n = 2048;
    const std::vector<double> oneKilohertz = testing::Sine(n, 48000, 1000, 10000);
    const std::vector<double> twoAndAHalf = testing::Sine(n, 48000, 2500, 10000);
    SpectrumAnalyzer analyzer(n);
    int counter = 1;
    auto record = [&](const std::vector<double>& tone, bool averagingOn) {
        std::copy(tone.begin(), tone.end(), analyzer.Left().capture.begin());
        std::copy(tone.begin(), tone.end(), analyzer.Right().capture.begin());
        analyzer.AnalyseRecord("black-h", 48000, averagingOn, 2, counter);
    };
    record(oneKilohertz, true);
    record(oneKilohertz, true);
    ASSERT_EQ(counter, 0);
    ASSERT_EQ(analyzer.Left().harmonicCount, 22);

    record(twoAndAHalf, true);
    EXPECT_EQ(analyzer.Left().harmonicCount, 22);
    EXPECT_EQ(analyzer.Right().harmonicCount, 22);
    EXPECT_NEAR(analyzer.Left().mainFrequency, 1000, 0.5);  // still the frozen average

    record(twoAndAHalf, false);
    EXPECT_EQ(analyzer.Left().harmonicCount, 8);
    EXPECT_NEAR(analyzer.Left().mainFrequency, 2500, 1.0);
    EXPECT_EQ(counter, 0);
}

}  // namespace
}  // namespace velmora2
