// The main window's client area as the engine's DrawingTarget. The engine's worker copies its
// finished pictures into the client-area image (under a lock) and asks the window to repaint
// through a queued call; the window's paint event draws that image. The worker never touches a
// widget.
//
// The engine copies its picture every block, faster than a screen refreshes at high rates. A
// window copies the same surface to the same place again only when the next screen frame is due;
// a picture passed over stays in its surface and goes with the next block's copy. Any other
// surface, or any place, is copied at once, and so is everything without a window.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <mutex>

#include "display/Surface.h"
#include "qt/FramePacer.h"
#include "qt/QImageSurface.h"

class QPainter;
class QWidget;

namespace velmora2 {

class QtClientArea final : public DrawingTarget {
public:
    // Without a window (pictures rendered off screen) nothing is asked to repaint. A pixel ratio
    // above 1 keeps that many device pixels a side for each pixel of `size` (a high-density
    // screen), in the image and in every surface made here.
    QtClientArea(QWidget* window, QSize size, QColor background, int pixelRatio = 1);

    // The whole device pixels per pixel of a window's screen, at least 1.
    static int PixelRatioOf(const QWidget& window);
    int PixelRatio() const { return ratio_; }

    std::unique_ptr<Surface> CreateSurface(int width, int height, Rgb background) override;
    // Surfaces not made by CreateSurface have no pixels to show and are ignored.
    void CopyToWindow(const Surface& source, int x, int y) override;

    // For the window's paint event.
    void Paint(QPainter& painter, const QRect& area) const;
    // A copy of what the window shows, at one pixel per pixel of its size.
    QImage Snapshot() const;
    // The same at the screen's density (the device pixels themselves).
    QImage DeviceSnapshot() const;

private:
    // Copies the pixels of `target` (the window's part of the picture placed at `origin`, both in
    // device pixels) that differ from what is shown; the rectangle around them, empty when no
    // pixel differed.
    QRect CopyChangedPixels(const QImage& picture, QPoint origin, const QRect& target);

    QWidget* window_;
    int ratio_;
    mutable std::mutex mutex_;
    QImage image_;
    // What the latest copy put where. Nothing else writes the image, so copying the same
    // version to the same place again would change no pixel.
    struct LastCopy {
        QImageSurface::Version version;
        int x = 0;
        int y = 0;
        friend bool operator==(const LastCopy&, const LastCopy&) = default;
    };
    LastCopy lastCopy_;
    FramePacer pacer_;
};

}  // namespace velmora2
