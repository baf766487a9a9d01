// The colour of one pixel of a picture, and the pure colours that tests paint with.
#pragma once

#include <QImage>
#include <cstdint>

#include "display/Surface.h"

namespace velmora2::testing {

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};

inline Rgb PixelAt(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    return {static_cast<uint8_t>(qRed(pixel)), static_cast<uint8_t>(qGreen(pixel)),
            static_cast<uint8_t>(qBlue(pixel))};
}

}  // namespace velmora2::testing
