#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <limits>
#include <vector>

#include "display/DrawingConventions.h"
#include "display/PixelCoordinate.h"
#include "display/ScopeView.h"
#include "tests/display/DrawQueries.h"

namespace velmora2 {
namespace {

using testing::FindText;
using testing::Polygons;
using testing::Polylines;
using testing::SegmentsWithPen;
using testing::TextsStartingWith;

class ScopeViewTest : public ::testing::Test {
protected:
    ScopeViewTest() { samples.fill(0.0); }

    ScopeChannel Left(bool valid = true, bool on = true) const {
        return {0, 40, samples, kLeftChannelColor, true, valid, on};
    }
    ScopeChannel Right(bool valid = true, bool on = true) const {
        return {0, 220, samples, kRightChannelColor, false, valid, on};
    }
    void Draw(const ScopeChannel& channel) { DrawScopeChannel(surface, channel, state); }
    const std::vector<DrawCall>& Calls() const { return surface.Calls(); }

    // The trace of the given colour; empty when none was drawn.
    std::vector<Point> Trace(Rgb color) const {
        const auto runs = Polylines(Calls(), color, PenStyle::Solid);
        return runs.empty() ? std::vector<Point>{} : runs.back();
    }

    // Sample i deflects by exactly i pixels upwards: scale 50 gives -1 pixel per count, so the
    // y of a vertex names the buffer index it came from.
    void UseIndexRamp() {
        state.scaleL = 50;
        for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<double>(i);
    }
    static int IndexAt(Point p) { return 90 - p.y; }

    std::array<double, kScopeDisplayLength> samples{};
    ScopeState state;
    DrawCallLog surface{kSurfaceWidth, kSurfaceHeight, kFieldBackground};
};

// --- trace ---------------------------------------------------------------------------------

TEST_F(ScopeViewTest, WideTimeSpanDrawsEverySampleThatFitsAndStopsAtTheRightEdge) {
    state.timeSpan = 1920;  // h = 0.25 pixels per sample
    state.triggerIndex = 60;
    Draw(Left());
    const auto trace = Trace(kLeftChannelColor);
    ASSERT_EQ(trace.size(), 1921u);
    EXPECT_EQ(trace.front().x, 0);
    EXPECT_EQ(trace[4].x, 1);
    EXPECT_EQ(trace.back().x, 480);
}

TEST_F(ScopeViewTest, WideTimeSpanRunsOutOfBufferBeforeTheRightEdgeWhenStartingLate) {
    state.timeSpan = 1920;
    state.triggerIndex = 200;
    UseIndexRamp();
    Draw(Left());
    const auto trace = Trace(kLeftChannelColor);
    ASSERT_EQ(trace.size(), 2047u - 200u);
    EXPECT_EQ(IndexAt(trace.back()), 2046);  // index 2047 is never drawn
    EXPECT_LT(trace.back().x, 480);
}

TEST_F(ScopeViewTest, NarrowTimeSpanJoinsSixteenSamples32PixelsApart) {
    state.timeSpan = 15;
    state.oversampling = 4;
    state.filterLength = 93;
    state.sampleRate = 192000;
    state.triggerEnabled = true;
    state.triggerIndex = 500;
    Draw(Left());
    const auto trace = Trace(kLeftChannelColor);
    ASSERT_EQ(trace.size(), 16u);
    for (size_t n = 0; n < trace.size(); ++n) EXPECT_EQ(trace[n].x, static_cast<int>(32 * n));
}

TEST_F(ScopeViewTest, StartIndexFollowsTriggerFilterDelayAndHorizontalPosition) {
    struct Case {
        const char* what;
        int32_t osr;
        int32_t filterLength;
        bool triggerOn;
        int32_t triggerIndex;
        int32_t timeOffset;
        int expectedFirstIndex;
    };
    const Case cases[] = {
        {"trigger off, OSR 4: half the filter again", 4, 93, false, 106, 0, 152},
        {"trigger off, OSR 4, moved right", 4, 93, false, 106, 30, 182},
        {"trigger off, OSR 2", 2, 50, false, 85, 0, 110},
        {"trigger off, OSR 1: no shift", 1, 0, false, 60, 20, 80},
        {"trigger on, OSR 4: no shift", 4, 93, true, 300, 0, 300},
        {"offset before the buffer start clamps to 0", 1, 0, true, 100, -500, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        surface.Clear();
        UseIndexRamp();
        state.oversampling = c.osr;
        state.filterLength = c.filterLength;
        state.triggerEnabled = c.triggerOn;
        state.triggerIndex = c.triggerIndex;
        state.timeOffset = c.timeOffset;
        Draw(Left());
        const auto trace = Trace(kLeftChannelColor);
        ASSERT_FALSE(trace.empty());
        EXPECT_EQ(trace.front().x, 0);
        EXPECT_EQ(IndexAt(trace.front()), c.expectedFirstIndex);
    }
}

TEST_F(ScopeViewTest, StartAtOrBeyondTheLastDrawableIndexDrawsNoTrace) {
    for (const int32_t start : {2047, 2100, std::numeric_limits<int32_t>::max()}) {
        SCOPED_TRACE(start);
        surface.Clear();
        state.triggerEnabled = true;
        state.triggerIndex = start;
        Draw(Left());
        EXPECT_TRUE(Trace(kLeftChannelColor).empty());
    }
}

TEST_F(ScopeViewTest, VerticalMappingScalesTruncatesAndFollowsPosition) {
    struct Case {
        const char* what;
        int32_t scale;
        double cal;
        int32_t position;
        double value;
        int expectedY;
    };
    const Case cases[] = {
        {"1V/d: 32768 counts are 50 pixels up", 32768, 1.0, 0, 32768.0, 40},
        {"1V/d: -16384 counts are 25 pixels down", 32768, 1.0, 0, -16384.0, 115},
        {"a fraction of a pixel up truncates to none", 32768, 1.0, 0, 100.0, 90},
        {"a fraction of a pixel down truncates toward zero", 32768, 1.0, 0, -1000.0, 91},
        {"CAL 2 doubles the deflection", 32768, 2.0, 0, 16384.0, 40},
        {"position moves the trace up", 32768, 1.0, 10, 0.0, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        surface.Clear();
        state.scaleL = c.scale;
        state.cal = c.cal;
        state.positionL = c.position;
        samples.fill(c.value);
        Draw(Left());
        const auto trace = Trace(kLeftChannelColor);
        ASSERT_FALSE(trace.empty());
        EXPECT_EQ(trace.front().y, c.expectedY);
    }
}

TEST_F(ScopeViewTest, RightChannelUsesItsOwnBandScaleAndPosition) {
    state.scaleL = 1;  // would send the trace far away if the right call used it
    state.scaleR = 32768;
    state.positionR = -20;
    samples.fill(32768.0);
    Draw(Right());
    const auto trace = Trace(kRightChannelColor);
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.front().y, 220 + 50 - 50 + 20);
}

// --- channel switch, validity, notices ---------------------------------------------------

TEST_F(ScopeViewTest, ChannelOffHidesItsOwnMarksButKeepsTriggerCursorsAndNotices) {
    state.adcRangeShown = true;
    state.triggerEnabled = true;
    state.triggerSourceLeft = true;
    state.cursorX = {100, 300};
    state.cursorShown = {true, true};
    state.run = false;
    Draw(Left(/*valid=*/true, /*on=*/false));

    EXPECT_TRUE(Polylines(Calls(), kLeftChannelColor, PenStyle::Solid).empty());
    EXPECT_TRUE(SegmentsWithPen(Calls(), kLeftChannelColor, PenStyle::Dotted).empty());
    EXPECT_FALSE(FindText(Calls(), "Gnd"));
    EXPECT_FALSE(FindText(Calls(), "Upper Limit (+32767)"));
    EXPECT_TRUE(Polygons(Calls(), kLeftChannelColor).empty());

    EXPECT_TRUE(FindText(Calls(), " 0.00 V"));
    EXPECT_EQ(Polygons(Calls(), kMarkerColor).size(), 1u);  // trigger marker
    // Trigger level line plus two cursors plus the line joining them.
    EXPECT_EQ(SegmentsWithPen(Calls(), kMarkerColor, PenStyle::Dotted).size(), 4u);
    EXPECT_EQ(TextsStartingWith(Calls(), "  2.083 ms").size(), 1u);
    EXPECT_TRUE(FindText(Calls(), "HOLD"));
}

TEST_F(ScopeViewTest, HoldIsShownOnceEvenWithTheLeftChannelOff) {
    state.run = false;
    Draw(Left(true, /*on=*/false));
    Draw(Right());
    const auto holds = TextsStartingWith(Calls(), "HOLD");
    ASSERT_EQ(holds.size(), 1u);
    EXPECT_EQ(holds[0].at, (Point{395, 15}));
    EXPECT_EQ(holds[0].color, kHoldTextColor);
}

TEST_F(ScopeViewTest, NoTriggerFoundSuppressesTracesAndShowsTheWaitingNoticeOnce) {
    struct Case {
        bool repeat;
        const char* notice;
    };
    for (const Case c : {Case{true, "WAITING FOR TRIGGER..."},
                         Case{false, "WAITING FOR TRIGGER... (Single Mode)"}}) {
        SCOPED_TRACE(c.notice);
        surface.Clear();
        state.triggerEnabled = true;
        state.triggerRepeat = c.repeat;
        Draw(Left(/*valid=*/false));
        Draw(Right(/*valid=*/false));
        EXPECT_TRUE(Trace(kLeftChannelColor).empty());
        EXPECT_TRUE(Trace(kRightChannelColor).empty());
        EXPECT_TRUE(Polygons(Calls(), kMarkerColor).empty());  // no trigger marker either
        const auto notices = TextsStartingWith(Calls(), "WAITING");
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].text, c.notice);
        EXPECT_EQ(notices[0].at, (Point{30, 40}));
        EXPECT_EQ(notices[0].color, kLeftChannelColor);
    }
}

TEST_F(ScopeViewTest, GroundMarkAndLabelSitOnTheZeroLine) {
    state.positionL = 10;
    Draw(Left());
    const auto gnd = FindText(Calls(), "Gnd");
    ASSERT_TRUE(gnd);
    EXPECT_EQ(gnd->at, (Point{10, 74}));
    EXPECT_EQ(gnd->color, kTextColor);
    const auto marks = Polygons(Calls(), kLeftChannelColor);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0], (std::vector<Point>{{0, 77}, {5, 80}, {0, 83}}));
}

// --- ADC range ---------------------------------------------------------------------------

TEST_F(ScopeViewTest, AdcRangeLinesArrowsAndLabelsAtFullScale) {
    state.adcRangeShown = true;
    state.scaleL = 32768;
    Draw(Left());
    // y(32767) = 90 + trunc(-49.998...) = 41; y(-32768) = 140.
    const auto dotted = SegmentsWithPen(Calls(), kLeftChannelColor, PenStyle::Dotted);
    ASSERT_EQ(dotted.size(), 2u);
    EXPECT_EQ(dotted[0].from, (Point{0, 41}));
    EXPECT_EQ(dotted[0].to, (Point{480, 41}));
    EXPECT_EQ(dotted[1].from, (Point{0, 140}));

    const auto runs = Polylines(Calls(), kLeftChannelColor, PenStyle::Solid);
    ASSERT_GE(runs.size(), 4u);
    EXPECT_EQ(runs[0], (std::vector<Point>{{280, 43}, {280, 51}, {276, 47}}));
    EXPECT_EQ(runs[1], (std::vector<Point>{{280, 51}, {284, 47}}));
    EXPECT_EQ(runs[2], (std::vector<Point>{{60, 138}, {60, 130}, {56, 134}}));
    EXPECT_EQ(runs[3], (std::vector<Point>{{60, 130}, {64, 134}}));

    const auto upper = FindText(Calls(), "Upper Limit (+32767)");
    const auto lower = FindText(Calls(), "Lower Limit (-32768)");
    ASSERT_TRUE(upper && lower);
    EXPECT_EQ(upper->at, (Point{295, 41}));
    EXPECT_EQ(lower->at, (Point{75, 126}));
    EXPECT_EQ(upper->color, kLeftChannelColor);
}

// --- trigger -----------------------------------------------------------------------------

TEST_F(ScopeViewTest, TriggerLineReadoutAndMarkerBelongToTheSourceChannelOnly) {
    state.triggerEnabled = true;
    state.triggerSourceLeft = false;
    state.triggerLevel = 16384;
    state.scaleR = 32768;
    state.timeOffset = -48;  // trigger instant 48 samples = 48 pixels from the left edge
    Draw(Left());
    EXPECT_TRUE(SegmentsWithPen(Calls(), kMarkerColor, PenStyle::Dotted).empty());
    EXPECT_TRUE(TextsStartingWith(Calls(), " 0.83").empty());

    Draw(Right());
    const auto line = SegmentsWithPen(Calls(), kMarkerColor, PenStyle::Dotted);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0].from, (Point{0, 245}));
    EXPECT_EQ(line[0].to, (Point{480, 245}));
    const auto readout = FindText(Calls(), " 0.83 V");
    ASSERT_TRUE(readout);
    EXPECT_EQ(readout->at, (Point{440, 233}));
    const auto marker = Polygons(Calls(), kMarkerColor);
    ASSERT_EQ(marker.size(), 1u);
    EXPECT_EQ(marker[0], (std::vector<Point>{{46, 243}, {51, 243}, {51, 248}, {46, 248}}));
}

// --- cursors -----------------------------------------------------------------------------

TEST_F(ScopeViewTest, CursorReadoutsInMillisecondsWithSignedDifference) {
    state.cursorX = {100, 300};
    state.cursorShown = {true, true};
    Draw(Left());
    // 480 samples at 48 kHz across 480 pixels: one pixel is 1/48 ms.
    const auto first = FindText(Calls(), "  2.083 ms");
    const auto second = FindText(Calls(), "  6.250 ms");
    const auto difference = FindText(Calls(), " -4.167 ms");
    ASSERT_TRUE(first && second && difference);
    EXPECT_EQ(first->at, (Point{100, 8}));
    EXPECT_EQ(second->at, (Point{300, 32}));
    EXPECT_EQ(difference->at, (Point{175, 335}));

    const auto lines = SegmentsWithPen(Calls(), kMarkerColor, PenStyle::Dotted);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (testing::Segment{{100, 0}, {100, 360}, kMarkerColor, PenStyle::Dotted}));
    EXPECT_EQ(lines[2], (testing::Segment{{100, 350}, {300, 350}, kMarkerColor, PenStyle::Dotted}));
}

TEST_F(ScopeViewTest, CursorTimeAccountsForTimeSpanRateAndOversampling) {
    state.timeSpan = 1920;
    state.sampleRate = 96000;
    state.oversampling = 2;
    state.cursorX = {240, 0};
    state.cursorShown = {true, false};
    Draw(Left());
    // 1920 / 96000 s across 480 pixels, halved by OSR 2: 5 ms at the middle.
    EXPECT_TRUE(FindText(Calls(), "  5.000 ms"));
}

TEST_F(ScopeViewTest, CursorAtTheRightEdgeKeepsItsReadoutInsideTheField) {
    state.cursorX = {480, 480};
    state.cursorShown = {true, true};
    Draw(Left());
    const auto readouts = TextsStartingWith(Calls(), " 10.000 ms");
    ASSERT_EQ(readouts.size(), 2u);
    EXPECT_EQ(readouts[0].at, (Point{430, 8}));
    EXPECT_EQ(readouts[1].at, (Point{430, 32}));
    EXPECT_EQ(FindText(Calls(), "  0.000 ms")->at, (Point{430, 335}));
    const auto lines = SegmentsWithPen(Calls(), kMarkerColor, PenStyle::Dotted);
    EXPECT_EQ(lines[0].from.x, 480);
}

TEST_F(ScopeViewTest, FrequencyDifferenceAndCursorsAtOnePlace) {
    state.differenceInSeconds = false;
    state.cursorShown = {true, true};
    struct Case {
        std::array<int32_t, 2> cursors;
        const char* expected;
    };
    for (const Case& c : {Case{{300, 100}, "   240 Hz"}, Case{{100, 300}, "   240 Hz"},
                          Case{{200, 200}, "   --- Hz"}}) {
        SCOPED_TRACE(c.expected);
        surface.Clear();
        state.cursorX = c.cursors;
        Draw(Left());
        EXPECT_TRUE(FindText(Calls(), c.expected));
        EXPECT_TRUE(TextsStartingWith(Calls(), "inf").empty());
    }
}

TEST_F(ScopeViewTest, HiddenCursorsAndTheRightCallDrawNoCursorMarks) {
    state.cursorX = {100, 300};
    state.cursorShown = {false, true};
    Draw(Right());
    EXPECT_TRUE(SegmentsWithPen(Calls(), kMarkerColor, PenStyle::Dotted).empty());
    Draw(Left());
    EXPECT_EQ(SegmentsWithPen(Calls(), kMarkerColor, PenStyle::Dotted).size(), 1u);
    EXPECT_TRUE(TextsStartingWith(Calls(), "  2.083").empty());
    EXPECT_TRUE(FindText(Calls(), "  6.250 ms"));
}

// --- values no setting should produce, which must still draw sanely ------------------------

void ExpectAllCoordinatesBounded(const std::vector<DrawCall>& calls) {
    for (const DrawCall& call : calls)
        for (const Point& p : call.points) {
            EXPECT_LE(std::abs(p.x), kPixelLimit + 32);
            EXPECT_LE(std::abs(p.y), kPixelLimit + 32);
        }
}

TEST_F(ScopeViewTest, HugeCalibrationClampsTheTraceAndHidesAnUnreadableReadout) {
    state.cal = 1e300;
    state.triggerEnabled = true;
    state.triggerLevel = 1000;
    state.adcRangeShown = true;
    samples.fill(1000.0);
    Draw(Left());
    const auto trace = Trace(kLeftChannelColor);
    ASSERT_EQ(trace.size(), 481u);
    EXPECT_EQ(trace.front().y, 90 - kPixelLimit);
    EXPECT_TRUE(FindText(Calls(), "  --- V"));
    ExpectAllCoordinatesBounded(Calls());
}

TEST_F(ScopeViewTest, AllZeroInputStaysOnTheZeroLineWhateverTheScale) {
    struct Case {
        const char* what;
        int32_t scale;
        double cal;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"huge CAL", 16384, 1e300},
        {"infinite CAL", 16384, inf},
        {"zero scale", 0, 1.0},
        {"not-a-number CAL", 16384, std::numeric_limits<double>::quiet_NaN()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        surface.Clear();
        state.scaleL = c.scale;
        state.cal = c.cal;
        state.triggerEnabled = true;
        samples.fill(0.0);
        Draw(Left());
        const auto trace = Trace(kLeftChannelColor);
        ASSERT_EQ(trace.size(), 481u);
        for (const Point& p : trace) ASSERT_EQ(p.y, 90);
        ExpectAllCoordinatesBounded(Calls());
    }
}

TEST_F(ScopeViewTest, ExtremeSettingsNeitherOverflowNorDrawGarbage) {
    state.timeSpan = 0;
    state.timeOffset = std::numeric_limits<int32_t>::min();
    state.positionL = std::numeric_limits<int32_t>::max();
    state.sampleRate = 0;
    state.triggerEnabled = true;
    state.cursorX = {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()};
    state.cursorShown = {true, true};
    Draw(Left());
    EXPECT_TRUE(Trace(kLeftChannelColor).empty());
    EXPECT_EQ(TextsStartingWith(Calls(), "    --- ms").size(), 3u);
    ExpectAllCoordinatesBounded(Calls());
}

}  // namespace
}  // namespace velmora2
