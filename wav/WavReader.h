// Our RIFF/WAVE reader: finds the "fmt " and "data" chunks of a PCM WAV image and checks the
// format before anything uses it. The faults are in the order the file is walked, so a caller
// can tell how far a file got.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "audio/WaveFormat.h"
#include "wav/ByteFile.h"

namespace velmora2 {

enum class WavFault {
    None,
    CannotOpen,          // the file cannot be opened for reading
    NotRiffWave,         // no RIFF chunk of form "WAVE" at the start
    NoFormatChunk,       // no "fmt " chunk inside the RIFF chunk
    EmptyFormatChunk,    // the "fmt " chunk has size 0
    BadFormat,           // shorter than 16 bytes, or not 8/16-bit PCM with 1 or 2 channels
    FormatChunkOverrun,  // the "fmt " chunk runs past the end of the RIFF chunk
    NoDataChunk,         // no "data" chunk after the "fmt " chunk
    EmptyDataChunk,      // the "data" chunk has size 0
    DataOverrun,         // the "data" chunk is longer than the bytes left in the file
    ReadFailed,          // reading the data failed
};

// A short English description of a fault, for messages that name the file.
const char* DescribeWavFault(WavFault fault);

struct WavLayout {
    WaveFormat format;  // checked: valid whenever FormatChecked(fault) holds
    uint32_t formatChunkBytes = 0;
    uint64_t dataOffset = 0;  // where the samples start in the file
    uint32_t dataBytes = 0;
};

// True when the walk got past the format check, so layout.format is a checked PCM format.
constexpr bool FormatChecked(WavFault fault) {
    return fault == WavFault::None || fault > WavFault::BadFormat;
}

struct WavInfo {
    WavFault fault = WavFault::None;
    WavLayout layout;
};

// The sample formats a reader takes: the instrument's own (8- or 16-bit PCM), or for measuring a
// file also 24- and 32-bit PCM and 32- or 64-bit floating point, plainly or in the extensible
// format's wrapping (whose subformat then stands in formatTag: 1 PCM, 3 floating point).
enum class WavSamples { Pcm8Or16, ForMeasuring };

inline constexpr uint16_t kWavFloatTag = 3;

// Walks the chunks of a WAV image. Never reads outside the source.
WavInfo ReadWavLayout(const ByteSource& source, WavSamples accepted = WavSamples::Pcm8Or16);

// Reads the data chunk of a checked layout whole.
bool ReadWavData(const ByteSource& source, const WavLayout& layout, std::vector<uint8_t>& out);

struct WavContents {
    WavFault fault = WavFault::None;
    WaveFormat format;
    std::vector<uint8_t> data;
};

// Opens, checks and reads a whole WAV file.
WavContents ReadWavFile(const std::filesystem::path& path,
                        WavSamples accepted = WavSamples::Pcm8Or16);

}  // namespace velmora2
