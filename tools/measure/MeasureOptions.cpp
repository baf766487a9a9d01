#include "tools/measure/MeasureOptions.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "analysis/SweepTable.h"
#include "engine/RecordLength.h"
#include "logsweep/OctaveBands.h"
#include "synthesis/LogSweepSignal.h"
#include "tools/measure/AnalyzeRun.h"
#include "tools/measure/GenerateRun.h"
#include "tools/measure/OptionPairs.h"

namespace velmora2 {

namespace {

constexpr std::array<std::string_view, 6> kWindowNames = {"rect",  "han",     "ham",
                                                          "black", "black-h", "bart"};
constexpr int kMaxAverage = 1000;  // the largest MAXAVEN the settings accept
constexpr std::array<int, 3> kSampleRates = {48000, 96000, 192000};

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

class ArgumentReader {
public:
    explicit ArgumentReader(std::span<const std::string_view> args) : args_(args) {}

    bool Done() const { return next_ >= args_.size(); }
    std::string_view Next() { return args_[next_++]; }
    // The value after an option; empty with an error when it is missing.
    std::optional<std::string_view> Value(std::string_view option, std::string& error) {
        if (Done() || args_[next_].starts_with("--")) {
            error = std::string(option) + " needs a value";
            return std::nullopt;
        }
        return Next();
    }

private:
    std::span<const std::string_view> args_;
    size_t next_ = 0;
};

std::optional<MeasureCommand> CommandNamed(std::string_view name) {
    if (name == "spectrum") return MeasureCommand::Spectrum;
    if (name == "scope") return MeasureCommand::Scope;
    if (name == "sweep") return MeasureCommand::Sweep;
    if (name == "--help" || name == "-h" || name == "help") return MeasureCommand::Help;
    return std::nullopt;
}

// --method and the log sweep's own options.
bool ApplyLogSweepOption(std::string_view option, ArgumentReader& reader, MeasureOptions& o,
                         std::string& error) {
    if (option == "--harmonics") {
        o.harmonics = true;
        return true;
    }
    const bool known = option == "--method" || option == "--seconds" || option == "--band" ||
                       option == "--smoothing" || option == "--impulse";
    if (!known) {
        error = UnknownOption(option);
        return false;
    }
    const auto value = reader.Value(option, error);
    if (!value) return false;
    const auto refuse = [&](std::string_view hint) {
        error = Refusal(option, *value, hint);
        return false;
    };
    if (option == "--method") {
        if (*value != "stepped" && *value != "log") return refuse("use stepped or log");
        o.logSweep = *value == "log";
    } else if (option == "--seconds") {
        const std::optional<double> seconds = ParseNumber(*value);
        if (!seconds || *seconds < kMinLogSweepSeconds || *seconds > kMaxLogSweepSeconds)
            return refuse("use 1 to 20 seconds");
        o.sweepSeconds = *seconds;
    } else if (option == "--band") {
        const std::optional<BandHz> band = ParseBandHz(*value);
        if (!band || band->low < kMinLogSweepHz || band->high < 2 * band->low)
            return refuse("use LOW-HIGH in Hz, an octave or more from 10 Hz, e.g. 20-20000");
        o.bandLowHz = band->low;
        o.bandHighHz = band->high;
    } else if (option == "--smoothing") {
        const std::optional<int> number = *value == "none" ? 0 : ParseInt(*value).value_or(-1);
        if (!IsSmoothingChoice(*number)) return refuse("use 6, 12, 24, 48 or none");
        o.smoothing = *number;
    } else {
        o.impulse = std::string(*value);
    }
    return true;
}

bool ApplySweepOption(std::string_view option, ArgumentReader& reader, MeasureOptions& o,
                      std::string& error) {
    if (option == "--sim" || option == "--device") {
        if (option == "--sim" ? o.device >= 0 : o.simulated) {
            error = "--sim and --device cannot be combined";
            return false;
        }
        if (option == "--sim") {
            o.simulated = true;
            return true;
        }
        const auto value = reader.Value(option, error);
        if (!value) return false;
        const std::optional<int> number = ParseInt(*value);
        if (!number || *number < 0) {
            error = "--device " + std::string(*value) +
                    ": use a device number that velmora2-list-devices shows";
            return false;
        }
        o.device = *number;
        return true;
    }
    if (option == "--points" || option == "--rate") {
        const auto value = reader.Value(option, error);
        if (!value) return false;
        const std::optional<int> number = ParseInt(*value);
        const bool points = option == "--points";
        const auto allowed =
            points ? std::span<const int>(kSweepPointCounts) : std::span<const int>(kSampleRates);
        if (!number || std::find(allowed.begin(), allowed.end(), *number) == allowed.end()) {
            error = std::string(option) + " " + std::string(*value) +
                    (points ? ": use 11, 18, 30 or 45" : ": use 48000, 96000 or 192000");
            return false;
        }
        (points ? o.points : o.rate) = *number;
        return true;
    }
    if (option == "--slow" || option == "--realtime") {
        (option == "--slow" ? o.slow : o.simulatedRealTime) = true;
        return true;
    }
    return ApplyLogSweepOption(option, reader, o, error);
}

// An option given that the chosen method does not use.
const char* MethodMismatch(const MeasureOptions& o) {
    const MeasureOptions defaults;
    if (o.logSweep && (o.points != defaults.points || o.slow))
        return "--points and --slow are for the stepped sweep";
    const bool logOptions = o.sweepSeconds != defaults.sweepSeconds ||
                            o.bandLowHz != defaults.bandLowHz || o.bandHighHz ||
                            o.smoothing != defaults.smoothing || !o.impulse.empty() || o.harmonics;
    if (!o.logSweep && logOptions)
        return "--seconds, --band, --smoothing, --impulse and --harmonics need --method log";
    return nullptr;
}

// Applies one option; false with `error` set when it is wrong or not for this command.
bool ApplyOption(std::string_view option, ArgumentReader& reader, MeasureOptions& o,
                 std::string& error) {
    const bool spectrum = o.command == MeasureCommand::Spectrum;
    const bool scope = o.command == MeasureCommand::Scope;
    const bool sweep = o.command == MeasureCommand::Sweep;
    if ((option == "--input" && !sweep) || option == "--png") {
        const auto value = reader.Value(option, error);
        if (!value) return false;
        (option == "--input" ? o.input : o.png) = std::string(*value);
        return true;
    }
    if (option == "--csv" || option == "--json") {
        const MeasureFormat format = option == "--csv" ? MeasureFormat::Csv : MeasureFormat::Json;
        if (option == "--json" && scope) {
            error = "--json is only for spectrum and sweep";
            return false;
        }
        if (o.format != MeasureFormat::Text && o.format != format) {
            error = "--csv and --json cannot be combined";
            return false;
        }
        o.format = format;
        return true;
    }
    if (spectrum && option == "--hpf") {
        o.highPass = true;
        return true;
    }
    if (spectrum && option == "--window") {
        const auto value = reader.Value(option, error);
        if (!value) return false;
        for (std::string_view name : kWindowNames) {
            if (*value == name) {
                o.window = std::string(name);
                return true;
            }
        }
        error = "--window " + std::string(*value) + ": use rect, han, ham, black, black-h or bart";
        return false;
    }
    if (spectrum && (option == "--fft" || option == "--average")) {
        const auto value = reader.Value(option, error);
        if (!value) return false;
        const std::optional<int> number = ParseInt(*value);
        if (option == "--fft") {
            if (!number || !IsValidRecordLength(*number)) {
                error = "--fft " + std::string(*value) + ": use a power of two from 256 to 65536";
                return false;
            }
            o.fftSize = *number;
        } else {
            if (!number || *number < 1 || *number > kMaxAverage) {
                error = "--average " + std::string(*value) + ": use a count from 1 to 1000";
                return false;
            }
            o.average = *number;
        }
        return true;
    }
    if (scope && option == "--trigger") {
        const auto value = reader.Value(option, error);
        if (!value) return false;
        if (*value == "off" || *value == "left" || *value == "right") {
            o.triggerSource = *value == "off" ? 0 : *value == "left" ? 1 : 2;
            return true;
        }
        error = "--trigger " + std::string(*value) + ": use off, left or right";
        return false;
    }
    if (scope && option == "--level") {
        const auto value = reader.Value(option, error);
        if (!value) return false;
        const std::optional<int> number = ParseInt(*value);
        if (!number || *number < -32768 || *number > 32767) {
            error = "--level " + std::string(*value) + ": use ADC counts from -32768 to 32767";
            return false;
        }
        o.triggerLevel = *number;
        return true;
    }
    if (scope && option == "--falling") {
        o.triggerRising = false;
        return true;
    }
    if (sweep) return ApplySweepOption(option, reader, o, error);
    error = "unknown option " + std::string(option) + " (see --help)";
    return false;
}

}  // namespace

MeasureParse ParseMeasureArguments(std::span<const std::string_view> args) {
    MeasureParse parse;
    if (args.empty()) {
        parse.error = "no subcommand (use spectrum, scope, sweep or generate; see --help)";
        return parse;
    }
    ArgumentReader reader(args);
    const std::string_view name = reader.Next();
    const std::optional<MeasureCommand> command = CommandNamed(name);
    if (!command) {
        parse.error = "unknown subcommand " + std::string(name) + " (see --help)";
        return parse;
    }
    MeasureOptions options;
    options.command = *command;
    while (!reader.Done()) {
        const std::string_view option = reader.Next();
        if (option == "--help" || option == "-h") {
            options.command = MeasureCommand::Help;
            parse.options = options;
            return parse;
        }
        if (options.command == MeasureCommand::Help ||
            !ApplyOption(option, reader, options, parse.error)) {
            if (parse.error.empty()) parse.error = "unexpected " + std::string(option);
            return parse;
        }
    }
    if (options.command == MeasureCommand::Sweep) {
        if (!options.simulated && options.device < 0) {
            parse.error = "sweep needs --sim or --device N";
            return parse;
        }
        if (options.simulatedRealTime && !options.simulated) {
            parse.error = "--realtime is for the simulated bench (--sim)";
            return parse;
        }
        if (const char* mismatch = MethodMismatch(options)) {
            parse.error = mismatch;
            return parse;
        }
    } else if (options.command != MeasureCommand::Help && options.input.empty()) {
        parse.error = std::string(name) + " needs --input FILE.wav";
        return parse;
    }
    parse.options = options;
    return parse;
}

std::string MeasureUsage() {
    return R"(Usage: velmora2-measure COMMAND [OPTIONS]

Measures a recording with the instrument's own engine, analysis and pictures, without a window.

Commands:
  spectrum --input FILE.wav [--fft N] [--window NAME] [--hpf] [--average K]
           [--json | --csv] [--png PICTURE.png]
      Analyses the file's first complete record (or averages its first K records) and prints,
      per channel, the main frequency, THD, THD+N, S/N, the harmonic count and the read-out
      texts the window draws.
      --fft N        record length: a power of two from 256 to 65536 (default 2048)
      --window NAME  rect, han, ham, black, black-h or bart (default black-h)
      --hpf          leave the bins below 75 Hz out of the noise (high-pass read-out)
      --average K    average K records (1 to 1000; default 1, no averaging)
      --json         print the figures as JSON
      --csv          print the spectrum instead: frequency_Hz,level_dB_L,level_dB_R
      --png FILE     write the spectrum picture as the window shows it (481 x 361 pixels)

  scope --input FILE.wav [--trigger off|left|right] [--level COUNTS] [--falling]
        [--csv] [--png PICTURE.png]
      Draws the oscilloscope picture of the file's first block and prints where it triggered.
      --trigger SRC  trigger source (default off)
      --level N      trigger level in ADC counts (default 0)
      --falling      trigger on a falling edge (default rising)
      --csv          print the samples instead: time_s,left_V,right_V (time 0 at the trigger)
      --png FILE     write the oscilloscope picture (481 x 361 pixels)

)" + std::string(AnalyzeUsage()) +
           "\n" + std::string(GenerateUsage()) +
           R"(  sweep (--sim | --device N) [--points 11|18|30|45] [--rate 48000|96000|192000] [--slow]
        [--csv | --json] [--png PICTURE.png] [--realtime]
        [--method log [--seconds S] [--band LOW-HIGH] [--smoothing N] [--harmonics] [--impulse F]]
      Runs a network (frequency-response) sweep exactly as the window's network analysis does:
      the generator plays one tone file per point, the spectrum measures the right input's gain
      and phase against the left one's, and the points are printed as they were measured:
      frequency (Hz), gain (dB), phase (degrees, negative when the right input lags, as the
      chart shows it), phase delay and group delay (microseconds; the group delay is the slope of
      the phase between the neighbouring points). A line on standard error follows the progress.
      --sim          sweep the simulated bench (a first-order low-pass at 3000 Hz between the
                     output and the right input), stepped as fast as the machine goes
      --device N     sweep through sound-device pair N as velmora2-list-devices numbers them
                     (output N plays, capture N records), in real time
      --points N     points in the sweep: 11, 18, 30 or 45 (default 18)
      --rate HZ      sampling rate: 48000, 96000 or 192000 (default 48000)
      --slow         a tone every 2 s instead of every 500 ms, for slow devices under test
      --csv          print frequency_Hz,gain_dB,phase_deg,phase_delay_us,group_delay_us
                     (the window's "Save data..." file)
      --json         print the points as JSON
      --png FILE     write the network chart as the window shows it (481 x 361 pixels)
      --realtime     with --sim: the bench on its own clock, as the window runs it
      --method M     stepped (the default, as above) or log: one exponential sine sweep, both
                     inputs captured whole, the right one's spectrum divided by the left one's
                     (so the sound path's delay cancels); one row per smoothed point, the phase
                     wrapped as the chart shows it, the group delay -d phase / d omega
      --seconds S    the log sweep's length, 1 to 20 s (default 4)
      --band LOW-HIGH  the log sweep's band in Hz, an octave or more from 10 Hz (default
                     20-20000; the end is never above 0.45 of the rate)
      --smoothing N  points averaged over 1/N octave: 6, 12, 24 or 48 (default), or none
      --harmonics    with --csv or --json: the levels of harmonics 2 to 5 against the
                     fundamental, per point (h2_dB ... h5_dB; nan or null beyond the band)
      --impulse FILE write the log sweep's impulse response as a mono 32-bit float WAV file
      The tone files are looked up as velmora2 looks them up: beside this program, in
      $XDG_DATA_HOME/velmora2, in the installed ones (<prefix>/share/velmora2), in the current
      directory and along PATH. A tone that is found nowhere is written (one second of a sine at
      -6 dBFS, as the build writes them) into a temporary directory that is removed afterwards.
      Your own settings file is neither read nor written: the sweep runs with the instrument's
      default settings and the options above.

For spectrum and scope, the file must be 16-bit PCM, mono or stereo, at 48000, 96000 or
192000 Hz (mono feeds both inputs). The other settings are the instrument's defaults. Numbers
are printed with a decimal point whatever the locale.

Exit status: 0 success, 1 a file or sound device that cannot be used or written, 2 wrong
arguments.
)";
}

}  // namespace velmora2
