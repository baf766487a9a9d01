#include "qt/QtClientArea.h"

#include <QMetaObject>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstring>

namespace velmora2 {

QtClientArea::QtClientArea(QWidget* window, QSize size, QColor background)
    : window_(window),
      image_(size, QImage::Format_RGB32),
      pacer_(window != nullptr && window->screen() != nullptr ? window->screen()->refreshRate()
                                                              : 0.0) {
    image_.fill(background);
}

std::unique_ptr<Surface> QtClientArea::CreateSurface(int width, int height, Rgb background) {
    return std::make_unique<QImageSurface>(width, height, background);
}

void QtClientArea::CopyToWindow(const Surface& source, int x, int y) {
    const auto* surface = dynamic_cast<const QImageSurface*>(&source);
    if (surface == nullptr) return;
    const QImage& picture = surface->Image();
    const QRect target = QRect(x, y, picture.width(), picture.height()).intersected(image_.rect());
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
        changed = CopyChangedRows(picture, x, y, target);
    }
    if (changed.isEmpty()) return;
    // Posted to the window's own thread; dropped if the window is gone by then.
    QWidget* window = window_;
    if (window == nullptr) return;
    QMetaObject::invokeMethod(
        window, [window, changed] { window->update(changed); }, Qt::QueuedConnection);
}

// Compares each row before writing it: a picture that changed in a few rows (or in none) is
// copied and repainted only there.
QRect QtClientArea::CopyChangedRows(const QImage& picture, int x, int y, const QRect& target) {
    const size_t rowBytes = static_cast<size_t>(target.width()) * sizeof(QRgb);
    uchar* const bits = image_.bits();
    const qsizetype bytesPerLine = image_.bytesPerLine();
    int firstChanged = target.bottom() + 1;
    int lastChanged = target.top() - 1;
    for (int row = target.top(); row <= target.bottom(); ++row) {
        const auto* from =
            reinterpret_cast<const QRgb*>(picture.constScanLine(row - y)) + (target.left() - x);
        auto* to = reinterpret_cast<QRgb*>(bits + row * bytesPerLine) + target.left();
        if (std::memcmp(to, from, rowBytes) == 0) continue;
        std::memcpy(to, from, rowBytes);
        firstChanged = std::min(firstChanged, row);
        lastChanged = row;
    }
    return {QPoint(target.left(), firstChanged), QPoint(target.right(), lastChanged)};
}

void QtClientArea::Paint(QPainter& painter, const QRect& area) const {
    std::lock_guard lock(mutex_);
    painter.drawImage(area.topLeft(), image_, area);
}

QImage QtClientArea::Snapshot() const {
    std::lock_guard lock(mutex_);
    return image_.copy();
}

}  // namespace velmora2
