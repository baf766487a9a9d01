// The main window on the simulated bench, for the window tests: a fresh program directory with
// the settings file a test asks for, the fake view and services, and the window started on them.
// The window is closed, and the directory removed, when the bench goes.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/CTarvikDlg.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "settings/SettingsFile.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/TempDirectory.h"

namespace velmora2::testing {

class MainWindowBench : public ::testing::Test {
protected:
    ~MainWindowBench() override {
        if (window) window->OnClose();
    }

    // Writes `settings` as the program directory's settings file, then starts the window on a
    // bench with these options; its engine must run.
    void Start(const SettingsRecord& settings = {}, SimBenchOptions benchOptions = {}) {
        ASSERT_EQ(SaveSettingsFile(directory.Path(), settings), SettingsSave::Saved);
        bench = std::make_unique<SimBench>(benchOptions);
        window = std::make_unique<CTarvikDlg>(*bench, clientArea, view, services, directory.Path());
        window->OnInitDialog();
        ASSERT_NE(window->MainEngine(), nullptr);
    }

    TempDirectory directory;
    std::unique_ptr<SimBench> bench = std::make_unique<SimBench>();
    DrawCallLogTarget clientArea;
    FakeDialogView view;
    FakeDialogServices services;
    std::unique_ptr<CTarvikDlg> window;
};

}  // namespace velmora2::testing
