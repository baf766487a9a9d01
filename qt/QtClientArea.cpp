#include "qt/QtClientArea.h"

#include <QMetaObject>
#include <QPainter>
#include <QWidget>
#include <cstring>

namespace velmora2 {

QtClientArea::QtClientArea(QWidget* window, QSize size, QColor background)
    : window_(window), image_(size, QImage::Format_RGB32) {
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
    {
        std::lock_guard lock(mutex_);
        const LastCopy copy{surface->CurrentVersion(), x, y};
        if (copy == lastCopy_) return;
        lastCopy_ = copy;
        const size_t rowBytes = static_cast<size_t>(target.width()) * sizeof(QRgb);
        uchar* const bits = image_.bits();
        const qsizetype bytesPerLine = image_.bytesPerLine();
        for (int row = target.top(); row <= target.bottom(); ++row) {
            const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(row - y));
            auto* to = reinterpret_cast<QRgb*>(bits + row * bytesPerLine);
            std::memcpy(to + target.left(), from + (target.left() - x), rowBytes);
        }
    }
    // Posted to the window's own thread; dropped if the window is gone by then.
    QWidget* window = window_;
    if (window == nullptr) return;
    QMetaObject::invokeMethod(
        window, [window, target] { window->update(target); }, Qt::QueuedConnection);
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
