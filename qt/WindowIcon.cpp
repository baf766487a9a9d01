#include "qt/WindowIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace velmora2 {

namespace {

// share/velmora2.svg, the file installed as the desktop icon.
constexpr const char* kIconResource = ":/icons/velmora2.svg";

}  // namespace

QImage ProgramIconImage(int size) {
    QSvgRenderer renderer{QString(kIconResource)};
    if (!renderer.isValid() || size <= 0) return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        const QImage image = ProgramIconImage(size);
        if (image.isNull()) return {};
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace velmora2
