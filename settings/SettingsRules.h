// The values the program can work with, per setting. A value outside its set is refused where it
// enters the program (the settings file), so that it never reaches the engine.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/RecordLength.h"
#include "logsweep/OctaveBands.h"
#include "records/GeneratorSignal.h"
#include "synthesis/LogSweepSignal.h"

namespace velmora2 {

// WINFUNC, PLAYWAV and every token of the settings file hold at most this many bytes.
inline constexpr std::size_t kMaxSettingsTextBytes = 99;

// CAL multiplies every displayed voltage; the options dialog takes 0.01 .. 10.
inline constexpr double kMinCalibration = 0.01;
inline constexpr double kMaxCalibration = 10.0;
constexpr bool IsValidCalibration(double cal) {
    return cal >= kMinCalibration && cal <= kMaxCalibration;
}

constexpr bool IsValidOversampling(int32_t factor) {
    return factor == 1 || factor == 2 || factor == 4;
}

constexpr bool IsValidChannelDelay(int32_t samples) {
    return samples >= -5 && samples <= 5;
}

constexpr bool IsValidDeviceIndex(int32_t index) {
    return index >= 0;
}

constexpr bool IsValidSampleRate(int32_t hz) {
    return hz == 48000 || hz == 96000 || hz == 192000;
}

// The averaging divides by the length, and the dialog offers no more than 1000.
constexpr bool IsValidAveragingLength(int32_t count) {
    return count >= 2 && count <= 1000;
}

// Only these point counts have generator file tables.
constexpr bool IsValidSweepPoints(int32_t points) {
    return points == 11 || points == 18 || points == 30 || points == 45;
}

// The generator's own signal: frequencies up to 0.49 of the highest rate (the rate in force is
// checked when the signal is made), levels in the generator's range, a ratio of two tones that a
// 16-bit sample can still show.
constexpr bool IsValidSignalFrequency(double hz) {
    return hz >= kMinSignalHz && hz <= kMaxSignalRateShare * 192000;
}
constexpr bool IsValidSignalLevel(double dbfs) {
    return dbfs >= kMinSignalDbfs && dbfs <= kMaxSignalDbfs;
}
constexpr bool IsValidSignalPhase(double degrees) {
    return degrees >= -360.0 && degrees <= 360.0;
}
constexpr bool IsValidToneRatio(double ratio) {
    return ratio > 0.0 && ratio <= 1000.0;
}

// FSVRMS: the RMS volts of a full-scale sine at the input; 0 for none.
inline constexpr double kMostFullScaleVolts = 1000.0;
constexpr bool IsValidFullScaleVolts(double volts) {
    return volts >= 0.0 && volts <= kMostFullScaleVolts;
}

// LOGSECONDS, LOGSTART, LOGEND, LOGSMOOTH: the log sweep's length, band edges (up to 0.45 of the
// highest rate; the rate in use limits the end further, and the start must lie an octave below
// the end when the sweep runs) and smoothing (IsSmoothingChoice).
constexpr bool IsValidLogSweepSeconds(double seconds) {
    return seconds >= kMinLogSweepSeconds && seconds <= kMaxLogSweepSeconds;
}
constexpr bool IsValidLogSweepFrequency(double hz) {
    return hz >= kMinLogSweepHz && hz <= kMaxLogSweepRateShare * 192000;
}

}  // namespace velmora2
