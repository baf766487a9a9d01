#include "qt/PolygonPixels.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cstring>

namespace velmora2 {

PolygonPixels::PolygonPixels(int pixelRatio) : ratio_(pixelRatio) {}

const PixelRuns* PolygonPixels::Of(std::span<const Point> points, Point& corner) {
    int left = points[0].x, right = points[0].x, top = points[0].y, bottom = points[0].y;
    for (const Point& point : points) {
        left = std::min(left, point.x);
        right = std::max(right, point.x);
        top = std::min(top, point.y);
        bottom = std::max(bottom, point.y);
    }
    if (int64_t{right} - left > kLargest || int64_t{bottom} - top > kLargest) return nullptr;
    corner = {left, top};

    // The corners relative to the bounding box are the key.
    std::string key(points.size() * 2 * sizeof(int), '\0');
    for (size_t i = 0; i < points.size(); ++i) {
        const int relative[2] = {points[i].x - left, points[i].y - top};
        std::memcpy(key.data() + i * sizeof relative, relative, sizeof relative);
    }
    if (const auto found = polygons_.find(key); found != polygons_.end()) return &found->second;
    if (polygons_.size() >= kKeptPolygons) polygons_.clear();

    // A margin of a pixel around the box holds the fill rule's edge pixels.
    constexpr int kMargin = 1;
    QImage stencil(QSize(right - left + 2 * kMargin + 1, bottom - top + 2 * kMargin + 1) * ratio_,
                   QImage::Format_ARGB32_Premultiplied);
    stencil.setDevicePixelRatio(ratio_);
    stencil.fill(Qt::transparent);
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const Point& point : points)
        polygon.append(QPoint(point.x - left + kMargin, point.y - top + kMargin));
    {
        QPainter painter(&stencil);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(polygon, Qt::OddEvenFill);
    }
    const PixelRuns pixels = PixelRuns::FromStencil(stencil, QPoint(kMargin, kMargin) * ratio_);
    return &polygons_.emplace(key, pixels).first->second;
}

}  // namespace velmora2
