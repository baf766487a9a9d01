// The window icon is the installed icon's picture (share/velmora2.svg): its flat colours where the
// file puts them, at every size the window offers. The 64-pixel picture is saved for a person to
// look at.
#include <gtest/gtest.h>

#include <QImage>

#include "qt/WindowIcon.h"
#include "tests/e2e/PictureTestSupport.h"
#include "tests/support/QtTestApplication.h"

namespace velmora2 {
namespace {

TEST(WindowIcon, ShowsTheInstalledIconsPicture) {
    const QImage image = ProgramIconImage(64);
    ASSERT_FALSE(image.isNull());
    testing::SavePicture(image, "window-icon-64");
    struct Sample {
        const char* description;
        int x;
        int y;
        QRgb colour;
    };
    // Points of the 64-unit picture clear of every edge, line and curve.
    const Sample samples[] = {
        {"outside the rounded case", 0, 0, qRgba(0, 0, 0, 0)},
        {"the case below the screen", 40, 52, qRgb(0x3a, 0x3f, 0x44)},
        {"the screen between the traces", 10, 44, qRgb(0xff, 0xff, 0xff)},
        {"the green lamp", 15, 53, qRgb(0x00, 0xc8, 0x00)},
        {"the grey lamp", 23, 53, qRgb(0x9a, 0xa0, 0xa6)},
    };
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.description);
        EXPECT_EQ(image.pixel(s.x, s.y), s.colour)
            << std::hex << image.pixel(s.x, s.y) << " at " << std::dec << s.x << "," << s.y;
    }
}

TEST(WindowIcon, OffersTheSizesAWindowManagerAsksFor) {
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 32, 48, 64, 128}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(size).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
    }
    EXPECT_TRUE(ProgramIconImage(0).isNull());
}

}  // namespace
}  // namespace velmora2
