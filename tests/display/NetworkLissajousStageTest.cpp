// The Lissajous and network-plot stages: the settings and results reach their views in the right
// places, and each picture starts from its own background.
#include <gtest/gtest.h>

#include <array>

#include "display/DrawingConventions.h"
#include "display/LissajousStage.h"
#include "display/NetworkStage.h"
#include "tests/display/DrawQueries.h"

namespace velmora2 {
namespace {

using testing::FindText;

TEST(LissajousStage, ScalesCalAndTheLissajousCursorSlots) {
    RuntimeState s;
    s.scales.scaleL = 3276;
    s.scales.scaleR = 65536;
    s.scales.cal = 1.5;
    s.cursors = {11, 22, 33, 44, -60, 90};
    s.cursorShown = {true, true, true, true, false, true};
    const std::array<double, 2048> left{};
    const std::array<double, 2048> right{};
    const LissajousPicture p = MakeLissajousPicture(s, left, right);
    EXPECT_EQ(p.state.scaleL, 3276);
    EXPECT_EQ(p.state.scaleR, 65536);
    EXPECT_EQ(p.state.cal, 1.5);
    EXPECT_EQ(p.state.cursorX, (std::array<int32_t, 2>{-60, 90}));
    EXPECT_EQ(p.state.cursorShown, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(p.left.data(), left.data());
    EXPECT_EQ(p.right.data(), right.data());

    DrawCallLog surface{kSurfaceWidth, kSurfaceHeight, kFieldBackground};
    DrawLissajousPicture(surface, p);
    ASSERT_FALSE(surface.Calls().empty());
    EXPECT_EQ(surface.Calls().front().kind, DrawCall::Kind::Rect);
    EXPECT_TRUE(FindText(surface.Calls(), "100mV/d"));
    EXPECT_TRUE(FindText(surface.Calls(), "2V/d"));
}

TEST(NetworkStage, RangesSwitchAndTheTablesPoints) {
    RuntimeState s;
    s.scales.gainRange = -80.0;
    s.scales.delayRange = 500.0;
    s.scales.phaseRange = "-90 to 90";
    s.scales.gainOffset = 3.0;
    s.delayDisplay = false;  // PHSDLY DELAY
    SweepResults results;
    results.table.count = 11;
    for (int i = 0; i < 11; ++i) {
        results.table.frequency[i] = 100.0 * (i + 1);
        results.table.x[i] = 20 * i;
    }
    results.gain[10] = -12.0;
    results.phase[3] = 0.5;
    results.measured[4] = true;
    results.gain[11] = 99.0;  // an older sweep's value beyond the table

    const NetworkPlot p = MakeNetworkPlot(s, results, 96000);
    EXPECT_EQ(p.sampleRate, 96000);
    EXPECT_EQ(p.gainRange, -80.0);
    EXPECT_EQ(p.delayRange, 500.0);
    EXPECT_EQ(p.phaseRange, "-90 to 90");
    EXPECT_EQ(p.gainOffset, 3.0);
    EXPECT_FALSE(p.phaseShown);
    ASSERT_EQ(p.points.x.size(), 11u);
    ASSERT_EQ(p.points.frequency.size(), 11u);
    ASSERT_EQ(p.points.gain.size(), 11u);
    ASSERT_EQ(p.points.phase.size(), 11u);
    ASSERT_EQ(p.points.measured.size(), 11u);
    EXPECT_EQ(p.points.frequency[10], 1100.0);
    EXPECT_EQ(p.points.x[10], 200);
    EXPECT_EQ(p.points.gain[10], -12.0);
    EXPECT_EQ(p.points.phase[3], 0.5);
    EXPECT_TRUE(p.points.measured[4]);
    EXPECT_FALSE(p.points.measured[5]);

    DrawCallLog surface{kSurfaceWidth, kSurfaceHeight, kFieldBackground};
    DrawNetworkPicture(surface, p);
    EXPECT_EQ(surface.Calls().front().kind, DrawCall::Kind::Rect);
    EXPECT_TRUE(FindText(surface.Calls(), "Delay"));
    EXPECT_TRUE(FindText(surface.Calls(), " 500"));
}

}  // namespace
}  // namespace velmora2
