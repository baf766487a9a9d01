// A Surface and DrawingTarget that keep their calls (a fill of the whole surface starts a new
// picture), so tests can check coordinates, colours and texts exactly, without a display.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "display/Surface.h"

namespace velmora2 {

struct DrawCall {
    enum class Kind { Pen, MoveTo, LineTo, Polygon, Rect, Text } kind;
    Rgb color{};
    PenStyle style = PenStyle::Solid;
    std::vector<Point> points;  // MoveTo/LineTo: one; Rect: top-left, bottom-right; Polygon: all
    std::string text;
};

class DrawCallLog final : public Surface {
public:
    DrawCallLog(int width, int height, Rgb background)
        : width_(width), height_(height), background_(background) {}

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    Rgb Background() const { return background_; }

    void SetPen(Rgb color, PenStyle style) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillPolygon(std::span<const Point> points, Rgb fill) override;
    void FillRect(int left, int top, int right, int bottom, Rgb fill) override;
    void DrawText(int x, int y, std::string_view text, Rgb color) override;

    const std::vector<DrawCall>& Calls() const { return calls_; }
    void Clear() { calls_.clear(); }
    // Texts drawn, in order.
    std::vector<std::string> Texts() const;

private:
    int width_;
    int height_;
    Rgb background_;
    std::vector<DrawCall> calls_;
};

// Keeps a copy of the calls of every surface shown on the window, with where it was shown.
class DrawCallLogTarget final : public DrawingTarget {
public:
    struct Copy {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        std::vector<DrawCall> calls;
    };

    std::unique_ptr<Surface> CreateSurface(int width, int height, Rgb background) override;
    void CopyToWindow(const Surface& source, int x, int y) override;

    // The most recent copies (at most kKeptCopies), oldest first.
    std::vector<Copy> Copies() const;
    // All copies made so far.
    size_t CopyCount() const;

    static constexpr size_t kKeptCopies = 64;

private:
    mutable std::mutex mutex_;
    std::vector<Copy> copies_;
    size_t copyCount_ = 0;
};

}  // namespace velmora2
