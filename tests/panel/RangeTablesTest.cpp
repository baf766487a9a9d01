// The range tables on their own: which list is in force, the rows a rate cannot serve, and the way
// back from stored values to spin positions.
#include <gtest/gtest.h>

#include <string>

#include "panel/RangeTables.h"

namespace velmora2 {
namespace {

struct TimeDivCase {
    const char* what;
    int osr;
    int rate;
    int position;
    std::string label;
    int32_t timeSpan;
};

TEST(TimeDivLists, AreChosenByTheEffectiveRate) {
    const TimeDivCase cases[] = {
        {"48 kHz plain", 1, 48000, 4, "1ms/d", 480},
        {"48 kHz oversampled twice is the 96 kHz list", 2, 48000, 4, "500us/d", 480},
        {"96 kHz plain is the same list", 1, 96000, 0, "20us/d", 19},
        {"192 kHz three ways", 2, 96000, 5, "500us/d", 960},
        {"384 kHz", 2, 192000, 2, "20us/d", 76},
        {"768 kHz", 4, 192000, 6, "200us/d", 1536},
        {"768 kHz keeps its own rounding", 4, 192000, 2, "10us/d", 77},
    };
    for (const TimeDivCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto step = TimeDivAt(c.position, c.osr, c.rate);
        ASSERT_TRUE(step.has_value());
        EXPECT_EQ(step->label, c.label);
        EXPECT_EQ(step->value, c.timeSpan);
        EXPECT_EQ(step->spinPosition, c.position);
    }
}

TEST(TimeDivLists, OtherPairsAndPositionsHaveNone) {
    EXPECT_EQ(TimeDivListFor(3, 48000), nullptr);
    EXPECT_EQ(TimeDivListFor(1, 44100), nullptr);
    EXPECT_EQ(TimeDivListFor(8, 192000), nullptr);
    EXPECT_FALSE(TimeDivAt(7, 1, 48000).has_value());
    EXPECT_FALSE(TimeDivAt(-1, 1, 48000).has_value());
    EXPECT_EQ(TimeDivListFor(4, 48000), TimeDivListFor(1, 192000));
}

TEST(HzDiv, RowsBeyondTheRateResolveToTheWidestItCanShow) {
    struct Case {
        int rate;
        int position;
        const char* label;
        int32_t freqSpan;
        int spinPosition;
    };
    const Case cases[] = {
        {48000, 4, "2kHz/d", 20000, 4},  {48000, 5, "2kHz/d", 20000, 4},
        {48000, 6, "2kHz/d", 20000, 4},  {96000, 5, "5kHz/d", 50000, 5},
        {96000, 6, "5kHz/d", 50000, 5},  {192000, 6, "10kHz/d", 100000, 6},
        {192000, 0, "100Hz/d", 1000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.rate << " Hz, position " << c.position);
        const auto step = HzDivAt(c.position, c.rate);
        ASSERT_TRUE(step.has_value());
        EXPECT_EQ(step->label, c.label);
        EXPECT_EQ(step->value, c.freqSpan);
        EXPECT_EQ(step->spinPosition, c.spinPosition);
    }
    EXPECT_FALSE(HzDivAt(7, 192000).has_value());
}

TEST(DbDiv, TheWholeScaleSpinRangeEndsOnTheWidestRow) {
    for (int position = 3; position <= 9; ++position) {
        const auto step = DbDivAt(position);
        ASSERT_TRUE(step.has_value()) << position;
        EXPECT_EQ(step->label, "20dB/d");
        EXPECT_EQ(step->value, -240);
        EXPECT_EQ(step->spinPosition, 3);
    }
    EXPECT_FALSE(DbDivAt(10).has_value());
    EXPECT_EQ(DbDivAt(0)->value, -36);
}

TEST(ReverseLookups, FindTheRowOrNothing) {
    EXPECT_EQ(TimeDivForSpan(1920, 4, 96000)->spinPosition, 6);
    EXPECT_EQ(TimeDivForSpan(1920, 4, 96000)->label, "500us/d");
    EXPECT_FALSE(TimeDivForSpan(1536, 1, 48000).has_value());
    EXPECT_FALSE(TimeDivForSpan(480, 1, 44100).has_value());
    EXPECT_EQ(HzDivForSpan(100000)->spinPosition, 6);
    EXPECT_FALSE(HzDivForSpan(4000).has_value());
    EXPECT_EQ(VoltDivForScale(327680)->label, "10V/d");
    EXPECT_FALSE(VoltDivForScale(32767).has_value());
    EXPECT_EQ(DbDivForBottom(-60)->spinPosition, 1);
    EXPECT_FALSE(DbDivForBottom(-100).has_value());
}

// Entering a mode puts each spin back where its stored value came from.
TEST(LinearMaps, LeadBackToTheSpinPositionOverTheWholeRange) {
    for (int n = 0; n <= 36; ++n) EXPECT_EQ(SpinFromPosition(PositionFromSpin(n)), n) << n;
    for (int n = 0; n <= 160; ++n) {
        EXPECT_EQ(SpinFromTimeOffset(TimeOffsetFromSpin(n)), n) << n;
        EXPECT_EQ(SpinFromCursor(CursorFromSpin(n)), n) << n;
        EXPECT_EQ(SpinFromFreqOffset(FreqOffsetFromSpin(n)), LimitFreqOffsetSpin(n)) << n;
        EXPECT_EQ(SpinFromLissajousCursor(LissajousCursorFromSpin(n)), LimitLissajousSpin(n)) << n;
    }
}

}  // namespace
}  // namespace velmora2
