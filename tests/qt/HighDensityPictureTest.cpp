// The picture on a high-density screen: the same drawing calls on a surface of two device pixels a
// side per pixel. Lines and fills cover exactly the blocks of the pixels they cover at one device
// pixel (so a line is two device pixels wide), text and polygons are drawn at the device pixels'
// resolution, and the client area shows the device pixels one to one while its snapshot, and so
// the saved picture, keeps one pixel per pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>

#include "qt/QImageSurface.h"
#include "qt/QtClientArea.h"
#include "tests/support/ImagePixels.h"

namespace velmora2 {
namespace {

using testing::kBlue;
using testing::kRed;
using testing::PixelAt;

constexpr Rgb kWhite{255, 255, 255};
constexpr int kRatio = 2;

int Ink(const QImage& image, Rgb background) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ink += PixelAt(image, x, y) != background;
    return ink;
}

TEST(HighDensityPicture, LinesAndFillsCoverTheBlocksOfTheirPixels) {
    struct Case {
        const char* what;
        std::function<void(Surface&)> draw;
    };
    const Case cases[] = {
        {"solid lines",
         [](Surface& s) {
             s.SetPen(kRed, PenStyle::Solid);
             s.MoveTo(-5, 3);
             s.LineTo(70, 41);
             s.LineTo(12, 60);
         }},
        {"dotted grid line",
         [](Surface& s) {
             s.SetPen(kBlue, PenStyle::Dotted);
             s.MoveTo(0, 20);
             s.LineTo(80, 20);
         }},
        {"rectangles partly outside",
         [](Surface& s) {
             s.FillRect(-3, 10, 25, 30, kBlue);
             s.FillRect(60, 50, 90, 90, kRed);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QImageSurface single(80, 64, kWhite);
        QImageSurface dense(80, 64, kWhite, kRatio);
        c.draw(single);
        c.draw(dense);
        ASSERT_EQ(dense.Image().size(), QSize(160, 128));
        EXPECT_EQ(dense.Width(), 80);
        int differing = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 160; ++x)
                differing += PixelAt(dense.Image(), x, y) != PixelAt(single.Image(), x / 2, y / 2);
        EXPECT_EQ(differing, 0);
        EXPECT_GT(Ink(single.Image(), kWhite), 20);
    }
}

// Text and polygons are drawn afresh at the finer pixels, not blown up: about four times the ink
// of one device pixel, in the same place, and not the single picture's blocks.
TEST(HighDensityPicture, TextAndPolygonsAreDrawnAtTheFinerPixels) {
    const Point triangle[] = {{5, 60}, {70, 10}, {75, 62}};
    const std::function<void(Surface&)> draws[] = {
        [](Surface& s) { s.DrawText(6, 8, "THD: 0.00629%", kRed); },
        [&triangle](Surface& s) { s.FillPolygon(triangle, kBlue); },
    };
    for (const auto& draw : draws) {
        QImageSurface single(120, 64, kWhite);
        QImageSurface dense(120, 64, kWhite, kRatio);
        draw(single);
        draw(dense);
        const int singleInk = Ink(single.Image(), kWhite);
        const int denseInk = Ink(dense.Image(), kWhite);
        ASSERT_GT(singleInk, 40);
        EXPECT_NEAR(static_cast<double>(denseInk) / singleInk, 4.0, 1.2);
        const QImage blownUp = single.Image().scaled(240, 128);
        int differing = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 240; ++x)
                differing += PixelAt(dense.Image(), x, y) != PixelAt(blownUp, x, y);
        EXPECT_GT(differing, 0);
        EXPECT_LT(differing, denseInk);
    }
}

TEST(HighDensityPicture, TheClientAreaShowsDevicePixelsAndSnapshotsItsOwnSize) {
    QtClientArea area(nullptr, QSize(100, 80), QColor(240, 240, 240), kRatio);
    const std::unique_ptr<Surface> picture = area.CreateSurface(20, 20, kRed);
    picture->FillRect(0, 0, 5, 5, kBlue);
    area.CopyToWindow(*picture, 10, 10);

    const QImage device = area.DeviceSnapshot();
    ASSERT_EQ(device.size(), QSize(200, 160));
    EXPECT_EQ(PixelAt(device, 20, 20), kBlue);
    EXPECT_EQ(PixelAt(device, 29, 29), kBlue);
    EXPECT_EQ(PixelAt(device, 30, 30), kRed);
    EXPECT_EQ(PixelAt(device, 59, 59), kRed);
    EXPECT_NE(PixelAt(device, 60, 60), kRed);

    const QImage logical = area.Snapshot();
    ASSERT_EQ(logical.size(), QSize(100, 80));
    EXPECT_EQ(PixelAt(logical, 12, 12), kBlue);
    EXPECT_EQ(PixelAt(logical, 20, 20), kRed);
    EXPECT_NE(PixelAt(logical, 30, 30), kRed);

    // Painting onto a surface of the same density copies the device pixels without scaling.
    QImage window(200, 160, QImage::Format_RGB32);
    window.setDevicePixelRatio(kRatio);
    window.fill(Qt::black);
    QPainter painter(&window);
    area.Paint(painter, QRect(0, 0, 100, 80));
    painter.end();
    window.setDevicePixelRatio(1);
    EXPECT_EQ(window, device);

    // A surface of another density is not this window's and is left out.
    const QImageSurface single(20, 20, kWhite);
    area.CopyToWindow(single, 10, 10);
    EXPECT_EQ(PixelAt(area.DeviceSnapshot(), 40, 40), kRed);
}

}  // namespace
}  // namespace velmora2
