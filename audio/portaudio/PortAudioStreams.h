// What the PortAudio capture and output sides share: which device an identifier selects, and the
// 16-bit stream parameters both sides open and check their devices with.
#pragma once

#include <portaudio.h>

#include "audio/SoundSystem.h"

namespace velmora2 {

enum class Direction { Capture, Output };

// The device an identifier selects (the system default for the default identifier), or
// paNoDevice when it selects nothing with at least two channels in that direction.
PaDeviceIndex ResolveStereoDevice(DeviceId id, Direction direction);

// 16-bit interleaved frames of the given channel count, at the device's default latency.
PaStreamParameters Int16Parameters(PaDeviceIndex device, int channels, Direction direction);

// paFormatIsSupported, or PortAudio's negative reason for refusing the format.
PaError CheckInt16Format(PaDeviceIndex device, int channels, double rate, Direction direction);

}  // namespace velmora2
