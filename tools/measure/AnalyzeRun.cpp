#include "tools/measure/AnalyzeRun.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "precision/PrecisionAnalyzer.h"
#include "tools/measure/OptionPairs.h"
#include "wav/WavReader.h"

namespace velmora2 {

namespace {

bool IsPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// One sample in full-scale units, little-endian as WAV files store it.
double Sample(const uint8_t* p, const WaveFormat& format) {
    const int bits = format.bitsPerSample;
    if (format.formatTag == kWavFloatTag) {
        uint64_t raw = 0;
        for (int i = bits / 8 - 1; i >= 0; --i) raw = raw << 8 | p[i];
        if (bits == 32) {
            float value;
            const auto word = static_cast<uint32_t>(raw);
            std::memcpy(&value, &word, sizeof value);
            return value;
        }
        double value;
        std::memcpy(&value, &raw, sizeof value);
        return value;
    }
    if (bits == 8) return (p[0] - 128) / 128.0;
    uint32_t raw = 0;
    for (int i = bits / 8 - 1; i >= 0; --i) raw = raw << 8 | p[i];
    raw <<= 32 - bits;  // the sign to the top
    return static_cast<int32_t>(raw) / 2147483648.0;
}

// The samples of channel `channel` (the only one of a mono file for both) in full-scale units;
// a value that is not finite counts as 0.
std::vector<double> Channel(const WavContents& wav, int channel, int points) {
    std::vector<double> x(points);
    const WaveFormat& format = wav.format;
    const int bytes = format.bitsPerSample / 8;
    const int c = std::min(channel, format.channels - 1);
    for (int m = 0; m < points; ++m) {
        const double v = Sample(
            wav.data.data() + static_cast<size_t>(m) * format.blockAlign + c * bytes, format);
        x[m] = std::isfinite(v) ? v : 0.0;
    }
    return x;
}

// JSON has no infinities and no missing numbers: either is null.
std::string Json(const std::optional<double>& value) {
    if (!value || !std::isfinite(*value)) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", *value);
    return text;
}

std::string Json(double value) {
    return Json(std::optional<double>(value));
}

std::string JsonText(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
    return out + "\"";
}

// The figures of a channel as key/value pairs, in the order both formats print them.
std::vector<std::pair<std::string, std::string>> Fields(const AnalyzeOptions& options,
                                                        const ChannelFigures& c) {
    std::vector<std::pair<std::string, std::string>> fields;
    const auto add = [&](const char* key, const std::string& value) {
        fields.emplace_back(key, value);
    };
    const std::optional<double> unmeasured;
    const auto figure = [&](double value) {
        return Json(c.measured ? std::optional<double>(value) : unmeasured);
    };
    add("frequency_hz", figure(c.frequencyHz));
    add("level_dbfs", figure(c.levelDbfs));
    add("phase_deg", figure(c.phaseDegrees));
    add("thd_percent", Json(c.thdPercent));
    add("thd_n_percent", Json(c.thdPlusNoisePercent));
    add("sinad_db", Json(c.sinadDb));
    add("snr_db", Json(c.snrDb));
    add("snr_a_db", Json(c.snrADb));
    add("snr_band_db", Json(c.snrBandDb));
    add("enob_bits", Json(c.enobBits));
    add("noise_dbfs", Json(c.noiseDbfs));
    add("noise_a_dbfs", Json(c.noiseADbfs));
    std::string harmonics = "[";
    for (size_t i = 0; i < c.harmonicsDb.size(); ++i)
        harmonics += (i ? ", " : "") + Json(c.harmonicsDb[i]);
    add("harmonics_db", harmonics + "]");
    add("crosstalk_db", Json(c.crosstalkDb));
    if (options.precision.imd != ImdStandard::None) {
        const std::optional<ImdFigures>& imd = c.imd;
        add("imd_percent", imd ? Json(imd->percent) : "null");
        add("imd_order2_percent", imd ? Json(imd->secondOrderPercent) : "null");
        add("imd_order3_percent", imd ? Json(imd->thirdOrderPercent) : "null");
        add("imd_tones_hz",
            imd ? "[" + Json(imd->lowToneHz) + ", " + Json(imd->highToneHz) + "]" : "null");
    }
    if (options.precision.fullScaleVrms > 0) {
        for (const auto& [name, volts] :
             {std::pair{"level", c.level}, std::pair{"noise", c.noise}}) {
            add((std::string(name) + "_vrms").c_str(), volts ? Json(volts->rms) : "null");
            add((std::string(name) + "_dbv").c_str(), volts ? Json(volts->dbv) : "null");
            add((std::string(name) + "_dbu").c_str(), volts ? Json(volts->dbu) : "null");
        }
    }
    return fields;
}

}  // namespace

AnalyzeParse ParseAnalyzeArguments(std::span<const std::string_view> args) {
    AnalyzeParse parse;
    AnalyzeOptions o;
    const std::string error = ReadOptionPairs(
        args, "--json", [&](std::string_view option, std::string_view value) -> std::string {
            if (option == "--json") {
                o.json = true;
                return {};
            }
            const auto refuse = [&](const char* hint) { return Refusal(option, value, hint); };
            if (option == "--input") {
                o.input = std::string(value);
            } else if (option == "--band") {
                const std::optional<BandHz> band = ParseBandHz(value);
                if (!band) return refuse("use LOW-HIGH in Hz, e.g. 20-20000");
                o.precision.bandLowHz = band->low;
                o.precision.bandHighHz = band->high;
            } else if (option == "--weighting") {
                if (value != "a" && value != "none") return refuse("use a or none");
                o.precision.aWeighted = value == "a";
            } else if (option == "--imd") {
                if (value != "smpte" && value != "ccif") return refuse("use smpte or ccif");
                o.precision.imd = value == "smpte" ? ImdStandard::Smpte : ImdStandard::Ccif;
            } else if (option == "--fullscale-vrms") {
                const std::optional<double> volts = ParseNumber(value);
                if (!volts || !(*volts > 0 && *volts <= 1000))
                    return refuse("use the RMS volts of a full-scale sine, above 0 up to 1000");
                o.precision.fullScaleVrms = *volts;
            } else if (option == "--cal") {
                const std::optional<double> cal = ParseNumber(value);
                if (!cal || !(*cal >= 0.01 && *cal <= 10))
                    return refuse("use a factor from 0.01 to 10");
                o.precision.calibration = *cal;
            } else if (option == "--points") {
                const std::optional<double> points = ParseNumber(value);
                if (!points || *points != std::floor(*points) || *points < kFewestPoints ||
                    *points > kMostPoints || !IsPowerOfTwo(static_cast<int>(*points)))
                    return refuse("use a power of two from 1024 to 262144");
                o.points = static_cast<int>(*points);
            } else {
                return UnknownOption(option);
            }
            return {};
        });
    if (!error.empty()) {
        parse.error = error;
        return parse;
    }
    if (o.input.empty()) {
        parse.error = "analyze needs --input FILE.wav";
        return parse;
    }
    parse.options = o;
    return parse;
}

int RunAnalysis(const AnalyzeOptions& options, StereoFigures& figures, std::string& error) {
    const WavContents wav = ReadWavFile(options.input, WavSamples::ForMeasuring);
    if (wav.fault != WavFault::None) {
        error = options.input + ": " +
                (wav.fault == WavFault::BadFormat
                     ? "is not PCM of 8, 16, 24 or 32 bits or floating point of 32 or 64 bits "
                       "with one or two channels"
                     : DescribeWavFault(wav.fault));
        return 1;
    }
    const size_t frames = wav.data.size() / wav.format.blockAlign;
    int points = options.points;
    if (points == 0)
        for (points = kMostPoints; points > kFewestPoints && static_cast<size_t>(points) > frames;)
            points /= 2;
    if (static_cast<size_t>(points) > frames) {
        error = options.input + ": holds " + std::to_string(frames) +
                " frames; the analysis needs " + std::to_string(points);
        return 1;
    }
    const std::vector<double> left = Channel(wav, 0, points);
    const std::vector<double> right = Channel(wav, 1, points);
    figures = AnalysePrecisely(left, right, 1.0, static_cast<int>(wav.format.sampleRate),
                               options.precision);
    return 0;
}

std::string FormatAnalysis(const AnalyzeOptions& options, const StereoFigures& f) {
    std::string out;
    const std::string band = "[" + Json(f.bandLowHz) + ", " + Json(f.bandHighHz) + "]";
    if (options.json) {
        out = "{\"file\": " + JsonText(options.input) +
              ", \"sample_rate\": " + std::to_string(f.sampleRate) +
              ", \"points\": " + std::to_string(f.points) + ", \"band_hz\": " + band +
              ", \"weighting\": " + (options.precision.aWeighted ? "\"a\"" : "\"none\"");
        for (const auto& [name, channel] :
             {std::pair{"left", &f.left}, std::pair{"right", &f.right}}) {
            out += std::string(", \"") + name + "\": {";
            bool first = true;
            for (const auto& [key, value] : Fields(options, *channel)) {
                out += (first ? "\"" : ", \"") + key + "\": " + value;
                first = false;
            }
            out += "}";
        }
        out += ", \"right_re_left\": {\"gain_db\": " + Json(f.gainDb) +
               ", \"phase_deg\": " + Json(f.phaseDegrees) + "}}\n";
        return out;
    }
    out = "file = " + options.input + "\nsample_rate = " + std::to_string(f.sampleRate) +
          "\npoints = " + std::to_string(f.points) + "\nband_hz = " + band + "\n";
    for (const auto& [name, channel] : {std::pair{"L", &f.left}, std::pair{"R", &f.right}}) {
        out += std::string("[") + name + "]\n";
        for (const auto& [key, value] : Fields(options, *channel))
            out += key + " = " + value + "\n";
    }
    out += "gain_right_re_left_db = " + Json(f.gainDb) +
           "\nphase_right_re_left_deg = " + Json(f.phaseDegrees) + "\n";
    return out;
}

const char* AnalyzeUsage() {
    return R"(  analyze --input FILE.wav [--band LOW-HIGH] [--weighting a|none] [--imd smpte|ccif]
          [--fullscale-vrms V] [--cal C] [--points N] [--json]
      The precision analysis of the file's first N frames, per channel: the fundamental's
      frequency, level and phase, harmonics 2 to 10 in dB below it, THD, THD+N, SINAD, S/N
      (unweighted, A-weighted and within the band), ENOB, the noise level, the crosstalk from
      the other channel, and the right input's gain and phase against the left one's. The
      README defines each figure.
      --band LOW-HIGH   the band of THD, THD+N and SINAD in Hz (default 20-20000; up to half
                        the rate)
      --weighting a     THD+N and SINAD A-weighted (default none)
      --imd STANDARD    also the two-tone intermodulation: smpte (SMPTE/DIN, e.g. 60 Hz and
                        7 kHz 4:1) or ccif (CCIF/DFD, e.g. 19 and 20 kHz 1:1)
      --fullscale-vrms V  the RMS volts of a full-scale sine at the input: levels in Vrms, dBV
                        and dBu as well
      --cal C           the probe's factor on those volts (0.01 to 10, default 1)
      --points N        record length, a power of two from 1024 to 262144 (default: the largest
                        the file holds)
      --json            print JSON: {"left": {...}, "right": {...}, "right_re_left": {...}}
)";
}

}  // namespace velmora2
