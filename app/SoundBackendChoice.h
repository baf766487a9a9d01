// Chooses the sound backend from the environment: VELMORA2_AUDIO=portaudio (the default) runs on
// the machine's devices, VELMORA2_AUDIO=sim on the simulated bench in real time, and
// VELMORA2_AUDIO=file:PATH captures from a WAV file at its real pace, looping.
#pragma once

#include <memory>

#include "audio/SoundSystem.h"

namespace velmora2 {

constexpr const char* kSoundBackendVariable = "VELMORA2_AUDIO";
constexpr const char* kFileBackendPrefix = "file:";

// An unknown value is reported in one line on standard error and runs on PortAudio.
std::unique_ptr<SoundSystem> CreateSoundSystemFromEnvironment();

}  // namespace velmora2
