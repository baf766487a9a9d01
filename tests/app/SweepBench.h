// The main window on the stepped simulated bench with the tone files of one sweep beside the
// program, and timer 1 driven by hand: each tick follows the blocks its period lets through.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "analysis/SweepTable.h"
#include "engine/ToneFile.h"
#include "platform/GeneratorFileNames.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/MainWindowBench.h"

namespace velmora2::testing {

class SweepBench : public MainWindowBench {
protected:
    // Writes every tone file of the sweep (and the user's own generator file), then starts the
    // window with these settings.
    void Start(const SettingsRecord& settings) {
        const SweepTable table = BuildSweepTable(settings.wavn, settings.fsample);
        for (int i = 0; i < table.count; ++i)
            ASSERT_TRUE(
                WriteToneFile(directory / SweepFile(settings, i), Hz(table, i), settings.fsample));
        ASSERT_TRUE(WriteToneFile(directory / kDefaultToneFile, 1000, settings.fsample));
        MainWindowBench::Start(settings);
        ASSERT_EQ(window->Settings().activeSampleRate, settings.fsample);
    }

    static int Hz(const SweepTable& table, int index) {
        return static_cast<int>(std::lround(table.frequency[index]));
    }
    static std::string SweepFile(const SettingsRecord& settings, int index) {
        return ToneFileName(Hz(BuildSweepTable(settings.wavn, settings.fsample), index),
                            settings.fsample);
    }

    // The blocks that arrive while timer 1 runs its current period, then the tick itself.
    void Tick() {
        const std::optional<int> period = services.TimerPeriod(CTarvikDlg::kTimer1);
        ASSERT_TRUE(period.has_value()) << "timer 1 is not running";
        ASSERT_TRUE(DeliverPeriod(*bench, *window->MainEngine(), *period));
        window->OnTimer(CTarvikDlg::kTimer1);
    }

    // Ticks until timer 1 stops; returns the number of ticks (at most `limit`).
    int TickUntilStopped(int limit = 60) {
        int ticks = 0;
        while (services.TimerPeriod(CTarvikDlg::kTimer1) && ticks < limit) {
            Tick();
            ++ticks;
            if (::testing::Test::HasFatalFailure()) break;
        }
        return ticks;
    }

    int MeasuredCount() const {
        const SweepResults results = window->MainEngine()->Sweep();
        int count = 0;
        for (int i = 0; i < results.table.count; ++i) count += results.measured[i] ? 1 : 0;
        return count;
    }
};

}  // namespace velmora2::testing
