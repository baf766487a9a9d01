// Fuzz target: any bytes through the WAV reader. It must never read outside the input, and what
// it accepts must be a checked PCM format whose data lies inside the input.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "wav/WavReader.h"

using namespace velmora2;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MemorySource source({data, size});
    const WavInfo info = ReadWavLayout(source);
    if (FormatChecked(info.fault)) {
        const WaveFormat& f = info.layout.format;
        const bool pcm = f.formatTag == 1 && (f.channels == 1 || f.channels == 2) &&
                         (f.bitsPerSample == 8 || f.bitsPerSample == 16) && f.sampleRate > 0 &&
                         f.blockAlign == f.channels * f.bitsPerSample / 8;
        if (!pcm) std::abort();
    }
    // The wider formats of files for measuring: never outside the input either, and never a
    // format that cannot be decoded.
    const WavInfo wide = ReadWavLayout(source, WavSamples::ForMeasuring);
    if (FormatChecked(wide.fault)) {
        const WaveFormat& f = wide.layout.format;
        const int bits = f.bitsPerSample;
        const bool decodable =
            (f.formatTag == 1 && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) ||
            (f.formatTag == kWavFloatTag && (bits == 32 || bits == 64));
        if (!decodable || f.blockAlign != f.channels * bits / 8) std::abort();
    }
    if (wide.fault == WavFault::None && wide.layout.dataOffset + wide.layout.dataBytes > size)
        std::abort();
    if (info.fault != WavFault::None) return 0;
    if (info.layout.dataBytes == 0 || info.layout.dataOffset + info.layout.dataBytes > size)
        std::abort();
    std::vector<uint8_t> samples;
    if (!ReadWavData(source, info.layout, samples)) std::abort();
    for (size_t i = 0; i < samples.size(); ++i)
        if (samples[i] != data[info.layout.dataOffset + i]) std::abort();
    return 0;
}
