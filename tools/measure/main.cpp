// velmora2-measure: measures a WAV recording with the instrument's engine and prints the figures
// or the data; optionally writes the picture the window would show. Only the requested output
// goes to standard output; every problem is one line on standard error.
#include <QBuffer>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/ReplaceFile.h"
#include "tools/measure/MeasureOptions.h"
#include "tools/measure/MeasureReport.h"
#include "tools/measure/MeasureRun.h"

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

}  // namespace

int main(int argc, char** argv) {
    using namespace velmora2;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
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

    MeasureResult result;
    std::string error;
    if (RunMeasurement(options, result, error) != 0) return Fail(kExitUnusable, error);
    if (!options.png.empty()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!result.picture.save(&buffer, "PNG") ||
            !ReplaceFileContents(options.png, std::string_view(png.constData(), png.size())))
            return Fail(kExitUnusable, options.png + ": cannot be written");
    }
    const std::string report = FormatMeasurement(options, result);
    std::fwrite(report.data(), 1, report.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitUnusable;
}
