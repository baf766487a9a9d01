#include "wav/ByteFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/RegularFile.h"

namespace velmora2 {

namespace {

// Calls io(done) until `bytes` bytes are through, retrying interrupted and short transfers.
template <typename Io>
bool TransferAll(size_t bytes, Io&& io) {
    size_t done = 0;
    while (done < bytes) {
        const ssize_t n = io(done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

class FileSource final : public ByteSource {
public:
    FileSource(int fd, uint64_t size) : fd_(fd), size_(size) {}
    ~FileSource() override { ::close(fd_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* out, size_t bytes) const override {
        if (offset > size_ || bytes > size_ - offset) return false;
        auto* target = static_cast<uint8_t*>(out);
        return TransferAll(bytes, [&](size_t done) {
            return ::pread(fd_, target + done, bytes - done, static_cast<off_t>(offset + done));
        });
    }

private:
    int fd_;
    uint64_t size_;
};

class PosixByteFile final : public ByteFile {
public:
    explicit PosixByteFile(int fd) : fd_(fd) {}
    ~PosixByteFile() override { Close(); }
    PosixByteFile(const PosixByteFile&) = delete;
    PosixByteFile& operator=(const PosixByteFile&) = delete;

    bool WriteAt(uint64_t offset, const void* data, size_t bytes) override {
        if (fd_ < 0) return Failed(EBADF);
        const auto* source = static_cast<const uint8_t*>(data);
        errno = 0;
        return TransferAll(bytes,
                           [&](size_t done) {
                               return ::pwrite(fd_, source + done, bytes - done,
                                               static_cast<off_t>(offset + done));
                           }) ||
               Failed(errno);
    }
    bool Truncate(uint64_t size) override {
        if (fd_ < 0) return Failed(EBADF);
        return ::ftruncate(fd_, static_cast<off_t>(size)) == 0 || Failed(errno);
    }
    bool Close() override {
        if (fd_ < 0) return Failed(EBADF);
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 || Failed(errno);
    }
    int LastError() const override { return lastError_; }

private:
    // Keeps the error of a failed call (a write that stopped short without one counts as an
    // input/output error); always false.
    bool Failed(int error) {
        lastError_ = error != 0 ? error : EIO;
        return false;
    }

    int fd_;
    int lastError_ = 0;
};

}  // namespace

bool MemorySource::ReadAt(uint64_t offset, void* out, size_t bytes) const {
    if (offset > bytes_.size() || bytes > bytes_.size() - offset) return false;
    if (bytes > 0) std::memcpy(out, bytes_.data() + offset, bytes);
    return true;
}

std::unique_ptr<ByteSource> OpenFileSource(const std::filesystem::path& path) {
    const int fd = OpenRegularFile(path);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<FileSource>(fd, static_cast<uint64_t>(info.st_size));
}

std::unique_ptr<ByteFile> CreateByteFile(const std::filesystem::path& path, CreateMode mode) {
    const int flags =
        O_WRONLY | O_CREAT | O_CLOEXEC | (mode == CreateMode::NewOnly ? O_EXCL : O_TRUNC);
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixByteFile>(fd);
}

}  // namespace velmora2
