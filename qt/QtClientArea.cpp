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
        const QRect rows = CopyChangedRows(picture, origin, target);
        if (rows.isEmpty()) return;
        changed = QRect(QPoint(rows.left() / ratio_, rows.top() / ratio_),
                        QPoint(rows.right() / ratio_, rows.bottom() / ratio_));
    }
    // Posted to the window's own thread; dropped if the window is gone by then.
    QWidget* window = window_;
    if (window == nullptr) return;
    QMetaObject::invokeMethod(
        window, [window, changed] { window->update(changed); }, Qt::QueuedConnection);
}

// Compares each row before writing it: a picture that changed in a few rows (or in none) is
// copied and repainted only there.
QRect QtClientArea::CopyChangedRows(const QImage& picture, QPoint origin, const QRect& target) {
    const size_t rowBytes = static_cast<size_t>(target.width()) * sizeof(QRgb);
    uchar* const bits = image_.bits();
    const qsizetype bytesPerLine = image_.bytesPerLine();
    int firstChanged = target.bottom() + 1;
    int lastChanged = target.top() - 1;
    for (int row = target.top(); row <= target.bottom(); ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(row - origin.y())) +
                           (target.left() - origin.x());
        auto* to = reinterpret_cast<QRgb*>(bits + row * bytesPerLine) + target.left();
        if (std::memcmp(to, from, rowBytes) == 0) continue;
        std::memcpy(to, from, rowBytes);
        firstChanged = std::min(firstChanged, row);
        lastChanged = row;
    }
    return {QPoint(target.left(), firstChanged), QPoint(target.right(), lastChanged)};
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
