// A Surface on a QImage: what the views draw the picture field into. Pixel-exact and without
// antialiasing, with the line, fill and text rules the views were designed for. Usable on the
// engine's worker thread (it never touches a widget).
#pragma once

#include <QFont>
#include <QImage>
#include <QStaticText>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "display/Surface.h"

namespace velmora2 {

class QImageSurface final : public Surface {
public:
    QImageSurface(int width, int height, Rgb background);

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }

    void SetPen(Rgb color, PenStyle style) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillPolygon(std::span<const Point> points, Rgb fill) override;
    void FillRect(int left, int top, int right, int bottom, Rgb fill) override;
    void DrawText(int x, int y, std::string_view text, Rgb color) override;

    const QImage& Image() const { return image_; }

    // Identifies this surface's pixels as they are now: differs from every other surface's, and
    // changes with every call that may paint.
    struct Version {
        uint64_t surface = 0;
        uint64_t revision = 0;
        friend bool operator==(const Version&, const Version&) = default;
    };
    Version CurrentVersion() const { return {id_, revision_}; }

    // The drawing conventions' label font (or its metric twin), sized so that ascent + descent
    // is the font's cell height.
    static QFont LabelFont();

private:
    // The text laid out in the label font, kept for the next picture that shows it.
    const QStaticText& LaidOut(std::string_view text);
    static constexpr size_t kLaidOutTexts = 256;

    QImage image_;
    std::unordered_map<std::string, QStaticText> laidOut_;
    uint64_t id_;
    uint64_t revision_ = 0;
    QRgb penColor_;
    PenStyle penStyle_ = PenStyle::Solid;
    Point current_;
};

}  // namespace velmora2
