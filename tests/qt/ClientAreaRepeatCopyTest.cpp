// A copy of a picture that is already shown, unchanged, at the same place is left out. Whatever
// was drawn or copied in between, the window must always end up showing the latest copy.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "qt/QImageSurface.h"
#include "qt/QtClientArea.h"
#include "tests/support/ImagePixels.h"

namespace velmora2 {
namespace {

using testing::kBlue;
using testing::kGreen;
using testing::kRed;
using testing::PixelAt;

class ClientAreaRepeatCopyTest : public ::testing::Test {
protected:
    QtClientArea area{nullptr, QSize(100, 80), QColor(240, 240, 240)};
};

TEST_F(ClientAreaRepeatCopyTest, DrawingAfterACopyIsShownByTheNextCopy) {
    const std::unique_ptr<Surface> picture = area.CreateSurface(20, 20, kRed);
    area.CopyToWindow(*picture, 10, 10);
    area.CopyToWindow(*picture, 10, 10);
    picture->FillRect(0, 0, 5, 5, kBlue);
    area.CopyToWindow(*picture, 10, 10);
    EXPECT_EQ(PixelAt(area.Snapshot(), 12, 12), kBlue);

    picture->SetPen(kGreen, PenStyle::Solid);
    picture->MoveTo(0, 10);
    picture->LineTo(20, 10);
    area.CopyToWindow(*picture, 10, 10);
    EXPECT_EQ(PixelAt(area.Snapshot(), 15, 20), kGreen);

    picture->DrawText(0, 0, "W", kGreen);
    area.CopyToWindow(*picture, 10, 10);
    const QImage& drawn = dynamic_cast<const QImageSurface&>(*picture).Image();
    EXPECT_EQ(area.Snapshot().copy(10, 10, 20, 20), drawn);
}

TEST_F(ClientAreaRepeatCopyTest, PictureCoveredByAnotherIsCopiedAgain) {
    const std::unique_ptr<Surface> first = area.CreateSurface(20, 20, kRed);
    const std::unique_ptr<Surface> second = area.CreateSurface(20, 20, kBlue);
    area.CopyToWindow(*first, 10, 10);
    area.CopyToWindow(*second, 10, 10);
    area.CopyToWindow(*first, 10, 10);
    EXPECT_EQ(PixelAt(area.Snapshot(), 15, 15), kRed);
}

TEST_F(ClientAreaRepeatCopyTest, SamePictureAtAnotherPlaceIsCopied) {
    const std::unique_ptr<Surface> picture = area.CreateSurface(20, 20, kRed);
    area.CopyToWindow(*picture, 10, 10);
    area.CopyToWindow(*picture, 50, 40);
    const QImage shown = area.Snapshot();
    EXPECT_EQ(PixelAt(shown, 15, 15), kRed);
    EXPECT_EQ(PixelAt(shown, 55, 45), kRed);
}

TEST_F(ClientAreaRepeatCopyTest, ANewSurfaceIsNeverTakenForAnOldOne) {
    // The second surface may well be allocated where the first one lived.
    area.CopyToWindow(*area.CreateSurface(20, 20, kRed), 10, 10);
    area.CopyToWindow(*area.CreateSurface(20, 20, kBlue), 10, 10);
    EXPECT_EQ(PixelAt(area.Snapshot(), 15, 15), kBlue);
}

}  // namespace
}  // namespace velmora2
