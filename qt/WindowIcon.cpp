#include "qt/WindowIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <numbers>

namespace velmora2 {

namespace {

QPixmap IconAt(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    painter.setPen(QPen(QColor(120, 140, 180), s / 32.0));
    painter.setBrush(QColor(16, 24, 48));
    painter.drawRoundedRect(QRectF(0.5, 0.5, s - 1.0, s - 1.0), s / 8.0, s / 8.0);

    painter.setPen(QPen(QColor(40, 90, 70), s / 48.0));
    for (int k = 1; k < 4; ++k) {
        const double at = s * k / 4.0;
        painter.drawLine(QPointF(at, s * 0.15), QPointF(at, s * 0.85));
        painter.drawLine(QPointF(s * 0.15, at), QPointF(s * 0.85, at));
    }

    QPainterPath tone;
    for (int i = 0; i <= 64; ++i) {
        const double x = s * (0.12 + 0.76 * i / 64.0);
        const double y = s * (0.5 - 0.28 * std::sin(2.0 * std::numbers::pi * i / 32.0));
        if (i == 0)
            tone.moveTo(x, y);
        else
            tone.lineTo(x, y);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 220, 60), std::max(1.0, s / 12.0)));
    painter.drawPath(tone);
    return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) icon.addPixmap(IconAt(size));
    return icon;
}

}  // namespace velmora2
