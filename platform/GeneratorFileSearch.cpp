#include "platform/GeneratorFileSearch.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

#include "platform/FilePlaces.h"

namespace velmora2 {

namespace fs = std::filesystem;

namespace {

bool IsRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace

FileSearchPlaces ProgramSearchPlaces(const fs::path& programDirectory) {
    std::error_code error;
    FileSearchPlaces places{programDirectory, fs::current_path(error), {}, {}};
    if (const char* path = std::getenv("PATH")) places.pathVariable = path;
    const FilePlaces files = ResolveFilePlaces(programDirectory);
    places.dataDirectories = {files.userDataDirectory, files.installedDataDirectory};
    return places;
}

std::optional<fs::path> FindGeneratorFile(const std::string& name, const FileSearchPlaces& places) {
    if (name.empty()) return std::nullopt;
    fs::path file(name);
    if (!file.has_extension()) file += ".wav";
    if (file.is_absolute()) return IsRegularFile(file) ? std::optional(file) : std::nullopt;

    const auto found = [&](const fs::path& directory) -> std::optional<fs::path> {
        if (directory.empty()) return std::nullopt;
        fs::path candidate = directory / file;
        if (IsRegularFile(candidate)) return candidate;
        return std::nullopt;
    };
    if (auto path = found(places.programDirectory)) return path;
    for (const fs::path& directory : places.dataDirectories)
        if (auto path = found(directory)) return path;
    if (auto path = found(places.currentDirectory)) return path;
    std::string_view rest = places.pathVariable;
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const std::string_view directory = rest.substr(0, colon);
        if (auto path = found(fs::path(directory))) return path;
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return std::nullopt;
}

}  // namespace velmora2
