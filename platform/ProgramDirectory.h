// Where the program's own files live (settings file, recordings, generator files): the directory
// of the running executable.
#pragma once

#include <filesystem>

namespace velmora2 {

// The directory of the file the link points to (for the running program, /proc/self/exe). When
// the link cannot be read, the current directory.
std::filesystem::path ProgramDirectory(
    const std::filesystem::path& executableLink = "/proc/self/exe");

}  // namespace velmora2
