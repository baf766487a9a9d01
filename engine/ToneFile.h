// Generator tone files: 16-bit stereo sines with both channels equal (the generator's own sine,
// undithered), one second long, so that a file holds a whole number of periods of any
// whole-hertz tone and loops without a click.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace velmora2 {

// -6 dBFS: half of full scale, so the generator and a device under test have headroom.
inline constexpr double kToneAmplitude = 16422.0;  // 32768 x 10^(-6/20), rounded down

// One second (sampleRate frames) of interleaved left/right samples of the tone.
std::vector<int16_t> ToneFrames(int frequencyHz, int sampleRate);

// Writes the tone as a WAV file, replacing one of that name. False when it cannot be written.
bool WriteToneFile(const std::filesystem::path& path, int frequencyHz, int sampleRate);

}  // namespace velmora2
