// Timer 1 stepping a network sweep on the main window: one tone file per tick, the end of the
// sweep giving the panel and the engine back, and a sweep file that is missing or unplayable
// ending the sweep at the next tick with the points measured so far kept.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "dialogs/CDlgWarnWav.h"
#include "panel/ControlIds.h"
#include "panel/PanelMessages.h"
#include "tests/app/SweepBench.h"

namespace velmora2 {
namespace {

constexpr int kModeButtons[] = {ctl::kModeScope, ctl::kModeSpectrum, ctl::kModeLissajous,
                                ctl::kModeNetwork};

class NetworkSweep : public testing::SweepBench {
protected:
    std::vector<std::string> WarnedFiles() const {
        std::vector<std::string> names;
        for (const auto& run : services.ModalRuns())
            if (run.templateId == CDlgWarnWav::kTemplateId)
                names.push_back(run.view->Text(CDlgWarnWav::kFileNameText));
        return names;
    }
    bool ModeButtonsEnabled(bool enabled) const {
        for (const int id : kModeButtons)
            if (view.IsEnabled(id) != enabled) return false;
        return true;
    }
    // Starts the window with a sweep of `points` points and presses the network button.
    void StartSweep(int points) {
        settings.wavn = points;
        ASSERT_NO_FATAL_FAILURE(Start(settings));
        window->OnCommand(ctl::kModeNetwork);
    }

    SettingsRecord settings;
};

// What happens to the tone file of point 5 of an 18-point sweep at 48000 Hz.
enum class Fault { None, Missing, Unreadable, UnplayableRate };

struct FaultCase {
    const char* description;
    Fault fault;
    int ticks;     // ticks until timer 1 stops
    int measured;  // points measured and kept
    bool warned;   // CDlgWarnWav named the file
    bool rateMessage;
    bool faultMessage;  // a message named the file and what is wrong with it
};

class SweepFileFault : public NetworkSweep, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SweepFileFault, EndsTheSweepAtTheNextTickKeepingThePointsMeasured) {
    const FaultCase& c = GetParam();
    settings.wavn = 18;
    Start(settings);
    const std::string name = SweepFile(settings, 5);
    if (c.fault == Fault::Missing) std::filesystem::remove(directory / name);
    if (c.fault == Fault::Unreadable) std::ofstream(directory / name) << "RIFF";
    if (c.fault == Fault::UnplayableRate) {
        ASSERT_TRUE(WriteToneFile(directory / name, 300, 384000));
    }

    window->OnCommand(ctl::kModeNetwork);
    EXPECT_EQ(services.TimerPeriod(CTarvikDlg::kTimer1), 10);
    EXPECT_EQ(TickUntilStopped(), c.ticks);
    EXPECT_EQ(MeasuredCount(), c.measured);
    EXPECT_EQ(WarnedFiles(),
              c.warned ? std::vector<std::string>{name} : std::vector<std::string>{});
    char rateText[256];
    std::snprintf(rateText, sizeof rateText, msg::kUnsupportedGeneratorRate, 384000);
    const bool rateShown =
        !services.Messages().empty() && services.Messages().back().text == std::string(rateText);
    EXPECT_EQ(rateShown, c.rateMessage);
    const bool faultShown =
        !services.Messages().empty() &&
        services.Messages().back().text == name + " cannot be played: it is not a RIFF/WAVE file.";
    EXPECT_EQ(faultShown, c.faultMessage);
    EXPECT_EQ(window->MainEngine()->Settings().mode, kModeNetworkPlot);
    EXPECT_TRUE(ModeButtonsEnabled(true));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SweepFileFault,
    ::testing::Values(FaultCase{"every file present: 18 points, 19 ticks", Fault::None, 19, 18,
                                false, false, false},
                      FaultCase{"missing file: points 0-4 kept, warned", Fault::Missing, 7, 5, true,
                                false, false},
                      FaultCase{"found but not a WAV file: ends with what is wrong with it",
                                Fault::Unreadable, 7, 5, false, false, true},
                      FaultCase{"a rate the output cannot play: the rate message",
                                Fault::UnplayableRate, 7, 5, false, true, false}),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(NetworkSweep, EndOfSweepGivesTheEngineBackItsUserState) {
    StartSweep(11);
    EXPECT_TRUE(ModeButtonsEnabled(false));

    // Mid-sweep: the point's file plays, the peak search is on, every block is a record and
    // the buttons stay disabled.
    for (int tick = 0; tick < 3; ++tick) Tick();
    const uint64_t records = window->MainEngine()->RecordsAnalysed();
    Tick();
    EXPECT_EQ(window->MainEngine()->RecordsAnalysed() - records, 12u);
    RuntimeState mid = window->MainEngine()->Settings();
    EXPECT_EQ(mid.generatorFile, SweepFile(settings, 3));
    EXPECT_TRUE(mid.peakSearch);
    EXPECT_EQ(mid.mode, kModeSpectrum);
    EXPECT_EQ(services.TimerPeriod(CTarvikDlg::kTimer1), 500);
    EXPECT_TRUE(ModeButtonsEnabled(false));

    EXPECT_EQ(TickUntilStopped(), 8);
    const RuntimeState end = window->MainEngine()->Settings();
    EXPECT_FALSE(end.peakSearch);
    EXPECT_EQ(end.generatorFile, kDefaultToneFile);
    EXPECT_TRUE(end.generatorOn);
    EXPECT_EQ(end.generatorVolume, -600);
    EXPECT_EQ(end.mode, kModeNetworkPlot);
    EXPECT_TRUE(ModeButtonsEnabled(true));
    // Only the mode buttons come back; the rest waits for a mode button.
    EXPECT_FALSE(view.IsEnabled(ctl::kTriggerOff));
    EXPECT_TRUE(WarnedFiles().empty());
}

TEST_F(NetworkSweep, MissingUserToneAtTheEndIsWarnedAndTheLastToneStays) {
    settings.playwav = "mytone.wav";  // never written
    StartSweep(11);
    EXPECT_EQ(TickUntilStopped(), 12);
    EXPECT_EQ(WarnedFiles(), std::vector<std::string>{"mytone.wav"});
    EXPECT_EQ(window->MainEngine()->Settings().generatorFile, SweepFile(settings, 10));
    EXPECT_EQ(MeasuredCount(), 11);
}

TEST_F(NetworkSweep, NetworkButtonAfterASweepStartsANewOneFromTheFirstPoint) {
    StartSweep(11);
    ASSERT_EQ(TickUntilStopped(), 12);
    ASSERT_EQ(MeasuredCount(), 11);

    window->OnCommand(ctl::kModeNetwork);
    EXPECT_EQ(services.TimerPeriod(CTarvikDlg::kTimer1), 10);
    EXPECT_TRUE(ModeButtonsEnabled(false));
    Tick();
    // The old results went with the first block of the new sweep.
    EXPECT_EQ(MeasuredCount(), 0);
    EXPECT_EQ(window->MainEngine()->Settings().generatorFile, SweepFile(settings, 0));
    EXPECT_EQ(TickUntilStopped(), 11);
    EXPECT_EQ(MeasuredCount(), 11);
}

TEST_F(NetworkSweep, HiddenStartButtonRestartsTheSweepFromTheFirstPoint) {
    StartSweep(11);
    for (int tick = 0; tick < 5; ++tick) Tick();
    window->OnCommand(ctl::kNetworkStartStop);
    EXPECT_EQ(services.TimerPeriod(CTarvikDlg::kTimer1), 10);
    Tick();
    EXPECT_EQ(window->MainEngine()->Settings().generatorFile, SweepFile(settings, 0));
    EXPECT_EQ(TickUntilStopped(), 11);
}

TEST_F(NetworkSweep, ModeButtonDuringASweepStopsIt) {
    StartSweep(11);
    for (int tick = 0; tick < 3; ++tick) Tick();
    window->OnCommand(ctl::kModeScope);
    EXPECT_FALSE(services.TimerPeriod(CTarvikDlg::kTimer1).has_value());
    EXPECT_EQ(window->MainEngine()->Settings().mode, kModeScope);
}

}  // namespace
}  // namespace velmora2
