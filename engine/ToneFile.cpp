#include "engine/ToneFile.h"

#include <bit>
#include <cmath>

#include "synthesis/SignalSource.h"
#include "wav/WavWriter.h"

namespace velmora2 {

std::vector<int16_t> ToneFrames(int frequencyHz, int sampleRate) {
    GeneratorSignal tone;
    tone.kind = SignalKind::Sine;
    tone.frequencyHz = frequencyHz;
    tone.levelDbfs = 20.0 * std::log10(kToneAmplitude / kFullScaleCounts);
    tone.dither = false;
    // A whole-hertz tone's loop divides one second.
    const std::vector<int16_t> loop = RenderLoop(tone, sampleRate);
    std::vector<int16_t> frames(2 * static_cast<size_t>(sampleRate));
    for (size_t i = 0; i < frames.size(); ++i) frames[i] = loop[i % loop.size()];
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
