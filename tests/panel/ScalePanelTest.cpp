// The scale spins as the user works them: what reaches the engine and the labels, by mode.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "panel/ControlIds.h"
#include "panel/PanelMode.h"
#include "tests/panel/PanelBench.h"

namespace velmora2 {
namespace {

class ScalePanelTest : public ::testing::Test, protected testing::ScalePanelBench {
protected:
    // The main window's start-up: start positions, then the gates, then the labels.
    void SetUp() override {
        const std::pair<int, int> startPositions[] = {{ctl::kHorizontalPositionSpin, 140},
                                                      {ctl::kTimeDivSpin, 4},
                                                      {ctl::kLeftScaleSpin, 5},
                                                      {ctl::kLeftPositionSpin, 18},
                                                      {ctl::kRightScaleSpin, 5},
                                                      {ctl::kRightPositionSpin, 18},
                                                      {ctl::kTriggerLevelSpin, 18},
                                                      {ctl::kCursor1Spin, 0},
                                                      {ctl::kCursor2Spin, 0}};
        for (const auto& [id, position] : startPositions) {
            view.SetSpinPosition(id, position);
            gates.Set(id);
        }
        panel.PushLabels();
    }

    void Move(int spinId, int position) {
        view.SetSpinPosition(spinId, position);
        EXPECT_TRUE(panel.OnSpinChanged(spinId));
    }
};

TEST_F(ScalePanelTest, StartsWithTheDefaultLabels) {
    EXPECT_EQ(view.Text(ctl::kTimeDivLabel), "1ms/d");
    EXPECT_EQ(view.Text(ctl::kLeftScaleLabel), "500mV/d");
    EXPECT_EQ(view.Text(ctl::kRightScaleLabel), "500mV/d");
}

TEST_F(ScalePanelTest, OversamplingChangeKeepsTheTimeDivPosition) {
    osr = 2;
    panel.RederiveTimeDiv();
    EXPECT_EQ(view.SpinPosition(ctl::kTimeDivSpin), 4);
    EXPECT_EQ(view.Text(ctl::kTimeDivLabel), "500us/d");
    EXPECT_EQ(scales.timeSpan, 480);

    osr = 3;  // no list for this pair
    Move(ctl::kTimeDivSpin, 6);
    panel.RederiveTimeDiv();
    EXPECT_EQ(view.Text(ctl::kTimeDivLabel), "500us/d");
    EXPECT_EQ(scales.timeSpan, 480);
}

TEST_F(ScalePanelTest, TimeDivSendsTheWholeRecordToTheEngine) {
    rate = 192000;
    osr = 4;
    scales.phaseRange = "-90 to 90";
    Move(ctl::kTimeDivSpin, 6);
    EXPECT_EQ(view.Text(ctl::kTimeDivLabel), "200us/d");
    EXPECT_EQ(Engine().scales.timeSpan, 1536);
    EXPECT_EQ(Engine().scales, scales);
}

TEST_F(ScalePanelTest, HzDivMovesTheSpinBackToWhatTheRateCanShow) {
    panel.SetMode(PanelMode::Spectrum);
    const struct {
        int32_t rate;
        const char* label;
        int32_t freqSpan;
        int spin;
    } cases[] = {{48000, "2kHz/d", 20000, 4}, {96000, "5kHz/d", 50000, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        rate = c.rate;
        Move(ctl::kTimeDivSpin, 6);
        EXPECT_EQ(view.SpinPosition(ctl::kTimeDivSpin), c.spin);
        EXPECT_EQ(view.Text(ctl::kTimeDivLabel), c.label);
        EXPECT_EQ(Engine().scales.freqSpan, c.freqSpan);
    }
}

TEST_F(ScalePanelTest, DbDivBeyondTwentyMovesTheSpinBack) {
    panel.SetMode(PanelMode::Spectrum);
    Move(ctl::kRightScaleSpin, 7);
    EXPECT_EQ(view.SpinPosition(ctl::kRightScaleSpin), 3);
    EXPECT_EQ(view.Text(ctl::kRightScaleLabel), "20dB/d");
    EXPECT_EQ(Engine().scales.dbBottomR, -240);
    EXPECT_EQ(Engine().scales.dbBottomL, -120);
    EXPECT_EQ(Engine().scales.scaleR, 16384);
}

TEST_F(ScalePanelTest, LissajousCursorStaysInsideTheSquare) {
    panel.SetMode(PanelMode::Lissajous);
    Move(ctl::kCursor1Spin, 20);
    Move(ctl::kCursor2Spin, 150);
    EXPECT_EQ(view.SpinPosition(ctl::kCursor1Spin), 30);
    EXPECT_EQ(view.SpinPosition(ctl::kCursor2Spin), 130);
    EXPECT_EQ(Engine().cursors[4], -150);
    EXPECT_EQ(Engine().cursors[5], 150);
    EXPECT_EQ(Engine().cursors[0], 0);
}

TEST_F(ScalePanelTest, HorizontalPositionByMode) {
    Move(ctl::kHorizontalPositionSpin, 160);
    EXPECT_EQ(Engine().scales.timeOffset, -60);

    panel.SetMode(PanelMode::Spectrum);
    Move(ctl::kHorizontalPositionSpin, 160);
    EXPECT_EQ(view.SpinPosition(ctl::kHorizontalPositionSpin), 140);
    EXPECT_EQ(Engine().scales.freqOffset, 0);
    Move(ctl::kHorizontalPositionSpin, 100);
    EXPECT_EQ(Engine().scales.freqOffset, 120);
    EXPECT_EQ(Engine().scales.timeOffset, -60);
}

TEST_F(ScalePanelTest, TriggerLevelFollowsTheLeftScaleOnlyWhenMoved) {
    Move(ctl::kTriggerLevelSpin, 36);
    EXPECT_EQ(Engine().triggerLevel, 16380);
    Move(ctl::kLeftScaleSpin, 9);
    EXPECT_EQ(Engine().triggerLevel, 16380);
    Move(ctl::kTriggerLevelSpin, 17);
    EXPECT_EQ(Engine().triggerLevel, -18204);
}

TEST_F(ScalePanelTest, CursorShownOnceMovedOffZero) {
    Move(ctl::kCursor1Spin, 0);
    EXPECT_FALSE(Engine().cursorShown[0]);
    Move(ctl::kCursor1Spin, 5);
    EXPECT_EQ(Engine().cursors[0], 15);
    Move(ctl::kCursor1Spin, 0);
    EXPECT_TRUE(Engine().cursorShown[0]);
    EXPECT_EQ(Engine().cursors[0], 0);
    EXPECT_FALSE(Engine().cursorShown[1]);
}

TEST_F(ScalePanelTest, ModesThatDoNotServeASpinChangeNothing) {
    panel.SetMode(PanelMode::Network);
    for (int spin : {ctl::kRightScaleSpin, ctl::kTimeDivSpin, ctl::kLeftPositionSpin,
                     ctl::kHorizontalPositionSpin, ctl::kCursor2Spin})
        Move(spin, 2);
    panel.SetMode(PanelMode::Spectrum);
    panel.SetAxis(FrequencyAxis::Linear);
    for (int spin : {ctl::kLeftScaleSpin, ctl::kHorizontalPositionSpin, ctl::kCursor1Spin})
        Move(spin, 0);
    EXPECT_EQ(scales, DisplayScales{});
    EXPECT_EQ(Engine().scales, DisplayScales{});
    EXPECT_EQ(Engine().cursors, (std::array<int32_t, kEngineCursorCount>{}));
    EXPECT_EQ(view.Text(ctl::kRightScaleLabel), "500mV/d");
    EXPECT_EQ(view.Text(ctl::kTimeDivLabel), "1ms/d");
}

TEST_F(ScalePanelTest, ClosedGatesIgnoreEverySpin) {
    InitGates closed;
    ScalePanel early{view, {scales, cursorX, osr, rate, closed, engine}};
    for (int spin : {ctl::kTimeDivSpin, ctl::kLeftScaleSpin, ctl::kTriggerLevelSpin,
                     ctl::kLeftPositionSpin, ctl::kCursor1Spin, ctl::kHorizontalPositionSpin}) {
        view.SetSpinPosition(spin, 1);
        EXPECT_TRUE(early.OnSpinChanged(spin));
    }
    EXPECT_EQ(scales, DisplayScales{});
    EXPECT_EQ(Engine().triggerLevel, 0);
    EXPECT_EQ(Engine().cursors[0], 0);
    EXPECT_EQ(view.Text(ctl::kLeftScaleLabel), "500mV/d");
}

TEST_F(ScalePanelTest, OtherSpinsAreLeftToTheirOwnHandlers) {
    EXPECT_FALSE(panel.OnSpinChanged(ctl::kVolumeSpin));
}

TEST_F(ScalePanelTest, WithoutAnEngineTheMasterCopyStillChanges) {
    engine.reset();
    Move(ctl::kLeftScaleSpin, 0);
    Move(ctl::kTriggerLevelSpin, 0);
    Move(ctl::kCursor2Spin, 3);
    EXPECT_EQ(scales.scaleL, 327);
    EXPECT_EQ(view.Text(ctl::kLeftScaleLabel), "10mV/d");
    EXPECT_EQ(cursorX[1], 9);
}

TEST_F(ScalePanelTest, EachModeComesBackWithTheSpinsItWasLeftWith) {
    const std::array<int, 8> spins = {ctl::kTimeDivSpin,       ctl::kLeftScaleSpin,
                                      ctl::kRightScaleSpin,    ctl::kLeftPositionSpin,
                                      ctl::kRightPositionSpin, ctl::kCursor1Spin,
                                      ctl::kCursor2Spin,       ctl::kHorizontalPositionSpin};
    const std::array<int, 8> scope = {6, 0, 9, 36, 0, 160, 7, 0};
    const std::array<int, 8> spectrum = {1, 0, 2, 3, 33, 12, 150, 140};
    // Lissajous shares the oscilloscope's scales and keeps cursors of its own.
    const std::array<int, 8> lissajous = {6, 0, 9, 36, 0, 35, 125, 0};
    panel.SetMode(PanelMode::Wave);
    for (size_t i = 0; i < spins.size(); ++i) Move(spins[i], scope[i]);
    panel.SetMode(PanelMode::Spectrum);
    for (size_t i = 0; i < spins.size(); ++i) Move(spins[i], spectrum[i]);
    panel.SetMode(PanelMode::Lissajous);
    Move(ctl::kCursor1Spin, 35);
    Move(ctl::kCursor2Spin, 125);

    for (const auto& [entered, positions] :
         {std::pair{PanelMode::Wave, scope}, std::pair{PanelMode::Spectrum, spectrum},
          std::pair{PanelMode::Lissajous, lissajous}}) {
        SCOPED_TRACE(static_cast<int>(entered));
        panel.SetMode(entered);
        panel.RestoreSpinsForMode();
        for (size_t i = 0; i < spins.size(); ++i)
            EXPECT_EQ(view.SpinPosition(spins[i]), positions[i]) << spins[i];
    }
    EXPECT_EQ(view.Text(ctl::kLeftScaleLabel), "10mV/d");
    EXPECT_EQ(view.Text(ctl::kTimeDivLabel), "4ms/d");
}

TEST_F(ScalePanelTest, StoredValuesOnNoRowLeaveTheirSpinAndLabel) {
    scales.scaleL = 12345;
    scales.timeSpan = 500;
    scales.scaleR = 65536;
    panel.RestoreSpinsForMode();
    EXPECT_EQ(view.SpinPosition(ctl::kLeftScaleSpin), 5);
    EXPECT_EQ(view.Text(ctl::kLeftScaleLabel), "500mV/d");
    EXPECT_EQ(view.SpinPosition(ctl::kTimeDivSpin), 4);
    EXPECT_EQ(view.SpinPosition(ctl::kRightScaleSpin), 7);
    EXPECT_EQ(view.Text(ctl::kRightScaleLabel), "2V/d");
}

}  // namespace
}  // namespace velmora2
