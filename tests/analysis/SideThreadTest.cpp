#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "analysis/SideThread.h"
#include "analysis/SpectrumAnalyzer.h"

namespace velmora2 {
namespace {

// Whichever thread does it, the handed job runs exactly once per call and is done on return.
TEST(SideThread, RunsBothSharesOnceWhicheverThreadDoesTheHandedOne) {
    SideThread side;
    for (int round = 0; round < 2000; ++round) {
        int theirsRuns = 0;
        bool mineRan = false;
        side.RunBeside([&] { mineRan = true; }, [&] { ++theirsRuns; });
        ASSERT_TRUE(mineRan);
        ASSERT_EQ(theirsRuns, 1) << "round " << round;
    }
}

// The side thread does the handed job beside the caller's share; once it kept the caller waiting
// longer than the caller's share took (its core busy elsewhere), the caller does the next
// kRestRounds jobs itself, then hands them over again.
TEST(SideThread, ASideThreadThatKeptTheCallerWaitingRestsForSomeRounds) {
    SideThread side;
    const std::thread::id caller = std::this_thread::get_id();
    // Runs one round; a caller that waits for the side thread to start lets it have the job.
    const auto round = [&](bool waitForSide, std::chrono::milliseconds theirsTakes) {
        std::atomic<bool> started{false};
        std::thread::id theirsOn;
        side.RunBeside(
            [&] {
                const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
                while (waitForSide && !started && std::chrono::steady_clock::now() < limit)
                    std::this_thread::yield();
            },
            [&] {
                theirsOn = std::this_thread::get_id();
                started = true;
                std::this_thread::sleep_for(theirsTakes);
            });
        return theirsOn;
    };
    using std::chrono::milliseconds;
    EXPECT_NE(round(true, milliseconds(0)), caller);
    EXPECT_NE(round(true, milliseconds(100)), caller);  // keeps the caller waiting
    for (int k = 0; k < SideThread::kRestRounds; ++k)
        EXPECT_EQ(round(false, milliseconds(0)), caller);
    EXPECT_NE(round(true, milliseconds(0)), caller);
}

// The handed job refers to the caller's frame, so a throwing share still returns only once the
// job is finished: here the side thread has started it before the caller's share throws.
TEST(SideThread, WaitsForAStartedJobWhenTheCallersShareThrows) {
    SideThread side;
    std::atomic<bool> theirsStarted{false};
    bool theirsDone = false;
    EXPECT_THROW(side.RunBeside(
                     [&] {
                         while (!theirsStarted) std::this_thread::yield();
                         throw std::runtime_error("mine failed");
                     },
                     [&] {
                         theirsStarted = true;
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
