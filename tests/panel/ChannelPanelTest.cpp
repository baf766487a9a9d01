// The trigger source radios and the display-on check boxes as the user clicks them: what the
// engine is told, which spins are usable, and the trigger that follows a channel switched off.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "panel/ChannelPanel.h"
#include "panel/ControlIds.h"
#include "tests/panel/PanelBench.h"

namespace velmora2 {
namespace {

class ChannelPanelTest : public ::testing::Test, protected testing::PanelBench {
protected:
    // Runs one click by control id, as the main window routes it.
    void Click(int id) {
        switch (id) {
            case ctl::kTriggerOff:
                return panel.OnTriggerOff();
            case ctl::kTriggerLeft:
                return panel.OnTriggerLeft();
            case ctl::kTriggerRight:
                return panel.OnTriggerRight();
            case ctl::kLeftOn:
                return panel.OnDisplayOn(0);
            case ctl::kRightOn:
                return panel.OnDisplayOn(1);
        }
        FAIL() << "no such control " << id;
    }
    OutputSwitches outputs{view, engine};
    ChannelPanel panel{view, {outputs, engine}};
};

struct TriggerCase {
    const char* description;
    std::vector<int> clicks;
    int source;
    bool levelSpinEnabled;
    bool leftShown;
    bool rightShown;
};

TEST_F(ChannelPanelTest, TriggerFollowsTheRadiosAndTheChannelsLeftOn) {
    const TriggerCase cases[] = {
        {"left source", {ctl::kTriggerLeft}, kTriggerSourceLeft, true, true, true},
        {"right source", {ctl::kTriggerRight}, kTriggerSourceRight, true, true, true},
        {"off again", {ctl::kTriggerLeft, ctl::kTriggerOff}, kTriggerSourceOff, false, true, true},
        {"left display off while triggering left",
         {ctl::kTriggerLeft, ctl::kLeftOn},
         kTriggerSourceOff,
         false,
         false,
         true},
        {"left display off while triggering right",
         {ctl::kTriggerRight, ctl::kLeftOn},
         kTriggerSourceRight,
         true,
         false,
         true},
        {"right display off while triggering right",
         {ctl::kTriggerRight, ctl::kRightOn},
         kTriggerSourceOff,
         false,
         true,
         false},
        {"left display off and on again keeps the trigger off",
         {ctl::kTriggerLeft, ctl::kLeftOn, ctl::kLeftOn},
         kTriggerSourceOff,
         false,
         true,
         true},
        {"a source picked while its trace is off stays",
         {ctl::kLeftOn, ctl::kTriggerLeft},
         kTriggerSourceLeft,
         true,
         false,
         true},
    };
    for (const TriggerCase& c : cases) {
        SCOPED_TRACE(c.description);
        outputs.ShowTrace(0, true);
        outputs.ShowTrace(1, true);
        panel.OnTriggerOff();
        for (int id : c.clicks) Click(id);

        EXPECT_EQ(panel.TriggerSource(), c.source);
        EXPECT_EQ(view.IsChecked(ctl::kTriggerOff), c.source == kTriggerSourceOff);
        EXPECT_EQ(view.IsChecked(ctl::kTriggerLeft), c.source == kTriggerSourceLeft);
        EXPECT_EQ(view.IsChecked(ctl::kTriggerRight), c.source == kTriggerSourceRight);
        EXPECT_EQ(view.IsEnabled(ctl::kTriggerLevelSpin), c.levelSpinEnabled);
        EXPECT_EQ(Engine().triggerEnabled, c.source != kTriggerSourceOff);
        if (c.source != kTriggerSourceOff) {
            EXPECT_EQ(Engine().triggerSourceLeft, c.source == kTriggerSourceLeft);
        }

        EXPECT_EQ(view.IsChecked(ctl::kLeftOn), c.leftShown);
        EXPECT_EQ(view.IsChecked(ctl::kRightOn), c.rightShown);
        EXPECT_EQ(Engine().leftShown, c.leftShown);
        EXPECT_EQ(Engine().rightShown, c.rightShown);
    }
}

TEST_F(ChannelPanelTest, ChannelSpinsAreUsableOnlyWhileTheTraceIsOn) {
    Click(ctl::kRightOn);
    EXPECT_FALSE(view.IsEnabled(ctl::kRightScaleSpin));
    EXPECT_FALSE(view.IsEnabled(ctl::kRightPositionSpin));
    EXPECT_TRUE(view.IsEnabled(ctl::kLeftScaleSpin));
    EXPECT_TRUE(view.IsEnabled(ctl::kLeftPositionSpin));
    Click(ctl::kRightOn);
    EXPECT_TRUE(view.IsEnabled(ctl::kRightScaleSpin));
    EXPECT_TRUE(view.IsEnabled(ctl::kRightPositionSpin));
}

TEST_F(ChannelPanelTest, TraceSwitchKeepsTheGeneratorAsItIs) {
    outputs.ShowGenerator(true);
    Click(ctl::kLeftOn);
    EXPECT_TRUE(Engine().generatorOn);
    outputs.ShowGenerator(false);
    Click(ctl::kLeftOn);
    EXPECT_FALSE(Engine().generatorOn);
}

}  // namespace
}  // namespace velmora2
