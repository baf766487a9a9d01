// The engine's lifetime against a worker held inside a block: a generator switched on meanwhile
// keeps playing, and an engine destroyed meanwhile leaves the worker its memory.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "tests/support/BlockingTarget.h"
#include "tests/support/EngineTestSupport.h"

namespace velmora2 {
namespace {

using testing::BlockingTarget;
using testing::DeliverBlocks;
using testing::WaitForBlocks;

TEST(EngineFaults, GeneratorSwitchedOnDuringANetworkPlotBlockKeepsPlaying) {
    SimBench bench;
    BlockingTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    engine.SetMode(kModeNetworkPlot);
    ASSERT_TRUE(DeliverBlocks(bench, engine, 1));

    // The block starts with the generator off; the user switches it on while it runs.
    window.Arm();
    ASSERT_EQ(bench.Step(1), 1);
    ASSERT_TRUE(window.WaitUntilHeld());
    engine.SetOutputs(true, true, true);
    EXPECT_TRUE(engine.GeneratorPlaying());
    window.Release();
    ASSERT_TRUE(WaitForBlocks(engine, 2));
    EXPECT_TRUE(engine.GeneratorPlaying());

    ASSERT_TRUE(DeliverBlocks(bench, engine, 2));
    EXPECT_TRUE(engine.GeneratorPlaying());
    // Switching it off is still honoured, and the plot keeps it off.
    engine.SetOutputs(true, true, false);
    ASSERT_TRUE(DeliverBlocks(bench, engine, 2));
    EXPECT_FALSE(engine.GeneratorPlaying());
    EXPECT_TRUE(engine.Stop());
}

// Under AddressSanitizer any touch of freed engine memory by the worker ends the test.
TEST(EngineFaults, DestroyingAnEngineWhoseWorkerIsStuckLeavesTheWorkerItsMemory) {
    const int threadsBefore = testing::BaselineThreadCount();
    SimBench bench;
    BlockingTarget window;
    auto engine = std::make_unique<CDSCapture>(bench, window, DeviceId{}, DeviceId{}, 48000);
    int maxRate = 0;
    ASSERT_EQ(engine->Start(maxRate), kOk);
    engine->SetMode(kModeSpectrum);

    window.Arm();
    ASSERT_EQ(bench.Step(1), 1);
    ASSERT_TRUE(window.WaitUntilHeld());
    engine.reset();  // the stop gives up on the held worker

    // The worker finishes its block (analysis and drawing), sees the stop and ends.
    window.Release();
    EXPECT_EQ(testing::ThreadCountOnceItIs(threadsBefore), threadsBefore);
    EXPECT_EQ(bench.Step(1), 0);  // and it released the capture on its way out
}

}  // namespace
}  // namespace velmora2
