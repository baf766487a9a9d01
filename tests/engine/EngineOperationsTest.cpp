// The engine operations as the user interface sees them, and their safety while the worker runs.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "display/DrawCallLog.h"
#include "tests/support/EngineTestSupport.h"

namespace velmora2 {
namespace {

class EngineOperations : public ::testing::Test {
protected:
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine{bench, window, DeviceId{}, DeviceId{}, 48000};
};

TEST_F(EngineOperations, StartsWithTheDocumentedDefaults) {
    const RuntimeState s = engine.Settings();
    EXPECT_EQ(s.mode, kModeScope);
    EXPECT_TRUE(s.run);
    EXPECT_FALSE(s.triggerEnabled);
    EXPECT_TRUE(s.triggerSourceLeft);
    EXPECT_TRUE(s.triggerRising && s.triggerRepeat);
    EXPECT_TRUE(s.leftShown && s.rightShown);
    EXPECT_FALSE(s.generatorOn);
    EXPECT_EQ(s.generatorFile, "sin1k.wav");
    EXPECT_EQ(s.generatorVolume, -600);
    EXPECT_EQ(s.windowFunction, "black-h");
    EXPECT_EQ(s.oversampling, 1);
    EXPECT_EQ(s.averagingLength, 50);
    EXPECT_EQ(s.sweepPoints, 18);
    EXPECT_EQ(s.scales, DisplayScales{});
    EXPECT_EQ(s.scales.phaseRange, "-180 to 180");
    EXPECT_EQ(engine.SampleRate(), 48000);
}

TEST_F(EngineOperations, ToggleRunTwiceReturnsToRun) {
    engine.ToggleRun();
    EXPECT_FALSE(engine.Settings().run);
    engine.ToggleRun();
    EXPECT_TRUE(engine.Settings().run);
}

TEST_F(EngineOperations, TriggerSourceOffKeepsTheChosenChannel) {
    engine.SetTriggerSource(2);
    engine.SetTriggerSource(0);
    RuntimeState s = engine.Settings();
    EXPECT_FALSE(s.triggerEnabled);
    EXPECT_FALSE(s.triggerSourceLeft);
    engine.SetTriggerSource(1);
    s = engine.Settings();
    EXPECT_TRUE(s.triggerEnabled);
    EXPECT_TRUE(s.triggerSourceLeft);
}

TEST_F(EngineOperations, CursorStaysHiddenUntilFirstMovedThenStaysShown) {
    engine.SetCursors({0, 12, 0, 0, 0, 0});
    RuntimeState s = engine.Settings();
    EXPECT_FALSE(s.cursorShown[0]);
    EXPECT_TRUE(s.cursorShown[1]);
    engine.SetCursors({0, 0, 0, 0, 0, 0});
    s = engine.Settings();
    EXPECT_TRUE(s.cursorShown[1]);
    EXPECT_EQ(s.cursors[1], 0);
}

TEST_F(EngineOperations, DisplayScalesAreCopiedWholeStringIncluded) {
    DisplayScales scales;
    scales.timeSpan = 1920;
    scales.cal = 2.5;
    scales.phaseRange = "0 to 360";
    engine.ApplyDisplayScales(scales);
    EXPECT_EQ(engine.Settings().scales, scales);
}

TEST_F(EngineOperations, RefusesImpossibleRecordLengthsAndOversamplingFactors) {
    for (int n : {0, -2048, 100, 128, 131072, 3000}) EXPECT_GT(engine.SetRecordLength(n), 0) << n;
    for (int n : {256, 2048, 65536}) EXPECT_EQ(engine.SetRecordLength(n), kOk) << n;
    for (int r : {0, -1, 3, 8}) EXPECT_GT(engine.SetOversampling(r), 0) << r;
    EXPECT_EQ(engine.Settings().oversampling, 1);
    EXPECT_EQ(engine.SetOversampling(4), kOk);
    EXPECT_EQ(engine.Settings().oversampling, 4);
}

// Every setter from a second thread while the worker processes blocks: nothing may race (this
// test earns its keep under ThreadSanitizer).
TEST_F(EngineOperations, SettersFromAnotherThreadWhileBlocksFlow) {
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    std::atomic<bool> done{false};
    std::thread ui([&] {
        for (int i = 0; !done; ++i) {
            engine.SetMode(i % 4);
            engine.ToggleRun();
            engine.ResetSweep();
            engine.SetTriggerLevel(i);
            engine.SetTriggerSource(i % 3);
            engine.SetTriggerMode(i % 2 == 0, i % 3 == 0);
            engine.SetRecordLength(i % 2 == 0 ? 2048 : 4096);
            engine.SetChannelDelay(i % 11 - 5);
            engine.SetOversampling(i % 2 == 0 ? 2 : 4);
            engine.SetLogAxis(i % 2 == 0);
            engine.SetWindowFunction(i % 2 == 0 ? "han" : "a-rather-long-window-function-name");
            engine.SetDifferenceUnit(i % 2 == 0);
            engine.SetDelayDisplay(i % 2 == 1);
            engine.SetAdcRange(i % 2 == 0);
            engine.SetMeasurements(true, i % 2 == 0, true, false, i % 3 == 0);
            engine.SetAveraging(i % 2 == 0, 50);
            engine.SetSweepPoints(11);
            engine.SetSlowSweep(i % 2 == 0);
            engine.SetPeakSearch(i % 2 == 1);
            engine.StartSweepPoint(i % 18);
            DisplayScales scales;
            scales.phaseRange = i % 2 == 0 ? "0 to 360" : "-180 to 180 with a long tail";
            engine.ApplyDisplayScales(scales);
            engine.SetCursors({i % 160, 3, 0, 0, 0, 0});
            engine.SetGeneratorFile(i % 2 == 0 ? "sin1k.wav" : "fs192k_sin10k8.wav");
            engine.SetGeneratorVolume(-(i % 12) * 100);
            engine.SetOutputs(true, i % 2 == 0, i % 3 == 0);
        }
    });
    EXPECT_TRUE(testing::DeliverBlocks(bench, engine, 200));
    done = true;
    ui.join();
    EXPECT_TRUE(engine.Stop());
    EXPECT_EQ(engine.BlocksDropped(), 0u);
}

}  // namespace
}  // namespace velmora2
