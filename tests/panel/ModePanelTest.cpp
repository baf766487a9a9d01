// The mode buttons as the user presses them: what the panel shows, which controls answer, what
// the engine is told, and the sweep start.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "measurement/SteppedSweep.h"
#include "panel/ControlIds.h"
#include "panel/ModePanel.h"
#include "tests/panel/PanelBench.h"

namespace velmora2 {
namespace {

using testing::FakeControl;

constexpr int kAllControls[] = {ctl::kModeScope,
                                ctl::kModeSpectrum,
                                ctl::kModeNetwork,
                                ctl::kModeLissajous,
                                ctl::kTimeDivLabel,
                                ctl::kTimeDivSpin,
                                ctl::kHorizontalPositionSpin,
                                ctl::kCursor1Spin,
                                ctl::kCursor2Spin,
                                ctl::kLeftScaleLabel,
                                ctl::kLeftScaleSpin,
                                ctl::kLeftPositionSpin,
                                ctl::kRightScaleLabel,
                                ctl::kRightScaleSpin,
                                ctl::kRightPositionSpin,
                                ctl::kLeftOn,
                                ctl::kRightOn,
                                ctl::kTriggerLevelSpin,
                                ctl::kTriggerOff,
                                ctl::kTriggerLeft,
                                ctl::kTriggerRight,
                                ctl::kVolumeLabel,
                                ctl::kVolumeSpin,
                                ctl::kGeneratorOn,
                                ctl::kHoldRun,
                                ctl::kOptions,
                                ctl::kRecord,
                                ctl::kStopRecord};

constexpr int kModeButtons[] = {ctl::kModeScope, ctl::kModeSpectrum, ctl::kModeLissajous,
                                ctl::kModeNetwork};

bool SameControl(const FakeControl& a, const FakeControl& b) {
    return a.enabled == b.enabled && a.checked == b.checked && a.lower == b.lower &&
           a.upper == b.upper && a.position == b.position && a.text == b.text &&
           a.visible == b.visible;
}

class ModePanelTest : public ::testing::Test, protected testing::ScalePanelBench {
protected:
    void SetUp() override {
        for (const int id : kAllControls) gates.Set(id);
        view.SetCheck(ctl::kModeScope, true);
        view.Enable(ctl::kStopRecord, false);
        view.Enable(ctl::kTriggerLevelSpin, channels.TriggerOn());
        scales.timeSpan = 960;  // "2ms/d"
        scales.scaleL = 32768;  // "1V/d"
        scales.positionR = -60;
        scales.freqSpan = 10000;  // "1kHz/d"
        scales.dbBottomL = -240;  // "20dB/d"
        scales.freqOffset = 30;
        cursorX = {30, 60, 90, 120, -30, 45, 0, 0};
        panel.PushLabels();
    }

    std::vector<FakeControl> Controls() const {
        std::vector<FakeControl> all;
        for (const int id : kAllControls) all.push_back(view.Control(id));
        return all;
    }
    std::optional<int> Timer() const { return services.TimerPeriod(ModePanel::kTimer1); }

    bool xlog = false;
    bool averagingOn = false;
    int32_t averagingLength = 50;
    OutputSwitches outputs{view, engine};
    ChannelPanel channels{view, {outputs, engine}};
    WindowTimer timer{services, ModePanel::kTimer1};
    ModePanel modes{view,
                    services,
                    panel,
                    {xlog, averagingOn, averagingLength, outputs, channels, sweep, timer, engine}};
    // No tone file is found anywhere: the first tick ends the sweep, the next one shows its end.
    SteppedSweep sweep{engine, modes,
                       [this] {
                           SteppedSweepPlan plan;
                           plan.leftShown = outputs.LeftShown();
                           plan.rightShown = outputs.RightShown();
                           plan.averagingLength = averagingLength;
                           return plan;
                       },
                       FileSearchPlaces{}};
};

TEST_F(ModePanelTest, OscilloscopeTwiceReloadsTheSpinsAndChangesNothingElse) {
    modes.OnScope();
    const std::vector<FakeControl> before = Controls();
    const RuntimeState engineBefore = engine->Settings();
    EXPECT_EQ(view.SpinPosition(ctl::kTimeDivSpin), 5);
    EXPECT_EQ(view.Text(ctl::kTimeDivLabel), "2ms/d");
    EXPECT_EQ(view.Text(ctl::kLeftScaleLabel), "1V/d");
    EXPECT_EQ(view.SpinPosition(ctl::kRightPositionSpin), 12);
    EXPECT_EQ(view.SpinPosition(ctl::kCursor2Spin), 20);

    // Spins moved behind the panel's back come back to the stored values.
    view.SetSpinPosition(ctl::kTimeDivSpin, 0);
    view.SetSpinPosition(ctl::kCursor1Spin, 99);
    modes.OnScope();
    const std::vector<FakeControl> after = Controls();
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_TRUE(SameControl(before[i], after[i])) << "control " << kAllControls[i];
    EXPECT_EQ(modes.Mode(), PanelMode::Wave);
    EXPECT_EQ(engine->Settings().mode, kModeScope);
    EXPECT_EQ(engine->Settings().scales, engineBefore.scales);
    EXPECT_FALSE(Timer());
}

TEST_F(ModePanelTest, EachModeLoadsItsOwnStoredSpins) {
    struct Case {
        const char* description;
        void (ModePanel::*press)();
        int button;
        PanelMode keyword;
        int32_t engineMode;
        int timeDiv;
        const char* timeDivLabel;
        int leftScale;
        const char* leftLabel;
        int cursor1;
        int cursor2;
        int horizontal;
    };
    const Case cases[] = {
        {"spectrum", &ModePanel::OnSpectrum, ctl::kModeSpectrum, PanelMode::Spectrum, kModeSpectrum,
         3, "1kHz/d", 3, "20dB/d", 30, 40, 130},
        {"lissajous", &ModePanel::OnLissajous, ctl::kModeLissajous, PanelMode::Lissajous,
         kModeLissajous, 5, "2ms/d", 6, "1V/d", 70, 95, 140},
        {"oscilloscope", &ModePanel::OnScope, ctl::kModeScope, PanelMode::Wave, kModeScope, 5,
         "2ms/d", 6, "1V/d", 10, 20, 140},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        (modes.*c.press)();
        EXPECT_EQ(modes.Mode(), c.keyword);
        EXPECT_EQ(engine->Settings().mode, c.engineMode);
        for (const int id : kModeButtons) EXPECT_EQ(view.IsChecked(id), id == c.button) << id;
        EXPECT_EQ(view.SpinPosition(ctl::kTimeDivSpin), c.timeDiv);
        EXPECT_EQ(view.Text(ctl::kTimeDivLabel), c.timeDivLabel);
        EXPECT_EQ(view.SpinPosition(ctl::kLeftScaleSpin), c.leftScale);
        EXPECT_EQ(view.Text(ctl::kLeftScaleLabel), c.leftLabel);
        EXPECT_EQ(view.SpinPosition(ctl::kCursor1Spin), c.cursor1);
        EXPECT_EQ(view.SpinPosition(ctl::kCursor2Spin), c.cursor2);
        EXPECT_EQ(view.SpinPosition(ctl::kHorizontalPositionSpin), c.horizontal);
    }
}

TEST_F(ModePanelTest, SpectrumWithLogAxisDisablesTheTimeAxisControls) {
    for (const bool log : {true, false, true}) {
        SCOPED_TRACE(log ? "LOG" : "LINEAR");
        xlog = log;
        modes.OnScope();
        modes.OnSpectrum();
        for (const int id : {ctl::kTimeDivSpin, ctl::kTimeDivLabel, ctl::kHorizontalPositionSpin})
            EXPECT_EQ(view.IsEnabled(id), !log) << id;
        for (const int id : {ctl::kCursor1Spin, ctl::kCursor2Spin, ctl::kGeneratorOn})
            EXPECT_TRUE(view.IsEnabled(id)) << id;
    }
}

TEST_F(ModePanelTest, SpectrumRestartsTheAverageWithTheStoredSettings) {
    averagingOn = true;
    averagingLength = 20;
    modes.OnSpectrum();
    EXPECT_TRUE(engine->Settings().averagingOn);
    EXPECT_EQ(engine->Settings().averagingLength, 20);
}

TEST_F(ModePanelTest, NetworkStartsASweepWithEverythingButTheSweepLocked) {
    outputs.ShowTrace(0, false);
    modes.OnNetwork();
    EXPECT_EQ(modes.Mode(), PanelMode::Network);
    EXPECT_TRUE(sweep.Running());
    EXPECT_EQ(sweep.Index(), -1);
    EXPECT_EQ(Timer(), 10);
    for (const int id : kModeButtons) EXPECT_FALSE(view.IsEnabled(id)) << id;
    EXPECT_TRUE(view.IsChecked(ctl::kModeNetwork));
    EXPECT_FALSE(view.IsChecked(ctl::kModeScope));
    const std::set<int> labels = {ctl::kTimeDivLabel, ctl::kLeftScaleLabel, ctl::kRightScaleLabel,
                                  ctl::kVolumeLabel};
    for (const int id : kAllControls) {
        EXPECT_TRUE(labels.count(id) != 0 || !view.IsEnabled(id)) << id;
    }
    // The generator plays the sweep tones, the box says so; averaging is off for the sweep.
    EXPECT_TRUE(outputs.GeneratorOn());
    EXPECT_TRUE(view.IsChecked(ctl::kGeneratorOn));
    const RuntimeState s = engine->Settings();
    EXPECT_EQ(s.mode, kModeSpectrum);
    EXPECT_TRUE(s.generatorOn);
    EXPECT_FALSE(s.leftShown);
    EXPECT_TRUE(s.rightShown);
    EXPECT_FALSE(s.averagingOn);
}

TEST_F(ModePanelTest, NetworkAgainAfterTheSweepStartsANewOneFromMinusOne) {
    modes.OnNetwork();
    // The end of the sweep leaves the last index, the timer killed, the mode buttons back.
    modes.OnSweepTimer();
    modes.OnSweepTimer();
    EXPECT_FALSE(sweep.Running());
    EXPECT_EQ(sweep.Index(), 17);
    EXPECT_FALSE(Timer());
    for (const int id : kModeButtons) EXPECT_TRUE(view.IsEnabled(id)) << id;
    EXPECT_FALSE(view.IsEnabled(ctl::kHoldRun));

    modes.OnNetwork();
    EXPECT_TRUE(sweep.Running());
    EXPECT_EQ(sweep.Index(), -1);
    EXPECT_EQ(Timer(), 10);
    for (const int id : kModeButtons) EXPECT_FALSE(view.IsEnabled(id)) << id;
}

TEST_F(ModePanelTest, LeavingNetworkRestoresThePanelByTheSwitches) {
    struct Case {
        const char* description;
        bool triggerOn;
        bool leftOn;
        bool xlog;
        void (ModePanel::*press)();
    };
    const Case cases[] = {
        {"spectrum_trigger_off", false, true, false, &ModePanel::OnSpectrum},
        {"spectrum_trigger_on_left_off_log", true, false, true, &ModePanel::OnSpectrum},
        {"oscilloscope_trigger_on", true, true, true, &ModePanel::OnScope},
        {"lissajous_left_off", false, false, false, &ModePanel::OnLissajous},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        if (c.triggerOn)
            channels.OnTriggerRight();
        else
            channels.OnTriggerOff();
        outputs.ShowTrace(0, c.leftOn);
        xlog = c.xlog;
        modes.OnNetwork();
        modes.EnableModeButtons();
        (modes.*c.press)();
        EXPECT_FALSE(Timer());
        EXPECT_EQ(view.IsEnabled(ctl::kTriggerLevelSpin), c.triggerOn);
        EXPECT_EQ(view.IsEnabled(ctl::kLeftScaleSpin), c.leftOn);
        EXPECT_EQ(view.IsEnabled(ctl::kLeftPositionSpin), c.leftOn);
        EXPECT_TRUE(view.IsEnabled(ctl::kRightScaleSpin));
        EXPECT_TRUE(view.IsEnabled(ctl::kVolumeSpin));
        const bool spectrumLog = c.press == &ModePanel::OnSpectrum && c.xlog;
        EXPECT_EQ(view.IsEnabled(ctl::kTimeDivSpin), !spectrumLog);
        for (const int id :
             {ctl::kTriggerOff, ctl::kTriggerLeft, ctl::kTriggerRight, ctl::kLeftOn, ctl::kRightOn,
              ctl::kGeneratorOn, ctl::kHoldRun, ctl::kOptions, ctl::kRecord})
            EXPECT_TRUE(view.IsEnabled(id)) << id;
        EXPECT_FALSE(view.IsEnabled(ctl::kStopRecord));
    }
}

TEST_F(ModePanelTest, ModeButtonsOutsideNetworkLeaveTimerOneAlone) {
    // A recording's time limit holds timer 1 while the modes change.
    timer.Set(30000);
    modes.OnSpectrum();
    modes.OnLissajous();
    modes.OnScope();
    EXPECT_EQ(Timer(), 30000);
}

TEST_F(ModePanelTest, HiddenAxisButtonsSetTheKeywordAndTheEngine) {
    modes.OnLinear();
    EXPECT_EQ(panel.Axis(), FrequencyAxis::Linear);
    EXPECT_FALSE(engine->Settings().logAxis);
    modes.OnLog();
    EXPECT_EQ(panel.Axis(), FrequencyAxis::Log);
    EXPECT_TRUE(engine->Settings().logAxis);
}

}  // namespace
}  // namespace velmora2
