#include "audio/file/WavInput.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/RegularFile.h"
#include "wav/WavReader.h"

namespace velmora2 {

namespace {

bool IsInstrumentRate(uint32_t rate) {
    return rate == 48000 || rate == 96000 || rate == 192000;
}

// What keeps a checked PCM format from being captured, or empty when it can be.
std::string CaptureProblem(const WaveFormat& f) {
    if (f.bitsPerSample != 16)
        return "has " + std::to_string(f.bitsPerSample) +
               "-bit samples; only 16-bit PCM can be measured";
    if (!IsInstrumentRate(f.sampleRate))
        return "is sampled at " + std::to_string(f.sampleRate) +
               " Hz; the instrument runs at 48000, 96000 or 192000 Hz";
    return {};
}

}  // namespace

WavInput::WavInput(std::unique_ptr<ByteSource> source, std::string name, const WaveFormat& format,
                   uint64_t dataOffset, uint64_t frames)
    : source_(std::move(source)),
      name_(std::move(name)),
      format_(format),
      dataOffset_(dataOffset),
      frames_(frames) {}

std::unique_ptr<WavInput> WavInput::Open(const std::string& path, std::string& error) {
    std::unique_ptr<ByteSource> source = OpenFileSource(path);
    if (!source) {
        error =
            path + ": " +
            (IsThereButNotRegularFile(path) ? std::string("is not a regular file")
                                            : std::string(DescribeWavFault(WavFault::CannotOpen)));
        return nullptr;
    }
    return FromSource(std::move(source), path, error);
}

std::unique_ptr<WavInput> WavInput::FromSource(std::unique_ptr<ByteSource> source,
                                               const std::string& name, std::string& error) {
    const WavInfo info = ReadWavLayout(*source);
    if (info.fault != WavFault::None) {
        error = name + ": " + DescribeWavFault(info.fault);
        return nullptr;
    }
    const WavLayout& layout = info.layout;
    if (const std::string problem = CaptureProblem(layout.format); !problem.empty()) {
        error = name + ": " + problem;
        return nullptr;
    }
    const uint64_t frames = layout.dataBytes / layout.format.blockAlign;
    if (frames == 0) {
        error = name + ": its \"data\" chunk holds no complete frame";
        return nullptr;
    }
    return std::unique_ptr<WavInput>(
        new WavInput(std::move(source), name, layout.format, layout.dataOffset, frames));
}

size_t WavInput::ReadFrames(uint8_t* out, size_t frames) {
    const uint64_t count = std::min<uint64_t>(frames, frames_ - position_);
    if (count == 0) return 0;
    const uint16_t align = format_.blockAlign;
    const uint64_t offset = dataOffset_ + position_ * align;
    if (format_.channels == 2) {
        if (!source_->ReadAt(offset, out, count * align)) return 0;
    } else {
        // Mono: read into the back half of the frames' room, then spread each sample over both
        // channels from the front; a frame written never reaches a sample still to be spread.
        uint8_t* const samples = out + count * 2;
        if (!source_->ReadAt(offset, samples, count * 2)) return 0;
        for (uint64_t f = 0; f < count; ++f) {
            uint8_t sample[2];
            std::memcpy(sample, samples + f * 2, 2);
            std::memcpy(out + f * kFrameBytes, sample, 2);
            std::memcpy(out + f * kFrameBytes + 2, sample, 2);
        }
    }
    position_ += count;
    return static_cast<size_t>(count);
}

}  // namespace velmora2
