#include "app/ExportNames.h"

#include "records/RuntimeState.h"

namespace velmora2 {

namespace {

const char* ModeWord(int32_t engineMode) {
    switch (engineMode) {
        case kModeSpectrum:
            return "spectrum";
        case kModeNetworkPlot:
            return "network";
        case kModeLissajous:
            return "lissajous";
        default:
            return "scope";
    }
}

const char* Extension(ExportKind kind) {
    return kind == ExportKind::Picture ? ".png" : ".csv";
}

}  // namespace

std::string SuggestedExportName(int32_t engineMode, ExportKind kind, const std::tm& local) {
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d-%H%M", &local);
    return std::string(ModeWord(engineMode)) + "-" + when + Extension(kind);
}

std::filesystem::path WithExportExtension(const std::filesystem::path& path, ExportKind kind) {
    if (!path.has_filename() || path.has_extension()) return path;
    std::filesystem::path named = path;
    named += Extension(kind);
    return named;
}

}  // namespace velmora2
