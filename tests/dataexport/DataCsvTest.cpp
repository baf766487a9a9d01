// The CSV of each mode: header, one row per value, the units the instrument reads out, and
// numbers that read back to the same doubles.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <sstream>

#include "dataexport/DataCsv.h"

namespace velmora2 {
namespace {

std::vector<std::vector<double>> ReadRows(const std::string& csv, std::string& header) {
    std::istringstream lines(csv);
    std::getline(lines, header);
    std::vector<std::vector<double>> rows;
    for (std::string line; std::getline(lines, line);) {
        std::vector<double> row;
        const char* p = line.data();
        const char* end = line.data() + line.size();
        while (p < end) {
            double value = 0;
            const auto r = std::from_chars(p, end, value);
            EXPECT_EQ(r.ec, std::errc()) << line;
            row.push_back(value);
            p = r.ptr + (r.ptr < end && *r.ptr == ',' ? 1 : 0);
            if (r.ec != std::errc()) break;
        }
        rows.push_back(row);
    }
    return rows;
}

// 32768 * 30 / 50 counts is one volt: 30 pixels at 1V/d.
constexpr double kOneVolt = 32768.0 * 30.0 / 50.0;

TEST(DataCsv, ScopeRowsAreSecondsFromTheTriggerAndVolts) {
    ModeData data;
    data.mode = kModeScope;
    data.sampleRate = 48000;
    data.oversampling = 2;
    data.triggerIndex = 100;
    data.cal = 2.0;
    data.left = {kOneVolt, 0.0, -kOneVolt / 2};
    data.right = {0.1, -32768.0, 32767.0};
    std::string header;
    const auto rows = ReadRows(ScopeCsv(data), header);
    EXPECT_EQ(header, "time_s,left_V,right_V");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], -100.0 / 96000.0);  // oversampled: 96000 samples a second
    EXPECT_EQ(rows[2][0], -98.0 / 96000.0);
    EXPECT_DOUBLE_EQ(rows[0][1], 2.0);  // CAL 2 doubles the reading
    EXPECT_DOUBLE_EQ(rows[2][1], -1.0);
    EXPECT_EQ(rows[1][2], CountsToVolts(-32768.0, 2.0));
    EXPECT_EQ(rows[0][2], CountsToVolts(0.1, 2.0)) << "shortest text reads back exactly";
}

TEST(DataCsv, SpectrumRowsAreBinFrequenciesAndLevels) {
    ModeData data;
    data.mode = kModeSpectrum;
    data.sampleRate = 192000;
    data.fftSize = 8;
    data.specCal = 3.0;
    // Full scale: |X| = N * 32768 is 0 dB before SPECCAL.
    data.left = {0.0, 8 * 32768.0, 8 * 3276.8, 1.0};
    data.right = {8 * 32768.0, 0.0, 0.0, 0.0};
    std::string header;
    const std::string csv = SpectrumCsv(data);
    const auto rows = ReadRows(csv, header);
    EXPECT_EQ(header, "frequency_Hz,level_dB_L,level_dB_R");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1][0], 24000.0);
    EXPECT_EQ(rows[3][0], 72000.0);
    EXPECT_DOUBLE_EQ(rows[1][1], 3.0);
    EXPECT_DOUBLE_EQ(rows[2][1], -17.0);
    EXPECT_DOUBLE_EQ(rows[0][2], 3.0);
    EXPECT_NE(csv.find("\n0,-inf,3\n"), std::string::npos) << "no energy reads -inf";
}

TEST(DataCsv, LissajousRowsArePairsOfVolts) {
    ModeData data;
    data.mode = kModeLissajous;
    data.left = {kOneVolt, -kOneVolt};
    data.right = {0.0, kOneVolt};
    EXPECT_EQ(LissajousCsv(data), "left_V,right_V\n1,0\n-1,1\n");
}

TEST(DataCsv, NetworkRowsAreTheMeasuredPointsOnly) {
    SweepResults results;
    results.table = BuildSweepTable(18, 48000);
    const double pi = std::acos(-1.0);
    // A 100 us delay at 1 kHz lags by 36 degrees; a point not measured in this sweep is left out.
    const int measured = 5;
    results.measured[measured] = true;
    const double f = results.table.frequency[measured];
    results.gain[measured] = -3.0;
    results.phase[measured] = 2 * pi * f * 100e-6;
    results.gain[6] = 7.0;  // left over from an older sweep
    std::string header;
    const auto rows = ReadRows(NetworkCsv(results), header);
    EXPECT_EQ(header, "frequency_Hz,gain_dB,phase_deg,phase_delay_us,group_delay_us");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], f);
    EXPECT_EQ(rows[0][1], -3.0);
    EXPECT_NEAR(rows[0][2], -360.0 * f * 100e-6, 1e-9);  // a lag, negative as on the chart
    EXPECT_NEAR(rows[0][3], 100.0, 1e-9);
    EXPECT_TRUE(std::isnan(rows[0][4])) << "one point has no neighbour to take a slope to";
}

TEST(DataCsv, GroupDelayIsTheSlopeOfThePhaseBetweenTheNeighbouringMeasuredPoints) {
    SweepResults results;
    results.table = BuildSweepTable(18, 48000);
    const double pi = std::acos(-1.0);
    // 250 us of pure delay with a 90 degree lead on top: the phase delay varies with the
    // frequency, the group delay is 250 us everywhere. Point 3 was not measured.
    for (const int i : {0, 1, 2, 4, 5, 9}) {
        results.measured[i] = true;
        results.phase[i] = 2 * pi * results.table.frequency[i] * 250e-6 - pi / 2;
    }
    std::string header;
    const auto rows = ReadRows(NetworkCsv(results), header);
    ASSERT_EQ(rows.size(), 6u);
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        EXPECT_NEAR(row[4], 250.0, 1e-6);
        EXPECT_NEAR(row[3], 250.0 - 0.25 / row[0] * 1e6, 1e-6);
    }
}

TEST(DataCsv, NetworkWithNothingMeasuredIsEmpty) {
    SweepResults results;
    results.table = BuildSweepTable(11, 48000);
    EXPECT_EQ(NetworkCsv(results), "");
    results.table.count = 0;
    results.measured[0] = true;  // a flag beyond the table's end is not a point
    EXPECT_EQ(NetworkCsv(results), "");
}

}  // namespace
}  // namespace velmora2
