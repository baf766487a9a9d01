#include "display/PixelCoordinate.h"

#include <algorithm>
#include <cmath>

namespace velmora2 {

int ToPixel(double position) {
    if (std::isnan(position)) return 0;
    const double limit = kPixelLimit;
    return static_cast<int>(std::clamp(std::trunc(position), -limit, limit));
}

int ClampPixel(int64_t position) {
    return static_cast<int>(std::clamp<int64_t>(position, -kPixelLimit, kPixelLimit));
}

}  // namespace velmora2
