// A network sweep point measured by the running engine on the stepped bench: the settling counts
// analysed records, the notice shows while the point settles, and the result is published.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "display/DrawCallLog.h"
#include "tests/support/EngineTestSupport.h"

namespace velmora2 {
namespace {

constexpr const char* kNotice = "Doing Network Analysis. Wait for a while...";

bool ShowsNotice(const DrawCallLogTarget::Copy& copy) {
    return std::any_of(copy.calls.begin(), copy.calls.end(), [](const DrawCall& call) {
        return call.kind == DrawCall::Kind::Text && call.text == kNotice;
    });
}

class SweepPoint : public ::testing::Test {
protected:
    void SetUp() override {
        // 1 kHz in, the right input at half the amplitude and 40 degrees behind.
        bench.SetInputSignal([](int64_t frame, double& left, double& right) {
            const double w = 2 * std::numbers::pi * 1000.0 * static_cast<double>(frame) / 48000;
            left = 16000 * std::sin(w);
            right = 8000 * std::sin(w - 40 * std::numbers::pi / 180);
        });
        int maxRate = 0;
        ASSERT_EQ(engine.Start(maxRate), kOk);
        engine.SetMode(kModeSpectrum);
        engine.SetPeakSearch(true);
    }
    void TearDown() override { EXPECT_TRUE(engine.Stop()); }

    void Deliver(int count) { ASSERT_TRUE(testing::DeliverBlocks(bench, engine, count)); }

    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine{bench, window, DeviceId{}, DeviceId{}, 48000};
};

TEST_F(SweepPoint, MeasuredOnTheNinthRecordAfterItsStartThenTheNoticeGoes) {
    engine.ResetSweep();
    engine.StartSweepPoint(6);  // 1000 Hz in the 18-point list
    Deliver(8);
    EXPECT_FALSE(engine.Sweep().measured[6]);
    Deliver(1);
    const SweepResults results = engine.Sweep();
    ASSERT_TRUE(results.measured[6]);
    EXPECT_EQ(results.table.count, 18);
    EXPECT_NEAR(results.gain[6], -6.0206, 0.01);
    EXPECT_NEAR(results.phase[6] * 180 / NetworkSweep::kPi, 40.0, 0.05);

    // Each window copy shows the previous block's picture: the notice is on the pictures of
    // blocks 1 ... 9 of the point (the 9th is drawn before it is measured) and gone from block 10.
    Deliver(2);
    const auto copies = window.Copies();
    ASSERT_GE(copies.size(), 2u);
    EXPECT_TRUE(ShowsNotice(copies[copies.size() - 2]));
    EXPECT_FALSE(ShowsNotice(copies.back()));
}

TEST_F(SweepPoint, ResetBuildsTheTableForThePointCountAndForgetsMeasuredPoints) {
    engine.ResetSweep();
    engine.StartSweepPoint(0);
    Deliver(10);
    ASSERT_TRUE(engine.Sweep().measured[0]);

    engine.SetSweepPoints(11);
    engine.ResetSweep();
    Deliver(1);
    SweepResults results = engine.Sweep();
    EXPECT_EQ(results.table.count, 11);
    EXPECT_EQ(results.table.frequency[10], 20000.0);
    EXPECT_FALSE(results.measured[0]);

    // Counts beyond the lists are kept within 1 ... 45.
    for (const auto& [asked, kept] : {std::pair{0, 1}, {-3, 1}, {46, 45}, {1000, 45}}) {
        engine.SetSweepPoints(asked);
        engine.ResetSweep();
        Deliver(1);
        EXPECT_EQ(engine.Settings().sweepPoints, kept) << asked;
        EXPECT_EQ(engine.Sweep().table.count, kept) << asked;
    }
}

// Vertices of the first run drawn with a solid pen of the colour in the picture last shown.
std::vector<Point> FirstRun(const DrawCallLogTarget& window, Rgb color) {
    const auto copies = window.Copies();
    std::vector<Point> run;
    bool penMatches = false;
    for (const DrawCall& call : copies.back().calls) {
        if (call.kind == DrawCall::Kind::Pen) {
            if (!run.empty()) break;
            penMatches = call.color == color && call.style == PenStyle::Solid;
        } else if (penMatches &&
                   (call.kind == DrawCall::Kind::MoveTo || call.kind == DrawCall::Kind::LineTo)) {
            run.push_back(call.points[0]);
        }
    }
    return run;
}

TEST_F(SweepPoint, PlotAndFigureModesDrawTheirViews) {
    engine.ResetSweep();
    for (const int point : {0, 1}) {
        engine.StartSweepPoint(point);
        Deliver(10);
    }
    engine.SetMode(kModeNetworkPlot);
    Deliver(2);
    // Gain -6 dB on the default -50 dB range: row 86 + 28; only the two measured points.
    const std::vector<Point> gain = FirstRun(window, {255, 0, 0});
    ASSERT_EQ(gain.size(), 2u);
    EXPECT_EQ(gain[0], (Point{40 + 82, 114}));
    EXPECT_EQ(gain[1], (Point{40 + 118, 114}));

    engine.SetMode(kModeLissajous);
    Deliver(2);
    EXPECT_EQ(FirstRun(window, {0, 255, 0}).size(), 2047u);
}

}  // namespace
}  // namespace velmora2
