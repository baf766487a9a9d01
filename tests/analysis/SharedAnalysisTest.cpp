// A record analysed in shares, as a worker with a block period to keep analyses it: whatever the
// number of shares, the averaging and the side thread, the results are the bits of the record
// analysed at once; the captures are free once the first share is done, and until the last one
// the channels keep the results of the record before.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/SideThread.h"
#include "analysis/SpectrumAnalyzer.h"
#include "tests/analysis/SameBits.h"

namespace velmora2 {
namespace {

constexpr int kPipelineSlice = 2048;

// Record r's captures, slice by slice as the pipeline stores them: a tone with a harmonic and a
// slow second tone, different per record.
void StoreRecord(SpectrumAnalyzer& analyzer, int record) {
    const int n = analyzer.Size();
    const int slice = std::min(n, kPipelineSlice);
    for (int offset = 0; offset < n; offset += slice) {
        for (int i = offset; i < offset + slice; ++i) {
            const double t = i + record * 0.37;
            analyzer.Left().capture[i] =
                std::round(12000 * std::sin(0.05 * t) + 30 * std::sin(0.1 * t));
            analyzer.Right().capture[i] = std::round(9000 * std::sin(0.011 * t + record));
        }
        analyzer.SliceStored(offset, slice, "black-h");
    }
}

// What the pipeline does while a record is in analysis: the next record's slices arrive, each
// announced, all but the one that would complete it.
void StoreNextSlices(SpectrumAnalyzer& analyzer) {
    const int n = analyzer.Size();
    for (int offset = 0; offset + kPipelineSlice < n; offset += kPipelineSlice) {
        for (int i = offset; i < offset + kPipelineSlice; ++i) {
            analyzer.Left().capture[i] = -7000 + (i * 37) % 14000;
            analyzer.Right().capture[i] = 5000 - (i * 91) % 10000;
        }
        analyzer.SliceStored(offset, kPipelineSlice, "black-h");
    }
}

std::vector<double> Magnitudes(const ChannelSpectrum& channel) {
    return {channel.magnitude.begin(), channel.magnitude.begin() + channel.size};
}

void ExpectSameResults(const ChannelSpectrum& got, const ChannelSpectrum& want) {
    EXPECT_TRUE(testing::SameBits(got.magnitude, want.magnitude));
    EXPECT_TRUE(testing::SameBits(got.re, want.re));
    EXPECT_TRUE(testing::SameBits(got.im, want.im));
    EXPECT_TRUE(testing::SameBits(got.binPowers, want.binPowers));
    EXPECT_TRUE(testing::SameBits(got.harmonicPowers, want.harmonicPowers));
    EXPECT_TRUE(testing::SameBits(got.magnitudeSum, want.magnitudeSum));
    EXPECT_EQ(got.mainFrequency, want.mainFrequency);
    EXPECT_EQ(got.mainPower, want.mainPower);
    EXPECT_EQ(got.harmonicCount, want.harmonicCount);
    EXPECT_EQ(got.averagedFrames, want.averagedFrames);
}

struct SharedCase {
    int n;
    int shares;
    bool averaging;
    bool sideThread;
    int calls;  // BeginRecord and the AnalyseNextShare calls it takes: never more than the steps
};

class SharedAnalysis : public ::testing::TestWithParam<SharedCase> {};

TEST_P(SharedAnalysis, GivesTheBitsOfTheRecordAnalysedAtOnce) {
    const SharedCase& c = GetParam();
    SideThread side;
    SideThread* sideThread = c.sideThread ? &side : nullptr;
    SpectrumAnalyzer shared(c.n);
    SpectrumAnalyzer whole(c.n);
    int sharedCounter = c.averaging ? 1 : 0;
    int wholeCounter = sharedCounter;
    // With an average of two, the third record meets a finished average.
    for (int record = 0; record < 3; ++record) {
        SCOPED_TRACE(::testing::Message() << "record " << record);
        StoreRecord(shared, record);
        const std::vector<double> before = Magnitudes(shared.Right());
        const double mainBefore = shared.Left().mainFrequency;
        int calls = 1;
        bool done = shared.BeginRecord("black-h", 48000, c.averaging, 2, sharedCounter, c.shares,
                                       sideThread);
        if (!done) StoreNextSlices(shared);
        while (!done) {
            ASSERT_TRUE(shared.RecordInAnalysis());
            EXPECT_EQ(Magnitudes(shared.Right()), before) << "after call " << calls;
            EXPECT_EQ(shared.Left().mainFrequency, mainBefore) << "after call " << calls;
            done = shared.AnalyseNextShare(sideThread);
            ++calls;
        }
        EXPECT_EQ(calls, c.calls);
        EXPECT_FALSE(shared.RecordInAnalysis());
        EXPECT_FALSE(shared.AnalyseNextShare(sideThread)) << "nothing left to analyse";

        StoreRecord(whole, record);
        whole.AnalyseRecord("black-h", 48000, c.averaging, 2, wholeCounter);
        EXPECT_EQ(sharedCounter, wholeCounter);
        for (int ch = 0; ch < 2; ++ch) {
            SCOPED_TRACE(ch == 0 ? "left" : "right");
            ExpectSameResults(ch == 0 ? shared.Left() : shared.Right(),
                              ch == 0 ? whole.Left() : whole.Right());
        }
    }
}

// 65536 points take seven steps (the load, four cache blocks of early stages, the late stages,
// the magnitudes with the measurements); 16384 and 256 take three, 16 two.
INSTANTIATE_TEST_SUITE_P(
    Shares, SharedAnalysis,
    ::testing::Values(SharedCase{16, 4, true, false, 2}, SharedCase{256, 2, false, false, 2},
                      SharedCase{16384, 4, true, true, 3}, SharedCase{65536, 1, true, true, 1},
                      SharedCase{65536, 2, false, true, 2}, SharedCase{65536, 4, true, true, 4},
                      SharedCase{65536, 4, true, false, 4}, SharedCase{65536, 100, false, true, 7}),
    [](const auto& info) {
        const SharedCase& c = info.param;
        return "n" + std::to_string(c.n) + "_" + std::to_string(c.shares) + "shares" +
               (c.averaging ? "_averaged" : "") + (c.sideThread ? "_beside" : "");
    });

TEST(SharedAnalysis, AResizeDropsTheRecordInAnalysis) {
    SpectrumAnalyzer analyzer(65536);
    StoreRecord(analyzer, 0);
    int counter = 0;
    ASSERT_FALSE(analyzer.BeginRecord("han", 48000, false, 1, counter, 4));
    ASSERT_TRUE(analyzer.Resize(32768));
    EXPECT_FALSE(analyzer.RecordInAnalysis());
    EXPECT_FALSE(analyzer.AnalyseNextShare());
    EXPECT_EQ(analyzer.Left().mainFrequency, 0.0);
    EXPECT_TRUE(std::all_of(analyzer.Left().magnitude.begin(), analyzer.Left().magnitude.end(),
                            [](double m) { return m == 0.0; }));
}

}  // namespace
}  // namespace velmora2
