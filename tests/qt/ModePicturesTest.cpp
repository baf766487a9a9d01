// The four modes seen through the real main window: with the generator switched on by its own
// check box, each mode radio button turns the picture into that mode's view, and each picture is
// saved for a person to look at.
#include <gtest/gtest.h>

#include <QImage>

#include "display/DrawingConventions.h"
#include "display/NetworkView.h"
#include "panel/ControlIds.h"
#include "tests/e2e/PictureTestSupport.h"
#include "tests/qt/BenchMainWindow.h"
#include "tests/support/ImagePixels.h"
#include "tests/support/QtTestApplication.h"

namespace velmora2 {
namespace {

struct Area {
    int left, top, right, bottom;  // [left, right) x [top, bottom)
};

int CountInside(const QImage& image, Rgb colour, Area area, bool skipCentreLines = false) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            if (skipCentreLines && (x == kFieldWidth / 2 || y == kFieldHeight / 2)) continue;
            count += testing::IsColour(image, x, y, colour) ? 1 : 0;
        }
    return count;
}

using testing::kGreen;
using testing::kRed;
// Inside the network chart's frame, legends (above the frame) left out.
constexpr Area kChartInside{kNetworkPlotOrigin.x + 1, kNetworkPlotOrigin.y + 1,
                            kNetworkPlotOrigin.x + 400, kNetworkPlotOrigin.y + 280};
constexpr Area kWholeField{0, 0, kFieldWidth, kFieldHeight};

class ModePictures : public ::testing::Test {
protected:
    // Waits for a picture carrying the text, then saves the picture field under the name.
    QImage ShownWith(const std::string& text, const std::string& name, int limitMs = 5000) {
        EXPECT_TRUE(
            testing::ProcessEventsUntil([&] { return bench.LastPictureShows(text); }, limitMs))
            << text;
        const QImage picture = testing::PictureField(bench.window.ClientArea());
        testing::SavePicture(picture, name);
        return picture;
    }

    testing::BenchMainWindow bench;
};

TEST_F(ModePictures, EachModeButtonShowsItsOwnPicture) {
    ASSERT_NE(bench.mainWindow.MainEngine(), nullptr);
    bench.Click(ctl::kGeneratorOn);

    bench.Click(ctl::kModeSpectrum);
    const QImage spectrum = ShownWith("Main: 1000Hz", "mode-spectrum");
    EXPECT_GT(CountInside(spectrum, kLeftChannelColor, kWholeField), 100);

    bench.Click(ctl::kModeLissajous);
    const QImage figure = ShownWith("(Horizontal)", "mode-lissajous");
    // The bench's low-pass turns the tone's diagonal into a narrow ellipse (about 100 pixels at
    // 500 mV/div), drawn off both centre lines.
    EXPECT_GT(CountInside(figure, kGreen, kWholeField, true), 50);

    bench.Click(ctl::kModeNetwork);
    EXPECT_TRUE(testing::ProcessEventsUntil(
        [&] { return bench.mainWindow.MainEngine()->Settings().mode == kModeNetworkPlot; }, 30000));
    const QImage chart = ShownWith("Phase", "mode-network");
    EXPECT_GT(CountInside(chart, kRed, kChartInside), 150);
    EXPECT_GT(CountInside(chart, kGreen, kChartInside), 150);

    bench.Click(ctl::kModeScope);
    const QImage scope = ShownWith("Gnd", "mode-scope");
    EXPECT_FALSE(bench.LastPictureShows("Phase"));
    EXPECT_GT(CountInside(scope, kLeftChannelColor, kWholeField), 100);
}

}  // namespace
}  // namespace velmora2
