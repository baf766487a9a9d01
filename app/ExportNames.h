// The file names "Save picture..." and "Save data..." work with: the name the file dialog offers
// (what the picture shows and when, "spectrum-2026-12-09-1432.png"), and the extension a name
// typed without one gets.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>

namespace velmora2 {

enum class ExportKind { Picture, Data };

// `engineMode` is what the picture shows (kModeScope ...); `local` the local time of the save.
std::string SuggestedExportName(int32_t engineMode, ExportKind kind, const std::tm& local);

// The path as typed, with ".png" or ".csv" added when its file name has no extension.
std::filesystem::path WithExportExtension(const std::filesystem::path& path, ExportKind kind);

}  // namespace velmora2
