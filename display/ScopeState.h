// What the oscilloscope view reads besides the channel it draws: scales, trigger, cursors and
// switches. The oscilloscope's stage fills it from the block's settings.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "display/Surface.h"

namespace velmora2 {

// Tops of the two channels' bands.
inline constexpr int kScopeBandTopLeft = 40;
inline constexpr int kScopeBandTopRight = 220;

struct ScopeState {
    int32_t timeSpan = 480;  // samples across the 480-pixel width
    int32_t timeOffset = 0;  // samples from the trigger point to the left edge
    int32_t scaleL = 16384;  // ADC counts per division; 32768 is "1V/d"
    int32_t scaleR = 16384;
    int32_t positionL = 0;  // pixels, positive moves the trace up
    int32_t positionR = 0;
    double cal = 1.0;  // CAL

    int32_t triggerIndex = 0;  // first display-buffer index at the trigger point
    int32_t triggerLevel = 0;  // ADC counts
    bool triggerEnabled = false;
    bool triggerSourceLeft = true;
    bool triggerRepeat = true;  // TRIGMODE: NORMAL = true, SINGLE = false

    bool adcRangeShown = false;       // ADCRNG
    bool differenceInSeconds = true;  // DIFUNIT: SEC = true, HZ = false
    int32_t oversampling = 1;         // OSR
    int32_t filterLength = 0;         // taps of the oversampling filter: 0, 50 or 93
    int32_t sampleRate = 48000;
    bool run = true;  // false = hold

    std::array<int32_t, 2> cursorX{};  // oscilloscope cursors 1 and 2, pixels 0..480
    std::array<bool, 2> cursorShown{};
};

// One channel of one picture.
struct ScopeChannel {
    int x0 = 0;                       // left edge of the trace area
    int y0 = kScopeBandTopLeft;       // top of the channel's band
    std::span<const double> samples;  // the display buffer, 2048 values in ADC counts
    Rgb color{};
    bool isLeft = true;     // the left call also draws what belongs to the whole picture
    bool valid = false;     // a trigger was found (or the trigger is off): the trace may be drawn
    bool channelOn = true;  // the channel's display switch
};

}  // namespace velmora2
