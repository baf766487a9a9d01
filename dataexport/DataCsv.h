// The data behind a picture as CSV text: one header line, then one row per sample, bin or point.
// Numbers are written in the C locale in their shortest exact form, so a row reads back to the
// same double; a level of a bin with no energy is written as -inf.
#pragma once

#include <string>
#include <vector>

#include "analysis/SweepTable.h"
#include "engine/ModeData.h"

namespace velmora2 {

// Oscilloscope: "time_s,left_V,right_V", time 0 at the trigger point.
std::string ScopeCsv(const ModeData& data);
// Spectrum: "frequency_Hz,level_dB_L,level_dB_R" for the bins below N/2.
std::string SpectrumCsv(const ModeData& data);
// Lissajous: "left_V,right_V" for every display sample.
std::string LissajousCsv(const ModeData& data);
// One measured point of a network sweep in the units the chart and the data file use.
struct NetworkRow {
    double frequency = 0.0;  // Hz
    double gainDb = 0.0;     // right against left
    double phaseDeg = 0.0;   // as the chart shows it: negative when the right channel lags
    // -phase / (2 pi f), the delay the chart plots: positive for a lag.
    double phaseDelayUs = 0.0;
    // -d phase / d omega between the neighbouring measured points (to the one neighbour at
    // either end); not a number for a sweep of one point.
    double groupDelayUs = 0.0;
};
// The points measured in the last sweep, in the table's order.
std::vector<NetworkRow> NetworkRows(const SweepResults& results);
// Network: "frequency_Hz,gain_dB,phase_deg,phase_delay_us,group_delay_us" for the points measured
// in the last sweep; empty when none was.
std::string NetworkCsv(const SweepResults& results);

// Volts of an ADC value as the oscilloscope scale reads it: 30 pixels per volt at 1V/d.
double CountsToVolts(double counts, double cal);
// The spectrum level of a bin in dB: 20 log10((|X| / N) / 32768) + SPECCAL.
double LevelDb(double magnitude, int fftSize, double specCal);

// Appends the shortest text that reads back to exactly `value` ("nan", "inf", "-inf" for those).
void AppendNumber(std::string& out, double value);

}  // namespace velmora2
