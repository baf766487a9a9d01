// The drawing seam. Views draw through Surface; the engine shows finished pictures through
// DrawingTarget (the window's client area). Implementations: QPainter on a QImage, and a
// call log for tests.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace velmora2 {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

enum class PenStyle { Solid, Dotted };

class Surface {
public:
    virtual ~Surface() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Pen of width 1 for MoveTo/LineTo.
    virtual void SetPen(Rgb color, PenStyle style) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Draws from the current position to (x, y) without painting (x, y) itself, then moves there.
    virtual void LineTo(int x, int y) = 0;
    // Fills the polygon's interior by the alternate (even-odd) rule, no outline.
    virtual void FillPolygon(std::span<const Point> points, Rgb fill) = 0;
    // Fills [left, right) x [top, bottom).
    virtual void FillRect(int left, int top, int right, int bottom, Rgb fill) = 0;
    // UTF-8 text in the 14-pixel label font, transparent background; (x, y) is the top-left
    // corner of the text cell.
    virtual void DrawText(int x, int y, std::string_view text, Rgb color) = 0;
};

// Where the engine shows its pictures: the main window's client area.
class DrawingTarget {
public:
    virtual ~DrawingTarget() = default;
    // An off-screen surface of the given size, filled with the background colour.
    virtual std::unique_ptr<Surface> CreateSurface(int width, int height, Rgb background) = 0;
    // Copies the whole surface to the client area with its top-left corner at (x, y). Safe to call
    // from the engine's worker thread; the window repaints later on its own thread.
    virtual void CopyToWindow(const Surface& source, int x, int y) = 0;
};

}  // namespace velmora2
