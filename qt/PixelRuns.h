// The pixels a shape paints, as runs along rows relative to an origin: read once off a stencil
// the toolkit painted, then put down again at any place, clipped to the picture. Text and small
// polygons are drawn this way (unantialiased, they are exactly the pixels they cover).
#pragma once

#include <QImage>
#include <QPoint>
#include <cstdint>
#include <vector>

namespace velmora2 {

struct PixelRuns {
    struct Run {
        int dy = 0;
        int dx = 0;
        int length = 0;
    };
    std::vector<Run> runs;  // in no set order

    // The stencil's painted (not transparent) pixels, relative to `origin` in the stencil.
    static PixelRuns FromStencil(const QImage& stencil, QPoint origin);
    // Paints the runs in `color` with their origin at (x, y) of `target` (an RGB32 image).
    void PaintOnto(QImage& target, int64_t x, int64_t y, QRgb color) const;
};

}  // namespace velmora2
