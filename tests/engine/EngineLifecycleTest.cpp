// The engine's worker on the stepped simulated bench: every captured block reaches the pipeline
// in order, stops are clean, failures leave nothing running.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <vector>

#include "display/DrawCallLog.h"
#include "tests/support/EngineTestSupport.h"

namespace velmora2 {
namespace {

using namespace std::chrono_literals;
using testing::DeliverBlocks;
using testing::FrameNumberAt;
using testing::NumberFrames;
using testing::ThreadCountOnceItIs;
using testing::WaitForBlocks;

struct SeenBlock {
    int half;
    int64_t firstFrame;
    bool contiguous;  // every frame of the block numbered one after the other
};

class EngineOnBench : public ::testing::Test {
protected:
    void SetUp() override { bench.SetInputSignal(NumberFrames); }

    // Records the half and frame numbers of every block the pipeline sees.
    void ObserveBlocks(CDSCapture& engine) {
        engine.SetBlockObserver([this](const CDSCapture::ProcessedBlock& b) {
            const int64_t first = FrameNumberAt(b.bytes, 0);
            bool contiguous = true;
            for (int f = 1; f < kBlockFrames; ++f)
                contiguous = contiguous && FrameNumberAt(b.bytes, f) == first + f;
            seen.push_back({b.half, first, contiguous});
        });
    }

    void ExpectBlocksInOrder(size_t count) {
        ASSERT_EQ(seen.size(), count);
        for (size_t k = 0; k < count; ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(seen[k].half, static_cast<int>(k % 2));
            EXPECT_EQ(seen[k].firstFrame, static_cast<int64_t>(k) * kBlockFrames);
            EXPECT_TRUE(seen[k].contiguous);
        }
    }

    SimBench bench;
    DrawCallLogTarget window;
    std::vector<SeenBlock> seen;  // written by the worker, read after WaitForBlocks
};

TEST_F(EngineOnBench, ThousandBlocksArriveInOrderInAlternatingHalves) {
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    ObserveBlocks(engine);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    EXPECT_EQ(maxRate, 192000);

    ASSERT_TRUE(DeliverBlocks(bench, engine, 1000));
    EXPECT_TRUE(engine.Stop());

    ExpectBlocksInOrder(1000);
    EXPECT_EQ(engine.BlocksDropped(), 0u);
}

TEST_F(EngineOnBench, StalledWorkerCatchesUpWithoutLosingBlocks) {
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 96000);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> stalled{false};
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& b) {
        if (seen.size() == 3) {
            stalled = true;
            released.wait();
        }
        seen.push_back({b.half, FrameNumberAt(b.bytes, 0), true});
    });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);

    ASSERT_EQ(bench.Step(4), 4);
    while (!stalled) std::this_thread::sleep_for(1ms);
    // 100 ms of capture at 96 kHz arrive while the worker is busy.
    ASSERT_EQ(bench.Step(5), 5);
    std::this_thread::sleep_for(100ms);
    release.set_value();

    ASSERT_TRUE(WaitForBlocks(engine, 9));
    EXPECT_TRUE(engine.Stop());
    ExpectBlocksInOrder(9);
    EXPECT_EQ(engine.BlocksDropped(), 0u);
}

TEST_F(EngineOnBench, OverflowDropsWholeBlocksAndCountsThem) {
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> stalled{false};
    std::vector<int64_t> firstFrames;
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& b) {
        if (firstFrames.empty()) {
            stalled = true;
            released.wait();
        }
        firstFrames.push_back(FrameNumberAt(b.bytes, 0));
    });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_EQ(bench.Step(1), 1);
    while (!stalled) std::this_thread::sleep_for(1ms);

    const int extra = static_cast<int>(BlockQueue::kDefaultCapacity) + 10;
    ASSERT_EQ(bench.Step(extra), extra);
    release.set_value();
    ASSERT_TRUE(WaitForBlocks(engine, 1 + BlockQueue::kDefaultCapacity));
    EXPECT_TRUE(engine.Stop());

    EXPECT_EQ(engine.BlocksDropped(), 10u);
    // The blocks kept are the oldest ones, whole and in order.
    ASSERT_EQ(firstFrames.size(), 1 + BlockQueue::kDefaultCapacity);
    for (size_t k = 0; k < firstFrames.size(); ++k)
        EXPECT_EQ(firstFrames[k], static_cast<int64_t>(k) * kBlockFrames);
}

TEST_F(EngineOnBench, StopRightAfterStartEndsTheWorkerPromptly) {
    const int threadsBefore = testing::BaselineThreadCount();
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(engine.Stop());
    // Acknowledged by the worker, not ended by the 3000 ms fallback.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2900ms);
    EXPECT_EQ(ThreadCountOnceItIs(threadsBefore), threadsBefore);
}

TEST_F(EngineOnBench, StopReturnsWhenTheBenchStopsDelivering) {
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_TRUE(DeliverBlocks(bench, engine, 3));
    bench.SetDelivering(false);
    EXPECT_EQ(bench.Step(5), 0);
    EXPECT_TRUE(engine.Stop());
    EXPECT_EQ(engine.BlocksProcessed(), 3u);
}

TEST_F(EngineOnBench, StartShowsTheMeterImagesThenEveryBlockShowsThePreviousPicture) {
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    auto copies = window.Copies();
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].x, 20);
    EXPECT_EQ(copies[0].y, 12);
    EXPECT_EQ(copies[1].x, 50);
    EXPECT_EQ(copies[1].width, 16);
    EXPECT_EQ(copies[1].height, 154);

    ASSERT_TRUE(DeliverBlocks(bench, engine, 2));
    EXPECT_TRUE(engine.Stop());
    copies = window.Copies();
    ASSERT_EQ(copies.size(), 4u);
    for (size_t k = 2; k < 4; ++k) {
        EXPECT_EQ(copies[k].x, 20);
        EXPECT_EQ(copies[k].y, 20);
        EXPECT_EQ(copies[k].width, 481);
        EXPECT_EQ(copies[k].height, 361);
    }
}

struct FailureCase {
    const char* description;
    SimBenchOptions options;
    int sampleRate;
    Status expected;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.description;
}

class EngineStartFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(EngineStartFailure, ReturnsTheFailingCodeAndLeavesNoThread) {
    const FailureCase& c = GetParam();
    SimBench bench(c.options);
    DrawCallLogTarget window;
    const int threadsBefore = testing::BaselineThreadCount();
    auto engine = std::make_unique<CDSCapture>(bench, window, DeviceId{}, DeviceId{}, c.sampleRate);
    int maxRate = -1;
    EXPECT_EQ(engine->Start(maxRate), c.expected);
    EXPECT_EQ(ThreadCountOnceItIs(threadsBefore), threadsBefore);
    engine.reset();
    // Nothing is shown on the window by an engine that did not start.
    EXPECT_EQ(window.CopyCount(), 0u);
}

SimBenchOptions WithFault(SimFault fault) {
    SimBenchOptions options;
    options.fault = fault;
    options.faultCode = static_cast<Status>(0x88780096u);
    return options;
}

SimBenchOptions WithoutDevices() {
    SimBenchOptions options;
    options.hasDevices = false;
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EngineStartFailure,
    ::testing::Values(FailureCase{"capture refuses 44100 Hz", {}, 44100, kFormatRefused},
                      FailureCase{"no sound device", WithoutDevices(), 48000, kNoDevice},
                      FailureCase{"capture device cannot open", WithFault(SimFault::OpenCapture),
                                  48000, static_cast<Status>(0x88780096u)},
                      FailureCase{"output device cannot open", WithFault(SimFault::OpenOutput),
                                  48000, static_cast<Status>(0x88780096u)},
                      FailureCase{"notification positions refused",
                                  WithFault(SimFault::SetNotification), 48000,
                                  static_cast<Status>(0x88780096u)},
                      FailureCase{"generator buffer refused",
                                  WithFault(SimFault::CreateOutputBuffer), 48000,
                                  static_cast<Status>(0x88780096u)}),
    [](const auto& info) {
        std::string name = info.param.description;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

TEST(EngineStart, MaximumRateIsReportedOnlyAfterItWasQueried) {
    DrawCallLogTarget window;
    SimBench failsEarly(WithFault(SimFault::OpenOutput));
    CDSCapture early(failsEarly, window, DeviceId{}, DeviceId{}, 48000);
    int maxRate = 12345;
    EXPECT_LT(early.Start(maxRate), 0);
    EXPECT_EQ(maxRate, 12345);

    SimBenchOptions slowOutput = WithFault(SimFault::CreateCaptureBuffer);
    slowOutput.maxOutputRate = 96000;
    SimBench failsLate(slowOutput);
    CDSCapture late(failsLate, window, DeviceId{}, DeviceId{}, 48000);
    EXPECT_LT(late.Start(maxRate), 0);
    EXPECT_EQ(maxRate, 96000);
}

TEST(EngineStart, OutputSlowerThanTheCaptureRateStillStarts) {
    SimBenchOptions options;
    options.maxOutputRate = 96000;
    SimBench bench(options);
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 192000);
    int maxRate = 0;
    EXPECT_EQ(engine.Start(maxRate), kOk);
    EXPECT_EQ(maxRate, 96000);
    EXPECT_TRUE(engine.Stop());
}

}  // namespace
}  // namespace velmora2
