#include "engine/ToneFile.h"

#include <bit>
#include <cmath>
#include <numbers>

#include "wav/WavWriter.h"

namespace velmora2 {

std::vector<int16_t> ToneFrames(int frequencyHz, int sampleRate) {
    std::vector<int16_t> frames(2 * static_cast<size_t>(sampleRate));
    for (int n = 0; n < sampleRate; ++n) {
        // The phase is reduced to whole periods first, so the last frames are as exact as the
        // first and the loop point joins without a step.
        const int64_t step = static_cast<int64_t>(frequencyHz) * n % sampleRate;
        const double phase = 2.0 * std::numbers::pi * static_cast<double>(step) / sampleRate;
        const auto value = static_cast<int16_t>(std::lround(kToneAmplitude * std::sin(phase)));
        frames[2 * static_cast<size_t>(n)] = value;
        frames[2 * static_cast<size_t>(n) + 1] = value;
    }
    return frames;
}

bool WriteToneFile(const std::filesystem::path& path, int frequencyHz, int sampleRate) {
    if (frequencyHz <= 0 || sampleRate <= 0) return false;
    std::unique_ptr<ByteFile> file = CreateByteFile(path, CreateMode::Replace);
    if (!file) return false;
    WavWriter writer(std::move(file));
    const std::vector<int16_t> frames = ToneFrames(frequencyHz, sampleRate);
    static_assert(std::endian::native == std::endian::little, "WAV samples are little-endian");
    const auto* bytes = reinterpret_cast<const uint8_t*>(frames.data());
    return writer.WriteHeader(WaveFormat::StereoPcm16(static_cast<uint32_t>(sampleRate))) &&
           writer.Append(bytes, frames.size() * sizeof(int16_t)) && writer.Finish();
}

}  // namespace velmora2
