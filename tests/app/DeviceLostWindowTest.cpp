// The sound device stops while the program records: the recording is a complete file, the main
// window says so once and goes on without an engine, every front-panel control stays harmless,
// Options still opens, and closing the window still works.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/Messages.h"
#include "dialogs/CDlgOption.h"
#include "dialogs/DeviceMessages.h"
#include "panel/ControlIds.h"
#include "tests/support/MainWindowBench.h"
#include "tests/support/ScriptedSoundSystem.h"
#include "wav/WavReader.h"

namespace velmora2 {
namespace {

using namespace std::chrono_literals;

class DeviceLostWindow : public testing::MainWindowBench {
protected:
    // Runs what the engine's worker posts to the user interface, until something ran (a safety
    // limit, not a timing check).
    bool RunPostedFromTheWorker() {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (services.RunPosted() == 0) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }
};

TEST_F(DeviceLostWindow, ShowsTheMessageOnceAndStaysUsable) {
    Start();
    window->OnCommand(ctl::kRecord);
    ASSERT_TRUE(window->MainEngine()->Recording().open);
    ASSERT_TRUE(services.TimerPeriod(CTarvikDlg::kTimer1).has_value());
    ASSERT_EQ(bench->Step(4), 4);
    const size_t messagesBefore = services.Messages().size();

    bench->LoseDevice();
    ASSERT_TRUE(RunPostedFromTheWorker());

    // The recording holds the four blocks captured before the loss, as a complete file.
    const WavContents recording = ReadWavFile(directory / "RECORD00.wav");
    EXPECT_EQ(recording.fault, WavFault::None);
    EXPECT_EQ(recording.data.size(), 4u * kBlockBytes);
    EXPECT_TRUE(view.IsEnabled(ctl::kRecord));
    EXPECT_FALSE(view.IsEnabled(ctl::kStopRecord));
    EXPECT_FALSE(services.TimerPeriod(CTarvikDlg::kTimer1).has_value());

    ASSERT_EQ(services.Messages().size(), messagesBefore + 1);
    const testing::RecordedMessage& message = services.Messages().back();
    EXPECT_EQ(message.text, msg::kSoundDeviceStopped);
    EXPECT_EQ(message.icon, MessageIcon::Stop);
    EXPECT_EQ(window->MainEngine(), nullptr);
    EXPECT_FALSE(services.EndResult().has_value());  // the window stays open

    // Every control that would reach the engine is harmless without one.
    for (const int id : {ctl::kHoldRun, ctl::kLeftOn, ctl::kRightOn, ctl::kGeneratorOn,
                         ctl::kTriggerLeft, ctl::kTriggerOff, ctl::kModeSpectrum, ctl::kModeScope})
        window->OnCommand(id);
    for (const int id : {ctl::kTimeDivSpin, ctl::kLeftScaleSpin, ctl::kTriggerLevelSpin,
                         ctl::kCursor1Spin, ctl::kVolumeSpin})
        window->OnSpinChanged(id);
    EXPECT_EQ(services.RunPosted(), 0);
    EXPECT_EQ(services.Messages().size(), messagesBefore + 1);

    // Options still opens (and is cancelled here).
    const size_t dialogsBefore = services.ModalRuns().size();
    window->OnCommand(ctl::kOptions);
    ASSERT_GT(services.ModalRuns().size(), dialogsBefore);
    EXPECT_EQ(services.ModalRuns().back().templateId, CDlgOption::kTemplateId);

    window->OnClose();
}

TEST_F(DeviceLostWindow, AReportThatArrivesAfterTheCloseIsIgnored) {
    Start();
    const size_t messages = services.Messages().size();
    bench->LoseDevice();
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!window->MainEngine()->DeviceLost() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(window->MainEngine()->DeviceLost());

    window->OnClose();  // the user closes the window before the report is handled
    EXPECT_TRUE(RunPostedFromTheWorker());
    EXPECT_EQ(services.Messages().size(), messages);
}

// After the sound server is gone, every listing finds its devices unusable: the box that says so
// comes once for the loss, not once per device and opening of the options.
TEST(DeviceLostOptions, TheAudioDeviceBoxComesOnceAfterALoss) {
    testing::TempDirectory directory;
    ASSERT_EQ(SaveSettingsFile(directory.Path(), SettingsRecord{}), SettingsSave::Saved);
    SimBench bench;
    testing::ScriptedSoundSystem sound(&bench);
    sound.ScriptCaptureListings({testing::DefaultAndNumbered(3, "Mic")});
    sound.ScriptOutputListings({testing::DefaultAndNumbered(3, "Speaker")});
    DrawCallLogTarget clientArea;
    testing::FakeDialogView view;
    testing::FakeDialogServices services;
    CTarvikDlg window(sound, clientArea, view, services, directory.Path());
    window.OnInitDialog();
    ASSERT_NE(window.MainEngine(), nullptr);
    const auto deviceBoxes = [&services] {
        int count = 0;
        for (const auto& message : services.Messages())
            count += message.text == msg::kOutputDeviceProblem ? 1 : 0;
        return count;
    };
    ASSERT_EQ(deviceBoxes(), 0);

    bench.LoseDevice();
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (window.MainEngine() != nullptr && std::chrono::steady_clock::now() < deadline) {
        services.RunPosted();
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_EQ(window.MainEngine(), nullptr);
    for (const DeviceId id : {DeviceId{}, DeviceId{0}, DeviceId{1}, DeviceId{2}})
        sound.SetOutputUsable(id, false);

    window.OnCommand(ctl::kOptions);
    EXPECT_EQ(deviceBoxes(), 1);
    window.OnCommand(ctl::kOptions);
    EXPECT_EQ(deviceBoxes(), 1);
    window.OnClose();
}

}  // namespace
}  // namespace velmora2
