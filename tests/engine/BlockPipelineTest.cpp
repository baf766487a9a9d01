// The block pipeline end to end on the stepped bench: record assembly, record-length changes,
// hold and single shot, the trigger start with oversampling, and the picture shown per block.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/SpectrumAnalyzer.h"
#include "display/DrawCallLog.h"
#include "tests/support/EngineTestSupport.h"

namespace velmora2 {
namespace {

using testing::DeliverBlocks;
using testing::NumberFrames;

// What the test keeps of each processed block.
struct BlockRecord {
    bool dropped;
    int recordLength;
    int recordPosition;
    int triggerIndex;
    bool singleShotCaptured;
    double rawL0;  // first sample of the raw left record
};

class Pipeline : public ::testing::Test {
protected:
    void SetUp() override {
        engine.SetBlockObserver([this](const CDSCapture::ProcessedBlock& b) {
            blocks.push_back({b.dropped, b.samples.RecordLength(), b.samples.recordPosition,
                              b.samples.triggerIndex, b.state.singleShotCaptured,
                              b.samples.RawL()[0]});
        });
        int maxRate = 0;
        ASSERT_EQ(engine.Start(maxRate), kOk);
    }
    void TearDown() override { EXPECT_TRUE(engine.Stop()); }

    void Deliver(int count) { ASSERT_TRUE(DeliverBlocks(bench, engine, count)); }

    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine{bench, window, DeviceId{}, DeviceId{}, 48000};
    std::vector<BlockRecord> blocks;
};

TEST_F(Pipeline, ShortRecordsAreAnalysedEveryBlockLongOnesEveryFourth) {
    engine.SetMode(kModeSpectrum);
    ASSERT_EQ(engine.SetRecordLength(256), kOk);
    Deliver(1);  // applies the new length and drops the half
    Deliver(5);
    EXPECT_EQ(engine.RecordsAnalysed(), 5u);

    ASSERT_EQ(engine.SetRecordLength(8192), kOk);
    Deliver(1);
    const uint64_t before = engine.RecordsAnalysed();
    Deliver(8);
    EXPECT_EQ(engine.RecordsAnalysed() - before, 2u);
    const std::vector<int> positions = {blocks[7].recordPosition, blocks[8].recordPosition,
                                        blocks[9].recordPosition, blocks[10].recordPosition};
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 0}));
}

TEST_F(Pipeline, ALengthChangeDropsExactlyOneHalfAndDrawsNothing) {
    engine.SetMode(kModeSpectrum);
    Deliver(2);
    const size_t copiesBefore = window.CopyCount();
    ASSERT_EQ(engine.SetRecordLength(4096), kOk);
    Deliver(1);
    EXPECT_TRUE(blocks.back().dropped);
    EXPECT_EQ(blocks.back().recordLength, 4096);
    EXPECT_EQ(window.CopyCount(), copiesBefore);  // not even the previous picture is shown

    const uint64_t analysed = engine.RecordsAnalysed();
    Deliver(2);
    EXPECT_FALSE(blocks.back().dropped);
    EXPECT_EQ(engine.RecordsAnalysed(), analysed + 1);  // a fresh record of two halves

    // Asking for the length in force drops nothing.
    ASSERT_EQ(engine.SetRecordLength(4096), kOk);
    Deliver(1);
    EXPECT_FALSE(blocks.back().dropped);
}

TEST_F(Pipeline, HoldKeepsTheRawRecordsAndRunResumes) {
    bench.SetInputSignal(NumberFrames);
    Deliver(2);
    EXPECT_EQ(blocks.back().rawL0, 2048.0);
    engine.ToggleRun();
    Deliver(3);
    EXPECT_EQ(blocks.back().rawL0, 2048.0);
    engine.ToggleRun();
    Deliver(1);
    EXPECT_EQ(blocks.back().rawL0, 5 * 2048.0);
}

TEST_F(Pipeline, SingleShotFreezesAfterTheFirstCrossingUntilRearmed) {
    // A ramp that rises through 0 in every block, numbered so frozen records are recognisable.
    bench.SetInputSignal([](int64_t frame, double& left, double& right) {
        left = static_cast<double>(frame % kBlockFrames) - 1000.0 + std::floor(frame / 2048.0);
        right = 0.0;
    });
    engine.SetTriggerSource(1);
    engine.SetTriggerLevel(0);
    engine.SetTriggerMode(true, false);
    Deliver(1);
    EXPECT_TRUE(blocks.back().singleShotCaptured);
    const double frozen = blocks.back().rawL0;
    Deliver(3);
    EXPECT_EQ(blocks.back().rawL0, frozen);
    EXPECT_EQ(blocks.back().triggerIndex, 1000);

    engine.ToggleRun();  // hold ...
    engine.ToggleRun();  // ... and run again: armed
    Deliver(1);
    EXPECT_TRUE(blocks.back().singleShotCaptured);
    EXPECT_NE(blocks.back().rawL0, frozen);

    // Choosing the repeating mode releases a frozen shot.
    engine.SetTriggerMode(true, true);
    Deliver(1);
    EXPECT_FALSE(blocks.back().singleShotCaptured);
}

TEST_F(Pipeline, SingleShotWithoutACrossingKeepsSearching) {
    bench.SetInputSignal([](int64_t, double& left, double& right) { left = right = -500.0; });
    engine.SetTriggerSource(1);
    engine.SetTriggerMode(true, false);
    Deliver(3);
    EXPECT_FALSE(blocks.back().singleShotCaptured);
    EXPECT_EQ(blocks.back().triggerIndex, 0);
}

TEST_F(Pipeline, TriggerOffWithFourfoldOversamplingStartsAt106) {
    ASSERT_EQ(engine.SetOversampling(4), kOk);
    Deliver(1);
    EXPECT_EQ(blocks.back().triggerIndex, 106);
    ASSERT_EQ(engine.SetOversampling(1), kOk);
    Deliver(1);
    EXPECT_EQ(blocks.back().triggerIndex, 60);
}

TEST_F(Pipeline, EachBlockShowsThePictureOfThePreviousBlock) {
    Deliver(1);
    auto copies = window.Copies();
    // The first picture shown is the untouched back buffer, although this block drew the scope.
    ASSERT_FALSE(copies.empty());
    EXPECT_TRUE(copies.back().calls.empty());
    Deliver(1);
    copies = window.Copies();
    EXPECT_FALSE(copies.back().calls.empty());
    EXPECT_EQ(copies.back().x, 20);
    EXPECT_EQ(copies.back().y, 20);
}

// A 65536-point record has part of its transform done in the blocks before the one that completes
// it. With the window changed and the run held while those blocks arrive, each record's spectra
// are still the bits of its captures analysed at once with the window it was analysed with.
TEST(LongRecordsThroughTheEngine, SpectraAreThoseOfTheirCapturesAnalysedAtOnce) {
    constexpr int kLength = 65536;
    SimBench bench;
    bench.SetInputSignal([](int64_t frame, double& left, double& right) {
        const double t = static_cast<double>(frame) / 48000;
        left = std::round(12000 * std::sin(2 * M_PI * 1000 * t) + 9 * std::sin(0.37 * frame));
        right = std::round(9000 * std::sin(2 * M_PI * 2500 * t) + 5 * std::cos(0.11 * frame));
    });
    DrawCallLogTarget window;
    CDSCapture engine{bench, window, DeviceId{}, DeviceId{}, 48000};
    struct Analysed {
        std::vector<double> capture[2];
        std::vector<double> magnitude[2];
    };
    std::vector<Analysed> analysed;
    uint64_t recordsBefore = 0;
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& block) {
        const uint64_t records = engine.RecordsAnalysed();
        if (records == recordsBefore) return;
        recordsBefore = records;
        Analysed a;
        for (int ch = 0; ch < 2; ++ch) {
            const ChannelSpectrum& c =
                ch == 0 ? block.samples.records.Left() : block.samples.records.Right();
            a.capture[ch].assign(c.capture.begin(), c.capture.begin() + kLength);
            a.magnitude[ch].assign(c.magnitude.begin(), c.magnitude.begin() + kLength);
        }
        analysed.push_back(std::move(a));
    });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    engine.SetMode(kModeSpectrum);
    engine.SetAveraging(false, 10);
    engine.SetWindowFunction("han");
    ASSERT_EQ(engine.SetRecordLength(kLength), kOk);
    const auto deliver = [&](int count) { ASSERT_TRUE(DeliverBlocks(bench, engine, count)); };
    deliver(1);  // applies the length
    // Record 1: the window changes after slice 28, whose inputs were loaded with the old one.
    deliver(29);
    engine.SetWindowFunction("black");
    deliver(3);
    // Record 2: held for three blocks after slice 29.
    deliver(30);
    engine.ToggleRun();
    deliver(3);
    engine.ToggleRun();
    deliver(2);
    EXPECT_TRUE(engine.Stop());

    ASSERT_EQ(analysed.size(), 2u);
    for (size_t r = 0; r < analysed.size(); ++r) {
        SpectrumAnalyzer plain(kLength);
        for (int ch = 0; ch < 2; ++ch) {
            ChannelSpectrum& c = ch == 0 ? plain.Left() : plain.Right();
            std::copy(analysed[r].capture[ch].begin(), analysed[r].capture[ch].end(),
                      c.capture.begin());
        }
        int counter = 0;
        plain.AnalyseRecord("black", 48000, false, 1, counter);
        for (int ch = 0; ch < 2; ++ch) {
            const ChannelSpectrum& c = ch == 0 ? plain.Left() : plain.Right();
            const std::vector<double> expected(c.magnitude.begin(), c.magnitude.begin() + kLength);
            EXPECT_EQ(analysed[r].magnitude[ch], expected) << "record " << r << ", channel " << ch;
        }
    }
}

}  // namespace
}  // namespace velmora2
