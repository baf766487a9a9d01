// The oscilloscope end to end: a 1 kHz sine on both inputs of the stepped bench, captured,
// triggered and drawn by the engine into the window's client area.
#include <gtest/gtest.h>

#include "tests/e2e/PictureTestSupport.h"

namespace velmora2 {
namespace {

using namespace testing;

TEST(ScopePicture, SineOnBothInputsShowsGridTracesAndTriggerMarker) {
    SimBench bench;
    bench.SetInputSignal(SineOnBothInputs(1000.0, 12000.0, 48000));
    QtClientArea clientArea(nullptr, QSize(705, 585), QColor(240, 240, 240));
    CDSCapture engine(bench, clientArea, DeviceId{}, DeviceId{}, 48000);
    engine.SetTriggerSource(1);
    engine.SetTriggerLevel(0);
    engine.SetCursors({60, 240, 0, 0, 0, 0});
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    // The picture drawn from the second block is shown when the third arrives.
    ASSERT_TRUE(DeliverBlocks(bench, engine, 3));
    ASSERT_TRUE(engine.Stop());

    const QImage picture = PictureField(clientArea);
    const std::string path = SavePicture(picture, "scope-1khz");
    SCOPED_TRACE(path);

    // Grid: the dotted grey lines of the 48-pixel divisions, and the black frame.
    const Rgb grid = kGridPen.color;
    int gridPixels = 0;
    for (int y = 1; y < 360; ++y) gridPixels += IsColour(picture, 96, y, grid) ? 1 : 0;
    EXPECT_GT(gridPixels, 100);
    EXPECT_TRUE(IsColour(picture, 100, 0, Rgb{0, 0, 0}));
    EXPECT_TRUE(IsColour(picture, 100, 360, Rgb{0, 0, 0}));

    // A red trace in the upper band, a blue one in the lower band, each crossing its band.
    const int red = CountColour(picture, kLeftChannelColor, 0, 180);
    const int blue = CountColour(picture, kRightChannelColor, 180, 361);
    EXPECT_GT(red, 400);
    EXPECT_GT(blue, 400);
    EXPECT_EQ(CountColour(picture, kLeftChannelColor, 180, 361) < red / 20, true);
    EXPECT_EQ(CountColour(picture, kRightChannelColor, 0, 180) < blue / 20, true);

    // The trigger marker: a green square on the left edge at the left channel's zero line
    // (band from y = 40, zero line 50 pixels down at position 0).
    int markerPixels = 0;
    for (int y = 80; y < 100; ++y)
        for (int x = 0; x < 4; ++x) markerPixels += IsColour(picture, x, y, kMarkerColor) ? 1 : 0;
    EXPECT_GE(markerPixels, 9);
}

}  // namespace
}  // namespace velmora2
