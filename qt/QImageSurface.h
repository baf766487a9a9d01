// A Surface on a QImage: what the views draw the picture field into. Pixel-exact and without
// antialiasing, with the line, fill and text rules the views were designed for. Usable on the
// engine's worker thread (it never touches a widget).
#pragma once

#include <QFont>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "display/Surface.h"
#include "qt/LabelTextPixels.h"
#include "qt/PolygonPixels.h"

namespace velmora2 {

class QImageSurface final : public Surface {
public:
    // A surface of width x height in the views' coordinates, made of pixelRatio x pixelRatio
    // device pixels for each (a high-density screen's integer ratio; 1 below 1): lines and fills
    // cover whole blocks, so a line is pixelRatio device pixels wide, and text and polygons are
    // drawn at the device pixels' own resolution.
    QImageSurface(int width, int height, Rgb background, int pixelRatio = 1);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int PixelRatio() const { return ratio_; }

    void SetPen(Rgb color, PenStyle style) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillPolygon(std::span<const Point> points, Rgb fill) override;
    void FillRect(int left, int top, int right, int bottom, Rgb fill) override;
    void DrawText(int x, int y, std::string_view text, Rgb color) override;

    // The device pixels, with the pixel ratio as the image's device pixel ratio.
    const QImage& Image() const { return image_; }

    // Identifies this surface's pixels as they are now: differs from every other surface's, and
    // changes with every call that may paint.
    struct Version {
        uint64_t surface = 0;
        uint64_t revision = 0;
        friend bool operator==(const Version&, const Version&) = default;
    };
    Version CurrentVersion() const { return {id_, revision_}; }

    // The drawing conventions' label font (or its metric twin), sized so that ascent + descent
    // is the font's cell height.
    static QFont LabelFont();

private:
    // Paints the block of device pixels of the view pixel (x, y), which lies on the surface whose
    // device pixels start at `bits`.
    void PutPixel(uchar* bits, int64_t x, int64_t y, QRgb color) const;

    int width_;
    int height_;
    int ratio_;
    QImage image_;
    uint64_t id_;
    uint64_t revision_ = 0;
    QRgb penColor_;
    PenStyle penStyle_ = PenStyle::Solid;
    Point current_;
    LabelTextPixels texts_;
    PolygonPixels polygons_;
};

}  // namespace velmora2
