// The log-sweep method on the stepped bench: it plays its sweep, captures both inputs whole,
// analyses them on its own thread, shows the curve and gives the user's generator back; lost
// input or no input ends it with a message and no curve.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "engine/CDSCapture.h"
#include "engine/ToneFile.h"
#include "measurement/LogSweep.h"
#include "measurement/SteppedDelivery.h"
#include "tests/measurement/HeardEvents.h"
#include "tests/support/BenchModel.h"
#include "tests/support/QueueOverflow.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

constexpr int kRate = 48000;

class LogSweepTest : public ::testing::Test {
protected:
    void SetUp() override {
        plan.sweep.sampleRate = kRate;
        plan.sweep.seconds = 1.5;
        plan.user.file = kUserTone;
        ASSERT_TRUE(WriteToneFile(directory / kUserTone, 437, kRate));
        engine = std::make_unique<CDSCapture>(bench, window, DeviceId{}, DeviceId{}, kRate,
                                              FileSearchPlaces{directory.Path(), {}, {}, {}});
        engine->SetInitialisationTrace(false);
        int maxRate = 0;
        ASSERT_EQ(engine->Start(maxRate), 0);
    }
    void TearDown() override { engine->Stop(); }

    // Ticks until the sweep ends, `between` letting each period pass; false when it does not end
    // within the ticks of a minute.
    template <typename Between>
    bool RunUntilEnded(std::optional<int> period, Between between) {
        for (int ticks = 0; period; ++ticks) {
            if (ticks == 600) return false;
            between(*period);
            period = sweep.Tick();
        }
        return true;
    }
    bool Heard(const std::string& line) const {
        return std::find(heard.lines.begin(), heard.lines.end(), line) != heard.lines.end();
    }

    testing::TempDirectory directory;
    SimBench bench;
    DrawCallLogTarget window;
    std::unique_ptr<CDSCapture> engine;
    LogSweepRunPlan plan;
    HeardEvents heard;
    LogSweep sweep{engine, heard, [this] { return plan; },
                   FileSearchPlaces{directory.Path(), {}, {}, {}}};
};

TEST_F(LogSweepTest, PlaysCapturesAnalysesShowsTheCurveAndGivesTheGeneratorBack) {
    sweep.ClearResults();
    ASSERT_TRUE(RunUntilEnded(
        sweep.Start(), [&](int period) { ASSERT_TRUE(DeliverPeriod(bench, *engine, period)); }));
    ASSERT_TRUE(sweep.Result());
    EXPECT_FALSE(sweep.Running());
    EXPECT_EQ(heard.lines.back(), "ended");
    // Progress while capturing: a share of 100, and the frequency playing.
    EXPECT_GT(std::count_if(heard.lines.begin(), heard.lines.end(),
                            [](const std::string& line) { return line.starts_with("point "); }),
              10);
    EXPECT_EQ(heard.lines.front(), "point 1/100 10") << heard.lines.front();
    // The curve is the bench's: a point at its corner frequency.
    const ResponsePoint* corner = nullptr;
    for (const ResponsePoint& p : sweep.Result()->points)
        if (std::abs(p.frequencyHz - 3000.0) < 30.0) corner = &p;
    ASSERT_NE(corner, nullptr);
    const auto h = testing::ModelResponse(corner->frequencyHz, kRate);
    EXPECT_NEAR(corner->gainDb, 20 * std::log10(std::abs(h)), 0.05);
    // Afterwards the network plot shows it, and the user's tone plays.
    EXPECT_EQ(engine->Settings().mode, kModeNetworkPlot);
    EXPECT_EQ(engine->Settings().generatorFile, kUserTone);
    EXPECT_TRUE(engine->GeneratorPlaying());
}

TEST_F(LogSweepTest, ABlockLostWhileCapturingEndsItWithAMessageAndNoCurve) {
    sweep.ClearResults();
    std::optional<int> period = sweep.Start();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(DeliverPeriod(bench, *engine, *period));
        period = sweep.Tick();
    }
    {
        testing::QueueOverflow overflow(bench, *engine, 0);
        ASSERT_TRUE(overflow.HoldWorker());
        ASSERT_TRUE(overflow.Overflow(3));
    }
    ASSERT_GT(engine->BlocksDropped(), 0u);
    ASSERT_TRUE(RunUntilEnded(period, [&](int p) { DeliverPeriod(bench, *engine, p); }));
    EXPECT_TRUE(Heard("failed Input was lost during the log sweep; it measured nothing."))
        << ::testing::PrintToString(heard.lines);
    EXPECT_FALSE(sweep.Result());
    EXPECT_EQ(engine->Settings().mode, kModeNetworkPlot);
}

TEST_F(LogSweepTest, NoInputForTwoSecondsEndsItWithAMessage) {
    sweep.ClearResults();
    std::optional<int> period = sweep.Start();
    ASSERT_TRUE(DeliverPeriod(bench, *engine, *period));
    period = sweep.Tick();
    bench.SetDelivering(false);
    ASSERT_TRUE(RunUntilEnded(
        period, [](int p) { std::this_thread::sleep_for(std::chrono::milliseconds(p)); }));
    EXPECT_TRUE(Heard("failed No input came during the log sweep; it measured nothing."))
        << ::testing::PrintToString(heard.lines);
    EXPECT_FALSE(sweep.Result());
}

TEST_F(LogSweepTest, APlanThatCannotBePlayedIsRefusedAtOnce) {
    plan.sweep.endHz = 0.46 * kRate;
    sweep.ClearResults();
    const std::optional<int> period = sweep.Start();
    EXPECT_FALSE(sweep.Tick());
    EXPECT_TRUE(
        Heard("failed The log sweep cannot be played: the band is outside 10 Hz .. 0.45 "
              "of the sample rate."))
        << ::testing::PrintToString(heard.lines);
    EXPECT_TRUE(period.has_value());
}

}  // namespace
}  // namespace velmora2
