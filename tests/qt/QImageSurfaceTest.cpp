// The QPainter surface paints the exact pixels the views rely on: lines without their end point,
// dotted grid lines, even-odd polygons, half-open rectangles and text placed by its cell's
// top-left corner in the 14-pixel label font.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QStaticText>
#include <cmath>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "qt/QImageSurface.h"
#include "tests/support/ImagePixels.h"

namespace velmora2 {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
using testing::kBlue;
using testing::kRed;

Rgb PixelAt(const QImageSurface& surface, int x, int y) {
    return testing::PixelAt(surface.Image(), x, y);
}

// A red text the font paints straight onto a blue picture with its cell's top-left at `at`.
QImage PaintedStraight(const char* text, Point at, int width, int height) {
    QImage straight(width, height, QImage::Format_RGB32);
    straight.fill(qRgb(kBlue.r, kBlue.g, kBlue.b));
    QPainter painter(&straight);
    painter.setFont(QImageSurface::LabelFont());
    painter.setPen(QColor(kRed.r, kRed.g, kRed.b));
    QStaticText laidOut(QString::fromUtf8(text));
    laidOut.setTextFormat(Qt::PlainText);
    painter.drawStaticText(QPoint(at.x, at.y), laidOut);
    return straight;
}

std::vector<Point> PaintedPixels(const QImageSurface& surface, Rgb background = kWhite) {
    std::vector<Point> painted;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            if (PixelAt(surface, x, y) != background) painted.push_back({x, y});
    return painted;
}

TEST(QImageSurfaceLines, HorizontalLineStopsBeforeItsEndPoint) {
    QImageSurface surface(20, 10, kWhite);
    surface.MoveTo(2, 5);
    surface.LineTo(10, 5);
    std::vector<Point> expected;
    for (int x = 2; x < 10; ++x) expected.push_back({x, 5});
    EXPECT_EQ(PaintedPixels(surface), expected);
}

TEST(QImageSurfaceLines, UpwardVerticalLineStopsBeforeItsEndPoint) {
    QImageSurface surface(10, 30, kWhite);
    surface.MoveTo(4, 20);
    surface.LineTo(4, 10);
    std::vector<Point> expected;
    for (int y = 11; y <= 20; ++y) expected.push_back({4, y});
    EXPECT_EQ(PaintedPixels(surface), expected);
}

TEST(QImageSurfaceLines, DiagonalLinePaintsOnePixelPerStep) {
    QImageSurface surface(10, 10, kWhite);
    surface.MoveTo(6, 1);
    surface.LineTo(1, 6);
    // Listed in row order; (1, 6) is the end point.
    EXPECT_EQ(PaintedPixels(surface), (std::vector<Point>{{6, 1}, {5, 2}, {4, 3}, {3, 4}, {2, 5}}));
}

TEST(QImageSurfaceLines, PolylinePaintsEveryJointOnceAndLeavesTheLastPointOut) {
    QImageSurface surface(10, 10, kWhite);
    surface.SetPen(kRed, PenStyle::Solid);
    surface.MoveTo(1, 1);
    surface.LineTo(4, 1);
    surface.LineTo(4, 4);
    EXPECT_EQ(PaintedPixels(surface),
              (std::vector<Point>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}}));
    EXPECT_EQ(PixelAt(surface, 4, 2), kRed);
    EXPECT_EQ(PixelAt(surface, 4, 4), kWhite);
}

TEST(QImageSurfaceLines, ShallowLineHasOnePixelPerColumnNearTheTrueLine) {
    QImageSurface surface(40, 20, kWhite);
    surface.MoveTo(3, 2);
    surface.LineTo(33, 13);
    const std::vector<Point> painted = PaintedPixels(surface);
    ASSERT_EQ(painted.size(), 30u);
    std::vector<int> perColumn(40, 0);
    for (const Point& p : painted) {
        ++perColumn[p.x];
        const double trueY = 2.0 + (p.x - 3) * 11.0 / 30.0;
        EXPECT_LE(std::abs(p.y - trueY), 0.5) << "column " << p.x;
    }
    for (int x = 3; x < 33; ++x) EXPECT_EQ(perColumn[x], 1) << "column " << x;
}

TEST(QImageSurfaceLines, LinesReachingOutsideAreClipped) {
    QImageSurface surface(20, 10, kWhite);
    surface.MoveTo(-1000, 3);
    surface.LineTo(100000, 3);
    surface.MoveTo(5, -50);
    surface.LineTo(5, -10);
    std::vector<Point> expected;
    for (int x = 0; x < 20; ++x) expected.push_back({x, 3});
    EXPECT_EQ(PaintedPixels(surface), expected);
}

TEST(QImageSurfaceLines, DottedPenPaintsEveryOtherPixel) {
    QImageSurface surface(20, 10, kWhite);
    surface.SetPen(Rgb{100, 100, 100}, PenStyle::Dotted);
    surface.MoveTo(0, 3);
    surface.LineTo(11, 3);
    for (int x = 0; x < 11; ++x)
        EXPECT_EQ(PixelAt(surface, x, 3), x % 2 == 0 ? (Rgb{100, 100, 100}) : kWhite) << x;
    EXPECT_EQ(PaintedPixels(surface).size(), 6u);
}

TEST(QImageSurfaceLines, ZeroLengthLinePaintsNothing) {
    QImageSurface surface(10, 10, kWhite);
    surface.MoveTo(5, 5);
    surface.LineTo(5, 5);
    EXPECT_TRUE(PaintedPixels(surface).empty());
}

TEST(QImageSurfaceFills, RectangleCoversLeftAndTopButNotRightAndBottom) {
    QImageSurface surface(10, 10, kWhite);
    surface.FillRect(1, 2, 4, 4, kBlue);
    EXPECT_EQ(PaintedPixels(surface),
              (std::vector<Point>{{1, 2}, {2, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}}));
}

TEST(QImageSurfaceFills, RectangleBeyondTheSurfaceIsClipped) {
    QImageSurface surface(10, 10, kWhite);
    surface.FillRect(-5, 8, 50, 50, kBlue);
    EXPECT_EQ(PaintedPixels(surface).size(), 20u);
}

TEST(QImageSurfaceFills, PolygonFillsPixelsInsideWithoutOutline) {
    QImageSurface surface(10, 10, kWhite);
    const std::vector<Point> square{{2, 2}, {6, 2}, {6, 6}, {2, 6}};
    surface.FillPolygon(square, kRed);
    std::vector<Point> expected;
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) expected.push_back({x, y});
    EXPECT_EQ(PaintedPixels(surface), expected);
}

TEST(QImageSurfaceFills, SelfCrossingPolygonLeavesItsDoublyEnclosedPartEmpty) {
    QImageSurface surface(100, 100, kWhite);
    // A five-pointed star drawn in one stroke: its centre is enclosed twice.
    std::vector<Point> star;
    for (int k = 0; k < 5; ++k) {
        const double angle = (-90.0 + 144.0 * k) * M_PI / 180.0;
        star.push_back({static_cast<int>(std::lround(50 + 45 * std::cos(angle))),
                        static_cast<int>(std::lround(50 + 45 * std::sin(angle)))});
    }
    surface.FillPolygon(star, kRed);
    EXPECT_EQ(PixelAt(surface, 50, 50), kWhite);
    EXPECT_EQ(PixelAt(surface, 50, 15), kRed);
    EXPECT_EQ(PixelAt(surface, 20, 40), kRed);
}

// Small polygons are kept as the pixels they fill and put down again at new places; every place,
// also partly outside the picture, gets what the toolkit fills there itself.
TEST(QImageSurfaceFills, KeptPolygonsFillWhatTheToolkitFills) {
    const std::vector<std::vector<Point>> shapes = {
        {{0, -3}, {5, 0}, {0, 3}},                    // a marker triangle
        {{0, 0}, {12, 3}, {3, 11}},                   // a slanted one
        {{5, 0}, {8, 10}, {0, 4}, {10, 4}, {2, 10}},  // a self-crossing star
        {{0, 0}, {200, 30}, {40, 150}},               // too large to keep
    };
    const Point places[] = {{20, 20}, {0, 2}, {-4, 40}, {95, 58}, {37, 21}, {20, 20}};
    for (size_t shape = 0; shape < shapes.size(); ++shape) {
        QImageSurface surface(100, 60, kWhite);
        for (const Point& at : places) {
            SCOPED_TRACE(std::to_string(shape) + " at " + std::to_string(at.x) + "," +
                         std::to_string(at.y));
            std::vector<Point> placed;
            QPolygon polygon;
            for (const Point& p : shapes[shape]) {
                placed.push_back({p.x + at.x, p.y + at.y});
                polygon.append(QPoint(p.x + at.x, p.y + at.y));
            }
            surface.FillRect(0, 0, 100, 60, kWhite);
            surface.FillPolygon(placed, kRed);
            QImage straight(100, 60, QImage::Format_RGB32);
            straight.fill(Qt::white);
            QPainter painter(&straight);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 0, 0));
            painter.drawPolygon(polygon, Qt::OddEvenFill);
            painter.end();
            EXPECT_EQ(surface.Image(), straight);
        }
    }
}

TEST(QImageSurfaceText, LabelFontCellIsFourteenPixelsHigh) {
    const QFontMetrics metrics(QImageSurface::LabelFont());
    EXPECT_EQ(metrics.ascent() + metrics.descent(), 14);
}

TEST(QImageSurfaceText, TextLiesBelowAndRightOfItsPointWithinTheCell) {
    QImageSurface surface(120, 60, kWhite);
    surface.DrawText(10, 20, "Hg", kBlack);
    const std::vector<Point> ink = PaintedPixels(surface);
    ASSERT_FALSE(ink.empty());
    int left = 1000, top = 1000, bottom = -1;
    for (const Point& p : ink) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    EXPECT_GE(left, 10);
    EXPECT_LE(left, 13);
    EXPECT_GE(top, 20);
    // Capital letters start near the top of the cell; the descender of g reaches into its
    // lower part, but nothing leaves the cell.
    EXPECT_LE(top, 24);
    EXPECT_GE(bottom, 20 + QFontMetrics(QImageSurface::LabelFont()).ascent());
    EXPECT_LT(bottom, 34);
}

TEST(QImageSurfaceText, BackgroundAroundTheGlyphsIsKept) {
    QImageSurface surface(60, 30, kBlue);
    surface.DrawText(5, 5, "l", kRed);
    int untouched = 0;
    for (int y = 5; y < 19; ++y)
        for (int x = 5; x < 15; ++x) untouched += PixelAt(surface, x, y) == kBlue;
    EXPECT_GT(untouched, 100);
    EXPECT_LT(untouched, 140);
}

TEST(QImageSurfaceText, GlyphsAreWholePixelsOfTheTextColour) {
    QImageSurface surface(200, 30, kWhite);
    surface.DrawText(5, 5, "2048 point FFT", kRed);
    const std::vector<Point> ink = PaintedPixels(surface);
    ASSERT_GT(ink.size(), 50u);
    for (const Point& p : ink) ASSERT_EQ(PixelAt(surface, p.x, p.y), kRed) << p.x << "," << p.y;
}

TEST(QImageSurfaceText, TextDrawnAgainAtTheSamePlaceLeavesThePixelsAsTheyWere) {
    struct Case {
        const char* text;
        Rgb color;
        Rgb background;
    };
    const Case cases[] = {
        {"HPF: Off", kBlack, kWhite},
        {"2048 point FFT", kBlack, kWhite},
        {"Lch: -12.3dB", kRed, kBlue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QImageSurface once(200, 30, c.background);
        QImageSurface twice(200, 30, c.background);
        once.DrawText(7, 6, c.text, c.color);
        twice.DrawText(7, 6, c.text, c.color);
        twice.DrawText(7, 6, c.text, c.color);
        EXPECT_EQ(once.Image(), twice.Image());
    }
}

// The surface keeps the layouts of texts it drew for the next pictures. A kept text drawn in
// another colour at another place, and a text drawn after so many others that the kept layouts
// were let go, look exactly as the text drawn once on a fresh surface.
TEST(QImageSurfaceText, KeptTextsLookAsTheyDidTheFirstTime) {
    const char* const text = "Main: 1000Hz";
    const auto topRows = [](const QImageSurface& surface) {
        return surface.Image().copy(0, 0, surface.Width(), 30);
    };
    QImageSurface fresh(200, 60, kWhite);
    fresh.DrawText(7, 6, text, kRed);

    QImageSurface kept(200, 60, kWhite);
    kept.DrawText(50, 40, text, kBlack);
    kept.DrawText(7, 6, text, kRed);
    EXPECT_EQ(topRows(kept), topRows(fresh));

    QImageSurface afterMany(200, 60, kWhite);
    afterMany.DrawText(7, 40, text, kBlue);
    for (int i = 0; i < 1000; ++i) afterMany.DrawText(7, 40, std::to_string(i), kBlack);
    afterMany.DrawText(7, 6, text, kRed);
    EXPECT_EQ(topRows(afterMany), topRows(fresh));
}

// Read-outs as the pictures make them, a thousand of them, put together from their characters:
// each the same pixels as the font paints it.
TEST(QImageSurfaceText, NewReadOutsPaintWhatTheFontPaints) {
    std::mt19937 random(2026);
    const char* const prefixes[] = {"Main:", "THD:", "+N:", "SN: ", "Lch: ", "Cursor: ", ""};
    const char* const units[] = {"Hz", "%", "dB", "ms/div", "V", "kHz", " us"};
    for (int i = 0; i < 1000; ++i) {
        std::string text = prefixes[random() % std::size(prefixes)];
        if (random() % 2) text += '-';
        for (int digits = 1 + random() % 6; digits > 0; --digits) text += char('0' + random() % 10);
        if (random() % 2) {
            text += '.';
            for (int digits = 1 + random() % 5; digits > 0; --digits)
                text += char('0' + random() % 10);
        }
        text += units[random() % std::size(units)];
        SCOPED_TRACE(text);
        QImageSurface surface(200, 24, kBlue);
        surface.DrawText(3, 4, text, kRed);
        ASSERT_EQ(surface.Image(), PaintedStraight(text.c_str(), {3, 4}, 200, 24));
    }
}

// Texts are kept as the pixels they paint and put down again from those, and new read-outs are
// put together from their characters' pixels; the picture must be what the font paints straight
// onto it, at any place, partly outside the picture as well, with kerned pairs (11, AV, Te),
// ligatures and the read-outs' characters.
TEST(QImageSurfaceText, KeptTextPaintsWhatTheFontPaintsStraightOntoThePicture) {
    const char* const texts[] = {"Main: 1000.11Hz",
                                 "THD: 0.00123%",
                                 "AV To Te Wa 11 yy",
                                 "+N:-93.7dB  SN: 91.2dB",
                                 "Trig(L) 2.5ms/div",
                                 "µs ±°",
                                 "Main:54960Hz",
                                 "+N:694.13708%",
                                 "SN: -16.8dB",
                                 "-100dB",
                                 "Rch:",
                                 "500Hz/d",
                                 "HPF: Off",
                                 "2048 point FFT",
                                 "1.0V/div 0.5ms",
                                 "fifl",
                                 "Log sweep: 41% captured. Wait for a while...",
                                 "Gnd",
                                 "Precision: 65536 points"};
    const Point places[] = {{0, 0}, {13, 7}, {-9, -5}, {150, 25}, {-300, 10}};
    for (const char* text : texts) {
        for (const Point& at : places) {
            SCOPED_TRACE(std::string(text) + " at " + std::to_string(at.x) + "," +
                         std::to_string(at.y));
            QImageSurface surface(200, 36, kBlue);
            surface.DrawText(at.x, at.y, text, kRed);
            EXPECT_EQ(surface.Image(), PaintedStraight(text, at, 200, 36));
        }
    }
}

}  // namespace
}  // namespace velmora2
