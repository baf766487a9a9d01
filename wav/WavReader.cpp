#include "wav/WavReader.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>

namespace velmora2 {

namespace {

constexpr uint64_t kChunkHeaderBytes = 8;
constexpr uint32_t kPcmFormatBytes = 16;

uint32_t LittleEndian32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t LittleEndian16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

struct Chunk {
    uint64_t offset;  // of the chunk header
    uint32_t size;    // of the body, as the header says

    uint64_t BodyOffset() const { return offset + kChunkHeaderBytes; }
    uint64_t BodyEnd() const { return BodyOffset() + size; }
    // Bodies of odd size are followed by one pad byte.
    uint64_t Next() const { return BodyEnd() + (size & 1u); }
};

// Searches the chunks from `from` up to `end` for the one named id. A chunk in the way whose body
// runs past `end` ends the search: nothing after it can be trusted.
std::optional<Chunk> FindChunk(const ByteSource& source, uint64_t from, uint64_t end,
                               const char* id) {
    uint64_t offset = from;
    while (offset + kChunkHeaderBytes <= end) {
        uint8_t header[kChunkHeaderBytes];
        if (!source.ReadAt(offset, header, sizeof header)) return std::nullopt;
        const Chunk chunk{offset, LittleEndian32(header + 4)};
        if (std::memcmp(header, id, 4) == 0) return chunk;
        if (chunk.Next() > end) return std::nullopt;
        offset = chunk.Next();
    }
    return std::nullopt;
}

constexpr uint16_t kExtensibleTag = 0xFFFE;
constexpr uint32_t kExtensibleFormatBytes = 40;
constexpr uint32_t kSubformatOffset = 24;

bool IsUsable(const WaveFormat& f, WavSamples accepted) {
    const uint16_t bits = f.bitsPerSample;
    const bool bitsOk =
        accepted == WavSamples::Pcm8Or16
            ? f.formatTag == 1 && (bits == 8 || bits == 16)
            : (f.formatTag == 1 && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) ||
                  (f.formatTag == kWavFloatTag && (bits == 32 || bits == 64));
    return (f.channels == 1 || f.channels == 2) && bitsOk &&
           f.blockAlign == f.channels * (bits / 8) && f.sampleRate > 0;
}

WaveFormat ParseFormat(const uint8_t* p) {
    WaveFormat f;
    f.formatTag = LittleEndian16(p);
    f.channels = LittleEndian16(p + 2);
    f.sampleRate = LittleEndian32(p + 4);
    f.avgBytesPerSec = LittleEndian32(p + 8);
    f.blockAlign = LittleEndian16(p + 12);
    f.bitsPerSample = LittleEndian16(p + 14);
    return f;
}

}  // namespace

const char* DescribeWavFault(WavFault fault) {
    switch (fault) {
        case WavFault::None:
            return "no fault";
        case WavFault::CannotOpen:
            return "cannot be opened for reading";
        case WavFault::NotRiffWave:
            return "is not a RIFF/WAVE file";
        case WavFault::NoFormatChunk:
            return "has no \"fmt \" chunk";
        case WavFault::EmptyFormatChunk:
            return "has an empty \"fmt \" chunk";
        case WavFault::BadFormat:
            return "is not 8- or 16-bit PCM with one or two channels";
        case WavFault::FormatChunkOverrun:
            return "has a \"fmt \" chunk that runs past the end of the file";
        case WavFault::NoDataChunk:
            return "has no \"data\" chunk";
        case WavFault::EmptyDataChunk:
            return "has an empty \"data\" chunk";
        case WavFault::DataOverrun:
            return "is shorter than its \"data\" chunk says";
        case WavFault::ReadFailed:
            return "cannot be read";
    }
    return "has an unknown fault";
}

WavInfo ReadWavLayout(const ByteSource& source, WavSamples accepted) {
    WavInfo info;
    const auto fail = [&info](WavFault fault) {
        info.fault = fault;
        return info;
    };

    uint8_t riff[12];
    if (!source.ReadAt(0, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0 || LittleEndian32(riff + 4) < 4)
        return fail(WavFault::NotRiffWave);
    // A RIFF size larger than the file (a recording cut short) is read up to the file's end.
    const uint64_t riffEnd =
        std::min<uint64_t>(kChunkHeaderBytes + LittleEndian32(riff + 4), source.Size());

    const std::optional<Chunk> fmt = FindChunk(source, sizeof riff, riffEnd, "fmt ");
    if (!fmt) return fail(WavFault::NoFormatChunk);
    if (fmt->size == 0) return fail(WavFault::EmptyFormatChunk);
    uint8_t format[kPcmFormatBytes];
    if (fmt->size < kPcmFormatBytes || !source.ReadAt(fmt->BodyOffset(), format, sizeof format))
        return fail(WavFault::BadFormat);
    info.layout.format = ParseFormat(format);
    info.layout.formatChunkBytes = fmt->size;
    if (accepted == WavSamples::ForMeasuring && info.layout.format.formatTag == kExtensibleTag) {
        uint8_t subformat[2];
        if (fmt->size < kExtensibleFormatBytes ||
            !source.ReadAt(fmt->BodyOffset() + kSubformatOffset, subformat, sizeof subformat))
            return fail(WavFault::BadFormat);
        info.layout.format.formatTag = LittleEndian16(subformat);
    }
    if (!IsUsable(info.layout.format, accepted)) return fail(WavFault::BadFormat);
    if (fmt->BodyEnd() > riffEnd) return fail(WavFault::FormatChunkOverrun);

    const std::optional<Chunk> data = FindChunk(source, fmt->Next(), riffEnd, "data");
    if (!data) return fail(WavFault::NoDataChunk);
    if (data->size == 0) return fail(WavFault::EmptyDataChunk);
    info.layout.dataOffset = data->BodyOffset();
    info.layout.dataBytes = data->size;
    if (data->BodyEnd() > source.Size()) return fail(WavFault::DataOverrun);
    return info;
}

bool ReadWavData(const ByteSource& source, const WavLayout& layout, std::vector<uint8_t>& out) {
    try {
        out.resize(layout.dataBytes);
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
    return source.ReadAt(layout.dataOffset, out.data(), out.size());
}

WavContents ReadWavFile(const std::filesystem::path& path, WavSamples accepted) {
    WavContents contents;
    const std::unique_ptr<ByteSource> source = OpenFileSource(path);
    if (!source) {
        contents.fault = WavFault::CannotOpen;
        return contents;
    }
    const WavInfo info = ReadWavLayout(*source, accepted);
    contents.fault = info.fault;
    contents.format = info.layout.format;
    if (info.fault != WavFault::None) return contents;
    if (!ReadWavData(*source, info.layout, contents.data)) contents.fault = WavFault::ReadFailed;
    return contents;
}

}  // namespace velmora2
