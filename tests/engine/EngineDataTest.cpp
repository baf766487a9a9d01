// What the engine hands out besides pictures: a record length chosen before Start costs no block,
// and the data behind the current picture comes as an owned copy taken between blocks.
#include <gtest/gtest.h>

#include <thread>

#include "display/DrawCallLog.h"
#include "tests/support/EngineTestSupport.h"

namespace velmora2 {
namespace {

using testing::DeliverBlocks;

TEST(EngineRecordLength, ChosenBeforeStartTheFirstBlockAlreadyCounts) {
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    engine.SetMode(kModeSpectrum);
    ASSERT_EQ(engine.SetRecordLength(4096), kOk);
    std::vector<bool> dropped;
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& b) {
        dropped.push_back(b.dropped);
        EXPECT_EQ(b.samples.RecordLength(), 4096);
    });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_TRUE(DeliverBlocks(bench, engine, 2));
    EXPECT_EQ(engine.RecordsAnalysed(), 1u);  // the first two blocks made one record
    ASSERT_TRUE(engine.Stop());
    EXPECT_EQ(dropped, (std::vector<bool>{false, false}));
}

struct ModeDataCase {
    const char* description;
    int32_t mode;
    int32_t recordLength;
    size_t values;  // per channel
};

TEST(EngineModeData, ACopyOfWhatTheModeShowsArrivesWithTheNextBlock) {
    const ModeDataCase cases[] = {
        {"oscilloscope: the display buffers", kModeScope, 2048, 2048},
        {"spectrum: the magnitudes below N/2", kModeSpectrum, 1024, 512},
        {"Lissajous: the display buffers", kModeLissajous, 8192, 2048},
    };
    for (const ModeDataCase& c : cases) {
        SCOPED_TRACE(c.description);
        SimBench bench;
        bench.SetInputSignal([](int64_t frame, double& left, double& right) {
            left = static_cast<double>(frame % 1000);
            right = -left;
        });
        DrawCallLogTarget window;
        CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 96000);
        engine.SetMode(c.mode);
        ASSERT_EQ(engine.SetRecordLength(c.recordLength), kOk);
        int maxRate = 0;
        ASSERT_EQ(engine.Start(maxRate), kOk);
        ASSERT_TRUE(DeliverBlocks(bench, engine, 4));

        ModeData data;
        std::thread stepper([&] {
            // The copy is taken after the next block; deliver it while the request waits.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            bench.Step(1);
        });
        const bool taken = engine.TakeModeData(data, std::chrono::seconds(10));
        stepper.join();
        ASSERT_TRUE(taken);
        EXPECT_EQ(data.mode, c.mode);
        EXPECT_EQ(data.sampleRate, 96000);
        EXPECT_EQ(data.fftSize, c.recordLength);
        EXPECT_EQ(data.left.size(), c.values);
        EXPECT_EQ(data.right.size(), c.values);
        if (c.mode != kModeSpectrum) {
            EXPECT_EQ(data.left[0], -data.right[0]);
            EXPECT_NE(data.left[5], 0.0);
        }
        ASSERT_TRUE(engine.Stop());
    }
}

TEST(EngineModeData, NoBlockNoDataAndTheEngineGoesOn) {
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ModeData data;
    EXPECT_FALSE(engine.TakeModeData(data, std::chrono::milliseconds(50)));
    ASSERT_TRUE(DeliverBlocks(bench, engine, 3));
    EXPECT_EQ(engine.BlocksProcessed(), 3u);
    ASSERT_TRUE(engine.Stop());
}

}  // namespace
}  // namespace velmora2
