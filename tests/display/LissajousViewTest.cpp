#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "display/DrawingConventions.h"
#include "display/LissajousView.h"
#include "tests/display/DrawQueries.h"

namespace velmora2 {
namespace {

using testing::FindText;
using testing::Polylines;
using testing::SegmentsWithPen;
using testing::Texts;

constexpr Rgb kFigure{0, 255, 0};
constexpr int32_t kOneVoltPerDiv = 32768;
// 1 V in ADC counts: one 30-pixel division at "1V/d" and 50 pixels per scale.
constexpr double kOneVolt = 32768.0 * 30.0 / 50.0;

std::vector<double> Sine(double amplitude, double phase = 0.0) {
    std::vector<double> v(2048);
    for (int i = 0; i < 2048; ++i)
        v[i] = amplitude * std::sin(2 * std::numbers::pi * i / 200.0 + phase);
    return v;
}

class LissajousView : public ::testing::Test {
protected:
    const std::vector<DrawCall>& Draw(const std::vector<double>& left,
                                      const std::vector<double>& right) {
        surface.Clear();
        DrawLissajous(surface, left, right, state);
        return surface.Calls();
    }
    std::vector<Point> Figure(const std::vector<double>& left, const std::vector<double>& right) {
        const auto runs = Polylines(Draw(left, right), kFigure, PenStyle::Solid);
        return runs.empty() ? std::vector<Point>{} : runs.front();
    }

    DrawCallLog surface{kSurfaceWidth, kSurfaceHeight, kFieldBackground};
    LissajousState state;
    const std::vector<double> zeros = std::vector<double>(2048, 0.0);
};

TEST_F(LissajousView, EqualSignalsDrawTheDiagonalPositiveEndLowerLeft) {
    const std::vector<double> v = Sine(12000.0);
    const std::vector<Point> figure = Figure(v, v);
    ASSERT_EQ(figure.size(), 2047u) << "index 2047 is left out";
    for (size_t i = 0; i < figure.size(); ++i) {
        EXPECT_EQ(figure[i].x - 240, 180 - figure[i].y) << i;
        if (v[i] > 500) {
            EXPECT_LT(figure[i].x, 240) << i;
            EXPECT_GT(figure[i].y, 180) << i;
        }
    }
}

TEST_F(LissajousView, LeftChannelZeroIsTheHorizontalAxis) {
    for (const Point& p : Figure(zeros, Sine(12000.0))) EXPECT_EQ(p.y, 180);
}

TEST_F(LissajousView, OneVoltIsOneDivisionAndCalScalesTheFigure) {
    state.scaleL = state.scaleR = kOneVoltPerDiv;
    const std::vector<double> oneVolt(2048, kOneVolt);
    EXPECT_EQ(Figure(oneVolt, oneVolt).front(), (Point{240 - 30, 180 + 30}));
    state.cal = 2.0;
    EXPECT_EQ(Figure(oneVolt, oneVolt).front(), (Point{240 - 60, 180 + 60}));
}

struct CursorCase {
    const char* description;
    int32_t scaleR;
    double cal;
    std::array<int32_t, 2> cursorX;
    std::array<bool, 2> shown;
    std::vector<std::pair<std::string, Point>> readouts;
};

class LissajousCursors : public LissajousView, public ::testing::WithParamInterface<CursorCase> {};

TEST_P(LissajousCursors, ReadoutsOnTheHorizontalScaleWithoutCal) {
    const CursorCase& c = GetParam();
    state.scaleR = c.scaleR;
    state.cal = c.cal;
    state.cursorX = c.cursorX;
    state.cursorShown = c.shown;
    const auto& calls = Draw(zeros, zeros);
    std::vector<std::pair<std::string, Point>> readouts;
    for (const auto& t : Texts(calls))
        if (t.text.ends_with(" V")) readouts.emplace_back(t.text, t.at);
    EXPECT_EQ(readouts, c.readouts);

    const auto lines = SegmentsWithPen(calls, kMarkerColor, PenStyle::Dotted);
    size_t expectedLines = (c.shown[0] ? 1 : 0) + (c.shown[1] ? 1 : 0);
    if (c.shown[0] && c.shown[1]) expectedLines += 1;
    EXPECT_EQ(lines.size(), expectedLines);
    for (int k = 0; k < 2; ++k) {
        if (!c.shown[k]) continue;
        const int x = 240 + c.cursorX[k];
        EXPECT_NE(std::find(lines.begin(), lines.end(),
                            testing::Segment{{x, 30}, {x, 330}, kMarkerColor, PenStyle::Dotted}),
                  lines.end());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Readouts, LissajousCursors,
    ::testing::Values(
        CursorCase{"one_volt_per_div_at_30",
                   32768,
                   1.0,
                   {30, 0},
                   {true, false},
                   {{" 1.0000 V", {270, 40}}}},
        CursorCase{"cal_does_not_change_it",
                   32768,
                   2.0,
                   {30, 0},
                   {true, false},
                   {{" 1.0000 V", {270, 40}}}},
        CursorCase{
            "half_volt_per_div", 16384, 1.0, {30, 0}, {true, false}, {{" 0.5000 V", {270, 40}}}},
        CursorCase{"both_cursors_and_difference",
                   32768,
                   1.0,
                   {-30, 30},
                   {true, true},
                   {{"-1.0000 V", {210, 40}}, {" 1.0000 V", {270, 60}}, {"-2.0000 V", {215, 300}}}},
        CursorCase{"never_moved_cursors_are_hidden", 32768, 1.0, {0, 0}, {false, false}, {}}),
    [](const auto& info) { return std::string(info.param.description); });

TEST_F(LissajousView, AxisLabelsNameChannelsAndScales) {
    state.scaleL = 32768;
    state.scaleR = 3276;
    const auto& calls = Draw(zeros, zeros);
    const std::vector<std::tuple<const char*, Point, Rgb>> expected = {
        {"Rch", {208, 8}, kRightChannelColor},
        {"(Horizontal)", {237, 8}, kRightChannelColor},
        {"100mV/d", {190, 335}, kRightChannelColor},
        {"Lch", {46, 170}, kLeftChannelColor},
        {"(Vertical)", {33, 184}, kLeftChannelColor},
        {"1V/d", {415, 158}, kLeftChannelColor}};
    for (const auto& [text, at, color] : expected) {
        const auto found = FindText(calls, text);
        ASSERT_TRUE(found) << text;
        EXPECT_EQ(found->at, at) << text;
        EXPECT_EQ(found->color, color) << text;
    }
    // Both arrows: a shaft and two heads at each end.
    EXPECT_EQ(SegmentsWithPen(calls, kRightChannelColor, PenStyle::Solid).size(), 5u);
    EXPECT_EQ(SegmentsWithPen(calls, kLeftChannelColor, PenStyle::Solid).size(), 5u);
}

}  // namespace
}  // namespace velmora2
