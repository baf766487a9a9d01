// A whole network sweep started by clicking the real network radio button of the real main
// window, stepped by the window's own timer, with the engine on the bench in real time: every
// point is measured, the mode buttons come back and the picture turns into the network chart.
#include <gtest/gtest.h>

#include "analysis/SweepTable.h"
#include "panel/ControlIds.h"
#include "platform/GeneratorFileNames.h"
#include "tests/qt/BenchMainWindow.h"
#include "tests/support/QtTestApplication.h"

namespace velmora2 {
namespace {

TEST(NetworkSweepWindow, ClickedNetworkButtonSweepsAndShowsTheChart) {
    testing::BenchMainWindow bench;
    ASSERT_NE(bench.mainWindow.MainEngine(), nullptr);

    bench.Click(ctl::kModeNetwork);
    EXPECT_FALSE(bench.window.View().Widget(ctl::kModeScope)->isEnabled());
    // 12 ticks, 500 ms apart: a safety limit well above the sweep's 5.5 s.
    EXPECT_TRUE(testing::ProcessEventsUntil(
        [&] { return bench.mainWindow.MainEngine()->Settings().mode == kModeNetworkPlot; }, 30000));
    EXPECT_TRUE(bench.window.View().Widget(ctl::kModeScope)->isEnabled());
    EXPECT_TRUE(testing::ProcessEventsUntil([&] { return bench.LastPictureShows("Phase"); }));
    EXPECT_TRUE(bench.LastPictureShows("Gain"));

    const SweepTable table = BuildSweepTable(testing::BenchMainWindow::kSweepPoints, 48000);
    const SweepResults results = bench.mainWindow.MainEngine()->Sweep();
    for (int i = 0; i < table.count; ++i) EXPECT_TRUE(results.measured[i]) << i;
    EXPECT_EQ(bench.mainWindow.MainEngine()->Settings().generatorFile, kDefaultToneFile);
}

}  // namespace
}  // namespace velmora2
