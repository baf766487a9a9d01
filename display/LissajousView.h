// The Lissajous view: the right channel against the left one as an X-Y figure over the Lissajous
// background, with axis labels, two cursor lines across the horizontal axis and their voltages.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "display/Surface.h"

namespace velmora2 {

struct LissajousState {
    int32_t scaleL = 16384;  // ADC counts per division; 32768 is "1V/d"
    int32_t scaleR = 16384;
    double cal = 1.0;  // CAL: scales the figure, not the cursor read-outs
    // Lissajous cursors 1 and 2 in pixels from the centre, -150 ... 150.
    std::array<int32_t, 2> cursorX{};
    std::array<bool, 2> cursorShown{};
};

// left and right: the 2048-sample display buffers in ADC counts.
void DrawLissajous(Surface& surface, std::span<const double> left, std::span<const double> right,
                   const LissajousState& state);

}  // namespace velmora2
