// The main window's front panel after start-up on the simulated bench: every new control id is
// routed to its handler and reaches the engine, and a successful start shows the splash.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/CTarvikDlg.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "engine/ToneFile.h"
#include "panel/ControlIds.h"
#include "settings/SettingsFile.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/FakeSplashHost.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

class FrontPanel : public ::testing::Test {
protected:
    void SetUp() override {
        CSplashWnd::SetHost(&splash);
        CSplashWnd::EnableSplashScreen(true);
    }
    void TearDown() override {
        if (window) window->OnClose();
        CSplashWnd::SetHost(nullptr);
        CSplashWnd::EnableSplashScreen(false);
    }
    void Start(SimBenchOptions options = {}) {
        bench = std::make_unique<SimBench>(options);
        ASSERT_EQ(SaveSettingsFile(directory.Path(), SettingsRecord{}), SettingsSave::Saved);
        window = std::make_unique<CTarvikDlg>(*bench, clientArea, view, services, directory.Path());
        window->OnInitDialog();
    }
    // A click as the panel delivers it: check boxes toggle and radios set before the handler.
    void Click(int id) {
        if (id == ctl::kLeftOn || id == ctl::kRightOn || id == ctl::kGeneratorOn)
            view.SetCheck(id, !view.IsChecked(id));
        window->OnCommand(id);
    }
    RuntimeState Engine() const { return window->MainEngine()->Settings(); }

    testing::TempDirectory directory;
    testing::FakeSplashHost splash;
    std::unique_ptr<SimBench> bench;
    DrawCallLogTarget clientArea;
    testing::FakeDialogView view;
    testing::FakeDialogServices services;
    std::unique_ptr<CTarvikDlg> window;
};

TEST_F(FrontPanel, EveryControlReachesTheEngineThroughOnCommand) {
    Start();
    ASSERT_TRUE(WriteToneFile(directory / "sin1k.wav", 1000, 48000));
    struct Case {
        const char* description;
        int id;
        std::function<bool(const RuntimeState&)> seen;
    };
    const Case cases[] = {
        {"trigger left", ctl::kTriggerLeft,
         [](const RuntimeState& s) { return s.triggerEnabled && s.triggerSourceLeft; }},
        {"trigger right", ctl::kTriggerRight,
         [](const RuntimeState& s) { return s.triggerEnabled && !s.triggerSourceLeft; }},
        {"trigger off", ctl::kTriggerOff, [](const RuntimeState& s) { return !s.triggerEnabled; }},
        {"left trace off", ctl::kLeftOn, [](const RuntimeState& s) { return !s.leftShown; }},
        {"right trace off", ctl::kRightOn, [](const RuntimeState& s) { return !s.rightShown; }},
        {"generator on", ctl::kGeneratorOn, [](const RuntimeState& s) { return s.generatorOn; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        Click(c.id);
        EXPECT_TRUE(c.seen(Engine()));
    }
    EXPECT_TRUE(services.Messages().empty());
    EXPECT_EQ(services.ModalRuns().size(), 1u);  // only the device list of start-up
}

TEST_F(FrontPanel, StartUpShowsTheOnBoxesAndTheVolumeSpinAnswersAfterwards) {
    Start();
    EXPECT_TRUE(view.IsChecked(ctl::kLeftOn));
    EXPECT_TRUE(view.IsChecked(ctl::kRightOn));
    EXPECT_FALSE(view.IsChecked(ctl::kGeneratorOn));
    view.SetSpinPosition(ctl::kVolumeSpin, 12);
    window->OnSpinChanged(ctl::kVolumeSpin);
    EXPECT_EQ(view.Text(ctl::kVolumeLabel), "0dB");
    EXPECT_EQ(Engine().generatorVolume, 0);
}

TEST_F(FrontPanel, SplashAppearsOnlyAfterTheMainEngineStarted) {
    Start();
    EXPECT_TRUE(CSplashWnd::IsShown());
    EXPECT_EQ(splash.timers, std::vector<int>{CSplashWnd::kShowMs});
    CSplashWnd::HideSplashScreen();

    window->OnClose();
    SimBenchOptions noDevices;
    noDevices.hasDevices = false;
    Start(noDevices);
    EXPECT_FALSE(CSplashWnd::IsShown());
    EXPECT_EQ(splash.creates, 1);
}

}  // namespace
}  // namespace velmora2
