// The level-meter image drawn beside the picture when the worker starts: a 16 x 154 bar of
// alternating dark-grey rows with a one-pixel white and black border.
#pragma once

#include "display/Surface.h"

namespace velmora2 {

constexpr int kMeterWidth = 16;
constexpr int kMeterHeight = 154;
constexpr Rgb kMeterDark{34, 34, 34};
constexpr Rgb kMeterLight{102, 102, 102};

void DrawMeterImage(Surface& surface);

}  // namespace velmora2
