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

// The side thread does the handed job beside the caller's share. A round in which it kept the
// caller waiting longer than the caller's share took is late; after late rounds in a row the
// caller does the next 1, 2, 4, 8, 8 ... jobs itself, then hands them over again, and a round in
// time starts the count afresh.
TEST(SideThread, LateRoundsInARowKeepJobsOnTheCallerForLongerEachTime) {
    SideThread side;
    const std::thread::id caller = std::this_thread::get_id();
    using std::chrono::milliseconds;
    // One round: the caller's share waits up to waitLimit for the side thread to start and then
    // takes 20 ms, the side thread's share takes theirsTakes. A job the side thread does not
    // start within 10 ms counts as kept by the caller.
    const auto round = [&](milliseconds waitLimit, milliseconds theirsTakes) {
        std::atomic<bool> started{false};
        std::thread::id theirsOn;
        side.RunBeside(
            [&] {
                const auto limit = std::chrono::steady_clock::now() + waitLimit;
                while (!started && std::chrono::steady_clock::now() < limit)
                    std::this_thread::yield();
                std::this_thread::sleep_for(milliseconds(20));
            },
            [&] {
                theirsOn = std::this_thread::get_id();
                started = true;
                std::this_thread::sleep_for(theirsTakes);
            });
        return theirsOn;
    };
    const auto handedRound = [&](milliseconds theirsTakes) {
        return round(milliseconds(10000), theirsTakes);
    };
    const auto keptRound = [&] { return round(milliseconds(10), milliseconds(0)); };
    struct Round {
        bool late;
        int keptAfter;
    };
    const Round rounds[] = {{false, 0}, {true, 1},  {true, 2},  {true, 4}, {true, 8},
                            {true, 8},  {false, 0}, {false, 0}, {true, 1}};
    int index = 0;
    for (const Round r : rounds) {
        EXPECT_NE(handedRound(milliseconds(r.late ? 100 : 0)), caller) << "round " << index;
        for (int k = 0; k < r.keptAfter; ++k)
            EXPECT_EQ(keptRound(), caller) << "round " << index << ", kept job " << k;
        ++index;
    }
    EXPECT_EQ(SideThread::RestRoundsAfter(50), SideThread::kMostRestRounds);
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
