// A sound device that goes away: the worker leaves its wait loop by itself, says so once, and
// Stop still returns within its limit even when closing the device hangs.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "display/DrawCallLog.h"
#include "tests/support/EngineTestSupport.h"
#include "wav/WavReader.h"

namespace velmora2 {
namespace {

using namespace std::chrono_literals;
using testing::DeliverBlocks;

// Waits (a safety limit, not a timing check) until the flag is set.
bool WaitForFlag(const std::atomic<bool>& flag, std::chrono::seconds limit = 20s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!flag.load()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(DeviceLost, LostDeviceEndsTheWaitLoopAfterTheBlocksAlreadyQueued) {
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    std::atomic<int> calls{0};
    std::atomic<bool> lost{false};
    engine.SetDeviceLostHandler([&] {
        calls.fetch_add(1);
        lost = true;
    });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_TRUE(DeliverBlocks(bench, engine, 5));
    ASSERT_EQ(bench.Step(3), 3);
    bench.LoseDevice();

    ASSERT_TRUE(WaitForFlag(lost));
    EXPECT_TRUE(engine.DeviceLost());
    EXPECT_EQ(engine.BlocksProcessed(), 8u);
    EXPECT_EQ(bench.Step(1), 0);  // nothing more comes from a lost device
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(engine.Stop());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);  // ended already, not by the limit
    EXPECT_EQ(calls.load(), 1);
}

TEST(DeviceLost, RecordingOpenAtTheLossIsFinishedAsAValidFile) {
    const std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) / "velmora2-lost-recording";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    SimBench bench;
    bench.SetInputSignal(testing::NumberFrames);
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000, FileSearchPlaces{}, dir);
    std::atomic<bool> lost{false};
    engine.SetDeviceLostHandler([&] { lost = true; });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_GT(engine.StartRecording(), 0);
    ASSERT_TRUE(DeliverBlocks(bench, engine, 6));
    bench.LoseDevice();
    ASSERT_TRUE(WaitForFlag(lost));

    // Finished by the worker itself, before anyone stops the engine.
    EXPECT_FALSE(engine.Recording().open);
    const WavContents file = ReadWavFile(dir / "RECORD00.wav");
    EXPECT_EQ(file.fault, WavFault::None);
    ASSERT_EQ(file.data.size(), 6u * kBlockBytes);
    for (int block = 0; block < 6; ++block)
        EXPECT_EQ(testing::FrameNumberAt(&file.data[block * kBlockBytes], 0), block * kBlockFrames);
    EXPECT_EQ(std::filesystem::file_size(dir / "RECORD00.wav"), 46u + 6u * kBlockBytes);
    EXPECT_TRUE(engine.Stop());
    std::filesystem::remove_all(dir);
}

TEST(DeviceLost, TwoSecondsWithoutInputOnAClockedCaptureCountAsALostDevice) {
    SimBenchOptions options;
    options.realTimeClock = true;
    SimBench bench(options);
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    std::atomic<bool> lost{false};
    engine.SetDeviceLostHandler([&] { lost = true; });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_TRUE(testing::WaitForBlocks(engine, 3));
    EXPECT_FALSE(engine.DeviceLost());

    const auto silentFrom = std::chrono::steady_clock::now();
    bench.SetDelivering(false);
    ASSERT_TRUE(WaitForFlag(lost));
    EXPECT_GE(std::chrono::steady_clock::now() - silentFrom, CDSCapture::kSilenceLimit - 100ms);
    EXPECT_TRUE(engine.Stop());
}

TEST(DeviceLost, ALateFirstBlockIsNotTakenForALostDevice) {
    SimBenchOptions options;
    options.realTimeClock = true;
    SimBench bench(options);
    bench.SetDelivering(false);
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    std::this_thread::sleep_for(CDSCapture::kSilenceLimit + 300ms);
    EXPECT_FALSE(engine.DeviceLost());
    bench.SetDelivering(true);
    EXPECT_TRUE(testing::WaitForBlocks(engine, 3));
    EXPECT_TRUE(engine.Stop());
}

TEST(DeviceLost, SteppedCaptureIsNeverTakenForLostBySilence) {
    SimBench bench;  // stepped: blocks come only when the test asks
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    std::this_thread::sleep_for(CDSCapture::kSilenceLimit + 300ms);
    EXPECT_FALSE(engine.DeviceLost());
    EXPECT_TRUE(DeliverBlocks(bench, engine, 2));
    EXPECT_TRUE(engine.Stop());
}

// An engine whose worker may still run after the test: it must never be freed under it, so it is
// kept reachable for the rest of the process.
CDSCapture* keptEngine = nullptr;

TEST(DeviceLost, StopReturnsWithinItsLimitWhenClosingTheDeviceHangs) {
    std::promise<void> unblock;
    std::shared_future<void> unblocked = unblock.get_future().share();
    std::atomic<bool> closing{false};
    SimBenchOptions options;
    options.onCaptureClose = [unblocked, &closing] {
        closing = true;
        unblocked.wait();
    };
    static SimBench bench(options);
    static DrawCallLogTarget window;
    keptEngine = new CDSCapture(bench, window, DeviceId{}, DeviceId{}, 48000);
    int maxRate = 0;
    ASSERT_EQ(keptEngine->Start(maxRate), kOk);
    ASSERT_TRUE(DeliverBlocks(bench, *keptEngine, 2));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(keptEngine->Stop());  // the worker is stuck in the close
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(closing.load());
    EXPECT_LT(took, 3s);
    EXPECT_GE(took, CDSCapture::kStopWait);
    unblock.set_value();
}

}  // namespace
}  // namespace velmora2
