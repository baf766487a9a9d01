// The one table of the view modes: every radio button leads to its row and its handler, the
// engine's modes to the row whose picture they draw, and each row saves the data its picture
// shows.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "panel/ControlIds.h"
#include "panel/ModePanel.h"
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
        PanelMode keyword;
        int32_t engineMode;
        void (ModePanel::*enter)();
        const char* header;
    } cases[] = {
        {ctl::kModeScope, PanelMode::Wave, kModeScope, &ModePanel::OnScope,
         "time_s,left_V,right_V"},
        {ctl::kModeSpectrum, PanelMode::Spectrum, kModeSpectrum, &ModePanel::OnSpectrum,
         "frequency_Hz,level_dB_L,level_dB_R"},
        {ctl::kModeLissajous, PanelMode::Lissajous, kModeLissajous, &ModePanel::OnLissajous,
         "left_V,right_V"},
        {ctl::kModeNetwork, PanelMode::Network, kModeNetworkPlot, &ModePanel::OnNetwork,
         "frequency_Hz,gain_dB,phase_deg,phase_delay_us,group_delay_us"},
    };
    ASSERT_EQ(ViewModes().size(), std::size(cases));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        const ViewMode* row = ViewModeOfButton(c.button);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row, ViewModeOfEngineMode(c.engineMode));
        EXPECT_EQ(row->keyword, c.keyword);
        EXPECT_TRUE(row->enter == c.enter);
        EXPECT_EQ(FirstLine(row->data(shown, measured)), c.header);
    }
    // The network plot shows no samples: before any sweep there is nothing to save.
    EXPECT_EQ(ViewModeOfEngineMode(kModeNetworkPlot)->data(shown, SweepResults{}), "");
    EXPECT_EQ(ViewModeOfButton(ctl::kHoldRun), nullptr);
    EXPECT_EQ(ViewModeOfEngineMode(7), nullptr);
}

}  // namespace
}  // namespace velmora2
