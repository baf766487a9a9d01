#include "tools/measure/GenerateRun.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "synthesis/SignalSource.h"
#include "tools/measure/OptionPairs.h"
#include "wav/WavWriter.h"

namespace velmora2 {

namespace {

struct SignalWord {
    std::string_view word;
    SignalKind kind;
};
constexpr SignalWord kSignals[] = {
    {"sine", SignalKind::Sine},      {"twotone", SignalKind::TwoTone}, {"smpte", SignalKind::Smpte},
    {"ccif", SignalKind::Ccif},      {"white", SignalKind::White},     {"pink", SignalKind::Pink},
    {"silence", SignalKind::Silence}};

struct ChannelWord {
    std::string_view word;
    SignalChannels channels;
};
constexpr ChannelWord kChannels[] = {{"both", SignalChannels::Both},
                                     {"left", SignalChannels::Left},
                                     {"right", SignalChannels::Right},
                                     {"inverted", SignalChannels::Inverted}};

constexpr double kMaxSeconds = 3600.0;

}  // namespace

GenerateParse ParseGenerateArguments(std::span<const std::string_view> args) {
    GenerateParse parse;
    GenerateOptions o;
    o.signal.kind = SignalKind::Sine;
    const std::string error = ReadOptionPairs(
        args, "--no-dither", [&](std::string_view option, std::string_view value) -> std::string {
            if (option == "--no-dither") {
                o.signal.dither = false;
                return {};
            }
            const auto refuse = [&](const char* hint) { return Refusal(option, value, hint); };
            if (option == "--signal") {
                const auto* found =
                    std::find_if(std::begin(kSignals), std::end(kSignals),
                                 [&](const SignalWord& s) { return s.word == value; });
                if (found == std::end(kSignals))
                    return refuse("use sine, twotone, smpte, ccif, white, pink or silence");
                o.signal.kind = found->kind;
            } else if (option == "--channels") {
                const auto* found =
                    std::find_if(std::begin(kChannels), std::end(kChannels),
                                 [&](const ChannelWord& c) { return c.word == value; });
                if (found == std::end(kChannels))
                    return refuse("use both, left, right or inverted");
                o.signal.channels = found->channels;
            } else if (option == "--output") {
                o.output = std::string(value);
            } else if (option == "--rate") {
                const std::optional<double> rate = ParseNumber(value);
                if (!rate || (*rate != 48000 && *rate != 96000 && *rate != 192000))
                    return refuse("use 48000, 96000 or 192000");
                o.rate = static_cast<int>(*rate);
            } else {
                const std::optional<double> number = ParseNumber(value);
                if (!number) return refuse("not a number");
                if (option == "--freq") {
                    o.signal.frequencyHz = *number;
                } else if (option == "--freq2") {
                    o.signal.frequency2Hz = *number;
                } else if (option == "--ratio") {
                    o.signal.ratio = *number;
                } else if (option == "--level") {
                    o.signal.levelDbfs = *number;
                } else if (option == "--phase") {
                    o.signal.phaseDegrees = *number;
                } else if (option == "--seconds") {
                    if (!(*number > 0.0 && *number <= kMaxSeconds))
                        return refuse("use a length from above 0 to 3600 s");
                    o.seconds = *number;
                } else {
                    return UnknownOption(option);
                }
            }
            return {};
        });
    if (!error.empty()) {
        parse.error = error;
        return parse;
    }
    if (o.output.empty()) {
        parse.error = "generate needs --output FILE.wav";
        return parse;
    }
    if (const char* problem = SignalProblem(o.signal, o.rate)) {
        parse.error = std::string("the signal cannot be made: ") + problem;
        return parse;
    }
    parse.options = o;
    return parse;
}

int WriteGeneratedFile(const GenerateOptions& options, std::string& error) {
    const std::vector<int16_t> loop = RenderLoop(options.signal, options.rate);
    std::unique_ptr<ByteFile> file = CreateByteFile(options.output, CreateMode::Replace);
    if (!file) {
        error = options.output + ": cannot be created";
        return 1;
    }
    WavWriter writer(std::move(file));
    bool written = writer.WriteHeader(WaveFormat::StereoPcm16(static_cast<uint32_t>(options.rate)));
    const auto frames = static_cast<size_t>(std::llround(options.seconds * options.rate));
    for (size_t done = 0; written && done < frames;) {
        const size_t count = std::min(loop.size() / 2, frames - done);
        written = writer.Append(reinterpret_cast<const uint8_t*>(loop.data()), count * 4);
        done += count;
    }
    if (!writer.Finish() || !written) {
        error = options.output + ": cannot be written";
        return 1;
    }
    return 0;
}

const char* GenerateUsage() {
    return R"(  generate --output FILE.wav [--signal sine|twotone|smpte|ccif|white|pink|silence]
           [--freq HZ] [--freq2 HZ] [--ratio R] [--level DBFS] [--phase DEG]
           [--channels both|left|right|inverted] [--no-dither] [--seconds S] [--rate HZ]
      Writes the samples the generator plays for one of its own signals (16-bit stereo).
      --signal NAME  sine (default), two tones (twotone, or the SMPTE/DIN 60 Hz + 7 kHz 4:1 and
                     CCIF/DFD 19 + 20 kHz 1:1 presets), white or pink noise, or digital silence
      --freq HZ      the sine, or the first tone (default 1000; 1 Hz to 0.49 of the rate, 0.01 Hz
                     steps)
      --freq2 HZ     the second tone (default 7000)
      --ratio R      the first tone's amplitude over the second's (default 4)
      --level DBFS   the sine's peak, the tones' summed peak, or the noise's RMS against a
                     full-scale sine (default -6; 0 to -120)
      --phase DEG    the sine's start phase (default 0)
      --channels C   both (default), left or right only, or the right inverted
      --no-dither    round to 16 bits without the default TPDF dither
      --seconds S    length (default 5)
      --rate HZ      48000 (default), 96000 or 192000

)";
}

}  // namespace velmora2
