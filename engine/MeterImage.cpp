#include "engine/MeterImage.h"

namespace velmora2 {

void DrawMeterImage(Surface& surface) {
    const int right = kMeterWidth - 1;
    const int bottom = kMeterHeight - 1;
    for (int y = 1; y < bottom; ++y)
        surface.FillRect(1, y, right, y + 1, (y % 2 == 1) ? kMeterLight : kMeterDark);
    // Raised border: white along the top and left, black along the bottom and right.
    surface.FillRect(0, 0, kMeterWidth, 1, Rgb{255, 255, 255});
    surface.FillRect(0, 0, 1, kMeterHeight, Rgb{255, 255, 255});
    surface.FillRect(0, bottom, kMeterWidth, kMeterHeight, Rgb{0, 0, 0});
    surface.FillRect(right, 0, kMeterWidth, kMeterHeight, Rgb{0, 0, 0});
}

}  // namespace velmora2
