// Our RIFF/WAVE writer: the 46-byte header (an 18-byte "fmt " chunk, then the "data" chunk
// header), then the samples appended piece by piece. The two sizes in the header can be brought
// up to date at any time, so the file on disk reads as a complete WAV file up to the last update.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "audio/WaveFormat.h"
#include "wav/ByteFile.h"

namespace velmora2 {

class WavWriter {
public:
    static constexpr uint32_t kHeaderBytes = 46;
    // The RIFF size (38 header bytes after it plus the data) must fit into 32 bits.
    static constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - (kHeaderBytes - 8);

    explicit WavWriter(std::unique_ptr<ByteFile> file) : file_(std::move(file)) {}
    // Finishes a file that was not finished.
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // The header with both sizes 0.
    bool WriteHeader(const WaveFormat& format);
    // Appends after the data written so far. False when the write fails: the bytes are not
    // counted (the file may hold part of them after the counted data until Finish cuts it).
    bool Append(const uint8_t* data, size_t bytes);
    // Writes the RIFF and data sizes of the bytes counted so far.
    bool WriteSizes();
    // Writes the sizes, cuts the file after the counted data and closes it. False when any of
    // that failed. Later calls do nothing and return true.
    bool Finish();

    uint64_t DataBytes() const { return dataBytes_; }
    // The system's error number of the file's last failed write (ByteFile::LastError).
    int LastError() const { return file_->LastError(); }
    // Whether `bytes` more would pass the 32-bit RIFF size.
    bool WouldOverflow(size_t bytes) const { return bytes > kMaxDataBytes - dataBytes_; }

private:
    std::unique_ptr<ByteFile> file_;
    uint64_t dataBytes_ = 0;
    bool finished_ = false;
};

}  // namespace velmora2
