// The sound device stops while the program records: the recording is a complete file, the main
// window says so once and goes on without an engine, every front-panel control stays harmless,
// Options still opens, and closing the window still works.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/CTarvikDlg.h"
#include "app/Messages.h"
#include "audio/sim/SimBench.h"
#include "dialogs/CDlgOption.h"
#include "display/DrawCallLog.h"
#include "panel/ControlIds.h"
#include "settings/SettingsFile.h"
#include "tests/support/FakeDialog.h"
#include "wav/WavReader.h"

namespace velmora2 {
namespace {

using namespace std::chrono_literals;
using testing::FakeDialogServices;
using testing::FakeDialogView;

class DeviceLostWindow : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/velmora2-lost-XXXXXX";
        dir_ = mkdtemp(pattern);
        ASSERT_EQ(SaveSettingsFile(dir_, SettingsRecord{}), SettingsSave::Saved);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Runs what the engine's worker posts to the user interface, until something ran (a safety
    // limit, not a timing check).
    bool RunPostedFromTheWorker() {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (services_.RunPosted() == 0) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }

    std::filesystem::path dir_;
    SimBench bench_;
    DrawCallLogTarget clientArea_;
    FakeDialogView view_;
    FakeDialogServices services_;
};

TEST_F(DeviceLostWindow, ShowsTheMessageOnceAndStaysUsable) {
    CTarvikDlg window(bench_, clientArea_, view_, services_, dir_);
    ASSERT_TRUE(window.OnInitDialog());
    ASSERT_NE(window.MainEngine(), nullptr);
    window.OnCommand(ctl::kRecord);
    ASSERT_TRUE(window.MainEngine()->Recording().open);
    ASSERT_TRUE(services_.TimerPeriod(CTarvikDlg::kTimer1).has_value());
    ASSERT_EQ(bench_.Step(4), 4);
    const size_t messagesBefore = services_.Messages().size();

    bench_.LoseDevice();
    ASSERT_TRUE(RunPostedFromTheWorker());

    // The recording holds the four blocks captured before the loss, as a complete file.
    const WavContents recording = ReadWavFile(dir_ / "RECORD00.wav");
    EXPECT_EQ(recording.fault, WavFault::None);
    EXPECT_EQ(recording.data.size(), 4u * kBlockBytes);
    EXPECT_TRUE(view_.IsEnabled(ctl::kRecord));
    EXPECT_FALSE(view_.IsEnabled(ctl::kStopRecord));
    EXPECT_FALSE(services_.TimerPeriod(CTarvikDlg::kTimer1).has_value());

    ASSERT_EQ(services_.Messages().size(), messagesBefore + 1);
    const testing::RecordedMessage& message = services_.Messages().back();
    EXPECT_EQ(message.text, msg::kSoundDeviceStopped);
    EXPECT_EQ(message.icon, MessageIcon::Stop);
    EXPECT_EQ(window.MainEngine(), nullptr);
    EXPECT_FALSE(services_.EndResult().has_value());  // the window stays open

    // Every control that would reach the engine is harmless without one.
    for (const int id : {ctl::kHoldRun, ctl::kLeftOn, ctl::kRightOn, ctl::kGeneratorOn,
                         ctl::kTriggerLeft, ctl::kTriggerOff, ctl::kModeSpectrum, ctl::kModeScope})
        window.OnCommand(id);
    for (const int id : {ctl::kTimeDivSpin, ctl::kLeftScaleSpin, ctl::kTriggerLevelSpin,
                         ctl::kCursor1Spin, ctl::kVolumeSpin})
        window.OnSpinChanged(id);
    EXPECT_EQ(services_.RunPosted(), 0);
    EXPECT_EQ(services_.Messages().size(), messagesBefore + 1);

    // Options still opens (and is cancelled here).
    const size_t dialogsBefore = services_.ModalRuns().size();
    window.OnCommand(ctl::kOptions);
    ASSERT_GT(services_.ModalRuns().size(), dialogsBefore);
    EXPECT_EQ(services_.ModalRuns().back().templateId, CDlgOption::kTemplateId);

    window.OnClose();
}

TEST_F(DeviceLostWindow, AReportThatArrivesAfterTheCloseIsIgnored) {
    CTarvikDlg window(bench_, clientArea_, view_, services_, dir_);
    ASSERT_TRUE(window.OnInitDialog());
    const size_t messages = services_.Messages().size();
    bench_.LoseDevice();
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!window.MainEngine()->DeviceLost() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(window.MainEngine()->DeviceLost());

    window.OnClose();  // the user closes the window before the report is handled
    EXPECT_TRUE(RunPostedFromTheWorker());
    EXPECT_EQ(services_.Messages().size(), messages);
}

}  // namespace
}  // namespace velmora2
