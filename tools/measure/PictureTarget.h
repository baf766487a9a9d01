// Where the measurement command's engine draws: when a picture file is wanted, every surface
// paints the same pixels the window's QImage surface would; otherwise the surfaces draw nothing.
// Nothing is shown anywhere.
#pragma once

#include <QImage>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "display/Surface.h"

namespace velmora2 {

class PictureSurface final : public Surface {
public:
    PictureSurface(int width, int height, Rgb background, bool withPixels);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetPen(Rgb color, PenStyle style) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillPolygon(std::span<const Point> points, Rgb fill) override;
    void FillRect(int left, int top, int right, int bottom, Rgb fill) override;
    void DrawText(int x, int y, std::string_view text, Rgb color) override;

    // The pixels; a null image when drawn without them.
    QImage Pixels() const;

private:
    int width_;
    int height_;
    std::unique_ptr<Surface> pixels_;  // null when drawn without pixels
};

class PictureTarget final : public DrawingTarget {
public:
    explicit PictureTarget(bool withPixels) : withPixels_(withPixels) {}

    std::unique_ptr<Surface> CreateSurface(int width, int height, Rgb background) override;
    // Nothing is shown: the pictures are read straight from the surfaces, or kept as they are
    // shown when asked for (below).
    void CopyToWindow(const Surface& source, int x, int y) override;

    // For an engine that keeps running: asks for a copy of the next picture it shows, taken on
    // its worker as the picture is shown. Needs a target drawn with pixels.
    void RequestShownPicture();
    // The copy once taken; empty before.
    std::optional<QImage> ShownPicture() const;

    // The latest surface of the picture field's size (the back buffer of the engine started
    // last, which lives as long as that engine); null before it exists. An engine started and
    // released before it (the window's probe) leaves nothing behind here. Read the surface only
    // where the worker cannot draw.
    const PictureSurface* Picture() const;

private:
    bool withPixels_;
    const PictureSurface* picture_ = nullptr;
    mutable std::mutex shownMutex_;
    bool shownWanted_ = false;
    std::optional<QImage> shown_;
};

}  // namespace velmora2
