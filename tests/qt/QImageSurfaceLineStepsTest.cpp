// The surface advances a line's minor offset step by step; it must paint exactly the pixels of
// the plain rule offset(i) = (2 minor i + major) div (2 major), for either pen, in every
// direction and however far outside the surface the ends lie.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "qt/QImageSurface.h"

namespace velmora2 {
namespace {

constexpr int kWidth = 61;
constexpr int kHeight = 47;
constexpr QRgb kBackground = 0xffffffff;
constexpr QRgb kPen = 0xff123456;

// Every step of the line from `from` to `to`, its end point left out, kept where it lands
// inside the picture.
void PaintPlainLine(std::vector<QRgb>& pixels, Point from, Point to, bool dotted) {
    const int64_t dx = int64_t{to.x} - from.x;
    const int64_t dy = int64_t{to.y} - from.y;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t major = xMajor ? std::abs(dx) : std::abs(dy);
    const int64_t minor = xMajor ? std::abs(dy) : std::abs(dx);
    const int64_t majorDirection = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int64_t minorDirection = (xMajor ? dy : dx) >= 0 ? 1 : -1;
    for (int64_t i = 0; i < major; ++i) {
        if (dotted && i % 2 != 0) continue;
        const int64_t along = (xMajor ? from.x : from.y) + majorDirection * i;
        const int64_t across =
            (xMajor ? from.y : from.x) + minorDirection * ((2 * minor * i + major) / (2 * major));
        const int64_t x = xMajor ? along : across;
        const int64_t y = xMajor ? across : along;
        if (x >= 0 && y >= 0 && x < kWidth && y < kHeight)
            pixels[static_cast<size_t>(y * kWidth + x)] = kPen;
    }
}

std::vector<QRgb> Pixels(const QImage& image) {
    std::vector<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y));
    return pixels;
}

TEST(QImageSurfaceLineSteps, SteppedLinesPaintThePixelsOfThePlainRule) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> near(-40, 100);
    std::uniform_int_distribution<int> far(-3000, 3000);
    for (int round = 0; round < 400; ++round) {
        const bool dotted = round % 2 == 1;
        auto coordinate = [&] { return round % 5 == 0 ? far(random) : near(random); };
        const Point from{coordinate(), coordinate()};
        const Point to{coordinate(), coordinate()};

        QImageSurface surface(kWidth, kHeight, Rgb{255, 255, 255});
        surface.SetPen(Rgb{0x12, 0x34, 0x56}, dotted ? PenStyle::Dotted : PenStyle::Solid);
        surface.MoveTo(from.x, from.y);
        surface.LineTo(to.x, to.y);

        std::vector<QRgb> expected(kWidth * kHeight, kBackground);
        PaintPlainLine(expected, from, to, dotted);
        ASSERT_EQ(Pixels(surface.Image()), expected)
            << (dotted ? "dotted " : "solid ") << from.x << "," << from.y << " to " << to.x << ","
            << to.y;
    }
}

}  // namespace
}  // namespace velmora2
