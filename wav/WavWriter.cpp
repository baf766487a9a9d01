#include "wav/WavWriter.h"

#include <array>
#include <cstring>

namespace velmora2 {

namespace {

constexpr uint32_t kFormatChunkBytes = 18;  // the PCM record and a zero extra size
constexpr uint64_t kRiffSizeOffset = 4;
constexpr uint64_t kDataSizeOffset = 42;

void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void Put32(uint8_t* p, uint32_t v) {
    Put16(p, static_cast<uint16_t>(v));
    Put16(p + 2, static_cast<uint16_t>(v >> 16));
}

}  // namespace

WavWriter::~WavWriter() {
    Finish();
}

bool WavWriter::WriteHeader(const WaveFormat& f) {
    std::array<uint8_t, kHeaderBytes> h{};
    std::memcpy(&h[0], "RIFF", 4);
    std::memcpy(&h[8], "WAVE", 4);
    std::memcpy(&h[12], "fmt ", 4);
    Put32(&h[16], kFormatChunkBytes);
    Put16(&h[20], f.formatTag);
    Put16(&h[22], f.channels);
    Put32(&h[24], f.sampleRate);
    Put32(&h[28], f.avgBytesPerSec);
    Put16(&h[32], f.blockAlign);
    Put16(&h[34], f.bitsPerSample);
    Put16(&h[36], 0);
    std::memcpy(&h[38], "data", 4);
    return !finished_ && file_->WriteAt(0, h.data(), h.size());
}

bool WavWriter::Append(const uint8_t* data, size_t bytes) {
    if (finished_ || WouldOverflow(bytes)) return false;
    if (!file_->WriteAt(kHeaderBytes + dataBytes_, data, bytes)) return false;
    dataBytes_ += bytes;
    return true;
}

bool WavWriter::WriteSizes() {
    if (finished_) return false;
    uint8_t size[4];
    Put32(size, static_cast<uint32_t>(kHeaderBytes - 8 + dataBytes_));
    if (!file_->WriteAt(kRiffSizeOffset, size, sizeof size)) return false;
    Put32(size, static_cast<uint32_t>(dataBytes_));
    return file_->WriteAt(kDataSizeOffset, size, sizeof size);
}

bool WavWriter::Finish() {
    if (finished_) return true;
    bool ok = WriteSizes();
    ok = file_->Truncate(kHeaderBytes + dataBytes_) && ok;
    finished_ = true;
    return file_->Close() && ok;
}

}  // namespace velmora2
