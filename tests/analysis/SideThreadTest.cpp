#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "analysis/SideThread.h"
#include "analysis/SpectrumAnalyzer.h"

namespace velmora2 {
namespace {

TEST(SideThread, RunsTheHandedJobOnAnotherThreadAndReturnsWhenBothAreDone) {
    SideThread side;
    for (int round = 0; round < 1000; ++round) {
        std::thread::id mineOn;
        std::thread::id theirsOn;
        side.RunBeside([&] { mineOn = std::this_thread::get_id(); },
                       [&] {
                           std::this_thread::yield();
                           theirsOn = std::this_thread::get_id();
                       });
        ASSERT_EQ(mineOn, std::this_thread::get_id());
        ASSERT_NE(theirsOn, std::thread::id{}) << "returned before the side job was done";
        ASSERT_NE(theirsOn, mineOn);
    }
}

TEST(SideThread, WaitsForTheHandedJobWhenTheCallersShareThrows) {
    SideThread side;
    bool theirsDone = false;
    EXPECT_THROW(side.RunBeside([] { throw std::runtime_error("mine failed"); },
                                [&] {
                                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                                    theirsDone = true;
                                }),
                 std::runtime_error);
    EXPECT_TRUE(theirsDone);
}

// Two different signals, so that a swapped or shared buffer would show.
void FillRecord(SpectrumAnalyzer& analyzer, int record) {
    const int n = analyzer.Size();
    for (int i = 0; i < n; ++i) {
        const double t = i + record * 0.37;
        analyzer.Left().capture[i] =
            std::round(12000 * std::sin(0.05 * t) + 300 * std::sin(0.3 * t));
        analyzer.Right().capture[i] = std::round(9000 * std::sin(0.011 * t + record));
    }
}

void ExpectSameChannel(const ChannelSpectrum& a, const ChannelSpectrum& b) {
    const size_t bytes = sizeof(double) * a.magnitude.size();
    EXPECT_EQ(std::memcmp(a.magnitude.data(), b.magnitude.data(), bytes), 0);
    EXPECT_EQ(std::memcmp(a.re.data(), b.re.data(), bytes), 0);
    EXPECT_EQ(std::memcmp(a.binPowers.data(), b.binPowers.data(), bytes / 2), 0);
    EXPECT_EQ(std::memcmp(a.magnitudeSum.data(), b.magnitudeSum.data(), bytes / 2), 0);
    EXPECT_EQ(a.mainFrequency, b.mainFrequency);
    EXPECT_EQ(a.mainPower, b.mainPower);
    EXPECT_EQ(a.harmonicCount, b.harmonicCount);
}

// Sizes on both sides of the hand-over threshold, with and without the averaging, over a few
// records so the sums build up: the side thread changes where the work runs, never its result.
TEST(SideThread, LongRecordsAnalysedBesideGiveTheSameBitsAsOnOneThread) {
    SideThread side;
    for (const int n : {4096, SpectrumAnalyzer::kSideThreadMinimumSize, 65536}) {
        for (const bool averaging : {false, true}) {
            SCOPED_TRACE(::testing::Message() << n << (averaging ? " averaged" : ""));
            SpectrumAnalyzer alone(n);
            SpectrumAnalyzer beside(n);
            int aloneCounter = 1;
            int besideCounter = 1;
            for (int record = 0; record < 3; ++record) {
                FillRecord(alone, record);
                FillRecord(beside, record);
                alone.AnalyseRecord("black-h", 48000, averaging, 2, aloneCounter);
                beside.AnalyseRecord("black-h", 48000, averaging, 2, besideCounter, &side);
                EXPECT_EQ(aloneCounter, besideCounter);
            }
            ExpectSameChannel(alone.Left(), beside.Left());
            ExpectSameChannel(alone.Right(), beside.Right());
        }
    }
}

}  // namespace
}  // namespace velmora2
