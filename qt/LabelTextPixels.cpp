#include "qt/LabelTextPixels.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>

#include "display/DrawingConventions.h"
#include "qt/QImageSurface.h"

namespace velmora2 {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Ligatures in Latin faces begin with f (fi, fl, ff).
constexpr unsigned char kLigatureStart = 'f';

}  // namespace

LabelTextPixels::LabelTextPixels(int pixelRatio) : ratio_(pixelRatio) {
    advances_.fill(kUnknown);
    pairs_.fill(0);
}

const PixelRuns& LabelTextPixels::Of(std::string_view text) {
    const std::string key(text);
    if (const auto found = texts_.find(key); found != texts_.end()) return found->second;
    // Starting afresh now and then keeps the labels at hand without keeping every read-out ever
    // shown.
    if (texts_.size() >= kKeptTexts) texts_.clear();
    PixelRuns pixels;
    if (!Compose(text, pixels)) pixels = Render(text);
    return texts_.emplace(key, std::move(pixels)).first->second;
}

PixelRuns LabelTextPixels::Render(std::string_view text) const {
    const QFont font = QImageSurface::LabelFont();
    const QFontMetrics metrics(font);
    // A margin of a cell's height on every side holds whatever a glyph paints beyond its box.
    const int margin = kLabelFont.height;
    // No character is wider than the font's widest, and none takes fewer than one UTF-8 byte:
    // room enough without laying the text out twice (and no picture is wider than the limit).
    constexpr int kWidestText = 8192;
    const int64_t textWidth = static_cast<int64_t>(text.size()) * metrics.maxWidth();
    const QSize size(static_cast<int>(std::min<int64_t>(textWidth, kWidestText)) + 2 * margin,
                     metrics.height() + 2 * margin);
    QImage stencil(size * ratio_, QImage::Format_ARGB32_Premultiplied);
    stencil.setDevicePixelRatio(ratio_);
    stencil.fill(Qt::transparent);
    {
        QPainter painter(&stencil);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(margin, margin + metrics.ascent()), ToQString(text));
    }
    return PixelRuns::FromStencil(stencil, QPoint(margin, margin) * ratio_);
}

bool LabelTextPixels::Compose(std::string_view text, PixelRuns& pixels) {
    // At a high density the font's advances are those of another size: always laid out there.
    if (ratio_ != 1 || text.size() < 2) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 128 || c < ' ' || c == kLigatureStart) return false;
        if (i > 0 && !JoinsPlainly(static_cast<unsigned char>(text[i - 1]), c)) return false;
    }
    double position = 0.0;
    for (const char character : text) {
        const auto c = static_cast<unsigned char>(character);
        if (glyphs_[c].runs.empty() && c != ' ')
            glyphs_[c] = Render(std::string_view(&character, 1));
        // An unantialiased glyph goes to the whole pixel at or left of its position.
        const int x = static_cast<int>(std::floor(position));
        for (PixelRuns::Run run : glyphs_[c].runs) {
            run.dx += x;
            pixels.runs.push_back(run);
        }
        position += Advance(c);
    }
    return true;
}

double LabelTextPixels::Advance(unsigned char c) {
    if (advances_[c] == kUnknown)
        advances_[c] = QFontMetricsF(QImageSurface::LabelFont()).horizontalAdvance(QChar(c));
    return advances_[c];
}

bool LabelTextPixels::JoinsPlainly(unsigned char left, unsigned char right) {
    int8_t& known = pairs_[left * 128 + right];
    if (known == 0) {
        const QFontMetricsF metrics(QImageSurface::LabelFont());
        const char pair[2] = {static_cast<char>(left), static_cast<char>(right)};
        const double together = metrics.horizontalAdvance(ToQString(std::string_view(pair, 2)));
        known = together == Advance(left) + Advance(right) ? 1 : -1;
    }
    return known == 1;
}

}  // namespace velmora2
