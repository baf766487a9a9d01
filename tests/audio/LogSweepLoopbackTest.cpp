// The log sweep through the real sound server: the loopback sink's monitor returns the output on
// both inputs, so the right against the left is flat with no phase, whatever the server's delay.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "display/DrawCallLog.h"
#include "engine/CDSCapture.h"
#include "measurement/LogSweep.h"
#include "tests/audio/PulseLoopback.h"
#include "tests/measurement/HeardEvents.h"

namespace velmora2 {
namespace {

using testing::kLoopbackRate;

class LogSweepLoopback : public testing::PulseLoopback {};

TEST_F(LogSweepLoopback, TheServersDelayCancelsAndTheResponseIsFlat) {
    DrawCallLogTarget window;
    auto engine =
        std::make_unique<CDSCapture>(sound, window, DeviceId{}, DeviceId{}, kLoopbackRate);
    engine->SetInitialisationTrace(false);
    int maxRate = 0;
    ASSERT_EQ(engine->Start(maxRate), kOk);

    LogSweepRunPlan plan;
    plan.sweep.sampleRate = kLoopbackRate;
    plan.sweep.seconds = 2.0;
    plan.user.signal.kind = SignalKind::Silence;
    HeardEvents heard;
    LogSweep sweep(engine, heard, [&plan] { return plan; }, {});
    sweep.ClearResults();
    std::optional<int> period = sweep.Start();
    for (int ticks = 0; period && ticks < 600; ++ticks) {
        std::this_thread::sleep_for(std::chrono::milliseconds(*period));
        period = sweep.Tick();
    }
    ASSERT_TRUE(sweep.Result()) << ::testing::PrintToString(heard.lines);
    const std::vector<ResponsePoint>& points = sweep.Result()->points;
    ASSERT_GT(points.size(), 470u);
    for (const ResponsePoint& p : points) {
        EXPECT_NEAR(p.gainDb, 0.0, 0.1) << p.frequencyHz;
        EXPECT_NEAR(p.phaseDeg, 0.0, 1.0) << p.frequencyHz;
    }
    EXPECT_TRUE(engine->Stop());
}

}  // namespace
}  // namespace velmora2
