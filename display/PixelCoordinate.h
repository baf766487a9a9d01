// The one way a computed position becomes a pixel coordinate. Views compute positions in double
// from user-set scales and calibration, so a position may be NaN, infinite or far outside the
// picture; converting such a value straight to int is undefined behaviour.
#pragma once

#include <cstdint>

namespace velmora2 {

// Far enough outside the 481 x 361 surface that a clamped line end leaves the visible part of
// the line unchanged to the pixel, and small enough that adding a few pixels cannot overflow.
inline constexpr int kPixelLimit = 32767;

// Truncates toward zero (as a plain conversion would) and clamps to +-kPixelLimit; infinities
// clamp to the matching limit. NaN maps to 0: it only arises from products such as
// 0 x infinity, where "no deflection" is the meaningful reading.
int ToPixel(double position);

// Clamps an integer position computed from 32-bit settings to +-kPixelLimit.
int ClampPixel(int64_t position);

}  // namespace velmora2
