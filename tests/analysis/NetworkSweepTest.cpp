#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/NetworkSweep.h"
#include "analysis/SpectrumAnalyzer.h"
#include "tests/analysis/SignalSynthesis.h"

namespace velmora2 {
namespace {

constexpr double kPiPrime = 3.1415928;

double Degrees(double radians) {
    return radians * 180.0 / kPiPrime;
}

double Radians(double degrees) {
    return degrees * kPiPrime / 180.0;
}

struct TableCase {
    const char* description;
    int points;
    int rate;
    int count;
    double firstHz;
    double lastHz;
    int firstX;
    int lastX;
    int firstPeriod;
    int lastPeriod;
};

class SweepTables : public ::testing::TestWithParam<TableCase> {};

TEST_P(SweepTables, FrequenciesColumnsAndPeriods) {
    const TableCase& c = GetParam();
    const SweepTable table = BuildSweepTable(c.points, c.rate);
    ASSERT_EQ(table.count, c.count);
    EXPECT_EQ(table.frequency[0], c.firstHz);
    EXPECT_EQ(table.frequency[c.count - 1], c.lastHz);
    EXPECT_EQ(table.x[0], c.firstX);
    EXPECT_EQ(table.x[c.count - 1], c.lastX);
    EXPECT_EQ(table.period[0], c.firstPeriod);
    EXPECT_EQ(table.period[c.count - 1], c.lastPeriod);
    // Nothing is left behind the used points.
    EXPECT_EQ(table.frequency[c.count], 0.0);
    EXPECT_EQ(table.x[c.count], 0);
    for (int i = 1; i < c.count; ++i) {
        EXPECT_GT(table.frequency[i], table.frequency[i - 1]) << i;
        EXPECT_GE(table.x[i], table.x[i - 1]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SweepTables,
    ::testing::Values(
        TableCase{"eighteen_at_48k", 18, 48000, 18, 50, 20000, 82, 390, 961, 3},
        TableCase{"eleven_at_192k", 11, 192000, 11, 200, 80000, 130, 392, 961, 3},
        TableCase{"thirty_at_96k", 30, 96000, 30, 100, 40000, 108, 391, 961, 3},
        TableCase{"forty_five_at_48k", 45, 48000, 45, 50, 20000, 82, 390, 961, 3},
        TableCase{"twenty_five_takes_the_45_list", 25, 48000, 25, 50, 2200, 82, 277, 961, 22},
        TableCase{"other_rate_counts_as_192k", 11, 44100, 11, 200, 80000, 155, 466, 221, 1}),
    [](const auto& info) { return std::string(info.param.description); });

TEST(SweepTables, EighteenPointListInFull) {
    const double expected[] = {50,   100,  200,  300,  500,  700,   1000,  1500,  2000,
                               3000, 4000, 5000, 6000, 8000, 10000, 12000, 15000, 20000};
    const SweepTable table = BuildSweepTable(18, 48000);
    for (int i = 0; i < 18; ++i) EXPECT_EQ(table.frequency[i], expected[i]) << i;
}

// A bin-by-bin spectrum pair: one tone at `bin` in each channel with the given phasors.
struct SpectrumPair {
    explicit SpectrumPair(int n = 256) : left(n), right(n) {}

    void Tone(int bin, double magnitudeL, double angleL, double magnitudeR, double angleR) {
        Set(left, bin, magnitudeL, angleL);
        Set(right, bin, magnitudeR, angleR);
    }
    static void Set(ChannelSpectrum& c, int bin, double magnitude, double angle) {
        c.magnitude[bin] = magnitude;
        c.re[bin] = magnitude * std::cos(angle);
        c.im[bin] = magnitude * std::sin(angle);
    }
    SweepFrame Frame(int crossingL = 100, int crossingR = 100) const {
        return {left, right, crossingL, crossingR};
    }

    ChannelSpectrum left;
    ChannelSpectrum right;
};

// Runs a whole point: start, then frames until the measurement (the counter returns to 0).
void MeasurePoint(NetworkSweep& sweep, int index, const SweepFrame& frame, bool peakSearch = true) {
    sweep.StartPoint(index);
    for (int frames = 0; sweep.SettleCounter() != 0 && frames < 100; ++frames)
        sweep.MeasureSweepPoint(frame, peakSearch, false);
}

TEST(SweepMeasurement, SettlesForNineFramesOrTwentyNineWithSlowSweep) {
    for (const bool slow : {false, true}) {
        NetworkSweep sweep;
        sweep.Reset(18, 48000);
        SpectrumPair pair;
        pair.Tone(10, 100.0, 0.0, 50.0, 0.0);
        sweep.StartPoint(4);
        int frames = 0;
        while (sweep.SettleCounter() != 0 && frames < 100) {
            EXPECT_FALSE(sweep.Results().measured[4]) << "frame " << frames;
            sweep.MeasureSweepPoint(pair.Frame(), true, slow);
            ++frames;
        }
        EXPECT_EQ(frames, slow ? 29 : 9);
        EXPECT_TRUE(sweep.Results().measured[4]);
        EXPECT_NEAR(sweep.Results().gain[4], -6.0206, 1e-4);
        // Once measured, further frames change nothing until the next point starts.
        pair.Tone(10, 100.0, 0.0, 10.0, 0.0);
        sweep.MeasureSweepPoint(pair.Frame(), true, slow);
        EXPECT_NEAR(sweep.Results().gain[4], -6.0206, 1e-4);
    }
}

struct PointCase {
    const char* description;
    double magnitudeL;
    double angleL;  // degrees
    double magnitudeR;
    double angleR;
    bool peakSearch;
    int crossingL;
    int crossingR;
    double gainDb;
    double phaseDegrees;  // stored phase
};

class PointMeasurement : public ::testing::TestWithParam<PointCase> {};

// Point 5 of the 18-point list at 48000 Hz (700 Hz, period 69, half period 34).
TEST_P(PointMeasurement, GainAndSignedPhase) {
    const PointCase& c = GetParam();
    SpectrumPair pair;
    pair.Tone(12, c.magnitudeL, Radians(c.angleL), c.magnitudeR, Radians(c.angleR));
    NetworkSweep sweep;
    sweep.Reset(18, 48000);
    MeasurePoint(sweep, 5, pair.Frame(c.crossingL, c.crossingR), c.peakSearch);
    EXPECT_NEAR(sweep.Results().gain[5], c.gainDb, 1e-3);
    EXPECT_NEAR(Degrees(sweep.Results().phase[5]), c.phaseDegrees, 1e-6);
    EXPECT_TRUE(std::isfinite(sweep.Results().phase[5]));
}

INSTANTIATE_TEST_SUITE_P(
    Phasors, PointMeasurement,
    ::testing::Values(
        PointCase{"identical_inputs", 1000, 30, 1000, 30, true, 100, 100, 0.0, 0.0},
        PointCase{"right_lags_45", 1000, 10, 500, -35, true, 100, 108, -6.0206, 45.0},
        PointCase{"right_edge_first_within_half_period", 1000, 0, 1000, 60, true, 100, 90, 0.0,
                  -60.0},
        PointCase{"left_edge_first_by_more_than_half_period", 1000, 0, 1000, 60, true, 10, 50, 0.0,
                  -60.0},
        PointCase{"right_edge_first_by_more_than_half_period", 1000, 0, 1000, 60, true, 100, 60,
                  0.0, 60.0},
        PointCase{"a_phase_of_one_degree_is_never_negated", 1000, 0, 1000, 1, true, 100, 90, 0.0,
                  1.0},
        PointCase{"no_right_crossing_counts_as_index_zero", 1000, 0, 1000, 60, true, 20, 0, 0.0,
                  -60.0},
        PointCase{"zero_magnitude_gives_phase_zero", 1000, 0, 0, 0, true, 100, 100, -80.0, 0.0},
        PointCase{"peak_search_off_reads_bin_zero", 1000, 0, 500, 90, false, 100, 100, 0.0, 0.0}),
    [](const auto& info) { return std::string(info.param.description); });

TEST(SweepMeasurement, NoToneAtAllGivesZeroDecibels) {
    SpectrumPair pair;
    NetworkSweep sweep;
    sweep.Reset(18, 48000);
    MeasurePoint(sweep, 0, pair.Frame());
    EXPECT_EQ(sweep.Results().gain[0], 0.0);
    EXPECT_EQ(sweep.Results().phase[0], 0.0);
}

TEST(SweepMeasurement, NearlyParallelPhasorsStayFinite) {
    // Values whose dot product rounds above the product of the magnitudes.
    for (int k = 1; k < 200; ++k) {
        SpectrumPair pair;
        const double re = 0.1 * k + 1.0 / 3.0;
        const double im = 0.7 / k;
        for (ChannelSpectrum* c : {&pair.left, &pair.right}) {
            c->magnitude[7] = std::hypot(re, im);
            c->re[7] = re;
            c->im[7] = im;
        }
        NetworkSweep sweep;
        sweep.Reset(18, 48000);
        MeasurePoint(sweep, 3, pair.Frame());
        ASSERT_TRUE(std::isfinite(sweep.Results().phase[3])) << k;
        EXPECT_LT(sweep.Results().phase[3], 1e-7) << k;
    }
}

TEST(SweepMeasurement, PhasePassingHalfATurnIsUnfolded) {
    // acos gives 170, 175, 165, 150 degrees: the phase turned down past 180 between points 1
    // and 2, so point 2 is stored as 195 and point 3 as 210; the earlier points keep theirs.
    NetworkSweep sweep;
    sweep.Reset(18, 48000);
    const double unsignedPhases[] = {170, 175, 165, 150};
    for (int i = 0; i < 4; ++i) {
        SpectrumPair pair;
        pair.Tone(20, 1000, 0, 1000, Radians(unsignedPhases[i]));
        MeasurePoint(sweep, i, pair.Frame());
        EXPECT_EQ(sweep.PhaseWrapped(), i >= 2) << i;
    }
    const double stored[] = {170, 175, 195, 210};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(Degrees(sweep.Results().phase[i]), stored[i], 1e-6) << i;
    // Past 180 degrees the zero-crossing sign check no longer applies.
    EXPECT_FALSE(sweep.SignByCrossing());

    sweep.Reset(18, 48000);
    EXPECT_FALSE(sweep.PhaseWrapped());
    EXPECT_TRUE(sweep.SignByCrossing());
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(sweep.Results().measured[i]) << i;
}

TEST(SweepMeasurement, LowPassThroughItsCornerStaysPositiveWithoutWrap) {
    // First-order low-pass at 1 kHz: phase atan(f / 1000) grows toward 90 degrees.
    NetworkSweep sweep;
    sweep.Reset(11, 48000);
    for (int i = 0; i < 11; ++i) {
        const double f = sweep.Results().table.frequency[i];
        SpectrumPair pair;
        pair.Tone(30, 1000, 0, 1000 / std::hypot(1.0, f / 1000), -std::atan(f / 1000));
        MeasurePoint(sweep, i, pair.Frame(100, 101));
        EXPECT_NEAR(sweep.Results().phase[i], std::atan(f / 1000), 1e-6) << f;
    }
    EXPECT_FALSE(sweep.PhaseWrapped());
}

TEST(SweepMeasurement, PointsOutsideTheTableAreNotMeasured) {
    NetworkSweep sweep;
    sweep.Reset(11, 48000);
    SpectrumPair pair;
    pair.Tone(10, 100, 0, 10, 0);
    MeasurePoint(sweep, 11, pair.Frame());
    MeasurePoint(sweep, -1, pair.Frame());
    EXPECT_EQ(sweep.SettleCounter(), 0);
    for (bool measured : sweep.Results().measured) EXPECT_FALSE(measured);
}

// Whole records through the window and transform: the right channel is the left one shifted by a
// known phase; the crossings are searched on the raw records as the pipeline does.
struct ShiftCase {
    const char* description;
    double frequency;
    double shiftDegrees;  // positive: right lags
};

class ShiftedTone : public ::testing::TestWithParam<ShiftCase> {};

int FirstRisingZeroCrossing(const std::vector<double>& v) {
    for (int t = 60; t < 2047; ++t)
        if (v[t] <= 0 && 0 < v[t + 1]) return t;
    return 0;
}

TEST_P(ShiftedTone, MeasuredPhaseMatchesTheShift) {
    const ShiftCase& c = GetParam();
    constexpr int kRate = 48000;
    SpectrumAnalyzer analyzer(2048);
    std::vector<double> left(2048);
    std::vector<double> right(2048);
    const double shift = c.shiftDegrees * std::numbers::pi / 180.0;
    for (int t = 0; t < 2048; ++t) {
        const double w = 2 * std::numbers::pi * c.frequency * t / kRate;
        left[t] = 16000 * std::sin(w);
        right[t] = 8000 * std::sin(w - shift);
    }
    std::copy(left.begin(), left.end(), analyzer.Left().capture.begin());
    std::copy(right.begin(), right.end(), analyzer.Right().capture.begin());
    int counter = 0;
    analyzer.AnalyseRecord("black-h", kRate, false, 50, counter);

    NetworkSweep sweep;
    sweep.Reset(18, kRate);
    int index = 0;
    while (sweep.Results().table.frequency[index] != c.frequency) ++index;
    MeasurePoint(sweep, index,
                 {analyzer.Left(), analyzer.Right(), FirstRisingZeroCrossing(left),
                  FirstRisingZeroCrossing(right)});
    EXPECT_NEAR(sweep.Results().gain[index], -6.0206, 0.01);
    EXPECT_NEAR(Degrees(sweep.Results().phase[index]), c.shiftDegrees, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Records, ShiftedTone,
                         ::testing::Values(ShiftCase{"lag_30_at_1k", 1000, 30},
                                           ShiftCase{"lead_30_at_1k", 1000, -30},
                                           ShiftCase{"lag_80_at_5k", 5000, 80},
                                           ShiftCase{"lead_45_at_300", 300, -45},
                                           ShiftCase{"lag_120_at_3k", 3000, 120},
                                           ShiftCase{"in_phase_at_10k", 10000, 0}),
                         [](const auto& info) { return std::string(info.param.description); });

TEST(PeakBin, StrictlyLargerMagnitudeWinsBelowHalfTheLength) {
    std::vector<double> m(64, 0.0);
    EXPECT_EQ(FindPeakBin(m.data(), 64, true).bin, 0);
    EXPECT_EQ(FindPeakBin(m.data(), 64, true).amplitude, 0.1);
    m[5] = 3.0;
    m[9] = 3.0;   // a tie keeps the first
    m[40] = 9.0;  // the mirrored half is not searched
    EXPECT_EQ(FindPeakBin(m.data(), 64, true).bin, 5);
    EXPECT_EQ(FindPeakBin(m.data(), 64, true).amplitude, 3.0);
    EXPECT_EQ(FindPeakBin(m.data(), 64, false).bin, 0);
}

}  // namespace
}  // namespace velmora2
