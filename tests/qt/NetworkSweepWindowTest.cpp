// A whole network sweep started by clicking the real network radio button of the real main
// window, stepped by the window's own timer, with the engine on the bench in real time: every
// point is measured, the mode buttons come back and the picture turns into the network chart.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "analysis/SweepTable.h"
#include "app/CTarvikDlg.h"
#include "app/MainWindowLayout.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "engine/ToneFile.h"
#include "panel/ControlIds.h"
#include "platform/GeneratorFileNames.h"
#include "qt/QtDialogServices.h"
#include "qt/QtMainWindow.h"
#include "settings/SettingsFile.h"
#include "tests/support/QtTestApplication.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

bool LastPictureShows(const DrawCallLogTarget& pictures, const std::string& text) {
    const std::vector<DrawCallLogTarget::Copy> copies = pictures.Copies();
    if (copies.empty()) return false;
    for (const DrawCall& call : copies.back().calls)
        if (call.kind == DrawCall::Kind::Text && call.text == text) return true;
    return false;
}

TEST(NetworkSweepWindow, ClickedNetworkButtonSweepsAndShowsTheChart) {
    testing::TempDirectory directory;
    SettingsRecord settings;
    settings.wavn = 11;
    const SweepTable table = BuildSweepTable(settings.wavn, settings.fsample);
    for (int i = 0; i < table.count; ++i) {
        const int hz = static_cast<int>(std::lround(table.frequency[i]));
        ASSERT_TRUE(WriteToneFile(directory / ToneFileName(hz, 48000), hz, 48000));
    }
    ASSERT_TRUE(WriteToneFile(directory / kDefaultToneFile, 1000, 48000));
    ASSERT_EQ(SaveSettingsFile(directory.Path(), settings), SettingsSave::Saved);

    SimBenchOptions realTime;
    realTime.realTimeClock = true;
    SimBench bench(realTime);
    QtMainWindow window(MainWindowControls(), kMainWindowWidthUnits, kMainWindowHeightUnits,
                        MainWindowTitle());
    QtDialogServices services(&window);
    DrawCallLogTarget pictures;
    CTarvikDlg mainWindow(bench, pictures, window.View(), services, directory.Path());
    window.SetClickHandler([&](int id) { mainWindow.OnCommand(id); });
    services.SetTimerHandler([&](int id) { mainWindow.OnTimer(id); });
    mainWindow.OnInitDialog();
    ASSERT_NE(mainWindow.MainEngine(), nullptr);
    window.show();

    qobject_cast<QAbstractButton*>(window.View().Widget(ctl::kModeNetwork))->click();
    EXPECT_FALSE(window.View().Widget(ctl::kModeScope)->isEnabled());
    // 12 ticks, 500 ms apart: a safety limit well above the sweep's 5.5 s.
    EXPECT_TRUE(testing::ProcessEventsUntil(
        [&] { return mainWindow.MainEngine()->Settings().mode == kModeNetworkPlot; }, 30000));
    EXPECT_TRUE(window.View().Widget(ctl::kModeScope)->isEnabled());
    EXPECT_TRUE(testing::ProcessEventsUntil([&] { return LastPictureShows(pictures, "Phase"); }));
    EXPECT_TRUE(LastPictureShows(pictures, "Gain"));

    const SweepResults results = mainWindow.MainEngine()->Sweep();
    for (int i = 0; i < table.count; ++i) EXPECT_TRUE(results.measured[i]) << i;
    EXPECT_EQ(mainWindow.MainEngine()->Settings().generatorFile, kDefaultToneFile);
    mainWindow.OnClose();
}

}  // namespace
}  // namespace velmora2
