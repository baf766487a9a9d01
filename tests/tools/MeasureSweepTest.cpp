// velmora2-measure sweep end to end: the built program sweeps the simulated bench through the main
// window's own sweep sequencing, and its points match the bench's device model as closely as the
// window's own sweeps do; wrong arguments and unusable devices end with one line and their exit
// status.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <sstream>

#include "analysis/SweepTable.h"
#include "audio/sim/SimBench.h"
#include "dialogs/CDlgDevice.h"
#include "dialogs/CDlgWarnWav.h"
#include "tests/support/BenchModel.h"
#include "tests/support/TempDirectory.h"
#include "tests/tools/MeasureTestSupport.h"
#include "tools/measure/HeadlessServices.h"

namespace velmora2 {
namespace {

using namespace testing;
using Complex = std::complex<double>;

// The bounds of the window's own sweep tests on the bench.
constexpr double kGainToleranceDb = 0.1;
constexpr double kPhaseToleranceDeg = 1.0;
constexpr double kEdgeBins =
    4.0;  // points this close to 0 or fs/2 (in 2048-point bins) are skipped

struct Point {
    double frequency, gain, phase, phaseDelay, groupDelay;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Rows of numbers separated by commas (CSV) or blanks (the text table); the header is skipped.
std::vector<Point> ParsePoints(const std::string& text, char separator) {
    std::vector<Point> points;
    const std::vector<std::string> lines = Lines(text);
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (separator != ' ') std::replace(line.begin(), line.end(), separator, ' ');
        std::istringstream in(line);
        in.imbue(std::locale::classic());
        Point p{};
        in >> p.frequency >> p.gain >> p.phase >> p.phaseDelay >> p.groupDelay;
        EXPECT_FALSE(in.fail()) << "row " << i << ": " << lines[i];
        points.push_back(p);
    }
    return points;
}

// The JSON's points, read by their keys.
std::vector<Point> ParseJsonPoints(const std::string& text) {
    std::vector<Point> points;
    const auto number = [&text](size_t from, const std::string& key) {
        const size_t at = text.find("\"" + key + "\": ", from);
        return at == std::string::npos ? std::nan("")
                                       : std::strtod(&text[at + key.size() + 4], nullptr);
    };
    for (size_t at = text.find("{\"frequency_hz\""); at != std::string::npos;
         at = text.find("{\"frequency_hz\"", at + 1))
        points.push_back({number(at, "frequency_hz"), number(at, "gain_db"),
                          number(at, "phase_deg"), number(at, "phase_delay_us"),
                          number(at, "group_delay_us")});
    return points;
}

// Every point of the sweep is there, in order, and matches the device model.
void ExpectModelResponse(const std::vector<Point>& points, int count, int rate) {
    const SweepTable table = BuildSweepTable(count, rate);
    ASSERT_EQ(static_cast<int>(points.size()), count);
    const double bin = rate / 2048.0;
    int compared = 0;
    for (int i = 0; i < count; ++i) {
        const Point& p = points[i];
        SCOPED_TRACE(std::to_string(p.frequency) + " Hz");
        EXPECT_NEAR(p.frequency, table.frequency[i], 0.5);
        // The phase delay is -phase over 2 pi f, within what the text table's rounding leaves.
        const double printedPhaseStep = 0.005 / 360.0 / p.frequency * 1e6;
        EXPECT_NEAR(p.phaseDelay, -p.phase / 360.0 / p.frequency * 1e6,
                    printedPhaseStep + 0.005 + 1e-9);
        if (p.frequency < kEdgeBins * bin || p.frequency > rate / 2.0 - kEdgeBins * bin) continue;
        const Complex h = ModelResponse(p.frequency, rate);
        EXPECT_NEAR(p.gain, 20.0 * std::log10(std::abs(h)), kGainToleranceDb);
        // As the chart shows it: a lag is negative.
        EXPECT_NEAR(p.phase, std::arg(h) * 180.0 / std::numbers::pi, kPhaseToleranceDeg);
        // The group delay is -d phase / d omega between the neighbouring points: the model's
        // over the same points, within what the phase tolerance at both ends leaves.
        const double below = table.frequency[std::max(i - 1, 0)];
        const double above = table.frequency[std::min(i + 1, count - 1)];
        const double modelDelayUs =
            -1e6 * (std::arg(ModelResponse(above, rate)) - std::arg(ModelResponse(below, rate))) /
            (2.0 * std::numbers::pi * (above - below));
        EXPECT_NEAR(p.groupDelay, modelDelayUs,
                    1e6 * 2.0 * kPhaseToleranceDeg / 360.0 / (above - below));
        ++compared;
    }
    EXPECT_GT(compared, count / 2);
}

// One progress line per point on a standard error that is no terminal.
std::vector<std::string> ExpectedProgress(int count, int rate) {
    const SweepTable table = BuildSweepTable(count, rate);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back("sweep: point " + std::to_string(i + 1) + " of " + std::to_string(count) +
                        ", " + std::to_string(std::lround(table.frequency[i])) + " Hz");
    return lines;
}

TEST(MeasureSweep, SimulatedBenchAsCsvMatchesTheDeviceModel) {
    TempDirectory dir;
    const CommandRun run = RunMeasure(
        {"sweep", "--sim", "--rate", "48000", "--points", "18", "--csv"}, dir / "stderr.txt");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[0], "frequency_Hz,gain_dB,phase_deg,phase_delay_us,group_delay_us");
    ExpectModelResponse(ParsePoints(run.out, ','), 18, 48000);
    EXPECT_EQ(Lines(run.err), ExpectedProgress(18, 48000));
}

struct FormatCase {
    const char* format;  // "", "--json"
    int points;
    int rate;
};

TEST(MeasureSweep, EveryFormatAndRateMatchesTheDeviceModel) {
    TempDirectory dir;
    const FormatCase cases[] = {{"", 11, 96000}, {"--json", 11, 192000}, {"", 30, 48000}};
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " " + std::to_string(c.points) + " points at " +
                     std::to_string(c.rate));
        std::vector<std::string> args = {"sweep",    "--sim",
                                         "--points", std::to_string(c.points),
                                         "--rate",   std::to_string(c.rate)};
        if (*c.format) args.push_back(c.format);
        const CommandRun run = RunMeasure(args, dir / "stderr.txt", "LC_ALL=de_DE.UTF-8");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        if (*c.format) {
            EXPECT_EQ(
                run.out.rfind("{\"source\": \"sim\", \"sample_rate\": " + std::to_string(c.rate) +
                                  ", \"points\": " + std::to_string(c.points) + ", \"slow\": false",
                              0),
                0u)
                << run.out;
            ExpectModelResponse(ParseJsonPoints(run.out), c.points, c.rate);
        } else {
            const std::vector<std::string> lines = Lines(run.out);
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines[0],
                      "frequency_Hz     gain_dB   phase_deg  phase_delay_us  group_delay_us");
            for (const std::string& line : lines) EXPECT_EQ(line.size(), lines[0].size()) << line;
            ExpectModelResponse(ParsePoints(run.out, ' '), c.points, c.rate);
        }
        EXPECT_EQ(Lines(run.err), ExpectedProgress(c.points, c.rate));
    }
}

TEST(MeasureSweep, PictureIsTheNetworkChart) {
    TempDirectory dir;
    const std::filesystem::path png = dir / "network.png";
    const CommandRun run =
        RunMeasure({"sweep", "--sim", "--points", "11", "--png", png.string()}, dir / "err.txt");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage picture(QString::fromStdString(png.string()));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(481, 361));
    // The network chart's gain curve is pure red and its phase curve pure green, each drawn across
    // the measured decades.
    int red = 0;
    int green = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            red += picture.pixel(x, y) == qRgb(255, 0, 0);
            green += picture.pixel(x, y) == qRgb(0, 255, 0);
        }
    }
    EXPECT_GT(red, 250);
    EXPECT_GT(green, 250);
    EXPECT_EQ(Lines(run.out).size(), 12u);  // the table is printed as well
}

struct SweepExitCase {
    const char* description;
    std::vector<std::string> args;
    int exitCode;
    std::string error;  // the start of the line after "velmora2-measure: "
};

TEST(MeasureSweep, ExitStatusAndOneLineOnStandardError) {
    TempDirectory dir;
    const SweepExitCase cases[] = {
        {"neither bench nor device", {"sweep"}, 2, "sweep needs --sim or --device N"},
        {"bench and device",
         {"sweep", "--sim", "--device", "0"},
         2,
         "--sim and --device cannot be combined"},
        {"points of no list",
         {"sweep", "--sim", "--points", "50"},
         2,
         "--points 50: use 11, 18, 30 or 45"},
        {"rate of no device",
         {"sweep", "--sim", "--rate", "22050"},
         2,
         "--rate 22050: use 48000, 96000 or 192000"},
        {"device that is not listed", {"sweep", "--device", "99"}, 1, "--device 99: "},
        {"chart into a missing folder",
         {"sweep", "--sim", "--points", "11", "--png", dir.Path().string() + "/no/p.png"},
         1,
         dir.Path().string() + "/no/p.png: cannot be written"},
    };
    for (const SweepExitCase& c : cases) {
        SCOPED_TRACE(c.description);
        const CommandRun run = RunMeasure(c.args, dir / "stderr.txt");
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        // The one problem line comes last, after any progress lines.
        const std::vector<std::string> lines = Lines(run.err);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().rfind("velmora2-measure: " + c.error, 0), 0u) << lines.back();
        for (size_t i = 0; i + 1 < lines.size(); ++i)
            EXPECT_EQ(lines[i].rfind("sweep: point ", 0), 0u) << lines[i];
    }
}

TEST(HeadlessServices, ADialogEndsAsItEndsItselfAndOneThatWaitsIsCancelled) {
    HeadlessServices services;
    SimBench bench;
    CDlgDevice devices(bench, /*autoClose=*/true);
    EXPECT_EQ(services.RunModal(devices), CDlgDevice::kOkResult);
    EXPECT_EQ(devices.Devices().deviceCount, 1);
    CDlgWarnWav warning("sin1k.wav");
    EXPECT_EQ(services.RunModal(warning), kIdCancel);
}

}  // namespace
}  // namespace velmora2
