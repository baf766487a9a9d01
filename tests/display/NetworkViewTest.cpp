#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "display/DrawingConventions.h"
#include "display/NetworkView.h"
#include "tests/display/DrawQueries.h"

namespace velmora2 {
namespace {

using testing::FindText;
using testing::Polylines;
using testing::SegmentsWithPen;

constexpr double kPi2 = 3.14159;
constexpr int kA = 40;
constexpr int kB = 40;
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

// Four points at 100 Hz, 1 kHz, 5 kHz and 10 kHz of the 48 kHz axis.
struct Points {
    std::array<int, 4> x{103, 221, 303, 340};
    std::array<double, 4> frequency{100, 1000, 5000, 10000};
    std::array<double, 4> gain{};
    std::array<double, 4> phase{};
    std::array<bool, 4> measured{true, true, true, true};

    NetworkPoints View() const { return {x, frequency, gain, phase, measured}; }
};

class NetworkView : public ::testing::Test {
protected:
    std::vector<std::vector<Point>> Curve(Rgb color) {
        surface.Clear();
        plot.points = points.View();
        DrawNetworkCurves(surface, kNetworkPlotOrigin, plot);
        return Polylines(surface.Calls(), color, PenStyle::Solid);
    }
    const std::vector<DrawCall>& Grid() {
        surface.Clear();
        plot.points = points.View();
        DrawNetworkGrid(surface, kNetworkPlotOrigin, plot);
        return surface.Calls();
    }

    DrawCallLog surface{kSurfaceWidth, kSurfaceHeight, kFieldBackground};
    NetworkPlot plot;
    Points points;
};

TEST_F(NetworkView, GainCurveRowsAndOffset) {
    points.gain = {0.0, -50.0, -10.0, 10.0};
    auto curves = Curve(kRed);
    ASSERT_EQ(curves.size(), 2u);  // the curve, then its legend
    EXPECT_EQ(curves[0], (std::vector<Point>{
                             {kA + 103, 86}, {kA + 221, 319}, {kA + 303, 132}, {kA + 340, 40}}));
    EXPECT_EQ(curves[1], (std::vector<Point>{{kA + 140, kB - 20}, {kA + 170, kB - 20}}));

    plot.gainOffset = 10.0;
    points.gain = {-10.0, -10.0, -10.0, -10.0};
    EXPECT_EQ(Curve(kRed)[0][0], (Point{kA + 103, 86}));

    // A range of -100 dB halves the pixels per dB: -50 dB lands half-way down.
    plot.gainOffset = 0.0;
    plot.gainRange = -100.0;
    points.gain = {-50.0, 0.0, 0.0, 0.0};
    EXPECT_EQ(Curve(kRed)[0][0], (Point{kA + 103, 86 + 116}));
}

struct RightCurveCase {
    const char* description;
    bool phaseShown;
    const char* phaseRange;
    double phase;  // radians, at 1 kHz
    int expectedY;
    Rgb color;
};

class RightCurve : public NetworkView, public ::testing::WithParamInterface<RightCurveCase> {};

TEST_P(RightCurve, RowOfTheSecondPoint) {
    const RightCurveCase& c = GetParam();
    plot.phaseShown = c.phaseShown;
    plot.phaseRange = c.phaseRange;
    points.phase = {0.0, c.phase, 0.0, 0.0};
    const auto curves = Curve(c.color);
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_EQ(curves[0][0], (Point{kA + 103, kB + 140}));
    EXPECT_EQ(curves[0][1], (Point{kA + 221, c.expectedY}));
    EXPECT_EQ(curves[1], (std::vector<Point>{{kA + 260, kB - 20}, {kA + 290, kB - 20}}));
}

INSTANTIATE_TEST_SUITE_P(
    Scales, RightCurve,
    ::testing::Values(
        RightCurveCase{"lag_90_on_180_scale", true, "-180 to 180", kPi2 / 2, 250, kGreen},
        RightCurveCase{"lag_45_on_90_scale", true, "-90 to 90", kPi2 / 4, kB + 210, kGreen},
        RightCurveCase{"lag_180_on_360_scale", true, "-360 to 360", kPi2, kB + 210, kGreen},
        RightCurveCase{"unknown_range_uses_360_scale", true, "0 to 360", kPi2, kB + 210, kGreen},
        RightCurveCase{"lead_90_on_180_scale", true, "-180 to 180", -kPi2 / 2, kB + 70, kGreen},
        RightCurveCase{"delay_250us_at_1k", false, "-180 to 180", kPi2 / 2, kB + 256, kBlue}),
    [](const auto& info) { return std::string(info.param.description); });

TEST_F(NetworkView, DrawsTheRightHandCurveBeforeTheGain) {
    plot.points = points.View();
    DrawNetworkCurves(surface, kNetworkPlotOrigin, plot);
    std::vector<Rgb> pens;
    for (const DrawCall& call : surface.Calls())
        if (call.kind == DrawCall::Kind::Pen) pens.push_back(call.color);
    ASSERT_FALSE(pens.empty());
    EXPECT_EQ(pens.front(), kGreen);
    EXPECT_EQ(pens.back(), kRed);
}

TEST_F(NetworkView, JoinsOnlyMeasuredPoints) {
    points.measured = {true, false, true, true};
    points.gain = {0.0, -40.0, 0.0, 0.0};
    const auto curves = Curve(kRed);
    EXPECT_EQ(curves[0], (std::vector<Point>{{kA + 103, 86}, {kA + 303, 86}, {kA + 340, 86}}));

    points.measured = {false, false, false, false};
    EXPECT_EQ(Curve(kRed).size(), 1u) << "only the legend";
    EXPECT_EQ(Curve(kGreen).size(), 1u) << "only the legend";
}

TEST_F(NetworkView, FrequencyLabelsAt48k) {
    const auto& calls = Grid();
    const std::vector<std::pair<const char*, int>> expected = {
        {"  10Hz", kA - 15}, {" 100Hz", kA + 103}, {"   1kHz", kA + 221}, {"  10kHz", kA + 340}};
    for (const auto& [text, x] : expected) {
        const auto found = FindText(calls, text);
        ASSERT_TRUE(found) << text;
        EXPECT_EQ(found->at, (Point{x, kB + 283})) << text;
    }
    EXPECT_FALSE(FindText(calls, " 100kHz"));
}

TEST_F(NetworkView, GridLinesAndFrames) {
    const auto& calls = Grid();
    const auto dotted = SegmentsWithPen(calls, kGridPen.color, PenStyle::Dotted);
    int horizontal = 0;
    int vertical = 0;
    for (const auto& s : dotted) {
        if (s.from.y == s.to.y) {
            ++horizontal;
            EXPECT_EQ(s.from.x, kA);
            EXPECT_EQ(s.to.x, kA + 400);
        } else {
            ++vertical;
            EXPECT_EQ(s.from.y, kB);
            EXPECT_EQ(s.to.y, kB + 280);
        }
    }
    EXPECT_EQ(horizontal, 7);
    // 10 ... 90 Hz, 100 ... 900 Hz, 1 ... 9 kHz, 10 and 20 kHz below 24 kHz.
    EXPECT_EQ(vertical, 29);
    const auto solid = SegmentsWithPen(calls, kDefaultPen.color, PenStyle::Solid);
    EXPECT_EQ(solid.size(), 7u);
}

TEST_F(NetworkView, ScalesForPhaseDelayAndGain) {
    // The gain labels from the top row down, at the left of the plot.
    const char* gain[] = {"  10", "   0", " -10", " -20", " -30", " -40", " -50"};
    for (int j = 0; j < 7; ++j) {
        const auto found = FindText(Grid(), gain[j]);
        ASSERT_TRUE(found) << gain[j];
        EXPECT_EQ(found->at, (Point{kA - 30, kB + 280 * j / 6 - 12})) << gain[j];
    }
    EXPECT_EQ(FindText(Grid(), "-180")->at, (Point{kA + 410, kB + 280 - 10}));
    EXPECT_TRUE(FindText(Grid(), "Phase"));
    EXPECT_TRUE(FindText(Grid(), "[degree]"));

    plot.phaseRange = "0 to 360";
    EXPECT_TRUE(FindText(Grid(), "-360"));

    plot.phaseShown = false;
    plot.delayRange = 300.0;
    EXPECT_EQ(FindText(Grid(), " 300")->at, (Point{kA + 407, kB - 8}));
    EXPECT_EQ(FindText(Grid(), "-300")->at, (Point{kA + 407, kB + 280 - 8}));
    EXPECT_TRUE(FindText(Grid(), "Delay"));
    EXPECT_TRUE(FindText(Grid(), "[us]"));
    EXPECT_FALSE(FindText(Grid(), "Phase"));
}

}  // namespace
}  // namespace velmora2
