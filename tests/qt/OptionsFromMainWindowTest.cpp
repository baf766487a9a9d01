// The options dialog opened from the real options button of the real main window, with the
// engine running on the bench in real time behind it: choosing 8192 points and the Hanning window
// on the FFT page and pressing OK gives spectra of the bench's tone computed with 8192 points,
// and the engine never stops.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/CTarvikDlg.h"
#include "app/MainWindowLayout.h"
#include "audio/sim/SimBench.h"
#include "dialogs/OptionLayout.h"
#include "display/DrawCallLog.h"
#include "panel/ControlIds.h"
#include "qt/QtDialogServices.h"
#include "qt/QtMainWindow.h"
#include "qt/QtModalDialog.h"
#include "settings/SettingsFile.h"
#include "tests/support/QtTestApplication.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

// Whether the last picture copied to the window carries the text.
bool LastPictureShows(const DrawCallLogTarget& pictures, const std::string& text) {
    const std::vector<DrawCallLogTarget::Copy> copies = pictures.Copies();
    if (copies.empty()) return false;
    for (const DrawCall& call : copies.back().calls)
        if (call.kind == DrawCall::Kind::Text && call.text == text) return true;
    return false;
}

QWidget* Widget(QtModalDialog& dialog, int id) {
    return dialog.View().Widget(id);
}

TEST(OptionsFromMainWindow, EightThousandPointsChosenOnTheFftPageReachTheRunningSpectrum) {
    const testing::TempDirectory directory;
    ASSERT_EQ(SaveSettingsFile(directory.Path(), SettingsRecord{}), SettingsSave::Saved);

    SimBenchOptions realTime;
    realTime.realTimeClock = true;
    SimBench bench(realTime);
    bench.SetInputSignal([](int64_t frame, double& left, double& right) {
        left = right = 10000.0 * std::sin(2.0 * M_PI * 1000.0 * static_cast<double>(frame) / 48000);
    });
    QtMainWindow window(MainWindowControls(), kMainWindowWidthUnits, kMainWindowHeightUnits,
                        MainWindowTitle());
    QtDialogServices services(&window);
    DrawCallLogTarget pictures;
    CTarvikDlg mainWindow(bench, pictures, window.View(), services, directory.Path());
    window.SetClickHandler([&](int id) { mainWindow.OnCommand(id); });
    mainWindow.OnInitDialog();
    ASSERT_NE(mainWindow.MainEngine(), nullptr);
    window.show();
    mainWindow.MainEngine()->SetMode(kModeSpectrum);
    ASSERT_TRUE(
        testing::ProcessEventsUntil([&] { return LastPictureShows(pictures, "2048 point FFT"); }));

    bool dialogSeen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<QtModalDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        dialogSeen = true;
        qobject_cast<QTabWidget*>(Widget(*dialog, opt::kTabs))->setCurrentIndex(1);
        auto* points = qobject_cast<QComboBox*>(Widget(*dialog, opt::kFftPointsList));
        points->setCurrentIndex(points->findText(QStringLiteral("8192")));
        emit points->activated(points->currentIndex());
        qobject_cast<QAbstractButton*>(Widget(*dialog, opt::kWindowHanning))->click();
        qobject_cast<QAbstractButton*>(Widget(*dialog, kIdOk))->click();
    });
    auto* optionsButton = qobject_cast<QAbstractButton*>(window.View().Widget(ctl::kOptions));
    optionsButton->click();

    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(mainWindow.Settings().fftn, 8192);
    EXPECT_EQ(mainWindow.Settings().winfunc, "han");
    EXPECT_TRUE(optionsButton->isEnabled());
    const uint64_t blocksAtOk = mainWindow.MainEngine()->BlocksProcessed();
    EXPECT_TRUE(
        testing::ProcessEventsUntil([&] { return LastPictureShows(pictures, "8192 point FFT"); }));
    EXPECT_EQ(mainWindow.MainEngine()->Settings().windowFunction, "han");
    EXPECT_TRUE(testing::ProcessEventsUntil([&] {
        return mainWindow.MainEngine()->BlocksProcessed() > blocksAtOk + 8;
    })) << "the engine keeps running";

    mainWindow.OnClose();
}

}  // namespace
}  // namespace velmora2
