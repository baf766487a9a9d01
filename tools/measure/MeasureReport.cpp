#include "tools/measure/MeasureReport.h"

#include "dataexport/DataCsv.h"

namespace velmora2 {

namespace {

std::string Number(double value) {
    std::string out;
    AppendNumber(out, value);
    return out;
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

}  // namespace

std::string FormatMeasurement(const MeasureOptions& options, const MeasureResult& result) {
    return options.command == MeasureCommand::Spectrum ? SpectrumReport(options, result)
                                                       : ScopeReport(options, result);
}

}  // namespace velmora2
