// Finds a generator WAV file the way every caller looks for one: the program's directory, then the
// data directories (the user's tone files, the installed ones), then the current directory, then
// each directory of PATH. A name without an extension gets ".wav".
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmora2 {

struct FileSearchPlaces {
    std::filesystem::path programDirectory;
    std::filesystem::path currentDirectory;
    std::string pathVariable;  // the value of PATH, directories separated by ':'
    std::vector<std::filesystem::path> dataDirectories;
};

// The places of the running program: its directory, the user's and the installed data
// directories (platform/FilePlaces.h), the current directory and $PATH.
FileSearchPlaces ProgramSearchPlaces(const std::filesystem::path& programDirectory);

// The full path of the first regular file found under that name, or nothing. An absolute name is
// taken as it stands.
std::optional<std::filesystem::path> FindGeneratorFile(const std::string& name,
                                                       const FileSearchPlaces& places);

}  // namespace velmora2
