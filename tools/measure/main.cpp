// velmora2-measure: measures a WAV recording with the instrument's engine, or runs a network sweep
// through the main window's logic, and prints the figures or the data; optionally writes the
// picture the window would show. Only the requested output goes to standard output; every problem
// is one line on standard error.
#include <unistd.h>

#include <QBuffer>
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dataexport/LogSweepExport.h"
#include "settings/ReplaceFile.h"
#include "tools/measure/AnalyzeRun.h"
#include "tools/measure/GenerateRun.h"
#include "tools/measure/MeasureOptions.h"
#include "tools/measure/MeasureReport.h"
#include "tools/measure/MeasureRun.h"
#include "tools/measure/SweepRun.h"

namespace {

constexpr int kExitUnusable = 1;
constexpr int kExitArguments = 2;

// Standard error carries the command's own one-line messages; the toolkit's notices (about the
// runtime directory of an offscreen session, say) would only bury them.
void KeepOnlyToolkitFailures(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "velmora2-measure: %s\n", message.toLocal8Bit().constData());
}

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "velmora2-measure: %s\n", message.c_str());
    return status;
}

bool WritePng(const QImage& picture, const std::string& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return picture.save(&buffer, "PNG") &&
           velmora2::ReplaceFileContents(path, std::string_view(png.constData(), png.size()));
}

int Print(const std::string& report) {
    std::fwrite(report.data(), 1, report.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitUnusable;
}

// The sweep's progress on standard error: one line updated in place on a terminal, else one line
// per point of a stepped sweep, or per tenth of a log sweep's capture.
class ProgressLine {
public:
    explicit ProgressLine(bool logSweep)
        : terminal_(isatty(fileno(stderr)) != 0), logSweep_(logSweep) {}
    ~ProgressLine() {
        if (shown_) std::fputs("\n", stderr);
    }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // A log sweep tells its capture's progress in hundredths.
    void Show(int point, int count, double frequency) {
        const char* start = terminal_ ? "\r" : "";
        const char* end = terminal_ ? "\x1b[K" : "\n";
        if (logSweep_) {
            if (!terminal_ && point / 10 == lastTenth_) return;
            lastTenth_ = point / 10;
            std::fprintf(stderr, "%ssweep: %d%% captured, %lld Hz%s", start, point * 100 / count,
                         std::llround(frequency), end);
        } else {
            std::fprintf(stderr, "%ssweep: point %d of %d, %lld Hz%s", start, point, count,
                         std::llround(frequency), end);
        }
        std::fflush(stderr);
        shown_ = terminal_;
    }

private:
    const bool terminal_;
    const bool logSweep_;
    int lastTenth_ = -1;
    bool shown_ = false;  // a line on the terminal waits for its end
};

int Sweep(const velmora2::MeasureOptions& options) {
    velmora2::SweepOutcome outcome;
    std::string error;
    int status = 0;
    {
        ProgressLine progress(options.logSweep);
        status = velmora2::RunSweep(options, outcome, error,
                                    [&progress](int point, int count, double frequency) {
                                        progress.Show(point, count, frequency);
                                    });
    }
    if (status != 0) return Fail(kExitUnusable, error);
    if (!options.png.empty() && !WritePng(outcome.picture, options.png))
        return Fail(kExitUnusable, options.png + ": cannot be written");
    if (!options.impulse.empty() && outcome.logSweep &&
        !velmora2::ReplaceFileContents(options.impulse, velmora2::ImpulseWav(*outcome.logSweep)))
        return Fail(kExitUnusable, options.impulse + ": cannot be written");
    return Print(velmora2::FormatSweep(options, outcome));
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velmora2;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "generate") {
        const GenerateParse generate = ParseGenerateArguments(std::span(args).subspan(1));
        if (!generate.options) return Fail(kExitArguments, generate.error);
        std::string error;
        if (WriteGeneratedFile(*generate.options, error) != 0) return Fail(kExitUnusable, error);
        return 0;
    }
    if (!args.empty() && args[0] == "analyze") {
        const AnalyzeParse analyze = ParseAnalyzeArguments(std::span(args).subspan(1));
        if (!analyze.options) return Fail(kExitArguments, analyze.error);
        StereoFigures figures;
        std::string error;
        if (RunAnalysis(*analyze.options, figures, error) != 0) return Fail(kExitUnusable, error);
        return Print(FormatAnalysis(*analyze.options, figures));
    }
    const MeasureParse parse = ParseMeasureArguments(args);
    if (!parse.options) return Fail(kExitArguments, parse.error);
    const MeasureOptions& options = *parse.options;
    if (options.command == MeasureCommand::Help) {
        std::fputs(MeasureUsage().c_str(), stdout);
        return 0;
    }

    // The picture's text needs the toolkit's fonts, which need an application object; no display
    // is ever opened.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(KeepOnlyToolkitFailures);
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);

    if (options.command == MeasureCommand::Sweep) return Sweep(options);
    MeasureResult result;
    std::string error;
    if (RunMeasurement(options, result, error) != 0) return Fail(kExitUnusable, error);
    if (!options.png.empty() && !WritePng(result.picture, options.png))
        return Fail(kExitUnusable, options.png + ": cannot be written");
    return Print(FormatMeasurement(options, result));
}
