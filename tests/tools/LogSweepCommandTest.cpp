// velmora2-measure sweep --method log on the stepped bench: every smoothed point against the
// bench's model (computed here from its definition), the stepped sweep's points against the log
// sweep's curve, the harmonics against the model's, and the impulse response and chart it writes.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <complex>
#include <cstring>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/BenchModel.h"
#include "tests/support/TempDirectory.h"
#include "tests/tools/MeasureTestSupport.h"
#include "wav/WavReader.h"

namespace velmora2 {
namespace {

using testing::ModelResponse;
using testing::RunMeasure;
using testing::TempDirectory;

// The tone files' and the log sweep's level, -6 dBFS, at the generator's volume of -6 dB.
const double kSweepAmplitude = std::pow(10.0, -12.0 / 20.0);

// The numbers of each row after the header; a "nan" cell reads as not a number.
std::vector<std::vector<double>> CsvNumbers(const std::string& text) {
    std::vector<std::vector<double>> rows;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<double>& row = rows.emplace_back();
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');)
            row.push_back(cell == "nan" ? std::nan("") : std::strtod(cell.c_str(), nullptr));
    }
    return rows;
}

struct RateCase {
    int rate;
    double bandHighHz;
};

class LogSweepCommand : public ::testing::TestWithParam<RateCase> {};

TEST_P(LogSweepCommand, EveryPointTheStepsAndTheHarmonicsFollowTheBenchsModel) {
    const RateCase c = GetParam();
    TempDirectory dir;
    const std::string rate = std::to_string(c.rate);
    const std::string band = "20-" + std::to_string(static_cast<int>(c.bandHighHz));
    const testing::CommandRun log = RunMeasure({"sweep", "--sim", "--rate", rate, "--method", "log",
                                                "--band", band, "--csv", "--harmonics"},
                                               dir / "log.txt");
    ASSERT_EQ(log.exitCode, 0) << log.err;
    EXPECT_EQ(log.out.substr(0, log.out.find('\n')),
              "frequency_Hz,gain_dB,phase_deg,phase_delay_us,group_delay_us,h2_dB,h3_dB,h4_dB,"
              "h5_dB");
    const std::vector<std::vector<double>> rows = CsvNumbers(log.out);
    ASSERT_GT(rows.size(), 470u);

    const DeviceUnderTest dut;
    int points = 0, harmonics = 0;
    for (const std::vector<double>& row : rows) {
        ASSERT_EQ(row.size(), 9u);
        const double f = row[0];
        if (f > 0.4 * c.rate) break;
        SCOPED_TRACE(std::to_string(f) + " Hz");
        const std::complex<double> h = ModelResponse(f, c.rate, dut);
        const double y = std::abs(h) * kSweepAmplitude;
        const double compression = 1.0 + 0.75 * dut.thirdHarmonic * y * y;
        EXPECT_NEAR(row[1], 20 * std::log10(std::abs(h) * compression), 0.05);
        EXPECT_NEAR(row[2], std::arg(h) * 180 / std::numbers::pi, 0.5);
        // c2 y / 2 and c3 y^2 / 4 of the fundamental, compared up to 10 kHz and well above the
        // floor (from the bench's noise and the 16 bits; a 4 s sweep to 0.45 of 96000 Hz puts
        // it at -80 dB at 30 kHz).
        const double model[] = {dut.secondHarmonic * y / 2 / compression,
                                dut.thirdHarmonic * y * y / 4 / compression};
        for (int k = 0; k < 2; ++k) {
            const double modelDb = 20 * std::log10(model[k]);
            if ((k + 2) * f > 10000.0 || modelDb < -80.0) continue;
            EXPECT_NEAR(row[5 + k], modelDb, 1.0) << "order " << k + 2;
            ++harmonics;
        }
        ++points;
    }
    EXPECT_GT(points, 470);
    EXPECT_GT(harmonics, 350);

    // The stepped sweep's points lie on the log sweep's curve (read between its neighbours).
    const testing::CommandRun stepped =
        RunMeasure({"sweep", "--sim", "--rate", rate, "--points", "18", "--csv"}, dir / "st.txt");
    ASSERT_EQ(stepped.exitCode, 0) << stepped.err;
    int compared = 0;
    for (const std::vector<double>& step : CsvNumbers(stepped.out)) {
        const double f = step[0];
        const double edge = 4.0 * c.rate / 2048;  // the stepped sweep's own edge bins
        if (f < 20.0 || f < edge || f > 0.4 * c.rate) continue;
        size_t i = 1;
        while (i + 1 < rows.size() && rows[i][0] < f) ++i;
        const double share = std::log(f / rows[i - 1][0]) / std::log(rows[i][0] / rows[i - 1][0]);
        const auto between = [&](int column) {
            return rows[i - 1][column] + share * (rows[i][column] - rows[i - 1][column]);
        };
        EXPECT_NEAR(step[1], between(1), 0.1) << f;
        EXPECT_NEAR(step[2], between(2), 1.0) << f;
        ++compared;
    }
    EXPECT_GT(compared, 10);
}

INSTANTIATE_TEST_SUITE_P(Rates, LogSweepCommand,
                         ::testing::Values(RateCase{48000, 20000}, RateCase{96000, 43200},
                                           RateCase{192000, 86400}),
                         [](const auto& info) { return std::to_string(info.param.rate); });

TEST(LogSweepCommandFiles, TheImpulseResponseAndTheChartAreWritten) {
    TempDirectory dir;
    const std::filesystem::path wav = dir / "impulse.wav";
    const std::filesystem::path png = dir / "chart.png";
    const testing::CommandRun run =
        RunMeasure({"sweep", "--sim", "--method", "log", "--seconds", "2", "--impulse",
                    wav.string(), "--png", png.string(), "--json"},
                   dir / "err.txt");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("{\"source\": \"sim\", \"sample_rate\": 48000, \"method\": \"log\", "
                            "\"seconds\": 2, \"band_hz\": [20, ",
                            0),
              0u)
        << run.out.substr(0, 200);

    // A mono float file at the rate, its peak (the bench's low-pass answers at once) 10 ms in.
    const WavContents impulse = ReadWavFile(wav, WavSamples::ForMeasuring);
    ASSERT_EQ(impulse.fault, WavFault::None);
    EXPECT_EQ(impulse.format.channels, 1);
    EXPECT_EQ(impulse.format.sampleRate, 48000u);
    std::vector<float> samples(impulse.data.size() / 4);
    std::memcpy(samples.data(), impulse.data.data(), samples.size() * 4);
    const auto peak = std::max_element(samples.begin(), samples.end());
    EXPECT_NEAR(static_cast<double>(peak - samples.begin()), 480.0, 2.0);
    EXPECT_NEAR(*peak, testing::BenchPoleCoefficient(48000), 0.1);

    // The chart: the gain curve in red across the plot's columns.
    const QImage chart(QString::fromStdString(png.string()));
    ASSERT_EQ(chart.size(), QSize(481, 361));
    int redColumns = 0;
    for (int x = 0; x < chart.width(); ++x) {
        bool red = false;
        for (int y = 0; y < chart.height(); ++y) red = red || chart.pixel(x, y) == qRgb(255, 0, 0);
        redColumns += red;
    }
    EXPECT_GT(redColumns, 280);
    chart.save(QString::fromStdString(std::string(VELMORA2_PICTURE_DIR) + "/log-sweep-chart.png"));
}

}  // namespace
}  // namespace velmora2
