// Files as the WAV reader and writer see them: a source that reads bytes at an offset (a file on
// disk or bytes in memory) and a sink that writes bytes at an offset. Tests substitute sinks
// that fail on purpose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

namespace velmora2 {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly `bytes` bytes at offset; false when fewer are there or the read fails.
    virtual bool ReadAt(uint64_t offset, void* out, size_t bytes) const = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(uint64_t offset, void* out, size_t bytes) const override;

private:
    std::span<const uint8_t> bytes_;
};

// A regular file opened for reading; empty when it cannot be opened or is not a regular file.
// Never waits: a FIFO, a device or a directory is refused at once.
std::unique_ptr<ByteSource> OpenFileSource(const std::filesystem::path& path);

class ByteFile {
public:
    virtual ~ByteFile() = default;
    // Writes all bytes at offset; false when the write fails or is short.
    virtual bool WriteAt(uint64_t offset, const void* data, size_t bytes) = 0;
    // Cuts or extends the file to size bytes.
    virtual bool Truncate(uint64_t size) = 0;
    // Closes the file; later calls fail.
    virtual bool Close() = 0;
    // The system's error number of the last call that failed; 0 when none failed or the sink
    // cannot tell.
    virtual int LastError() const { return 0; }
};

enum class CreateMode {
    NewOnly,  // fails when anything of that name exists
    Replace,  // an existing file is replaced
};

// A file created for writing, or empty when it cannot be created.
std::unique_ptr<ByteFile> CreateByteFile(const std::filesystem::path& path, CreateMode mode);

}  // namespace velmora2
