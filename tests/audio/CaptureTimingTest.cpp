// The engine on the real default devices: captured blocks arrive at the pace of the sample rate
// and none are lost.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "display/DrawCallLog.h"
#include "engine/CDSCapture.h"
#include "tests/audio/PulseLoopback.h"

namespace velmora2 {
namespace {

using Clock = std::chrono::steady_clock;
using CaptureTiming = testing::PulseLoopback;

TEST_F(CaptureTiming, BlocksArriveOnceEveryBlockPeriodAt48kHz) {
    constexpr int kRate = 48000;
    constexpr double kPeriodSeconds = static_cast<double>(kBlockFrames) / kRate;  // 42.7 ms
    constexpr auto kRun = std::chrono::seconds(2);

    DrawCallLogTarget window;
    CDSCapture engine(sound, window, DeviceId{}, DeviceId{}, kRate);
    std::vector<Clock::time_point> arrivals;
    arrivals.reserve(1000);  // the observer runs on the worker: keep it from allocating
    engine.SetBlockObserver(
        [&](const CDSCapture::ProcessedBlock&) { arrivals.push_back(Clock::now()); });

    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    // The pace is measured from the first block on: a sound server may take its time to begin
    // (the loopback's idle null sink starts with a 2-second render block).
    const auto firstLimit = Clock::now() + std::chrono::seconds(10);
    while (engine.BlocksProcessed() == 0 && Clock::now() < firstLimit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const uint64_t processedBefore = engine.BlocksProcessed();
    ASSERT_GT(processedBefore, 0u) << "no block within 10 s";
    std::this_thread::sleep_for(kRun);
    const uint64_t processedInRun = engine.BlocksProcessed() - processedBefore;
    ASSERT_TRUE(engine.Stop());

    // 2 s hold 46.9 periods; 20% either way.
    EXPECT_GE(processedInRun, 37u);
    EXPECT_LE(processedInRun, 56u);
    ASSERT_GE(arrivals.size(), 2u);
    const std::chrono::duration<double> span = arrivals.back() - arrivals.front();
    const double meanInterval = span.count() / static_cast<double>(arrivals.size() - 1);
    EXPECT_NEAR(meanInterval, kPeriodSeconds, 0.2 * kPeriodSeconds);
    EXPECT_EQ(engine.BlocksDropped(), 0u);
}

}  // namespace
}  // namespace velmora2
