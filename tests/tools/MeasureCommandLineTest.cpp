// velmora2-measure's conventions: wrong arguments exit 2, unusable files exit 1, each with one
// line on standard error and nothing on standard output; --help lists every option; numbers keep
// their decimal point in any locale.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "tests/support/TempDirectory.h"
#include "tests/tools/MeasureTestSupport.h"
#include "tools/measure/MeasureOptions.h"

namespace velmora2 {
namespace {

using namespace testing;

struct ArgumentCase {
    const char* description;
    std::vector<std::string_view> args;
    const char* error;  // empty: accepted
};

TEST(MeasureArguments, WrongArgumentsAreNamed) {
    const ArgumentCase cases[] = {
        {"nothing", {}, "no subcommand (use spectrum, scope, sweep or generate; see --help)"},
        {"unknown subcommand", {"fft"}, "unknown subcommand fft (see --help)"},
        {"no input", {"spectrum", "--fft", "4096"}, "spectrum needs --input FILE.wav"},
        {"input without a value", {"scope", "--input"}, "--input needs a value"},
        {"option as a value", {"scope", "--input", "--csv"}, "--input needs a value"},
        {"FFT size not a power of two",
         {"spectrum", "--input", "a.wav", "--fft", "1000"},
         "--fft 1000: use a power of two from 256 to 65536"},
        {"FFT size not a number",
         {"spectrum", "--input", "a.wav", "--fft", "4k"},
         "--fft 4k: use a power of two from 256 to 65536"},
        {"FFT size too large",
         {"spectrum", "--input", "a.wav", "--fft", "131072"},
         "--fft 131072: use a power of two from 256 to 65536"},
        {"unknown window",
         {"spectrum", "--input", "a.wav", "--window", "kaiser"},
         "--window kaiser: use rect, han, ham, black, black-h or bart"},
        {"no records",
         {"spectrum", "--input", "a.wav", "--average", "0"},
         "--average 0: use a count from 1 to 1000"},
        {"CSV and JSON",
         {"spectrum", "--input", "a.wav", "--csv", "--json"},
         "--csv and --json cannot be combined"},
        {"JSON for the scope",
         {"scope", "--input", "a.wav", "--json"},
         "--json is only for spectrum and sweep"},
        {"spectrum option on the scope",
         {"scope", "--input", "a.wav", "--hpf"},
         "unknown option --hpf (see --help)"},
        {"unknown trigger",
         {"scope", "--input", "a.wav", "--trigger", "up"},
         "--trigger up: use off, left or right"},
        {"level out of range",
         {"scope", "--input", "a.wav", "--level", "40000"},
         "--level 40000: use ADC counts from -32768 to 32767"},
        {"stray word",
         {"spectrum", "--input", "a.wav", "extra"},
         "unknown option extra (see --help)"},
        {"sweep without a bench or device",
         {"sweep", "--points", "11"},
         "sweep needs --sim or --device N"},
        {"sweep on the bench and a device",
         {"sweep", "--sim", "--device", "1"},
         "--sim and --device cannot be combined"},
        {"sweep on a device and the bench",
         {"sweep", "--device", "0", "--sim"},
         "--sim and --device cannot be combined"},
        {"device not a number",
         {"sweep", "--device", "usb"},
         "--device usb: use a device number that velmora2-list-devices shows"},
        {"negative device",
         {"sweep", "--device", "-1"},
         "--device -1: use a device number that velmora2-list-devices shows"},
        {"device without a value", {"sweep", "--device"}, "--device needs a value"},
        {"point count of no list",
         {"sweep", "--sim", "--points", "20"},
         "--points 20: use 11, 18, 30 or 45"},
        {"rate the instrument does not run at",
         {"sweep", "--sim", "--rate", "44100"},
         "--rate 44100: use 48000, 96000 or 192000"},
        {"rate without a value", {"sweep", "--sim", "--rate", "--csv"}, "--rate needs a value"},
        {"input for the sweep",
         {"sweep", "--sim", "--input", "a.wav"},
         "unknown option --input (see --help)"},
        {"spectrum option on the sweep",
         {"sweep", "--sim", "--fft", "4096"},
         "unknown option --fft (see --help)"},
        {"sweep option on the spectrum",
         {"spectrum", "--input", "a.wav", "--sim"},
         "unknown option --sim (see --help)"},
        {"sweep CSV and JSON",
         {"sweep", "--sim", "--json", "--csv"},
         "--csv and --json cannot be combined"},
        {"method of no kind",
         {"sweep", "--sim", "--method", "chirp"},
         "--method chirp: use stepped or log"},
        {"log sweep too long",
         {"sweep", "--sim", "--method", "log", "--seconds", "30"},
         "--seconds 30: use 1 to 20 seconds"},
        {"log sweep's band under an octave",
         {"sweep", "--sim", "--method", "log", "--band", "1000-1500"},
         "--band 1000-1500: use LOW-HIGH in Hz, an octave or more from 10 Hz, e.g. 20-20000"},
        {"smoothing of no choice",
         {"sweep", "--sim", "--method", "log", "--smoothing", "3"},
         "--smoothing 3: use 6, 12, 24, 48 or none"},
        {"points for the log sweep",
         {"sweep", "--sim", "--method", "log", "--points", "45"},
         "--points and --slow are for the stepped sweep"},
        {"log sweep option on the stepped sweep",
         {"sweep", "--sim", "--harmonics"},
         "--seconds, --band, --smoothing, --impulse and --harmonics need --method log"},
        {"the bench's clock on a device",
         {"sweep", "--device", "0", "--realtime"},
         "--realtime is for the simulated bench (--sim)"},
        {"every sweep option on the bench",
         {"sweep", "--sim", "--points", "45", "--rate", "192000", "--slow", "--json", "--png",
          "p.png"},
         ""},
        {"every spectrum option",
         {"spectrum", "--input", "a.wav", "--fft", "65536", "--window", "bart", "--hpf",
          "--average", "1000", "--json", "--png", "p.png"},
         ""},
        {"every scope option",
         {"scope", "--input", "a.wav", "--trigger", "right", "--level", "-32768", "--falling",
          "--csv"},
         ""},
    };
    for (const ArgumentCase& c : cases) {
        SCOPED_TRACE(c.description);
        const MeasureParse parse = ParseMeasureArguments(c.args);
        EXPECT_EQ(parse.error, c.error);
        EXPECT_EQ(parse.options.has_value(), std::string(c.error).empty());
    }
}

TEST(MeasureArguments, OptionsReachTheMeasurement) {
    const std::vector<std::string_view> args = {"spectrum",  "--input",  "a.wav", "--fft",
                                                "512",       "--window", "han",   "--hpf",
                                                "--average", "7",        "--csv"};
    const MeasureParse parse = ParseMeasureArguments(args);
    ASSERT_TRUE(parse.options) << parse.error;
    const MeasureOptions& o = *parse.options;
    EXPECT_EQ(o.input, "a.wav");
    EXPECT_EQ(o.fftSize, 512);
    EXPECT_EQ(o.window, "han");
    EXPECT_TRUE(o.highPass);
    EXPECT_EQ(o.average, 7);
    EXPECT_EQ(o.format, MeasureFormat::Csv);
}

TEST(MeasureArguments, SweepOptionsReachTheSweep) {
    const std::vector<std::string_view> args = {"sweep",  "--device", "3",      "--points",
                                                "30",     "--rate",   "96000",  "--slow",
                                                "--json", "--png",    "net.png"};
    const MeasureParse parse = ParseMeasureArguments(args);
    ASSERT_TRUE(parse.options) << parse.error;
    const MeasureOptions& o = *parse.options;
    EXPECT_EQ(o.command, MeasureCommand::Sweep);
    EXPECT_FALSE(o.simulated);
    EXPECT_EQ(o.device, 3);
    EXPECT_EQ(o.points, 30);
    EXPECT_EQ(o.rate, 96000);
    EXPECT_TRUE(o.slow);
    EXPECT_EQ(o.format, MeasureFormat::Json);
    EXPECT_EQ(o.png, "net.png");

    const std::vector<std::string_view> defaults = {"sweep", "--sim"};
    const MeasureParse plain = ParseMeasureArguments(defaults);
    ASSERT_TRUE(plain.options) << plain.error;
    EXPECT_TRUE(plain.options->simulated);
    EXPECT_EQ(plain.options->device, -1);
    EXPECT_EQ(plain.options->points, 18);
    EXPECT_EQ(plain.options->rate, 48000);
    EXPECT_FALSE(plain.options->slow);
    EXPECT_EQ(plain.options->format, MeasureFormat::Text);
}

struct ExitCase {
    const char* description;
    std::vector<std::string> args;  // "@" stands for the temporary directory
    int exitCode;
    const char* error;  // the line on standard error after "velmora2-measure: " and the path
};

TEST(MeasureProgram, ExitStatusAndOneLineOnStandardError) {
    TempDirectory dir;
    const std::string d = dir.Path().string();
    WriteStereoWav(dir / "short.wav", 48000, std::vector<int16_t>(2 * 3000, 100));
    WriteFileBytes(dir / "eight.wav",
                   Riff({Chunk("fmt ", FormatBody({.bits = 8})), Chunk("data", Samples(400))}));
    WriteStereoWav(dir / "cd.wav", 44100, std::vector<int16_t>(2 * 3000, 100));
    ASSERT_EQ(mkfifo((dir / "fifo.wav").c_str(), 0644), 0);
    const ExitCase cases[] = {
        {"bad FFT size",
         {"spectrum", "--input", d + "/short.wav", "--fft", "3"},
         2,
         "--fft 3: use a power of two from 256 to 65536"},
        {"missing file",
         {"spectrum", "--input", d + "/none.wav"},
         1,
         "/none.wav: cannot be opened for reading"},
        {"a FIFO, which is never waited on",
         {"spectrum", "--input", d + "/fifo.wav"},
         1,
         "/fifo.wav: is not a regular file"},
        {"8-bit file",
         {"scope", "--input", d + "/eight.wav"},
         1,
         "/eight.wav: has 8-bit samples; only 16-bit PCM can be measured"},
        {"44100 Hz file",
         {"spectrum", "--input", d + "/cd.wav"},
         1,
         "/cd.wav: is sampled at 44100 Hz; the instrument runs at 48000, 96000 or 192000 Hz"},
        {"file shorter than the record",
         {"spectrum", "--input", d + "/short.wav", "--fft", "8192"},
         1,
         "/short.wav: holds 3000 frames; 1 record(s) of 8192 points need 8192"},
        {"picture into a missing folder",
         {"spectrum", "--input", d + "/short.wav", "--png", d + "/no/such/dir/p.png"},
         1,
         "/no/such/dir/p.png: cannot be written"},
    };
    for (const ExitCase& c : cases) {
        SCOPED_TRACE(c.description);
        const CommandRun run = RunMeasure(c.args, dir / "stderr.txt");
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        const std::string prefix =
            c.exitCode == 1 ? "velmora2-measure: " + d : "velmora2-measure: ";
        EXPECT_EQ(run.err, prefix + c.error + "\n");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}

TEST(MeasureProgram, HelpNamesEveryOption) {
    TempDirectory dir;
    const CommandRun run = RunMeasure({"--help"}, dir / "stderr.txt");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    for (const char* option :
         {"spectrum", "scope",    "--input",  "--fft",     "--window", "--hpf",      "--average",
          "--json",   "--csv",    "--png",    "--trigger", "--level",  "--falling",  "sweep",
          "--sim",    "--device", "--points", "--rate",    "--slow",   "tone files", "Exit status"})
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    EXPECT_EQ(RunMeasure({"scope", "--help"}, dir / "stderr.txt").out, run.out);
    EXPECT_EQ(RunMeasure({"sweep", "--sim", "--help"}, dir / "stderr.txt").out, run.out);
}

TEST(MeasureProgram, SpectrumCsvInAGermanLocaleKeepsDecimalPoints) {
    TempDirectory dir;
    std::vector<int16_t> samples;
    for (int f = 0; f < 1024; ++f) {
        samples.push_back(static_cast<int16_t>(8000 * std::sin(2 * M_PI * 3000.0 * f / 96000)));
        samples.push_back(0);
    }
    WriteStereoWav(dir / "tone.wav", 96000, samples);
    const std::vector<std::string> args = {"spectrum", "--input", (dir / "tone.wav").string(),
                                           "--fft",    "1024",    "--csv"};
    const CommandRun c = RunMeasure(args, dir / "stderr.txt", "LC_ALL=C");
    const CommandRun german = RunMeasure(args, dir / "stderr.txt", "LC_ALL=de_DE.UTF-8");
    ASSERT_EQ(c.exitCode, 0) << c.err;
    EXPECT_EQ(german.out, c.out);
    const std::vector<std::string> figures(args.begin(), args.end() - 1);
    const CommandRun germanFigures = RunMeasure(figures, dir / "stderr.txt", "LC_ALL=de_DE.UTF-8");
    EXPECT_EQ(germanFigures.out, RunMeasure(figures, dir / "stderr.txt", "LC_ALL=C").out);
    EXPECT_NE(germanFigures.out.find("main_frequency_hz = "), std::string::npos);
    EXPECT_EQ(germanFigures.out.find(','), std::string::npos) << germanFigures.out;

    std::istringstream lines(c.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) rows.push_back(line);
    ASSERT_EQ(rows.size(), 1u + 512u);
    EXPECT_EQ(rows[0], "frequency_Hz,level_dB_L,level_dB_R");
    // Bin 32 is 3000 Hz, the tone's; the silent right channel has no level at all.
    EXPECT_TRUE(rows[1 + 32].starts_with("3000,")) << rows[1 + 32];
    EXPECT_TRUE(rows[1 + 32].ends_with(",-inf")) << rows[1 + 32];
    EXPECT_EQ(rows[1 + 1].substr(0, rows[1 + 1].find(',')), "93.75");
}

}  // namespace
}  // namespace velmora2
