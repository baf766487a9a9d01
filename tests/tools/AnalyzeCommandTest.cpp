// velmora2-measure analyze end to end: WAV files made in the test from known components, the
// figures read back from the program's JSON and compared with how the files were made.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

#include "tests/support/KnownSignals.h"
#include "tests/support/TempDirectory.h"
#include "tests/tools/MeasureTestSupport.h"

namespace velmora2 {
namespace {

using testing::SumOfSines;

constexpr int kRate = 48000;

// Stereo WAV data of the two channels: 16-bit codes, 24-bit codes or 32-bit floats.
enum class Encoding { Pcm16, Pcm24, Float32 };

void WriteWav(const std::filesystem::path& path, const std::vector<double>& left,
              const std::vector<double>& right, Encoding encoding) {
    using namespace testing;
    Bytes data;
    for (size_t m = 0; m < left.size(); ++m)
        for (const double v : {left[m], right[m]}) {
            if (encoding == Encoding::Float32) {
                const float f = static_cast<float>(v);
                uint32_t word;
                std::memcpy(&word, &f, sizeof word);
                Append32(data, word);
            } else if (encoding == Encoding::Pcm24) {
                const auto code = static_cast<int32_t>(
                    std::lround(std::fmax(-8388608, std::fmin(8388607, v * 8388608))));
                for (int i = 0; i < 3; ++i) data.push_back(static_cast<uint8_t>(code >> (8 * i)));
            } else {
                Append16(data, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32768))));
            }
        }
    const uint16_t bits = encoding == Encoding::Pcm16 ? 16 : encoding == Encoding::Pcm24 ? 24 : 32;
    const uint16_t tag = encoding == Encoding::Float32 ? 3 : 1;
    WriteFileBytes(path, Riff({Chunk("fmt ", FormatBody({.tag = tag, .rate = kRate, .bits = bits})),
                               Chunk("data", data)}));
}

// The number after "key": in the JSON object of "section"; NaN for null or a missing key.
double JsonValue(const std::string& json, const std::string& section, const std::string& key) {
    const size_t start = json.find("\"" + section + "\": {");
    if (start == std::string::npos) return NAN;
    const size_t at = json.find("\"" + key + "\": ", start);
    if (at == std::string::npos || at > json.find('}', start)) return NAN;
    return std::strtod(json.c_str() + at + key.size() + 4, nullptr);
}

struct FileCase {
    const char* name;
    std::vector<testing::Sinusoid> left, right;
    Encoding encoding;
    std::vector<std::string> options;
    const char* section;
    const char* key;
    double expected;
    double tolerance;
};

class AnalyzeCommand : public ::testing::TestWithParam<FileCase> {};

TEST_P(AnalyzeCommand, ReadsWhatTheFileWasMadeOf) {
    const FileCase& c = GetParam();
    testing::TempDirectory dir;
    std::vector<double> left = SumOfSines(65536, kRate, c.left);
    std::vector<double> right = SumOfSines(65536, kRate, c.right);
    if (c.encoding == Encoding::Pcm16) {
        testing::QuantiseTo16Bits(left, true, 1);
        testing::QuantiseTo16Bits(right, true, 2);
    }
    WriteWav(dir / "in.wav", left, right, c.encoding);
    std::vector<std::string> args = {"analyze", "--input", (dir / "in.wav").string(), "--json"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const testing::CommandRun run = testing::RunMeasure(args, dir / "err.txt");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NEAR(JsonValue(run.out, c.section, c.key), c.expected, c.tolerance) << run.out;
    for (const char* key :
         {"frequency_hz", "level_dbfs", "thd_percent", "thd_n_percent", "sinad_db", "snr_db",
          "snr_a_db", "enob_bits", "noise_dbfs", "crosstalk_db"})
        EXPECT_FALSE(std::isnan(JsonValue(run.out, "left", key))) << key;
    EXPECT_NE(run.out.find("\"harmonics_db\": [-"), std::string::npos);
}

const double kFull = 32766.0 / 32768;
const double kSnr16 = 10 * std::log10(kFull * kFull / 2 / (std::pow(1.0 / 32768, 2) / 4));

INSTANTIATE_TEST_SUITE_P(
    Files, AnalyzeCommand,
    ::testing::Values(FileCase{"dithered_floor",
                               {{997, kFull}},
                               {{997, kFull}},
                               Encoding::Pcm16,
                               {},
                               "left",
                               "snr_db",
                               kSnr16,
                               0.2},
                      FileCase{"crosstalk",
                               {{1000, 0.9}},
                               {{1000, 0.9 * std::pow(10.0, -90.0 / 20)}},
                               Encoding::Pcm16,
                               {},
                               "right",
                               "crosstalk_db",
                               -90,
                               0.5},
                      FileCase{"smpte",
                               {{60, 0.64}, {7000, 0.16}, {6940, 0.00008}, {7060, 0.00008}},
                               {{1000, 0.5}},
                               Encoding::Pcm16,
                               {"--imd", "smpte"},
                               "left",
                               "imd_percent",
                               0.1,
                               0.002},
                      FileCase{"thd_in_float",
                               {{997, 0.5}, {1994, 0.5e-5}},
                               {{997, 0.5}},
                               Encoding::Float32,
                               {},
                               "left",
                               "thd_percent",
                               0.001,
                               0.00001},
                      FileCase{"level_in_24_bits",
                               {{440, 0.25}},
                               {{440, 0.25}},
                               Encoding::Pcm24,
                               {"--fullscale-vrms", "2", "--cal", "0.5"},
                               "left",
                               "level_vrms",
                               0.25,
                               1e-5}),
    [](const auto& info) { return std::string(info.param.name); });

// The generator's own dithered sine reads the dithered 16-bit floor: its dither is noise, not
// a pattern repeated with a short loop (which reads as harmonics).
TEST(AnalyzeCommand, TheGeneratorsDitheredSineReadsTheSixteenBitFloor) {
    testing::TempDirectory dir;
    const std::string file = (dir / "g.wav").string();
    ASSERT_EQ(testing::RunMeasure({"generate", "--output", file, "--freq", "1000", "--level", "-1",
                                   "--seconds", "2"},
                                  dir / "err.txt")
                  .exitCode,
              0);
    const testing::CommandRun run =
        testing::RunMeasure({"analyze", "--input", file, "--json"}, dir / "err.txt");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const double amplitude = std::pow(10.0, -1.0 / 20) * 32767 / 32768;
    const double floor = std::pow(1.0 / 32768, 2) / 4;
    EXPECT_NEAR(JsonValue(run.out, "left", "snr_db"),
                10 * std::log10(amplitude * amplitude / 2 / floor), 0.2);
    EXPECT_LT(JsonValue(run.out, "left", "thd_percent"), 1e-4);
}

TEST(AnalyzeCommandErrors, NamedOnOneLine) {
    testing::TempDirectory dir;
    WriteWav(dir / "short.wav", std::vector<double>(500, 0.0), std::vector<double>(500, 0.0),
             Encoding::Pcm16);
    struct Case {
        std::vector<std::string> args;
        std::string error;
        int exitCode;
    };
    const std::string shortFile = (dir / "short.wav").string();
    const Case cases[] = {
        {{"analyze", "--json"}, "analyze needs --input FILE.wav", 2},
        {{"analyze", "--input", "x.wav", "--band", "20000-20"},
         "--band 20000-20: use LOW-HIGH in Hz, e.g. 20-20000",
         2},
        {{"analyze", "--input", "x.wav", "--imd", "dim"}, "--imd dim: use smpte or ccif", 2},
        {{"analyze", "--input", "x.wav", "--points", "3000"},
         "--points 3000: use a power of two from 1024 to 262144",
         2},
        {{"analyze", "--input", shortFile},
         shortFile + ": holds 500 frames; the analysis needs 1024",
         1},
        {{"analyze", "--input", (dir / "none.wav").string()},
         (dir / "none.wav").string() + ": cannot be opened for reading",
         1},
    };
    for (const Case& c : cases) {
        const testing::CommandRun run = testing::RunMeasure(c.args, dir / "err.txt");
        EXPECT_EQ(run.exitCode, c.exitCode) << c.error;
        EXPECT_EQ(run.err, "velmora2-measure: " + c.error + "\n");
        EXPECT_TRUE(run.out.empty());
    }
}

}  // namespace
}  // namespace velmora2
