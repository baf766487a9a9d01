// The mode buttons clicked on the main window running on the stepped bench: the engine follows,
// and entering the FFT analyzer starts the average again from the next block.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/CTarvikDlg.h"
#include "display/DrawCallLog.h"
#include "panel/ControlIds.h"
#include "settings/SettingsFile.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/MainWindowBench.h"

namespace velmora2 {
namespace {

class ModeSwitch : public testing::MainWindowBench {
protected:
    void Deliver(int blocks) {
        ASSERT_TRUE(testing::DeliverBlocks(*bench, *window->MainEngine(), blocks));
    }
    // The averaging notices of the pictures shown so far, oldest first.
    std::vector<std::string> AveragingNotices() const {
        std::vector<std::string> notices;
        for (const auto& copy : clientArea.Copies())
            for (const DrawCall& call : copy.calls)
                if (call.kind == DrawCall::Kind::Text &&
                    call.text.find("Taking Average") != std::string::npos)
                    notices.push_back(call.text);
        return notices;
    }
};

TEST_F(ModeSwitch, EveryModeButtonIsRoutedAndTheEngineFollows) {
    Start(SettingsRecord{});
    struct Case {
        int button;
        int32_t engineMode;
    };
    for (const Case c :
         {Case{ctl::kModeSpectrum, kModeSpectrum}, Case{ctl::kModeLissajous, kModeLissajous},
          Case{ctl::kModeScope, kModeScope}}) {
        window->OnCommand(c.button);
        EXPECT_EQ(window->MainEngine()->Settings().mode, c.engineMode) << c.button;
        EXPECT_TRUE(view.IsChecked(c.button)) << c.button;
    }
}

TEST_F(ModeSwitch, HiddenAxisButtonsReachTheEngine) {
    Start(SettingsRecord{});
    window->OnCommand(ctl::kLinear);
    EXPECT_FALSE(window->MainEngine()->Settings().logAxis);
    window->OnCommand(ctl::kLog);
    EXPECT_TRUE(window->MainEngine()->Settings().logAxis);
    window->OnCommand(ctl::kMenu);  // does nothing
    EXPECT_TRUE(window->MainEngine()->Settings().logAxis);
}

TEST_F(ModeSwitch, EnteringTheAnalyzerRestartsTheAverageAtTheNextBlock) {
    SettingsRecord settings;
    settings.aveenb = true;
    settings.maxaven = 50;
    Start(settings);
    window->OnCommand(ctl::kModeSpectrum);
    Deliver(6);
    window->OnCommand(ctl::kModeScope);
    Deliver(1);
    window->OnCommand(ctl::kModeSpectrum);
    Deliver(3);
    // Each copy shows the previous block's picture; the count shown is the one after the
    // block's averaging step.
    const std::vector<std::string> expected = {
        "2  Taking Average. Wait for a while...", "3  Taking Average. Wait for a while...",
        "4  Taking Average. Wait for a while...", "5  Taking Average. Wait for a while...",
        "6  Taking Average. Wait for a while...", "7  Taking Average. Wait for a while...",
        "2  Taking Average. Wait for a while...", "3  Taking Average. Wait for a while..."};
    EXPECT_EQ(AveragingNotices(), expected);
}

}  // namespace
}  // namespace velmora2
