#include "qt/PixelRuns.h"

#include <algorithm>

namespace velmora2 {

PixelRuns PixelRuns::FromStencil(const QImage& stencil, QPoint origin) {
    PixelRuns pixels;
    const int width = stencil.width();
    for (int row = 0; row < stencil.height(); ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(stencil.constScanLine(row));
        for (int column = 0; column < width;) {
            if (qAlpha(line[column]) == 0) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < width && qAlpha(line[column]) != 0) ++column;
            pixels.runs.push_back({row - origin.y(), first - origin.x(), column - first});
        }
    }
    return pixels;
}

void PixelRuns::PaintOnto(QImage& target, int64_t x, int64_t y, QRgb color) const {
    uchar* const bits = target.bits();
    const qsizetype bytesPerLine = target.bytesPerLine();
    for (const Run& run : runs) {
        const int64_t row = y + run.dy;
        if (row < 0 || row >= target.height()) continue;
        const int64_t left = std::max<int64_t>(x + run.dx, 0);
        const int64_t right = std::min<int64_t>(x + run.dx + run.length, target.width());
        if (left >= right) continue;
        auto* line = reinterpret_cast<QRgb*>(bits + row * bytesPerLine);
        std::fill(line + left, line + right, color);
    }
}

}  // namespace velmora2
