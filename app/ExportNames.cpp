#include "app/ExportNames.h"

#include "panel/ViewModes.h"

namespace velmora2 {

namespace {

const char* Extension(ExportKind kind) {
    return kind == ExportKind::Picture ? ".png" : ".csv";
}

}  // namespace

std::string SuggestedExportName(int32_t engineMode, ExportKind kind, const std::tm& local) {
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d-%H%M", &local);
    const ViewMode* mode = ViewModeOfEngineMode(engineMode);
    return std::string(mode != nullptr ? mode->name : "picture") + "-" + when + Extension(kind);
}

std::filesystem::path WithExportExtension(const std::filesystem::path& path, ExportKind kind) {
    if (!path.has_filename() || path.has_extension()) return path;
    std::filesystem::path named = path;
    named += Extension(kind);
    return named;
}

}  // namespace velmora2
