// velmora2-measure spectrum and scope end to end: the program reads a crafted WAV file; the same
// samples go through the engine on the stepped simulated bench into the window's client area.
// The figures, the read-out texts and the picture must be the window's for that record.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <charconv>
#include <random>

#include "analysis/SpectrumMeasurements.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "display/DrawingConventions.h"
#include "engine/CDSCapture.h"
#include "qt/QtClientArea.h"
#include "settings/SettingsFile.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/TempDirectory.h"
#include "tests/tools/MeasureTestSupport.h"
#include "tools/measure/MeasureRun.h"

namespace velmora2 {
namespace {

using namespace testing;

std::vector<int16_t> Synthesise(int frames, const std::function<double(int)>& signal) {
    std::vector<int16_t> samples;
    for (int f = 0; f < frames; ++f) {
        const double v = std::nearbyint(signal(f));
        const auto s = static_cast<int16_t>(std::clamp(v, -32768.0, 32767.0));
        samples.push_back(s);
        samples.push_back(s);
    }
    return samples;
}

double Sine(double hz, double amplitude, int frame, int rate) {
    return amplitude * std::sin(2.0 * M_PI * hz * frame / rate);
}

struct WindowView {
    ChannelReport left;
    ChannelReport right;
    std::vector<std::string> texts;  // every text of the picture, in drawing order
    QImage picture;
};

// The window's path: the engine on the bench fed the same samples, the same settings, drawing
// into a client area (or a call log); the picture of the record shows with the next block.
void RunWindowPath(DrawingTarget& target, const std::vector<int16_t>& samples, int rate,
                   const MeasureOptions& o, WindowView& view) {
    SimBench bench;
    bench.SetInputSignal([&](int64_t frame, double& left, double& right) {
        const auto at = static_cast<size_t>(frame) * 2;
        left = at < samples.size() ? samples[at] : 0.0;
        right = at + 1 < samples.size() ? samples[at + 1] : 0.0;
    });
    CDSCapture engine(bench, target, DeviceId{}, DeviceId{}, rate);
    engine.SetInitialisationTrace(false);
    SettingsRecord record;
    record.fftn = o.fftSize;
    record.winfunc = o.window;
    record.hpf = o.highPass;
    record.aveenb = o.average > 1;
    if (o.average > 1) record.maxaven = o.average;
    ApplySettingsToEngine(record, engine);
    const bool spectrum = o.command == MeasureCommand::Spectrum;
    engine.SetMode(spectrum ? kModeSpectrum : kModeScope);
    engine.SetTriggerSource(o.triggerSource);
    engine.SetTriggerLevel(o.triggerLevel);
    const uint64_t needed = spectrum ? BlocksForRecords(o.fftSize, o.average) : 1;
    uint64_t seen = 0;
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& block) {
        if (++seen != needed || !spectrum) return;
        for (auto [channel, report] : {std::pair{&block.samples.records.Left(), &view.left},
                                       std::pair{&block.samples.records.Right(), &view.right}}) {
            const DistortionFigures f = MeasureDistortion(*channel, rate, o.highPass);
            *report = {channel->mainFrequency, f.thd, f.thdPlusNoise, f.signalToNoise,
                       channel->harmonicCount, {}};
        }
    });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_TRUE(DeliverBlocks(bench, engine, static_cast<int>(needed) + 1));
    ASSERT_TRUE(engine.Stop());
    if (auto* log = dynamic_cast<DrawCallLogTarget*>(&target)) {
        const auto copies = log->Copies();
        ASSERT_FALSE(copies.empty());
        for (const DrawCall& call : copies.back().calls)
            if (call.kind == DrawCall::Kind::Text) view.texts.push_back(call.text);
    }
    if (auto* area = dynamic_cast<QtClientArea*>(&target))
        view.picture =
            area->Snapshot().copy(kPictureLeft, kPictureTop, kSurfaceWidth, kSurfaceHeight);
}

WindowView WindowViewOf(const std::vector<int16_t>& samples, int rate, const MeasureOptions& o) {
    WindowView view;
    DrawCallLogTarget log;
    RunWindowPath(log, samples, rate, o, view);
    QtClientArea area(nullptr, QSize(705, 585), QColor(240, 240, 240));
    RunWindowPath(area, samples, rate, o, view);
    return view;
}

std::optional<double> ParseFigure(const std::string& text) {
    double value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

void ExpectFigure(const std::string& printed, const std::optional<double>& window,
                  const char* name) {
    SCOPED_TRACE(name);
    if (!window) {
        EXPECT_EQ(printed, "unmeasured");
        return;
    }
    const std::optional<double> value = ParseFigure(printed);
    ASSERT_TRUE(value) << printed;
    EXPECT_NEAR(*value, *window, 1e-9);
}

bool IsReadoutText(const std::string& text) {
    for (const char* start : {"Lch:", "Rch:", "HPF: ", "Main:", "THD:", "+N:", "SN:"})
        if (text.starts_with(start)) return true;
    return text.ends_with(" point FFT");
}

QImage AsRgb32(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

struct SpectrumCase {
    const char* description;
    const char* name;  // file and picture name
    int fft;
    int average;
    std::function<double(int)> signal;  // at 48000 Hz
    // What the figures must also say about the signal itself.
    std::function<void(const ChannelReport&)> check;
};

TEST(MeasureSpectrum, PrintsTheWindowsFiguresTextsAndPicture) {
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 100.0);
    std::vector<double> noiseSamples(4 * 8192);
    for (double& v : noiseSamples) v = noise(rng);

    const SpectrumCase cases[] = {
        {"1 kHz with 1% second harmonic", "harmonic", 2048, 1,
         [](int f) { return Sine(1000, 12000, f, 48000) + Sine(2000, 120, f, 48000); },
         [](const ChannelReport& c) {
             EXPECT_NEAR(c.mainFrequency, 1000.0, 0.5);
             ASSERT_TRUE(c.thd);
             EXPECT_NEAR(*c.thd, 1.0, 0.02);
         }},
        // Signal power 10000^2 / 2 against a noise power of 100^2: S/N 37 dB.
        {"sine plus white noise", "noise", 8192, 1,
         [&](int f) { return Sine(1000, 10000, f, 48000) + noiseSamples[f]; },
         [](const ChannelReport& c) {
             ASSERT_TRUE(c.signalToNoise);
             EXPECT_NEAR(*c.signalToNoise, 10.0 * std::log10(5e7 / 1e4), 1.0);
         }},
        {"silence", "silence", 2048, 1, [](int) { return 0.0; },
         [](const ChannelReport& c) { EXPECT_FALSE(c.thd); }},
        {"30 Hz tone at 256 points", "low-tone", 256, 1,
         [](int f) { return Sine(30, 20000, f, 48000); }, [](const ChannelReport&) {}},
        {"four records averaged", "averaged", 2048, 4,
         [&](int f) { return Sine(1000, 10000, f, 48000) + noiseSamples[f]; },
         [](const ChannelReport& c) { EXPECT_NEAR(c.mainFrequency, 1000.0, 0.5); }},
    };

    TempDirectory dir;
    for (const SpectrumCase& c : cases) {
        SCOPED_TRACE(c.description);
        const std::vector<int16_t> samples =
            Synthesise(static_cast<int>(FramesForRecords(c.fft, c.average)), c.signal);
        const auto wav = dir / (std::string(c.name) + ".wav");
        const auto png = dir / (std::string(c.name) + ".png");
        WriteStereoWav(wav, 48000, samples);

        const CommandRun run =
            RunMeasure({"spectrum", "--input", wav.string(), "--fft", std::to_string(c.fft),
                        "--average", std::to_string(c.average), "--png", png.string()},
                       dir / "stderr.txt");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const Report report = ParseReport(run.out);

        MeasureOptions options;
        options.command = MeasureCommand::Spectrum;
        options.fftSize = c.fft;
        options.average = c.average;
        const WindowView window = WindowViewOf(samples, 48000, options);

        std::vector<std::string> printedTexts;
        for (auto [section, expected] : {std::pair{"L", &window.left}, {"R", &window.right}}) {
            SCOPED_TRACE(section);
            ExpectFigure(Value(report, section, "main_frequency_hz"), expected->mainFrequency,
                         "main frequency");
            ExpectFigure(Value(report, section, "thd_percent"), expected->thd, "THD");
            ExpectFigure(Value(report, section, "thd_n_percent"), expected->thdPlusNoise, "THD+N");
            ExpectFigure(Value(report, section, "sn_db"), expected->signalToNoise, "S/N");
            EXPECT_EQ(Value(report, section, "harmonics"), std::to_string(expected->harmonicCount));
            c.check(*expected);
            for (const std::string& text : Values(report, section, "readout"))
                printedTexts.push_back(text);
        }
        std::vector<std::string> windowTexts;
        std::copy_if(window.texts.begin(), window.texts.end(), std::back_inserter(windowTexts),
                     IsReadoutText);
        EXPECT_EQ(printedTexts, windowTexts);

        const QImage picture(QString::fromStdString(png.string()));
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), QSize(kSurfaceWidth, kSurfaceHeight));
        EXPECT_TRUE(AsRgb32(picture) == AsRgb32(window.picture)) << "pictures differ";
    }
}

TEST(MeasureScope, PictureAndSamplesAreTheWindowsFirstBlock) {
    TempDirectory dir;
    const std::vector<int16_t> samples =
        Synthesise(3000, [](int f) { return Sine(750, 9000, f, 48000) + 2000.0; });
    const auto wav = dir / "scope.wav";
    const auto png = dir / "scope.png";
    WriteStereoWav(wav, 48000, samples);

    const CommandRun picture = RunMeasure({"scope", "--input", wav.string(), "--trigger", "left",
                                           "--level", "5000", "--png", png.string()},
                                          dir / "stderr.txt");
    ASSERT_EQ(picture.exitCode, 0) << picture.err;
    const Report report = ParseReport(picture.out);
    EXPECT_EQ(Value(report, "", "triggered"), "yes");

    MeasureOptions options;
    options.command = MeasureCommand::Scope;
    options.triggerSource = 1;
    options.triggerLevel = 5000;
    WindowView window;
    QtClientArea area(nullptr, QSize(705, 585), QColor(240, 240, 240));
    RunWindowPath(area, samples, 48000, options, window);
    EXPECT_TRUE(AsRgb32(QImage(QString::fromStdString(png.string()))) == AsRgb32(window.picture))
        << "pictures differ";

    // The samples: one row per display sample, time 0 at the trigger index, in volts.
    const CommandRun csv = RunMeasure(
        {"scope", "--input", wav.string(), "--trigger", "left", "--level", "5000", "--csv"},
        dir / "stderr.txt");
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    std::istringstream lines(csv.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) rows.push_back(line);
    ASSERT_EQ(rows.size(), 2049u);
    EXPECT_EQ(rows[0], "time_s,left_V,right_V");
    const int trigger = std::stoi(Value(report, "", "trigger_index"));
    EXPECT_TRUE(rows[1 + trigger].starts_with("0,")) << rows[1 + trigger];
    // The crossing lies between the trigger sample and the next: at or below 5000 counts, then
    // above, in volts at 1 V per 32768 * 30 / 50 counts.
    const double volts =
        *ParseFigure(rows[1 + trigger].substr(2, rows[1 + trigger].find(',', 2) - 2));
    EXPECT_LE(volts, 5000.0 * 50.0 / 30.0 / 32768.0);
    EXPECT_GT(volts, 4000.0 * 50.0 / 30.0 / 32768.0);
}

}  // namespace
}  // namespace velmora2
