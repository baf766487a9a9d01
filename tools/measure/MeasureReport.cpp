#include "tools/measure/MeasureReport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>

#include "dataexport/DataCsv.h"
#include "dataexport/LogSweepExport.h"

namespace velmora2 {

namespace {

std::string Number(double value) {
    std::string out;
    AppendNumber(out, value);
    return out;
}

// Fixed-point with `decimals` digits, right-aligned in `width` characters.
std::string Column(double value, int decimals, int width) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    std::string out(text, end);
    return std::string(std::max(0, width - static_cast<int>(out.size())), ' ') + out;
}

std::string Figure(const std::optional<double>& value, const char* missing) {
    return value ? Number(*value) : missing;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

void TextChannel(std::string& out, const char* name, const ChannelReport& c) {
    out += std::string("[") + name + "]\n";
    out += "main_frequency_hz = " + Number(c.mainFrequency) + "\n";
    out += "thd_percent = " + Figure(c.thd, "unmeasured") + "\n";
    out += "thd_n_percent = " + Figure(c.thdPlusNoise, "unmeasured") + "\n";
    out += "sn_db = " + Figure(c.signalToNoise, "unmeasured") + "\n";
    out += "harmonics = " + std::to_string(c.harmonicCount) + "\n";
    for (const std::string& line : c.readout) out += "readout = " + line + "\n";
}

std::string JsonChannel(const char* name, const ChannelReport& c) {
    std::string out = "{\"channel\": " + JsonString(name);
    out += ", \"main_frequency_hz\": " + Number(c.mainFrequency);
    out += ", \"thd_percent\": " + Figure(c.thd, "null");
    out += ", \"thd_n_percent\": " + Figure(c.thdPlusNoise, "null");
    out += ", \"sn_db\": " + Figure(c.signalToNoise, "null");
    out += ", \"harmonics\": " + std::to_string(c.harmonicCount);
    out += ", \"readout\": [";
    for (size_t i = 0; i < c.readout.size(); ++i)
        out += (i == 0 ? "" : ", ") + JsonString(c.readout[i]);
    return out + "]}";
}

std::string SpectrumReport(const MeasureOptions& o, const MeasureResult& r) {
    if (o.format == MeasureFormat::Csv) return SpectrumCsv(r.data);
    if (o.format == MeasureFormat::Json) {
        std::string out = "{\"file\": " + JsonString(o.input);
        out += ", \"sample_rate\": " + std::to_string(r.sampleRate);
        out += ", \"fft\": " + std::to_string(o.fftSize);
        out += ", \"window\": " + JsonString(o.window);
        out += std::string(", \"hpf\": ") + (o.highPass ? "true" : "false");
        out += ", \"records\": " + std::to_string(o.average);
        out += ", \"channels\": [" + JsonChannel("L", r.left) + ", " + JsonChannel("R", r.right) +
               "]}\n";
        return out;
    }
    std::string out = "file = " + o.input + "\n";
    out += "sample_rate = " + std::to_string(r.sampleRate) + "\n";
    out += "fft = " + std::to_string(o.fftSize) + "\n";
    out += "window = " + o.window + "\n";
    out += "records = " + std::to_string(o.average) + "\n";
    TextChannel(out, "L", r.left);
    TextChannel(out, "R", r.right);
    return out;
}

std::string ScopeReport(const MeasureOptions& o, const MeasureResult& r) {
    if (o.format == MeasureFormat::Csv) return ScopeCsv(r.data);
    std::string out = "file = " + o.input + "\n";
    out += "sample_rate = " + std::to_string(r.sampleRate) + "\n";
    out += std::string("triggered = ") + (r.triggerFound ? "yes" : "no") + "\n";
    out += "trigger_index = " + std::to_string(r.triggerIndex) + "\n";
    out += "samples = " + std::to_string(r.data.left.size()) + "\n";
    return out;
}

std::string SweepText(const std::vector<NetworkRow>& rows, int frequencyDecimals) {
    std::string out = "frequency_Hz     gain_dB   phase_deg  phase_delay_us  group_delay_us\n";
    for (const NetworkRow& row : rows)
        out += Column(row.frequency, frequencyDecimals, 12) + Column(row.gainDb, 3, 12) +
               Column(row.phaseDeg, 2, 12) + Column(row.phaseDelayUs, 2, 16) +
               Column(row.groupDelayUs, 2, 16) + "\n";
    return out;
}

// JSON has no infinities: a figure that is not finite is null.
std::string JsonNumber(double value) {
    return std::isfinite(value) ? Number(value) : "null";
}

// The log sweep's harmonics of point i, as JSON fields; none unless asked for.
using PointExtras = std::function<std::string(size_t i)>;

std::string SweepJson(const MeasureOptions& o, const std::vector<NetworkRow>& rows,
                      const PointExtras& extras) {
    std::string out =
        "{\"source\": " + JsonString(o.simulated ? "sim" : "device " + std::to_string(o.device));
    out += ", \"sample_rate\": " + std::to_string(o.rate);
    if (o.logSweep) {
        out += ", \"method\": \"log\", \"seconds\": " + Number(o.sweepSeconds);
        out += ", \"band_hz\": [" + Number(rows.front().frequency) + ", " +
               Number(rows.back().frequency) + "]";
        out += ", \"smoothing\": " + std::to_string(o.smoothing);
    } else {
        out += ", \"points\": " + std::to_string(o.points);
        out += std::string(", \"slow\": ") + (o.slow ? "true" : "false");
    }
    out += ", \"measured\": [";
    for (size_t i = 0; i < rows.size(); ++i) {
        out += i == 0 ? "\n  " : ",\n  ";
        out += "{\"frequency_hz\": " + JsonNumber(rows[i].frequency);
        out += ", \"gain_db\": " + JsonNumber(rows[i].gainDb);
        out += ", \"phase_deg\": " + JsonNumber(rows[i].phaseDeg);
        out += ", \"phase_delay_us\": " + JsonNumber(rows[i].phaseDelayUs);
        out += ", \"group_delay_us\": " + JsonNumber(rows[i].groupDelayUs);
        if (extras) out += extras(i);
        out += "}";
    }
    return out + "\n]}\n";
}

PointExtras HarmonicFields(const MeasureOptions& o, const LogSweepResult& result) {
    if (!o.harmonics) return {};
    return [&result](size_t i) {
        std::string fields;
        for (int k = 0; k < kHarmonicOrders; ++k)
            fields +=
                ", \"h" + std::to_string(k + 2) + "_db\": " + JsonNumber(result.harmonicDb[k][i]);
        return fields;
    };
}

}  // namespace

std::string FormatSweep(const MeasureOptions& options, const SweepOutcome& outcome) {
    if (outcome.logSweep) {
        const LogSweepResult& result = *outcome.logSweep;
        if (options.format == MeasureFormat::Csv) return LogSweepCsv(result, options.harmonics);
        const std::vector<NetworkRow> rows = NetworkRows(result);
        if (options.format == MeasureFormat::Json)
            return SweepJson(options, rows, HarmonicFields(options, result));
        return SweepText(rows, 2);
    }
    if (options.format == MeasureFormat::Csv) return NetworkCsv(outcome.results);
    const std::vector<NetworkRow> rows = NetworkRows(outcome.results);
    return options.format == MeasureFormat::Json ? SweepJson(options, rows, {})
                                                 : SweepText(rows, 0);
}

std::string FormatMeasurement(const MeasureOptions& options, const MeasureResult& result) {
    return options.command == MeasureCommand::Spectrum ? SpectrumReport(options, result)
                                                       : ScopeReport(options, result);
}

}  // namespace velmora2
