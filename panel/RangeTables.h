// The front panel's range tables: what a spin position means as a scale value and its label, and
// the way back from a stored value to the spin position. Pure functions, no state.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora2 {

// Labels live in 8-byte slots on the panel, so none may be longer than this.
constexpr std::size_t kMaxRangeLabelLength = 7;

struct RangeRow {
    std::string_view label;
    int32_t value;
};

// One resolved spin position. spinPosition differs from the position asked for when the table
// cannot serve that position and the spin has to be moved back to the row it resolved to.
struct RangeStep {
    std::string_view label;
    int32_t value;
    int spinPosition;
};

constexpr int kTimeDivSteps = 7;
using TimeDivList = std::array<RangeRow, kTimeDivSteps>;

// The time/div list in force for an oversampling factor and the engine's sample rate (labels and
// timeSpan in samples across the 10 divisions); nullptr for a pair that has no list.
const TimeDivList* TimeDivListFor(int osr, int activeSampleRate);

// Time/div: nullopt for a pair without a list or a position outside it.
std::optional<RangeStep> TimeDivAt(int position, int osr, int activeSampleRate);
// Hz/div of the linear spectrum axis (freqSpan = 10 x Hz/div), limited by the sample rate.
std::optional<RangeStep> HzDivAt(int position, int activeSampleRate);
// V/div in ADC counts per division.
std::optional<RangeStep> VoltDivAt(int position);
// dB/div as the dB value at the bottom edge (-12 x dB/div).
std::optional<RangeStep> DbDivAt(int position);
// Generator volume in hundredths of a dB, "-12dB" .. "0dB".
std::optional<RangeStep> VolumeAt(int position);

// Reverse look-ups used when a mode is entered: the spin position showing a stored value, nullopt
// when the value is on no row. Each row's label comes with it.
std::optional<RangeStep> TimeDivForSpan(int32_t timeSpan, int osr, int activeSampleRate);
std::optional<RangeStep> HzDivForSpan(int32_t freqSpan);
std::optional<RangeStep> VoltDivForScale(int32_t scale);
std::optional<RangeStep> DbDivForBottom(int32_t dbBottom);

// Linear maps between spin positions and stored values; each way back gives the spin position a
// stored value came from.

// Vertical positions, oscilloscope and spectrum: -180..+180 pixels over spin 0..36.
constexpr int32_t PositionFromSpin(int n) {
    return n * 10 - 180;
}
constexpr int SpinFromPosition(int32_t position) {
    return position / 10 + 18;
}

// Oscilloscope horizontal position: samples from the trigger point, -60..420 over spin 160..0.
constexpr int32_t TimeOffsetFromSpin(int n) {
    return (140 - n) * 3;
}
constexpr int SpinFromTimeOffset(int32_t offset) {
    return 140 - offset / 3;
}

// Spectrum horizontal position in bins: never left of bin 0, so the spin stops at 140.
constexpr int kFreqOffsetSpinLimit = 140;
constexpr int LimitFreqOffsetSpin(int n) {
    return std::min(n, kFreqOffsetSpinLimit);
}
constexpr int32_t FreqOffsetFromSpin(int n) {
    return (140 - LimitFreqOffsetSpin(n)) * 3;
}
constexpr int SpinFromFreqOffset(int32_t offset) {
    return 140 - offset / 3;
}

// Oscilloscope and spectrum cursors: 0..480 pixels over spin 0..160.
constexpr int32_t CursorFromSpin(int n) {
    return 3 * n;
}
constexpr int SpinFromCursor(int32_t cursor) {
    return cursor / 3;
}

// Lissajous cursors: pixels from the centre, kept inside the +-150 pixel square.
constexpr int kLissajousSpinLow = 30;
constexpr int kLissajousSpinHigh = 130;
constexpr int LimitLissajousSpin(int n) {
    return std::clamp(n, kLissajousSpinLow, kLissajousSpinHigh);
}
constexpr int32_t LissajousCursorFromSpin(int n) {
    return (LimitLissajousSpin(n) - 80) * 3;
}
constexpr int SpinFromLissajousCursor(int32_t cursor) {
    return cursor / 3 + 80;
}

// Trigger level in ADC counts: 18 steps either side of zero spanning one division of the left
// scale. The division comes first: 16384 counts give steps of 910.
constexpr int32_t TriggerLevelFromSpin(int32_t scaleL, int n) {
    return (scaleL / 18) * (n - 18);
}

}  // namespace velmora2
