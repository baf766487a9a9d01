// The stepped sweep driven as its owner's timer drives it, on the stepped simulated bench: which
// tones play, what the engine measures, what the listener hears, and how the sweep ends.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/SweepTable.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "engine/CDSCapture.h"
#include "engine/ToneFile.h"
#include "measurement/SteppedDelivery.h"
#include "measurement/SteppedSweep.h"
#include "platform/GeneratorFileNames.h"
#include "tests/measurement/HeardEvents.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

class SteppedSweepTest : public ::testing::Test {
protected:
    void Start(int points, int rate) {
        plan.points = points;
        plan.sampleRate = rate;
        plan.generatorFile = kUserTone;
        plan.recordLength = 8192;
        table = BuildSweepTable(points, rate);
        for (int i = 0; i < table.count; ++i)
            ASSERT_TRUE(WriteToneFile(directory / Tone(i), Hz(i), rate));
        ASSERT_TRUE(WriteToneFile(directory / kUserTone, 437, 48000));
        engine = std::make_unique<CDSCapture>(bench, window, DeviceId{}, DeviceId{}, rate,
                                              FileSearchPlaces{directory.Path(), {}, {}, {}});
        engine->SetInitialisationTrace(false);
        int maxRate = 0;
        ASSERT_EQ(engine->Start(maxRate), 0);
        engine->SetSweepPoints(points);
    }
    void TearDown() override {
        if (engine) engine->Stop();
    }

    int Hz(int index) const { return static_cast<int>(std::lround(table.frequency[index])); }
    std::string Tone(int index) const { return ToneFileName(Hz(index), plan.sampleRate); }

    // From the network button to the end, each tick after its period's blocks; the tick count.
    int RunSweep(int limit = kMaxSweepPoints + 2) {
        sweep.ClearResults();
        std::optional<int> period = sweep.Start();
        int ticks = 0;
        for (; period && ticks < limit; ++ticks) {
            EXPECT_TRUE(DeliverPeriod(bench, *engine, *period));
            period = sweep.Tick();
        }
        return ticks;
    }

    std::vector<int> MeasuredPoints() const {
        const SweepResults results = engine->Sweep();
        std::vector<int> measured;
        for (int i = 0; i < results.table.count; ++i)
            if (results.measured[i]) measured.push_back(i);
        return measured;
    }

    testing::TempDirectory directory;
    SimBench bench;
    DrawCallLogTarget window;
    std::unique_ptr<CDSCapture> engine;
    SteppedSweepPlan plan;
    SweepTable table;
    HeardEvents heard;
    SteppedSweep sweep{engine, heard, [this] { return plan; },
                       FileSearchPlaces{directory.Path(), {}, {}, {}}};
};

TEST_F(SteppedSweepTest, EveryPointPlaysItsToneIsMeasuredAndTheTickAfterTheLastEndsIt) {
    struct Case {
        int points;
        int rate;
    };
    for (const Case c : {Case{11, 48000}, Case{18, 96000}, Case{30, 192000}}) {
        SCOPED_TRACE(std::to_string(c.points) + " points at " + std::to_string(c.rate));
        Start(c.points, c.rate);
        EXPECT_EQ(RunSweep(), c.points + 1);
        std::vector<std::string> expected;
        for (int i = 0; i < c.points; ++i)
            expected.push_back("point " + std::to_string(i) + "/" + std::to_string(c.points) + " " +
                               std::to_string(Hz(i)));
        expected.push_back("ended");
        EXPECT_EQ(heard.lines, expected);
        EXPECT_EQ(MeasuredPoints().size(), static_cast<size_t>(c.points));

        // The bench's right input is a first-order low-pass at 3 kHz: at and below 1 kHz its
        // gain is the analogue one within a few thousandths of a dB.
        const SweepResults results = engine->Sweep();
        for (int i = 0; i < c.points && table.frequency[i] <= 1000.0; ++i) {
            const double ratio = table.frequency[i] / 3000.0;
            EXPECT_NEAR(results.gain[i], -10.0 * std::log10(1.0 + ratio * ratio), 0.02)
                << table.frequency[i] << " Hz";
        }
        // The end shows the plot and gives the user's tone back.
        const RuntimeState after = engine->Settings();
        EXPECT_EQ(after.mode, kModeNetworkPlot);
        EXPECT_EQ(after.generatorFile, kUserTone);
        EXPECT_FALSE(after.peakSearch);
        EXPECT_TRUE(after.generatorOn);
        EXPECT_FALSE(sweep.Running());

        engine->Stop();
        heard.lines.clear();
    }
}

TEST_F(SteppedSweepTest, AMissingToneEndsTheSweepOnTheNextTickKeepingThePointsBefore) {
    Start(11, 48000);
    std::filesystem::remove(directory / Tone(4));
    EXPECT_EQ(RunSweep(), 6);
    EXPECT_EQ(MeasuredPoints(), (std::vector<int>{0, 1, 2, 3}));
    ASSERT_EQ(heard.lines.size(), 6u);
    EXPECT_EQ(heard.lines[4], "missing " + Tone(4));
    EXPECT_EQ(heard.lines[5], "ended");
}

TEST_F(SteppedSweepTest, AMissingUserToneIsReportedAfterTheEndAndTheLastToneStays) {
    Start(11, 48000);
    std::filesystem::remove(directory / kUserTone);
    EXPECT_EQ(RunSweep(), 12);
    ASSERT_GE(heard.lines.size(), 2u);
    EXPECT_EQ(heard.lines[heard.lines.size() - 2], "ended");
    EXPECT_EQ(heard.lines.back(), std::string("missing ") + kUserTone);
    EXPECT_EQ(engine->Settings().generatorFile, Tone(10));
    EXPECT_EQ(engine->Settings().mode, kModeNetworkPlot);
}

}  // namespace
}  // namespace velmora2
