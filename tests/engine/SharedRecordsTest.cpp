// Long records at the higher rates, with blocks paced by a clock: the analysis is shared out over
// the blocks after the record and drawn in the block after the last share. The pictures are those
// of the records analysed at once, only later; a mode switch or a new record length in between
// neither loses nor mixes up a record; the engine shares them out on a clocked capture.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "analysis/SideThread.h"
#include "audio/SoundSystem.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "engine/BlockPipeline.h"
#include "engine/CDSCapture.h"
#include "engine/ToneFile.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

// Block g of a signal that differs in every record: a tone on each channel with noise numbered by
// the frame.
std::vector<uint8_t> SignalBlock(int64_t g, int rate) {
    std::vector<uint8_t> bytes(kBlockBytes);
    for (int i = 0; i < kBlockFrames; ++i) {
        const int64_t f = g * kBlockFrames + i;
        const double t = static_cast<double>(f) / rate;
        const double noise = static_cast<double>((f * 2654435761LL) % 101) - 50;
        const int16_t frame[2] = {
            static_cast<int16_t>(std::lround(8000 * std::sin(2 * M_PI * 1000 * t) + noise)),
            static_cast<int16_t>(std::lround(6000 * std::sin(2 * M_PI * 3100 * t) - noise))};
        std::memcpy(&bytes[static_cast<size_t>(i) * 4], frame, 4);
    }
    return bytes;
}

bool SamePicture(const std::vector<DrawCall>& a, const std::vector<DrawCall>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const DrawCall& x, const DrawCall& y) {
                          return x.kind == y.kind && x.color == y.color && x.style == y.style &&
                                 x.points == y.points && x.text == y.text;
                      });
}

// Keeps the picture last shown on the window.
class LastPictureTarget final : public DrawingTarget {
public:
    std::unique_ptr<Surface> CreateSurface(int width, int height, Rgb background) override {
        return std::make_unique<DrawCallLog>(width, height, background);
    }
    void CopyToWindow(const Surface& source, int, int) override {
        shown = static_cast<const DrawCallLog&>(source).Calls();
    }
    std::vector<DrawCall> shown;
};

// One pipeline fed block after block, keeping per block what it showed and how many records
// it had analysed.
class FedPipeline {
public:
    FedPipeline(int rate, bool share) : rate_(rate), pipeline_(window_, rate) {
        pipeline_.ShareLongRecords(share);
        pipeline_.UseSideThread(&side_);
        settings.mode = kModeSpectrum;
        settings.averagingOn = true;
        settings.averagingLength = 3;
    }

    void Block(const WorkerRequests& requests = {}) {
        const std::vector<uint8_t> bytes = SignalBlock(next_++, rate_);
        pipeline_.Process(bytes.data(), settings, requests);
        shown_.push_back(window_.shown);
        analysed.push_back(pipeline_.RecordsAnalysed());
    }
    void Blocks(int count) {
        for (int i = 0; i < count; ++i) Block();
    }
    void StartRecords(int length) {
        WorkerRequests requests;
        requests.recordLength = length;
        requests.setAveragingCounter = true;
        requests.averagingCounter = 1;
        Block(requests);
    }

    // The blocks whose picture differs from the one shown before them (known one block later).
    std::vector<int> DrawingBlocks() const {
        std::vector<int> drawing;
        for (size_t b = 1; b + 1 < shown_.size(); ++b)
            if (!SamePicture(shown_[b + 1], shown_[b])) drawing.push_back(static_cast<int>(b));
        return drawing;
    }
    const std::vector<DrawCall>& DrawnIn(int block) const { return shown_[block + 1]; }

    RuntimeState settings;
    std::vector<uint64_t> analysed;  // records analysed after each block

private:
    int rate_;
    int64_t next_ = 0;
    LastPictureTarget window_;
    SideThread side_;
    BlockPipeline pipeline_;
    std::vector<std::vector<DrawCall>> shown_;
};

struct ShareCase {
    int rate;
    int length;
    int lateBy;  // blocks between the one completing a record and the one drawing it
};

class SharedRecords : public ::testing::TestWithParam<ShareCase> {};

TEST_P(SharedRecords, DrawTheRecordsAnalysedAtOnceLater) {
    const ShareCase& c = GetParam();
    const int blocksPerRecord = c.length / kBlockFrames;
    FedPipeline whole(c.rate, false);
    FedPipeline shared(c.rate, true);
    for (FedPipeline* p : {&whole, &shared}) {
        p->StartRecords(c.length);  // block 0 applies the length
        p->Blocks(3 * blocksPerRecord + c.lateBy + 1);
    }
    std::vector<int> completing;
    std::vector<int> late;
    for (int r = 1; r <= 3; ++r) {
        completing.push_back(r * blocksPerRecord);
        late.push_back(r * blocksPerRecord + c.lateBy);
    }
    ASSERT_EQ(whole.DrawingBlocks(), completing);
    ASSERT_EQ(shared.DrawingBlocks(), late);
    for (int r = 0; r < 3; ++r) {
        EXPECT_TRUE(SamePicture(shared.DrawnIn(late[r]), whole.DrawnIn(completing[r])))
            << "record " << r;
        // Counted with the last share, the block before the picture.
        const int counted = late[r] - (c.lateBy > 0 ? 1 : 0);
        EXPECT_EQ(shared.analysed[counted], static_cast<uint64_t>(r + 1)) << "record " << r;
        EXPECT_EQ(shared.analysed[counted - 1], static_cast<uint64_t>(r)) << "record " << r;
    }
}

// Four shares at 192000 Hz, two at 96000, none at 48000; 16384 points have three steps to
// share, and fewer than eight blocks to a record are analysed at once.
INSTANTIATE_TEST_SUITE_P(RatesAndLengths, SharedRecords,
                         ::testing::Values(ShareCase{48000, 65536, 0}, ShareCase{96000, 65536, 2},
                                           ShareCase{192000, 65536, 4}, ShareCase{192000, 16384, 3},
                                           ShareCase{192000, 8192, 0}),
                         [](const auto& info) {
                             return std::to_string(info.param.rate) + "Hz_" +
                                    std::to_string(info.param.length);
                         });

TEST(SharedRecords, GoOnThroughAnotherModeAndAreDroppedWithTheirLength) {
    FedPipeline p(192000, true);
    p.StartRecords(65536);
    p.Blocks(32);  // block 32 completes the first record
    ASSERT_EQ(p.analysed.back(), 0u);
    // The oscilloscope from the next block on: the record's last shares still run there.
    p.settings.mode = kModeScope;
    p.Blocks(3);
    EXPECT_EQ(p.analysed.back(), 1u);
    // Back to the spectrum: its first block draws the record analysed meanwhile, and a fresh
    // record of 32 blocks begins, analysed in four shares.
    p.settings.mode = kModeSpectrum;
    p.Blocks(33);
    EXPECT_EQ(p.analysed[p.analysed.size() - 2], 1u);
    EXPECT_EQ(p.analysed.back(), 1u);
    p.Blocks(2);  // its third share and its last
    EXPECT_EQ(p.analysed.back(), 2u);

    // A new length in the middle of the next record's analysis takes the record with it.
    p.Blocks(30);
    const uint64_t before = p.analysed.back();
    WorkerRequests shorter;
    shorter.recordLength = 16384;
    p.Block(shorter);
    p.Blocks(8 + 2);  // eight blocks to a record, three shares
    EXPECT_EQ(p.analysed[p.analysed.size() - 2], before);
    EXPECT_EQ(p.analysed.back(), before + 1);
    p.Blocks(2);
    const std::vector<int> drawing = p.DrawingBlocks();
    ASSERT_FALSE(drawing.empty());
    EXPECT_EQ(drawing.back(), static_cast<int>(p.analysed.size()) - 2) << "drawn after its shares";
}

// The engine on the bench's real-time clock at 192000 Hz, a 1 kHz tone from the generator on
// both inputs, 65536 points: each record is counted three blocks after the block that completed
// it (its fourth share) and measured at 1 kHz.
TEST(SharedRecordsOnTheClock, AreCountedWithTheirFourthShareAndMeasureTheTone) {
    constexpr int kRate = 192000;
    constexpr int kLength = 65536;
    testing::TempDirectory dir;
    ASSERT_TRUE(WriteToneFile(dir / "sin1k.wav", 1000, kRate));
    SimBenchOptions options;
    options.realTimeClock = true;
    SimBench bench(options);
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, kRate,
                      FileSearchPlaces{dir.Path(), {}, {}, {}});
    // The worker's until the engine stops: per record of kLength, the blocks from the one that
    // completed it to the one that counted it, and its main frequency.
    std::vector<std::pair<int, double>> records;
    int blocksSinceComplete = -1;
    uint64_t counted = 0;
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& block) {
        if (block.dropped || block.samples.RecordLength() != kLength) return;
        if (blocksSinceComplete >= 0) ++blocksSinceComplete;
        if (blocksSinceComplete < 0 && block.samples.recordPosition == 0) blocksSinceComplete = 0;
        if (engine.RecordsAnalysed() == counted) return;
        counted = engine.RecordsAnalysed();
        if (blocksSinceComplete < 0) return;  // a record of the default length
        records.emplace_back(blocksSinceComplete, block.samples.records.Left().mainFrequency);
        blocksSinceComplete = -1;
    });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_EQ(engine.SetGeneratorFile("sin1k.wav"), 0);
    engine.SetOutputs(true, true, true);
    engine.SetAveraging(false, 10);
    engine.SetMode(kModeSpectrum);
    ASSERT_EQ(engine.SetRecordLength(kLength), kOk);
    const uint64_t enough = engine.RecordsAnalysed() + 3;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (engine.RecordsAnalysed() < enough && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(engine.Stop());

    ASSERT_GE(records.size(), 2u);
    for (const auto& [blocksToCount, mainFrequency] : records) {
        EXPECT_EQ(blocksToCount, 3);
        EXPECT_NEAR(mainFrequency, 1000.0, 1.0);
    }
}

}  // namespace
}  // namespace velmora2
