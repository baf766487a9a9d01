// The device pixels a small polygon fills (even-odd, unantialiased), kept for the next picture:
// the pictures' markers are the same few triangles at new places. The pixels of a polygon with
// whole-pixel corners do not depend on where it lies, so they are kept relative to the corner
// of its bounding box and put down again at any place.
#pragma once

#include <span>
#include <string>
#include <unordered_map>

#include "display/Surface.h"
#include "qt/PixelRuns.h"

namespace velmora2 {

class PolygonPixels {
public:
    explicit PolygonPixels(int pixelRatio);

    // The polygon's pixels relative to `corner` (its bounding box's top-left, in the views'
    // pixels); null for a polygon too large to keep, which is better filled in place.
    const PixelRuns* Of(std::span<const Point> points, Point& corner);

private:
    static constexpr int kLargest = 64;  // views' pixels a side
    static constexpr size_t kKeptPolygons = 64;

    int ratio_;
    std::unordered_map<std::string, PixelRuns> polygons_;
};

}  // namespace velmora2
