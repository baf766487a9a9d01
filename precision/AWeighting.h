// The A frequency weighting of sound level meters in closed form (its four poles at 20.6, 107.7,
// 737.9 and 12194 Hz), normalised to exactly 0 dB at 1 kHz.
#pragma once

namespace velmora2 {

// The weighting's power gain |A(f)|^2 at f Hz (f >= 0).
double AWeightingPowerGain(double frequencyHz);

}  // namespace velmora2
