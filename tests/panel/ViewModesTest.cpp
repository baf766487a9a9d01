// The one table of the view modes: every radio button and the engine mode it shows lead to the
// same row, and each row saves the data its picture shows. (The buttons' effects are the window's
// mode tests.)
#include <gtest/gtest.h>

#include <string>

#include "panel/ControlIds.h"
#include "panel/ViewModes.h"

namespace velmora2 {
namespace {

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

TEST(ViewModes, EachButtonAndEngineModeFindsItsRowAndEachRowSavesWhatItShows) {
    ModeData shown;
    shown.left = {16384.0, 0.0};
    shown.right = {0.0, 16384.0};
    shown.fftSize = 4;
    SweepResults measured;
    measured.table = BuildSweepTable(11, 48000);
    measured.measured[0] = true;
    const struct {
        int button;
        int32_t engineMode;
        const char* header;
    } cases[] = {
        {ctl::kModeScope, kModeScope, "time_s,left_V,right_V"},
        {ctl::kModeSpectrum, kModeSpectrum, "frequency_Hz,level_dB_L,level_dB_R"},
        {ctl::kModeLissajous, kModeLissajous, "left_V,right_V"},
        {ctl::kModeNetwork, kModeNetworkPlot,
         "frequency_Hz,gain_dB,phase_deg,phase_delay_us,group_delay_us"},
    };
    ASSERT_EQ(ViewModes().size(), std::size(cases));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        const ViewMode* row = ViewModeOfButton(c.button);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row, ViewModeOfEngineMode(c.engineMode));
        EXPECT_EQ(FirstLine(row->data(shown, measured)), c.header);
    }
    // The network plot shows no samples: before any sweep there is nothing to save.
    EXPECT_EQ(ViewModeOfEngineMode(kModeNetworkPlot)->data(shown, SweepResults{}), "");
    EXPECT_EQ(ViewModeOfButton(ctl::kHoldRun), nullptr);
    EXPECT_EQ(ViewModeOfEngineMode(7), nullptr);
}

}  // namespace
}  // namespace velmora2
