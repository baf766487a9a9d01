#include "platform/FilePlaces.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace velmora2 {

namespace fs = std::filesystem;

namespace {

constexpr const char* kOwnDirectory = "velmora2";

// $variable when it holds an absolute path (relative ones are invalid and ignored), else
// $HOME/fallback.
fs::path BaseDirectory(const EnvironmentLookup& env, const char* variable, const char* fallback) {
    if (const char* value = env(variable); value != nullptr && value[0] == '/') return value;
    const char* home = env("HOME");
    if (home == nullptr || home[0] == '\0') return {};
    return fs::path(home) / fallback;
}

}  // namespace

bool IsWritableDirectory(const fs::path& directory) {
    struct stat info {};
    if (stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    return faccessat(AT_FDCWD, directory.c_str(), W_OK, AT_EACCESS) == 0;
}

FilePlaces ResolveFilePlaces(const fs::path& programDirectory, const EnvironmentLookup& env) {
    FilePlaces places;
    places.programDirectory = programDirectory;
    const fs::path config = BaseDirectory(env, "XDG_CONFIG_HOME", ".config");
    const fs::path data = BaseDirectory(env, "XDG_DATA_HOME", ".local/share");
    places.userDataDirectory = data.empty() ? fs::path() : data / kOwnDirectory;
    places.installedDataDirectory =
        (programDirectory.parent_path() / "share" / kOwnDirectory).lexically_normal();

    const bool besideProgram = IsWritableDirectory(programDirectory);
    places.settingsDirectory =
        besideProgram || config.empty() ? programDirectory : config / kOwnDirectory;
    places.recordingsDirectory =
        besideProgram || data.empty() ? programDirectory : places.userDataDirectory;
    return places;
}

FilePlaces ResolveFilePlaces(const fs::path& programDirectory) {
    return ResolveFilePlaces(programDirectory, [](const char* name) { return std::getenv(name); });
}

}  // namespace velmora2
