// Where the program keeps the files it writes and finds the tone files it plays. Beside the
// executable as always; when that directory cannot be written (a system-wide install), the
// settings go to $XDG_CONFIG_HOME/velmora2 and the recordings to $XDG_DATA_HOME/velmora2.
#pragma once

#include <filesystem>
#include <functional>

namespace velmora2 {

struct FilePlaces {
    std::filesystem::path programDirectory;
    std::filesystem::path settingsDirectory;    // Velmora2.INI
    std::filesystem::path recordingsDirectory;  // RECORDnn.wav
    // Searched for tone files after the program's directory: the user's own tone files, then the
    // ones installed with the program (<prefix>/share/velmora2 beside <prefix>/bin).
    std::filesystem::path userDataDirectory;
    std::filesystem::path installedDataDirectory;
};

// Reads an environment variable; null when unset.
using EnvironmentLookup = std::function<const char*(const char* name)>;

// The places for a program in this directory, with the XDG variables and HOME read through env.
FilePlaces ResolveFilePlaces(const std::filesystem::path& programDirectory,
                             const EnvironmentLookup& env);
// The same with the process environment.
FilePlaces ResolveFilePlaces(const std::filesystem::path& programDirectory);

// Whether the program may create files in the directory. A directory without any write
// permission bit counts as read-only even for the superuser, who could override it: a program
// run as root must not scatter files into a tree the administrator locked.
bool IsWritableDirectory(const std::filesystem::path& directory);

}  // namespace velmora2
