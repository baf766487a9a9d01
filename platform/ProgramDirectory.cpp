#include "platform/ProgramDirectory.h"

#include <system_error>

namespace velmora2 {

std::filesystem::path ProgramDirectory(const std::filesystem::path& executableLink) {
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink(executableLink, error);
    if (error || !executable.has_parent_path()) return std::filesystem::current_path(error);
    if (executable.is_relative()) executable = executableLink.parent_path() / executable;
    return executable.parent_path();
}

}  // namespace velmora2
