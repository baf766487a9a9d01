#include "qt/QImageSurface.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "display/DrawingConventions.h"

namespace velmora2 {

namespace {

QRgb ToQRgb(Rgb color) {
    return qRgb(color.r, color.g, color.b);
}

uint64_t NextSurfaceId() {
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

QFont MakeLabelFont() {
    QFont font(
        QString::fromUtf8(kLabelFont.face.data(), static_cast<qsizetype>(kLabelFont.face.size())));
    // Whole pixels of the text colour only: text drawn again at the same place (the two spectrum
    // read-out blocks share their filter and FFT-size rows) then leaves the pixels as they were,
    // where blended edges would darken with every pass.
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    font.setWeight(static_cast<QFont::Weight>(kLabelFont.weight));
    // The largest pixel size whose cell (ascent + descent) still fits the font's height.
    for (int pixels = kLabelFont.height; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (metrics.ascent() + metrics.descent() <= kLabelFont.height) break;
    }
    return font;
}

// Steps i = 0 .. length-1 of a line whose end point is left out. Only the steps whose pixel lies
// inside the surface along the major axis are visited, so far-off end points cost nothing.
struct LineSteps {
    int64_t first = 0;
    int64_t last = -1;
};

LineSteps VisibleSteps(int64_t start, int direction, int64_t length, int limit) {
    // start + direction * i must lie in [0, limit).
    const int64_t low = direction > 0 ? -start : start - (limit - 1);
    const int64_t high = direction > 0 ? limit - 1 - start : start;
    return {std::max<int64_t>(low, 0), std::min<int64_t>(high, length - 1)};
}

}  // namespace

QImageSurface::QImageSurface(int width, int height, Rgb background, int pixelRatio)
    : width_(width),
      height_(height),
      ratio_(std::max(pixelRatio, 1)),
      image_(width * ratio_, height * ratio_, QImage::Format_RGB32),
      id_(NextSurfaceId()),
      penColor_(qRgb(0, 0, 0)),
      texts_(ratio_),
      polygons_(ratio_) {
    image_.setDevicePixelRatio(ratio_);
    image_.fill(ToQRgb(background));
    // The first use of a font loads the system's font database, which takes longer than several
    // pictures; it happens here rather than in the middle of the first picture.
    LabelFont();
}

QFont QImageSurface::LabelFont() {
    static const QFont font = MakeLabelFont();
    return font;
}

void QImageSurface::SetPen(Rgb color, PenStyle style) {
    penColor_ = ToQRgb(color);
    penStyle_ = style;
}

void QImageSurface::MoveTo(int x, int y) {
    current_ = {x, y};
}

// Walks the major axis one pixel at a time and rounds the minor axis to the nearest pixel. The
// end point is not painted, so a polyline paints each joint once. The dotted pen paints every
// other pixel (one on, one off), starting with the first pixel of each line.
void QImageSurface::LineTo(int x, int y) {
    const Point from = current_;
    current_ = {x, y};
    const int64_t dx = int64_t{x} - from.x;
    const int64_t dy = int64_t{y} - from.y;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t major = xMajor ? std::abs(dx) : std::abs(dy);
    const int64_t minor = xMajor ? std::abs(dy) : std::abs(dx);
    if (major == 0) return;
    const int majorDirection = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int minorDirection = (xMajor ? dy : dx) >= 0 ? 1 : -1;
    const int majorStart = xMajor ? from.x : from.y;
    const int minorStart = xMajor ? from.y : from.x;
    const int minorLimit = xMajor ? Height() : Width();
    const LineSteps steps =
        VisibleSteps(majorStart, majorDirection, major, xMajor ? Width() : Height());
    const int64_t stride = penStyle_ == PenStyle::Dotted ? 2 : 1;
    const int64_t first = steps.first + (stride == 2 ? steps.first % 2 : 0);
    if (first > steps.last) return;
    ++revision_;

    // The minor offset of step i is round-half-up(minor * i / major), that is
    // (2 minor i + major) div 2 major, kept as quotient and remainder and advanced by the stride.
    const int64_t divisor = 2 * major;
    const int64_t start = 2 * minor * first + major;
    const int64_t advance = 2 * minor * stride;
    int64_t offset = start / divisor;
    int64_t remainder = start % divisor;
    const int64_t offsetStep = advance / divisor;
    const int64_t remainderStep = advance % divisor;

    uchar* const bits = image_.bits();
    const int64_t bytesPerLine = image_.bytesPerLine();
    for (int64_t i = first; i <= steps.last; i += stride) {
        const int64_t across = minorStart + minorDirection * offset;
        if (across >= 0 && across < minorLimit) {
            const int64_t along = majorStart + majorDirection * i;
            const int64_t px = xMajor ? along : across;
            const int64_t py = xMajor ? across : along;
            if (ratio_ == 1)
                reinterpret_cast<QRgb*>(bits + py * bytesPerLine)[px] = penColor_;
            else
                PutPixel(bits, px, py, penColor_);
        }
        offset += offsetStep;
        remainder += remainderStep;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++offset;
        }
    }
}

void QImageSurface::PutPixel(uchar* bits, int64_t x, int64_t y, QRgb color) const {
    const qsizetype bytesPerLine = image_.bytesPerLine();
    for (int64_t row = y * ratio_; row < (y + 1) * ratio_; ++row) {
        auto* line = reinterpret_cast<QRgb*>(bits + row * bytesPerLine);
        std::fill(line + x * ratio_, line + (x + 1) * ratio_, color);
    }
}

void QImageSurface::FillPolygon(std::span<const Point> points, Rgb fill) {
    if (points.size() < 3) return;
    ++revision_;
    Point corner;
    if (const PixelRuns* pixels = polygons_.Of(points, corner)) {
        pixels->PaintOnto(image_, int64_t{corner.x} * ratio_, int64_t{corner.y} * ratio_,
                          ToQRgb(fill));
        return;
    }
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const Point& point : points) polygon.append(QPoint(point.x, point.y));
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(ToQRgb(fill)));
    painter.drawPolygon(polygon, Qt::OddEvenFill);
}

void QImageSurface::FillRect(int left, int top, int right, int bottom, Rgb fill) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, Width());
    bottom = std::min(bottom, Height());
    if (left >= right || top >= bottom) return;
    ++revision_;
    left *= ratio_;
    top *= ratio_;
    right *= ratio_;
    bottom *= ratio_;
    uchar* const bits = image_.bits();
    const qsizetype bytesPerLine = image_.bytesPerLine();
    // The first row pixel by pixel, the others copied from it: a whole-field background is
    // filled every block, and a row copy is several times faster than a pixel loop.
    auto* first = reinterpret_cast<QRgb*>(bits + top * bytesPerLine) + left;
    const size_t width = static_cast<size_t>(right - left);
    std::fill(first, first + width, ToQRgb(fill));
    for (int y = top + 1; y < bottom; ++y)
        std::memcpy(reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + left, first,
                    width * sizeof(QRgb));
}

void QImageSurface::DrawText(int x, int y, std::string_view text, Rgb color) {
    ++revision_;
    texts_.Of(text).PaintOnto(image_, int64_t{x} * ratio_, int64_t{y} * ratio_, ToQRgb(color));
}

}  // namespace velmora2
