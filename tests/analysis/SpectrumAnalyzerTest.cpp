#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/SpectrumAnalyzer.h"
#include "tests/analysis/AllocationFailure.h"
#include "tests/analysis/SameBits.h"
#include "tests/analysis/SignalSynthesis.h"

namespace velmora2 {
namespace {

TEST(AnalyzerBuffers, SizedFromTheLargerOfNAnd2048) {
    struct Case {
        int n;
        size_t full;
    };
    for (const Case c : {Case{256, 2048}, Case{2048, 2048}, Case{8192, 8192}}) {
        const SpectrumAnalyzer analyzer(c.n);
        for (const ChannelSpectrum* ch : {&analyzer.Left(), &analyzer.Right()}) {
            EXPECT_EQ(ch->size, c.n);
            EXPECT_EQ(ch->capture.size(), c.full);
            EXPECT_EQ(ch->magnitude.size(), c.full);
            EXPECT_EQ(ch->im.size(), c.full);
            EXPECT_EQ(ch->binPowers.size(), c.full / 2);
            EXPECT_EQ(ch->harmonicPowerSum.size(), c.full / 2);
        }
    }
}

TEST(AnalyzerBuffers, ResizeStartsFromZeroedBuffersAndMeasurements) {
    SpectrumAnalyzer analyzer(2048);
    analyzer.Left().capture.assign(2048, 5.0);
    analyzer.Left().harmonicCount = 700;
    analyzer.Right().magnitudeSum[3] = 9.0;
    ASSERT_TRUE(analyzer.Resize(256));
    EXPECT_EQ(analyzer.Size(), 256);
    for (double v : analyzer.Left().capture) ASSERT_EQ(v, 0.0);
    EXPECT_EQ(analyzer.Left().harmonicCount, 0);
    EXPECT_EQ(analyzer.Right().magnitudeSum[3], 0.0);
}

// The transform writes whole cache lines only when its arrays start on one; so do all the others.
TEST(AnalyzerBuffers, EveryArrayStartsOnACacheLine) {
    for (int n : {256, 2048, 65536}) {
        SpectrumAnalyzer analyzer(n);
        for (const ChannelSpectrum* channel : {&analyzer.Left(), &analyzer.Right()}) {
            for (const CacheAlignedArray* array :
                 {&channel->capture, &channel->magnitude, &channel->re, &channel->im,
                  &channel->harmonicFrequencies, &channel->harmonicPowers, &channel->binPowers,
                  &channel->magnitudeSum, &channel->harmonicPowerSum, &channel->binPowerSum})
                EXPECT_EQ(reinterpret_cast<uintptr_t>(array->data()) % kCacheLineBytes, 0u) << n;
        }
    }
}

// Whichever allocation of a resize fails, the analyzer keeps its old length, arrays and values
// and goes on analysing at that length.
TEST(AnalyzerBuffers, FailedResizeKeepsEverything) {
    SpectrumAnalyzer analyzer(2048);
    analyzer.Left().capture[10] = 1234;
    analyzer.Right().mainFrequency = 440;
    int failures = 0;
    for (long failAt = 0;; ++failAt) {
        testing::FailAllocationAfter(failAt);
        const bool resized = analyzer.Resize(65536);
        testing::FailAllocationAfter(-1);
        if (resized) break;
        ++failures;
        ASSERT_EQ(analyzer.Size(), 2048);
        ASSERT_EQ(analyzer.Left().capture.size(), 2048u);
        ASSERT_EQ(analyzer.Left().capture[10], 1234);
        ASSERT_EQ(analyzer.Right().mainFrequency, 440);
        ASSERT_EQ(analyzer.Right().binPowerSum.size(), 1024u);
    }
    // Two channels of ten arrays plus the window and transform tables.
    EXPECT_GE(failures, 23);
    EXPECT_EQ(analyzer.Size(), 65536);
    EXPECT_EQ(analyzer.Left().capture[10], 0);
}

// Records stored slice by slice have part of their transform done before the record is
// complete. Whatever the order of stores and window changes, the record's results are the bits a
// fresh analyzer gives for the captures and window as they stand at the end.
struct Store {
    int offset;
    int count;
    int data;  // which test signal the stored positions get
    const char* window;
};

struct LoadAheadCase {
    const char* description;
    std::vector<Store> stores;
    const char* recordWindow;
};

constexpr int kRecord = 65536;
constexpr int kSlice = 2048;

// Slices first ... last of signal data, stored with a window name as the pipeline stores them.
std::vector<Store> Slices(int first, int last, int data, const char* window) {
    std::vector<Store> stores;
    for (int slice = first; slice <= last; ++slice)
        stores.push_back({slice * kSlice, kSlice, data, window});
    return stores;
}

std::vector<Store> Then(std::vector<Store> first, const std::vector<Store>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Test signal d of one channel: a tone with a harmonic and noise, different per signal and channel.
std::vector<double> Signal(int d, int channel) {
    std::vector<double> s = testing::Sine(kRecord, 48000, 997.0 + 500 * d + 31 * channel, 12000);
    testing::AddTo(s, testing::Sine(kRecord, 48000, 2 * (997.0 + 500 * d), 40));
    testing::AddTo(s, testing::WhiteNoise(kRecord, 20, 11 + 2 * d + channel));
    for (double& v : s) v = std::round(v);
    return s;
}

class LoadAhead : public ::testing::TestWithParam<LoadAheadCase> {};

TEST_P(LoadAhead, GivesTheBitsOfTheWholeRecordAnalysedAtOnce) {
    const LoadAheadCase& c = GetParam();
    const std::vector<double> signals[2][2] = {{Signal(0, 0), Signal(0, 1)},
                                               {Signal(1, 0), Signal(1, 1)}};
    SpectrumAnalyzer stepped(kRecord);
    for (const Store& store : c.stores) {
        for (int ch = 0; ch < 2; ++ch) {
            ChannelSpectrum& channel = ch == 0 ? stepped.Left() : stepped.Right();
            std::copy_n(signals[store.data][ch].begin() + store.offset, store.count,
                        channel.capture.begin() + store.offset);
        }
        stepped.SliceStored(store.offset, store.count, store.window);
    }
    SpectrumAnalyzer whole(kRecord);
    std::copy_n(stepped.Left().capture.begin(), kRecord, whole.Left().capture.begin());
    std::copy_n(stepped.Right().capture.begin(), kRecord, whole.Right().capture.begin());
    // A record analysed again, with nothing stored in between, gives the same results again.
    for (int analysis = 0; analysis < 2; ++analysis) {
        int counter = 0;
        stepped.AnalyseRecord(c.recordWindow, 48000, false, 1, counter);
        whole.AnalyseRecord(c.recordWindow, 48000, false, 1, counter);
        for (int ch = 0; ch < 2; ++ch) {
            const ChannelSpectrum& got = ch == 0 ? stepped.Left() : stepped.Right();
            const ChannelSpectrum& want = ch == 0 ? whole.Left() : whole.Right();
            SCOPED_TRACE(::testing::Message() << "analysis " << analysis << ", channel " << ch);
            EXPECT_TRUE(testing::SameBits(got.re, want.re));
            EXPECT_TRUE(testing::SameBits(got.magnitude, want.magnitude));
            EXPECT_EQ(got.mainFrequency, want.mainFrequency);
            EXPECT_EQ(got.harmonicCount, want.harmonicCount);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stores, LoadAhead,
    ::testing::Values(
        LoadAheadCase{"in_order", Slices(0, 31, 0, "han"), "han"},
        LoadAheadCase{"window_changed_in_the_last_eighth",
                      Then(Slices(0, 29, 0, "han"), Slices(30, 31, 0, "black")), "black"},
        LoadAheadCase{"window_changed_with_the_record", Slices(0, 31, 0, "han"), "bart"},
        LoadAheadCase{"rectangular_window", Slices(0, 31, 0, "rect"), "rect"},
        LoadAheadCase{"restarted_part_way", Then(Slices(0, 29, 0, "han"), Slices(0, 31, 1, "han")),
                      "han"},
        LoadAheadCase{
            "loaded_input_stored_again",
            Then(Then(Slices(0, 30, 0, "han"), Slices(1, 1, 1, "han")), Slices(31, 31, 0, "han")),
            "han"},
        LoadAheadCase{"store_of_a_part_of_a_piece",
                      Then(Then(Slices(0, 30, 0, "han"), {Store{58000, 1000, 1, "han"}}),
                           Slices(31, 31, 0, "han")),
                      "han"},
        LoadAheadCase{"record_analysed_twice",
                      Then(Slices(0, 31, 0, "han"), Slices(0, 31, 0, "han")), "han"}),
    [](const auto& info) { return std::string(info.param.description); });

}  // namespace
}  // namespace velmora2
