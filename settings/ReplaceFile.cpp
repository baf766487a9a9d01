// Writing through a temporary file and rename: a full disk or a failing device can then only
// lose the new contents, never the file that was there.
#include "settings/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace velmora2 {
namespace {

// The user's mark counts even where the permission bits would not stop us (a superuser).
bool IsWriteProtected(const std::filesystem::path& path, const struct stat& status) {
    constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
    return (status.st_mode & kAnyWrite) == 0 || access(path.c_str(), W_OK) != 0;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::filesystem::path DirectoryOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

// Creates a new, unique file beside target; -1 when the directory cannot take one.
int CreateTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temporary) {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path directory = DirectoryOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = directory / ("." + target.filename().string() + ".tmp-" +
                                 std::to_string(getpid()) + "-" + std::to_string(counter++));
        // 0666 less the user's umask: the permissions a newly created file would get.
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteTemporary(int fd, std::string_view contents, const struct stat* oldStatus) {
    bool ok = WriteAll(fd, contents);
    // The replacement keeps the permissions of the file it replaces.
    if (ok && oldStatus) ok = fchmod(fd, oldStatus->st_mode & 07777) == 0;
    if (ok) ok = fsync(fd) == 0;
    // close must run whatever happened before, and its own failure counts too.
    return close(fd) == 0 && ok;
}

}  // namespace

bool ReplaceFileContents(const std::filesystem::path& requested, std::string_view contents) {
    std::filesystem::path target = requested;
    std::error_code error;
    // A link stays a link; what changes is the file it points to.
    if (std::filesystem::is_symlink(target, error)) {
        target = std::filesystem::canonical(target, error);
        if (error) return false;
    }

    struct stat oldStatus {};
    const bool exists = stat(target.c_str(), &oldStatus) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists && (!S_ISREG(oldStatus.st_mode) || IsWriteProtected(target, oldStatus)))
        return false;

    // A write-protected directory is respected as a write-protected file is.
    struct stat directoryStatus {};
    const std::filesystem::path directory = DirectoryOf(target);
    if (stat(directory.c_str(), &directoryStatus) != 0 ||
        IsWriteProtected(directory, directoryStatus))
        return false;

    std::filesystem::path temporary;
    const int fd = CreateTemporaryBeside(target, temporary);
    if (fd < 0) return false;
    if (WriteTemporary(fd, contents, exists ? &oldStatus : nullptr) &&
        rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    unlink(temporary.c_str());
    return false;
}

}  // namespace velmora2
