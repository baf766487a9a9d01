#include <gtest/gtest.h>

#include <cstdint>

#include "analysis/SpectrumAnalyzer.h"
#include "tests/analysis/AllocationFailure.h"

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

}  // namespace
}  // namespace velmora2
