// The sound device stops while the program records: the recording is a complete file, the main
// window says so once and in its picture, disables what needs capture, keeps trying the device
// pair, and once it is back runs a new engine with what the panel shows.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/Messages.h"
#include "dialogs/CDlgOption.h"
#include "dialogs/DeviceMessages.h"
#include "display/DrawingConventions.h"
#include "panel/ControlIds.h"
#include "tests/display/DrawQueries.h"
#include "tests/support/MainWindowBench.h"
#include "tests/support/OptionsUser.h"
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
    // Waits until the engine has processed this many blocks (a safety limit).
    bool WaitForBlocks(uint64_t processed) {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (window->MainEngine()->BlocksProcessed() < processed) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }
    // The draw calls of the last picture copied into the picture field.
    std::vector<DrawCall> LastPicture() const {
        const std::vector<DrawCallLogTarget::Copy> copies = clientArea.Copies();
        for (auto copy = copies.rbegin(); copy != copies.rend(); ++copy)
            if (copy->x == kPictureLeft && copy->y == kPictureTop) return copy->calls;
        return {};
    }
};

TEST_F(DeviceLostWindow, SaysSoInThePictureAndDisablesWhatNeedsCapture) {
    Start();
    window->OnCommand(ctl::kRecord);
    ASSERT_TRUE(window->MainEngine()->Recording().open);
    ASSERT_TRUE(services.TimerPeriod(CTarvikDlg::kTimer1).has_value());
    ASSERT_EQ(bench->Step(4), 4);
    const size_t messagesBefore = services.Messages().size();

    bench->LoseDevice();
    ASSERT_TRUE(RunPostedFromTheWorker());
    EXPECT_TRUE(window->DeviceOutage());

    // The recording holds the four blocks captured before the loss, as a complete file.
    const WavContents recording = ReadWavFile(directory / "RECORD00.wav");
    EXPECT_EQ(recording.fault, WavFault::None);
    EXPECT_EQ(recording.data.size(), 4u * kBlockBytes);
    EXPECT_FALSE(services.TimerPeriod(CTarvikDlg::kTimer1).has_value());

    // The picture is the window's notice, with no recording notice left over.
    const std::vector<DrawCall> picture = LastPicture();
    EXPECT_EQ(testing::TextsStartingWith(picture, "Sound device stopped at ").size(), 1u);
    EXPECT_TRUE(
        testing::FindText(picture, "No input for 0 s. Reconnecting every 2 s...").has_value());
    EXPECT_TRUE(testing::TextsStartingWith(picture, "Recording").empty());

    ASSERT_EQ(services.Messages().size(), messagesBefore + 1);
    const testing::RecordedMessage& message = services.Messages().back();
    EXPECT_EQ(message.text, msg::kSoundDeviceStopped);
    EXPECT_EQ(message.icon, MessageIcon::Stop);
    EXPECT_EQ(window->MainEngine(), nullptr);
    EXPECT_FALSE(services.EndResult().has_value());  // the window stays open

    // What needs capture is disabled, also after a mode change that would enable it.
    for (const int id : {ctl::kRecord, ctl::kStopRecord, ctl::kHoldRun, ctl::kGeneratorOn,
                         ctl::kNetworkStartStop, ctl::kModeNetwork})
        EXPECT_FALSE(view.IsEnabled(id)) << id;
    // Every other control is harmless without an engine.
    for (const int id : {ctl::kLeftOn, ctl::kRightOn, ctl::kTriggerLeft, ctl::kTriggerOff,
                         ctl::kModeSpectrum, ctl::kModeScope, ctl::kRecord, ctl::kGeneratorOn})
        window->OnCommand(id);
    for (const int id : {ctl::kTimeDivSpin, ctl::kLeftScaleSpin, ctl::kTriggerLevelSpin,
                         ctl::kCursor1Spin, ctl::kVolumeSpin})
        window->OnSpinChanged(id);
    EXPECT_FALSE(view.IsEnabled(ctl::kGeneratorOn));
    EXPECT_FALSE(view.IsChecked(ctl::kGeneratorOn));
    EXPECT_EQ(services.RunPosted(), 0);
    EXPECT_EQ(services.Messages().size(), messagesBefore + 1);

    // Options still opens (and is cancelled here).
    const size_t dialogsBefore = services.ModalRuns().size();
    window->OnCommand(ctl::kOptions);
    ASSERT_GT(services.ModalRuns().size(), dialogsBefore);
    EXPECT_EQ(services.ModalRuns().back().templateId, CDlgOption::kTemplateId);
}

// The bench comes back: the next try starts an engine with what the panel shows, the picture
// lives again, and the next recording is a new file.
TEST_F(DeviceLostWindow, ReconnectsWithThePanelsSettingsOnceTheDeviceIsBack) {
    Start();
    window->OnCommand(ctl::kRecord);
    ASSERT_EQ(bench->Step(4), 4);
    bench->LoseDevice();
    ASSERT_TRUE(RunPostedFromTheWorker());
    ASSERT_TRUE(window->DeviceOutage());
    window->OnCommand(ctl::kModeSpectrum);
    window->OnCommand(ctl::kTriggerLeft);

    // Tries every 2 s while the device is away, and only one chain of tries.
    for (int attempt = 0; attempt < 3; ++attempt) {
        ASSERT_EQ(services.PendingSingleShots(), std::vector<int>{CTarvikDlg::kReconnectPeriodMs});
        services.FireSingleShots();
        EXPECT_TRUE(window->DeviceOutage());
        EXPECT_EQ(window->MainEngine(), nullptr);
    }
    EXPECT_EQ(testing::TextsStartingWith(LastPicture(), "Sound device stopped at ").size(), 1u);

    bench->RestoreDevice();
    services.FireSingleShots();
    ASSERT_NE(window->MainEngine(), nullptr);
    EXPECT_FALSE(window->DeviceOutage());
    EXPECT_TRUE(services.PendingSingleShots().empty());
    const RuntimeState engine = window->MainEngine()->Settings();
    EXPECT_EQ(engine.mode, kModeSpectrum);
    EXPECT_TRUE(engine.triggerEnabled && engine.triggerSourceLeft);
    for (const int id : {ctl::kRecord, ctl::kHoldRun, ctl::kGeneratorOn})
        EXPECT_TRUE(view.IsEnabled(id)) << id;
    EXPECT_FALSE(view.IsEnabled(ctl::kStopRecord));

    // Live pictures again: the spectrum's own, not the notice.
    const size_t copies = clientArea.CopyCount();
    ASSERT_EQ(bench->Step(8), 8);
    ASSERT_TRUE(WaitForBlocks(8));
    ASSERT_GT(clientArea.CopyCount(), copies);
    EXPECT_TRUE(testing::TextsStartingWith(LastPicture(), "Sound device stopped").empty());

    window->OnCommand(ctl::kRecord);
    ASSERT_TRUE(window->MainEngine()->Recording().open);
    const uint64_t processed = window->MainEngine()->BlocksProcessed();
    ASSERT_EQ(bench->Step(3), 3);
    ASSERT_TRUE(WaitForBlocks(processed + 3));
    window->OnCommand(ctl::kStopRecord);
    const WavContents before = ReadWavFile(directory / "RECORD00.wav");
    const WavContents after = ReadWavFile(directory / "RECORD01.wav");
    EXPECT_EQ(before.fault, WavFault::None);
    EXPECT_EQ(before.data.size(), 4u * kBlockBytes);
    EXPECT_EQ(after.fault, WavFault::None);
    EXPECT_EQ(after.data.size(), 3u * kBlockBytes);
}

TEST_F(DeviceLostWindow, OptionsOkTriesAtOnceAndClosingEndsTheTries) {
    Start();
    bench->LoseDevice();
    ASSERT_TRUE(RunPostedFromTheWorker());
    bench->RestoreDevice();
    testing::AnswerOptions(services, [](testing::OptionsUser& user) { user.PressOk(); });
    window->OnCommand(ctl::kOptions);
    EXPECT_NE(window->MainEngine(), nullptr);
    // The tries already scheduled do nothing once the engine runs.
    services.FireSingleShots();
    EXPECT_TRUE(services.PendingSingleShots().empty());

    bench->LoseDevice();
    ASSERT_TRUE(RunPostedFromTheWorker());
    ASSERT_EQ(window->MainEngine(), nullptr);
    bench->RestoreDevice();
    window->OnClose();
    services.FireSingleShots();
    EXPECT_EQ(window->MainEngine(), nullptr);
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
