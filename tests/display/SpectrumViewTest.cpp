#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "display/DrawingConventions.h"
#include "display/PixelCoordinate.h"
#include "display/SpectrumView.h"
#include "tests/display/DrawQueries.h"

namespace velmora2 {
namespace {

using testing::FindText;
using testing::Polygons;
using testing::Polylines;
using testing::SegmentsWithPen;
using testing::Texts;

constexpr double kRate = 48000.0;

// The magnitude whose level is exactly 0 dB before SPECCAL: n x full scale.
double ZeroDb(int n) {
    return n * 32768.0;
}
// About -100 dB: well below any spike, well above the sentinel.
double Quiet(int n) {
    return ZeroDb(n) * 1e-5;
}

// A spectrum as the transform leaves it: the lower half given, the upper half its mirror image
// about the middle of the array.
std::vector<double> Mirrored(std::vector<double> lower) {
    const size_t n = lower.size() * 2;
    lower.resize(n);
    for (size_t k = 0; k < n / 2; ++k) lower[n - 1 - k] = lower[k];
    return lower;
}

// Quiet everywhere except 0 dB spikes at the given bins of the lower half (and their mirrors).
std::vector<double> Spikes(int n, std::initializer_list<int> bins) {
    std::vector<double> lower(static_cast<size_t>(n / 2), Quiet(n));
    for (int bin : bins) lower[static_cast<size_t>(bin)] = ZeroDb(n);
    return Mirrored(lower);
}

class SpectrumViewTest : public ::testing::Test {
protected:
    SpectrumChannel Left(int n = 2048) const {
        return {0,    30,   kRate, 0.0, 5000.0, -120.0, magnitudes, n, kLeftChannelColor,
                true, true, {}};
    }
    SpectrumChannel Right(int n = 2048) const {
        return {0,     60,   kRate, 0.0, 5000.0, -120.0, magnitudes, n, kRightChannelColor,
                false, true, {}};
    }
    void Linear(const SpectrumChannel& channel) { DrawSpectrumLinear(surface, channel, state); }
    void Log(const SpectrumChannel& channel) { DrawSpectrumLog(surface, channel, state); }
    const std::vector<DrawCall>& Calls() const { return surface.Calls(); }

    std::vector<Point> Trace(Rgb color) const {
        const auto runs = Polylines(Calls(), color, PenStyle::Solid);
        return runs.empty() ? std::vector<Point>{} : runs.front();
    }
    static std::vector<Point> At(const std::vector<Point>& trace, int y) {
        std::vector<Point> chosen;
        for (Point p : trace)
            if (p.y == y) chosen.push_back(p);
        return chosen;
    }

    std::vector<double> magnitudes;
    SpectrumViewState state;
    DrawCallLog surface{kSurfaceWidth, kSurfaceHeight, kFieldBackground};
};

// --- levels and rows -------------------------------------------------------------------------

struct LevelRow {
    const char* description;
    bool left;
    double specCal;  // the level of every bin, since the bins read 0 dB before it
    int32_t position;
    int expectedY;
};

TEST_F(SpectrumViewTest, LevelsLandOnTheirRowsWithTenDbPerDivision) {
    const LevelRow rows[] = {
        {"left 0 dB on its 0 dB line", true, 0.0, 0, 30},
        {"left -50 dB", true, -50.0, 0, 180},
        {"left -120 dB below the field", true, -120.0, 0, 390},
        {"right 0 dB one division lower", false, 0.0, 0, 60},
        {"right -50 dB", false, -50.0, 0, 210},
        {"right -120 dB", false, -120.0, 0, 420},
        {"position moves the trace up", true, 0.0, 20, 10},
        {"levels truncate toward zero", true, -0.5, 0, 31},
    };
    magnitudes.assign(2048, ZeroDb(2048));
    for (const LevelRow& row : rows) {
        SCOPED_TRACE(row.description);
        surface.Clear();
        state.specCal = row.specCal;
        state.positionL = state.positionR = row.position;
        const SpectrumChannel channel = row.left ? Left() : Right();
        Linear(channel);
        const auto trace = Trace(channel.color);
        ASSERT_FALSE(trace.empty());
        EXPECT_EQ(At(trace, row.expectedY).size(), trace.size());
    }
}

// --- linear bin range ------------------------------------------------------------------------

TEST_F(SpectrumViewTest, FiveKilohertzAt48kSpreads213BinsOver480Pixels) {
    magnitudes = Spikes(2048, {});
    Linear(Left());
    const auto trace = Trace(kLeftChannelColor);
    // 2.25 pixels per bin: every bin 0 ... 213 is its own vertex.
    ASSERT_EQ(trace.size(), 214u);
    EXPECT_EQ(trace.front().x, 0);
    EXPECT_EQ(trace[4].x, 9);
    EXPECT_EQ(trace.back().x, 479);
}

TEST_F(SpectrumViewTest, DecimationKeepsEverySingleBinPeak) {
    // 32768 bins on 480 pixels: about 68 bins per vertex. (Bins after the last vertex, less than
    // a pixel from the right edge, never reach a vertex.)
    constexpr int n = 65536;
    for (const int spike : {0, 1, 69, 12345, 32700}) {
        SCOPED_TRACE(spike);
        magnitudes = Spikes(n, {spike});
        surface.Clear();
        SpectrumChannel channel = Left(n);
        channel.endFrequency = 24000.0;
        Linear(channel);
        const auto trace = Trace(kLeftChannelColor);
        EXPECT_GE(trace.size(), 470u);
        EXPECT_LE(trace.size(), 481u);
        const auto peaks = At(trace, 30);
        ASSERT_EQ(peaks.size(), 1u);
        EXPECT_NEAR(peaks[0].x, spike * 480.0 / 32768.0, 2.0);
    }
}

TEST_F(SpectrumViewTest, ZeroBinsDropTheTraceToTheSentinelWithoutLoweringOtherBins) {
    constexpr int n = 65536;
    std::vector<double> lower(n / 2, 0.0);
    lower[100] = Quiet(n);  // shares its vertex with zero bins
    lower[20000] = ZeroDb(n);
    magnitudes = Mirrored(lower);
    SpectrumChannel channel = Left(n);
    channel.endFrequency = 24000.0;
    Linear(channel);
    const auto trace = Trace(kLeftChannelColor);
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(At(trace, 30).size(), 1u);
    EXPECT_EQ(At(trace, 30 + 300).size(), 1u);  // the -100 dB bin
    EXPECT_EQ(At(trace, 30 + 10000).size(), trace.size() - 2);
}

struct OffsetRow {
    const char* description;
    int32_t offset;
    int firstBin;  // the bin that must appear at the left edge
    size_t vertices;
};

TEST_F(SpectrumViewTest, OffsetShiftsTheFirstBinAndClampsAtZero) {
    const OffsetRow rows[] = {
        {"negative offset clamps to bin 0", -10, 0, 204},
        {"positive offset starts later", 10, 10, 214},
    };
    for (const OffsetRow& row : rows) {
        SCOPED_TRACE(row.description);
        magnitudes = Spikes(2048, {row.firstBin});
        surface.Clear();
        state.freqOffset = row.offset;
        Linear(Left());
        const auto trace = Trace(kLeftChannelColor);
        ASSERT_EQ(trace.size(), row.vertices);
        EXPECT_EQ(trace.front(), (Point{0, 30}));
    }
}

TEST_F(SpectrumViewTest, PositiveOffsetScrollsIntoTheMirroredUpperHalf) {
    magnitudes = Spikes(2048, {1000});  // mirrored at bin 1047
    SpectrumChannel channel = Left();
    channel.endFrequency = 24000.0;  // bins 0 ... 1024, 0.46875 pixels per bin
    state.freqOffset = 100;
    Linear(channel);
    const auto peaks = At(Trace(kLeftChannelColor), 30);
    ASSERT_EQ(peaks.size(), 2u);
    EXPECT_NEAR(peaks[0].x, (1000 - 100) * 0.46875, 2.0);
    EXPECT_NEAR(peaks[1].x, (1047 - 100) * 0.46875, 2.0);
}

struct EndRow {
    const char* description;
    int32_t offset;
    int spike;
    bool drawn;
};

TEST_F(SpectrumViewTest, LastBinIsClampedWhenTheSpanRunsPastTheArray) {
    // 2.25 pixels per bin, so that every bin in the range is a vertex of its own.
    const EndRow rows[] = {
        {"past the end: the last bin drawn is N - 2", 1900, 2047, false},
        {"past the end: N - 2 itself is drawn", 1900, 2046, true},
        {"ending exactly at N - 1 keeps it", 1834, 2047, true},
    };
    for (const EndRow& row : rows) {
        SCOPED_TRACE(row.description);
        magnitudes.assign(2048, Quiet(2048));
        magnitudes[static_cast<size_t>(row.spike)] = ZeroDb(2048);
        surface.Clear();
        state.freqOffset = row.offset;
        Linear(Left());
        EXPECT_EQ(At(Trace(kLeftChannelColor), 30).size(), row.drawn ? 1u : 0u);
    }
}

TEST_F(SpectrumViewTest, SwitchedOffLinearTraceDrawsNoTraceMarkersOrReadout) {
    magnitudes = Spikes(2048, {100});
    SpectrumChannel channel = Left();
    channel.traceShown = false;
    Linear(channel);
    EXPECT_TRUE(Trace(kLeftChannelColor).empty());
    EXPECT_TRUE(Polygons(Calls(), kLeftChannelColor).empty());
    EXPECT_TRUE(Texts(Calls()).empty());
}

// --- log axis --------------------------------------------------------------------------------

TEST_F(SpectrumViewTest, LogAxisPutsBin43At260AndSpansBin1ToBinNOver2) {
    // trunc(log10(43) x 480 / log10(1024)) at 48000 Hz, N = 2048.
    magnitudes = Spikes(2048, {0, 43});  // bin 0 has no place on the log axis
    state.freqOffset = 200;              // nor has the offset
    Log(Left());
    const auto trace = Trace(kLeftChannelColor);
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(At(trace, 30), (std::vector<Point>{{260, 30}}));
    EXPECT_EQ(trace.front().x, 0);
    EXPECT_EQ(trace.back().x, 479);
}

// --- cursors ---------------------------------------------------------------------------------

struct CursorRow {
    const char* description;
    bool log;
    std::array<int32_t, 2> x;
    std::array<bool, 2> shown;
    int32_t offset;
    std::vector<std::pair<std::string, Point>> expected;  // A, B, difference
};

TEST_F(SpectrumViewTest, CursorReadoutsFollowTheAxisAndStayInsideTheField) {
    const CursorRow rows[] = {
        {"linear, far right", false, {470, 0}, {true, false}, 0, {{"   4896 Hz", {430, 2}}}},
        {"log, far right", true, {470, 0}, {true, false}, 0, {{"  20773 Hz", {430, 182}}}},
        {"linear, offset counts in A and B but not in the difference",
         false,
         {100, 300},
         {true, true},
         10,
         {{"   1276 Hz", {100, 2}}, {"   3359 Hz", {300, 12}}, {"  -2083 Hz", {180, 335}}}},
        {"log",
         true,
         {100, 300},
         {true, true},
         0,
         {{"     99 Hz", {100, 182}}, {"   1784 Hz", {300, 192}}, {"  -1684 Hz", {180, 335}}}},
        {"B alone", false, {0, 96}, {false, true}, 0, {{"   1000 Hz", {96, 12}}}},
    };
    magnitudes = Spikes(2048, {});
    for (const CursorRow& row : rows) {
        SCOPED_TRACE(row.description);
        surface.Clear();
        state.cursorX = row.x;
        state.cursorShown = row.shown;
        state.freqOffset = row.offset;
        row.log ? Log(Left()) : Linear(Left());
        std::vector<std::pair<std::string, Point>> readouts;
        for (const auto& text : Texts(Calls()))
            if (text.text.ends_with(" Hz")) readouts.emplace_back(text.text, text.at);
        EXPECT_EQ(readouts, row.expected);
    }
}

TEST_F(SpectrumViewTest, CursorLinesComeOnlyWithTheLeftCall) {
    magnitudes = Spikes(2048, {});
    state.cursorX = {100, 300};
    state.cursorShown = {true, true};
    Linear(Right());
    Log(Right());
    EXPECT_TRUE(SegmentsWithPen(Calls(), kMarkerColor, PenStyle::Dotted).empty());
    Linear(Left());
    constexpr Rgb g = kMarkerColor;
    constexpr PenStyle dot = PenStyle::Dotted;
    EXPECT_EQ(SegmentsWithPen(Calls(), g, dot),
              (std::vector<testing::Segment>{{{100, 0}, {100, 360}, g, dot},
                                             {{300, 0}, {300, 360}, g, dot},
                                             {{100, 350}, {300, 350}, g, dot}}));
}

// --- dB markers ------------------------------------------------------------------------------

struct MarkerRow {
    const char* description;
    bool left;
    double dbRange;
    int32_t position;
    int expected[3];  // y of 0, -50 and -100 dB
};

TEST_F(SpectrumViewTest, DbMarkersFollowRangeAndPositionButNotCalibration) {
    const MarkerRow rows[] = {
        {"left, 10 dB/div", true, -120.0, 0, {30, 180, 330}},
        {"right, 5 dB/div", false, -60.0, 0, {60, 360, 660}},
        {"left moved up a division", true, -120.0, 30, {0, 150, 300}},
        {"20 dB/div truncates 50 x 1.5", true, -240.0, 0, {30, 105, 180}},
    };
    magnitudes = Spikes(2048, {});
    state.specCal = 10.0;
    for (const MarkerRow& row : rows) {
        SCOPED_TRACE(row.description);
        surface.Clear();
        state.positionL = state.positionR = row.position;
        SpectrumChannel channel = row.left ? Left() : Right();
        channel.dbRange = row.dbRange;
        Linear(channel);
        const auto triangles = Polygons(Calls(), channel.color);
        ASSERT_EQ(triangles.size(), 3u);
        const char* labels[3] = {"0dB", "-50dB", "-100dB"};
        for (int i = 0; i < 3; ++i) {
            const int y = row.expected[i];
            EXPECT_EQ(triangles[i], (std::vector<Point>{{0, y - 3}, {5, y}, {0, y + 3}}));
            const auto label = FindText(Calls(), labels[i]);
            ASSERT_TRUE(label);
            EXPECT_EQ(label->at, (Point{10, y - 6}));
        }
    }
}

// --- HOLD and read-out placement -------------------------------------------------------------

struct HoldRow {
    const char* description;
    bool log;
    bool left;
    bool traceShown;
    bool run;
    std::optional<Point> expected;
};

TEST_F(SpectrumViewTest, HoldLegendComesWithTheLeftCallWhileHeld) {
    const HoldRow rows[] = {
        {"linear, left trace off", false, true, false, false, Point{60, 0}},
        {"log, left call", true, true, true, false, Point{50, 0}},
        // The pipeline skips the log view's left call when the left trace is off.
        {"log, right call only", true, false, true, false, std::nullopt},
        {"linear, running", false, true, true, true, std::nullopt},
    };
    magnitudes = Spikes(2048, {});
    for (const HoldRow& row : rows) {
        SCOPED_TRACE(row.description);
        surface.Clear();
        state.run = row.run;
        SpectrumChannel channel = row.left ? Left() : Right();
        channel.traceShown = row.traceShown;
        row.log ? Log(channel) : Linear(channel);
        const auto hold = FindText(Calls(), "HOLD");
        ASSERT_EQ(hold.has_value(), row.expected.has_value());
        if (!hold) continue;
        EXPECT_EQ(hold->at, *row.expected);
        EXPECT_EQ(hold->color, kHoldTextColor);
    }
}

TEST_F(SpectrumViewTest, LogViewMovesTheReadoutBlockLeft) {
    magnitudes = Spikes(2048, {});
    Linear(Left());
    const auto linear = FindText(Calls(), "Lch:");
    surface.Clear();
    Log(Left());
    const auto log = FindText(Calls(), "Lch:");
    ASSERT_TRUE(linear && log);
    EXPECT_EQ(linear->at, (Point{365, 20}));
    EXPECT_EQ(log->at, (Point{300, 20}));
}

// --- settings and data that have no sensible picture -----------------------------------------

bool HasGarbage(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

void ExpectSaneDrawing(const std::vector<DrawCall>& calls) {
    for (const DrawCall& call : calls) {
        for (Point p : call.points) {
            EXPECT_LE(std::abs(p.x), kPixelLimit);
            EXPECT_LE(std::abs(p.y), kPixelLimit);
        }
    }
    for (const auto& text : Texts(calls)) EXPECT_FALSE(HasGarbage(text.text)) << text.text;
}

TEST_F(SpectrumViewTest, AllZeroSpectrumDrawsAtTheSentinelWithFiniteReadouts) {
    magnitudes.assign(2048, 0.0);
    state.cursorX = {100, 470};
    state.cursorShown = {true, true};
    for (const bool log : {false, true}) {
        SCOPED_TRACE(log ? "log" : "linear");
        surface.Clear();
        SpectrumChannel channel = Left();
        channel.figures = {0.0, {}, {}, {}};  // what the measurements give for silence
        log ? Log(channel) : Linear(channel);
        const auto trace = Trace(kLeftChannelColor);
        ASSERT_FALSE(trace.empty());
        EXPECT_EQ(At(trace, 30 + 10000).size(), trace.size());
        EXPECT_TRUE(FindText(Calls(), "THD:unmeasured"));
        ExpectSaneDrawing(Calls());
    }
}

struct DegenerateRow {
    const char* description;
    double sampleRate;
    double endFrequency;
    double dbRange;
    int32_t fftSize;
    double specCal;
    int32_t offset;
    double magnitude;
};

TEST_F(SpectrumViewTest, MeaninglessSettingsNeverReachACoordinateOrAText) {
    constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const DegenerateRow rows[] = {
        {"zero dB range", kRate, 5000.0, 0.0, 2048, 0.0, 0, 1.0},
        {"zero sample rate", 0.0, 5000.0, -120.0, 2048, 0.0, 0, 1.0},
        {"empty span", kRate, 0.0, -120.0, 2048, 0.0, 0, 1.0},
        {"no FFT size", kRate, 5000.0, -120.0, 0, 0.0, 0, 1.0},
        {"size larger than the array", kRate, 24000.0, -120.0, 65536, 0.0, 0, 1.0},
        {"calibration not a number", kRate, 5000.0, -120.0, 2048, kNan, 0, 1.0},
        {"huge calibration", kRate, 5000.0, -120.0, 2048, 1e300, 0, 1.0},
        {"infinite magnitudes", kRate, 5000.0, -3.0, 2048, 0.0, 0, kInf},
        {"offset far right", kRate, 5000.0, -120.0, 2048, 0.0, INT32_MAX, 1.0},
        {"offset far left", kRate, 5000.0, -120.0, 2048, 0.0, INT32_MIN, 1.0},
    };
    state.cursorX = {480, 0};
    state.cursorShown = {true, true};
    for (const DegenerateRow& row : rows) {
        SCOPED_TRACE(row.description);
        magnitudes.assign(2048, row.magnitude);
        state.specCal = row.specCal;
        state.freqOffset = row.offset;
        for (const bool log : {false, true}) {
            surface.Clear();
            SpectrumChannel channel = Left(row.fftSize);
            channel.sampleRate = row.sampleRate;
            channel.endFrequency = row.endFrequency;
            channel.dbRange = row.dbRange;
            channel.figures = {kNan, kInf, 1e300, -kInf};
            log ? Log(channel) : Linear(channel);
            ExpectSaneDrawing(Calls());
        }
    }
}

}  // namespace
}  // namespace velmora2
