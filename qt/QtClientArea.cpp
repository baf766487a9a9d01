#include "qt/QtClientArea.h"

#include <QMetaObject>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace velmora2 {

QtClientArea::QtClientArea(QWidget* window, QSize size, QColor background, int pixelRatio)
    : window_(window),
      ratio_(std::max(pixelRatio, 1)),
      image_(size * ratio_, QImage::Format_RGB32),
      pacer_(window != nullptr && window->screen() != nullptr ? window->screen()->refreshRate()
                                                              : 0.0) {
    image_.setDevicePixelRatio(ratio_);
    image_.fill(background);
}

int QtClientArea::PixelRatioOf(const QWidget& window) {
    return std::max(1, static_cast<int>(std::lround(window.devicePixelRatioF())));
}

std::unique_ptr<Surface> QtClientArea::CreateSurface(int width, int height, Rgb background) {
    return std::make_unique<QImageSurface>(width, height, background, ratio_);
}

void QtClientArea::CopyToWindow(const Surface& source, int x, int y) {
    const auto* surface = dynamic_cast<const QImageSurface*>(&source);
    if (surface == nullptr || surface->PixelRatio() != ratio_) return;
    const QImage& picture = surface->Image();
    const QPoint origin(x * ratio_, y * ratio_);
    const QRect target = QRect(origin, picture.size()).intersected(image_.rect());
    if (target.isEmpty()) return;
    QRect changed;
    {
        std::lock_guard lock(mutex_);
        const LastCopy copy{surface->CurrentVersion(), x, y};
        if (copy == lastCopy_) return;
        const bool samePicture = copy.version.surface == lastCopy_.version.surface &&
                                 copy.x == lastCopy_.x && copy.y == lastCopy_.y;
        if (window_ != nullptr && samePicture && !pacer_.TakeFrame(FramePacer::Clock::now()))
            return;
        lastCopy_ = copy;
        const QRect pixels = CopyChangedPixels(picture, origin, target);
        if (pixels.isEmpty()) return;
        changed = QRect(QPoint(pixels.left() / ratio_, pixels.top() / ratio_),
                        QPoint(pixels.right() / ratio_, pixels.bottom() / ratio_));
    }
    // Posted to the window's own thread; dropped if the window is gone by then.
    QWidget* window = window_;
    if (window == nullptr) return;
    QMetaObject::invokeMethod(
        window, [window, changed] { window->update(changed); }, Qt::QueuedConnection);
}

// Compares each row before writing it: a picture that changed in a few places (or in none) is
// copied and repainted only there, from the first to the last pixel that changed in any row.
QRect QtClientArea::CopyChangedPixels(const QImage& picture, QPoint origin, const QRect& target) {
    const int width = target.width();
    uchar* const bits = image_.bits();
    const qsizetype bytesPerLine = image_.bytesPerLine();
    int firstRow = target.bottom() + 1;
    int lastRow = target.top() - 1;
    int firstColumn = width;
    int lastColumn = -1;
    for (int row = target.top(); row <= target.bottom(); ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(row - origin.y())) +
                           (target.left() - origin.x());
        auto* to = reinterpret_cast<QRgb*>(bits + row * bytesPerLine) + target.left();
        if (std::memcmp(to, from, static_cast<size_t>(width) * sizeof(QRgb)) == 0) continue;
        const int first = static_cast<int>(std::mismatch(from, from + width, to).first - from);
        int last = width - 1;
        while (from[last] == to[last]) --last;
        std::copy(from + first, from + last + 1, to + first);
        firstRow = std::min(firstRow, row);
        lastRow = row;
        firstColumn = std::min(firstColumn, first);
        lastColumn = std::max(lastColumn, last);
    }
    if (lastRow < firstRow) return {};
    return {QPoint(target.left() + firstColumn, firstRow),
            QPoint(target.left() + lastColumn, lastRow)};
}

// The image's device pixels go one to one onto the window's.
void QtClientArea::Paint(QPainter& painter, const QRect& area) const {
    std::lock_guard lock(mutex_);
    const QRect pixels(area.topLeft() * ratio_, area.size() * ratio_);
    painter.drawImage(QRectF(area), image_, QRectF(pixels));
}

QImage QtClientArea::Snapshot() const {
    std::lock_guard lock(mutex_);
    if (ratio_ == 1) return image_.copy();
    // Lines and fills are whole blocks of device pixels, so they keep their colours exactly.
    QImage logical =
        image_.scaled(image_.size() / ratio_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    logical.setDevicePixelRatio(1);
    return logical;
}

QImage QtClientArea::DeviceSnapshot() const {
    std::lock_guard lock(mutex_);
    return image_.copy();
}

}  // namespace velmora2
