// The names of the generator's tone files: "sin" + token + ".wav" at 48000 Hz, "fs96k_sin..." at
// 96000 Hz and "fs192k_sin..." at any other rate; the token is the frequency below 1000 Hz
// ("50", "700"), from 1000 Hz on the whole kilohertz, "k" and a non-zero hundreds digit ("1k",
// "1k5", "10k8").
#pragma once

#include <string>

namespace velmora2 {

inline constexpr const char* kDefaultToneFile = "sin1k.wav";

std::string ToneFileName(int frequencyHz, int sampleRate);

}  // namespace velmora2
