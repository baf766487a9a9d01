#include "dataexport/DataCsv.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace velmora2 {

namespace {

constexpr double kFullScale = 32768.0;

void AppendRow(std::string& out, double a, double b) {
    AppendNumber(out, a);
    out += ',';
    AppendNumber(out, b);
    out += '\n';
}

void AppendRow(std::string& out, double a, double b, double c) {
    AppendNumber(out, a);
    out += ',';
    AppendRow(out, b, c);
}

void AppendRow(std::string& out, double a, double b, double c, double d) {
    AppendNumber(out, a);
    out += ',';
    AppendRow(out, b, c, d);
}

constexpr double kPi = 3.14159265358979323846;

}  // namespace

double CountsToVolts(double counts, double cal) {
    return cal * 50.0 * counts / 30.0 / kFullScale;
}

double LevelDb(double magnitude, int fftSize, double specCal) {
    return 20.0 * std::log10((magnitude / fftSize) / kFullScale) + specCal;
}

void AppendNumber(std::string& out, double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

std::string ScopeCsv(const ModeData& data) {
    std::string out = "time_s,left_V,right_V\n";
    const double secondsPerSample =
        1.0 / (static_cast<double>(data.sampleRate) * data.oversampling);
    for (size_t i = 0; i < data.left.size() && i < data.right.size(); ++i) {
        const double t = (static_cast<double>(i) - data.triggerIndex) * secondsPerSample;
        AppendRow(out, t, CountsToVolts(data.left[i], data.cal),
                  CountsToVolts(data.right[i], data.cal));
    }
    return out;
}

std::string SpectrumCsv(const ModeData& data) {
    std::string out = "frequency_Hz,level_dB_L,level_dB_R\n";
    const double binWidth = static_cast<double>(data.sampleRate) / data.fftSize;
    for (size_t k = 0; k < data.left.size() && k < data.right.size(); ++k) {
        AppendRow(out, static_cast<double>(k) * binWidth,
                  LevelDb(data.left[k], data.fftSize, data.specCal),
                  LevelDb(data.right[k], data.fftSize, data.specCal));
    }
    return out;
}

std::string LissajousCsv(const ModeData& data) {
    std::string out = "left_V,right_V\n";
    for (size_t i = 0; i < data.left.size() && i < data.right.size(); ++i)
        AppendRow(out, CountsToVolts(data.left[i], data.cal),
                  CountsToVolts(data.right[i], data.cal));
    return out;
}

std::vector<NetworkRow> NetworkRows(const SweepResults& results) {
    std::vector<NetworkRow> rows;
    std::vector<double> phases;  // radians, lag negative
    const int count = std::min(results.table.count, kMaxSweepPoints);
    for (int i = 0; i < count; ++i) {
        if (!results.measured[i]) continue;
        const double f = results.table.frequency[i];
        // The results keep a lag positive; the chart shows it negative.
        const double phase = -results.phase[i];
        phases.push_back(phase);
        rows.push_back({f, results.gain[i], phase * 180.0 / kPi, -1e6 * phase / (2.0 * kPi * f)});
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const size_t below = i > 0 ? i - 1 : i;
        const size_t above = i + 1 < rows.size() ? i + 1 : i;
        const double span = rows[above].frequency - rows[below].frequency;
        rows[i].groupDelayUs = below == above
                                   ? std::nan("")
                                   : -1e6 * (phases[above] - phases[below]) / (2.0 * kPi * span);
    }
    return rows;
}

std::string NetworkCsv(const SweepResults& results) {
    const std::vector<NetworkRow> rows = NetworkRows(results);
    if (rows.empty()) return {};
    std::string out = "frequency_Hz,gain_dB,phase_deg,phase_delay_us,group_delay_us\n";
    for (const NetworkRow& row : rows) {
        AppendNumber(out, row.frequency);
        out += ',';
        AppendRow(out, row.gainDb, row.phaseDeg, row.phaseDelayUs, row.groupDelayUs);
    }
    return out;
}

}  // namespace velmora2
