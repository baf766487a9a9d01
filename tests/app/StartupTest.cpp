// The main window's start-up and shutdown through the fake view: which engines start on which
// devices, the three start-up failure messages and the settings-file notice.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/CTarvikDlg.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "panel/ControlIds.h"
#include "settings/SettingsFile.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/FileText.h"
#include "tests/support/ScriptedSoundSystem.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

using testing::FakeDialogServices;
using testing::FakeDialogView;
using testing::ReadFile;
using testing::TempDirectory;

// Fails to open every device but the system default, like a board that is unplugged.
class OnlyDefaultOpens final : public SoundSystem {
public:
    explicit OnlyDefaultOpens(SoundSystem& inner) : inner_(inner) {}
    std::vector<DeviceInfo> CaptureDevices() override { return Listing(); }
    std::vector<DeviceInfo> OutputDevices() override { return Listing(); }
    bool CanUseCaptureDevice(DeviceId) override { return true; }
    bool CanUseOutputDevice(DeviceId) override { return true; }
    Status OpenCaptureDevice(DeviceId id, std::unique_ptr<CaptureDevice>& out) override {
        if (!id.IsDefault()) return kNoDevice;
        return inner_.OpenCaptureDevice(id, out);
    }
    Status OpenOutputDevice(DeviceId id, std::unique_ptr<OutputDevice>& out) override {
        return inner_.OpenOutputDevice(id, out);
    }

private:
    static std::vector<DeviceInfo> Listing() {
        return {DeviceInfo{DeviceId{}, "Default"}, DeviceInfo{DeviceId{4}, "Board"}};
    }
    SoundSystem& inner_;
};

class Startup : public ::testing::Test {
protected:
    void WriteSettings(const SettingsRecord& record) {
        ASSERT_EQ(SaveSettingsFile(dir.Path(), record), SettingsSave::Saved);
    }
    std::unique_ptr<CTarvikDlg> Start(SoundSystem& sound) {
        auto window = std::make_unique<CTarvikDlg>(sound, clientArea, view, services, dir.Path());
        EXPECT_TRUE(window->OnInitDialog());
        return window;
    }
    std::string SettingsFileText() const { return ReadFile(dir.Path() / kSettingsFileName); }

    TempDirectory dir;
    DrawCallLogTarget clientArea;
    FakeDialogView view;
    FakeDialogServices services;
};

TEST_F(Startup, RunsTheMainEngineOnTheBenchAndStopsItOnClose) {
    SimBench bench;
    WriteSettings(SettingsRecord{});
    auto window = Start(bench);
    ASSERT_NE(window->MainEngine(), nullptr);
    EXPECT_FALSE(services.EndResult().has_value());
    EXPECT_TRUE(services.Messages().empty());
    EXPECT_EQ(bench.Step(3), 3);  // the main engine's capture is running

    window->OnClose();
    EXPECT_EQ(window->MainEngine(), nullptr);
    EXPECT_EQ(bench.Step(1), 0);  // and no capture runs any more
}

TEST_F(Startup, PreparesTheFrontPanel) {
    SimBench bench;
    WriteSettings(SettingsRecord{});
    auto window = Start(bench);
    EXPECT_EQ(view.Control(ctl::kTimeDivSpin).upper, 6);
    EXPECT_EQ(view.Control(ctl::kTimeDivSpin).position, 4);
    EXPECT_EQ(view.Control(ctl::kHorizontalPositionSpin).position, 140);
    EXPECT_EQ(view.Control(ctl::kVolumeSpin).position, 6);
    EXPECT_TRUE(view.IsChecked(ctl::kModeScope));
    EXPECT_TRUE(view.IsChecked(ctl::kTriggerOff));
    EXPECT_FALSE(view.IsEnabled(ctl::kTriggerLevelSpin));
    EXPECT_TRUE(view.IsEnabled(ctl::kRecord));
    EXPECT_FALSE(view.IsEnabled(ctl::kStopRecord));
    EXPECT_TRUE(view.IsChecked(ctl::kLeftOn));
    EXPECT_FALSE(view.IsChecked(ctl::kGeneratorOn));
    EXPECT_EQ(view.Text(ctl::kTimeDivLabel), "1ms/d");
    EXPECT_EQ(view.Text(ctl::kLeftScaleLabel), "500mV/d");
    EXPECT_EQ(view.Text(ctl::kRightScaleLabel), "500mV/d");
    EXPECT_EQ(view.Text(ctl::kVolumeLabel), "-6dB");
}

TEST_F(Startup, TimeDivFollowsTheOversamplingReadFromTheSettingsFile) {
    SimBench bench;
    SettingsRecord settings;
    settings.osr = 2;
    WriteSettings(settings);
    auto window = Start(bench);
    EXPECT_EQ(view.Text(ctl::kTimeDivLabel), "500us/d");
    EXPECT_EQ(window->MainEngine()->Settings().oversampling, 2);
    // The spins answer only once start-up has opened their gates; then they reach the engine.
    view.SetSpinPosition(ctl::kTimeDivSpin, 6);
    window->OnSpinChanged(ctl::kTimeDivSpin);
    EXPECT_EQ(view.Text(ctl::kTimeDivLabel), "2ms/d");
    EXPECT_EQ(window->MainEngine()->Settings().scales.timeSpan, 1920);
}

TEST_F(Startup, NoSoundDeviceEndsWithThePreThreadMessageAndSaves48kHz) {
    SimBenchOptions options;
    options.hasDevices = false;
    SimBench bench(options);
    SettingsRecord settings;
    settings.fsample = settings.activeSampleRate = 96000;
    WriteSettings(settings);

    auto window = Start(bench);
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].text,
              "サウンド入力を設定できません。 \nエラー: " + StatusHex(kNoDevice));
    EXPECT_EQ(services.Messages()[0].title, "preThread");
    EXPECT_EQ(services.Messages()[0].icon, MessageIcon::Stop);
    EXPECT_EQ(services.EndResult(), CTarvikDlg::kStartFailedResult);
    EXPECT_EQ(window->MainEngine(), nullptr);
    EXPECT_NE(SettingsFileText().find("FSAMPLE : 48000\n"), std::string::npos);
}

TEST_F(Startup, MainEngineFailureEndsWithTheMainThreadMessage) {
    SimBench bench;
    OnlyDefaultOpens sound(bench);
    SettingsRecord settings;
    settings.device = 1;  // the board, which cannot be opened
    WriteSettings(settings);

    auto window = Start(sound);
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].text,
              "サウンド入力を設定できません。 \nエラー: " + StatusHex(kNoDevice));
    EXPECT_EQ(services.Messages()[0].title, "mainThread");
    EXPECT_EQ(services.EndResult(), CTarvikDlg::kStartFailedResult);
    EXPECT_EQ(window->MainEngine(), nullptr);
}

TEST_F(Startup, OutputSlowerThanTheActiveRateWarnsAndSavesTheRateItCanDo) {
    struct Case {
        int maxOutputRate;
        int activeRate;
        const char* savedLine;
    };
    for (const Case c :
         {Case{48000, 96000, "FSAMPLE : 48000\n"}, Case{96000, 192000, "FSAMPLE : 96000\n"}}) {
        SCOPED_TRACE(c.activeRate);
        SimBenchOptions options;
        options.maxOutputRate = c.maxOutputRate;
        SimBench bench(options);
        SettingsRecord settings;
        settings.fsample = c.activeRate;
        WriteSettings(settings);
        FakeDialogServices freshServices;
        CTarvikDlg window(bench, clientArea, view, freshServices, dir.Path());
        window.OnInitDialog();

        ASSERT_EQ(freshServices.Messages().size(), 1u);
        const testing::RecordedMessage& message = freshServices.Messages()[0];
        EXPECT_NE(message.text.find("最高 " + std::to_string(c.maxOutputRate) + " Hzです。"),
                  std::string::npos)
            << message.text;
        EXPECT_EQ(message.title, "mainThread");
        EXPECT_EQ(message.icon, MessageIcon::Stop);
        // The program keeps running at the active rate; the lower rate applies next time.
        ASSERT_NE(window.MainEngine(), nullptr);
        EXPECT_EQ(window.MainEngine()->SampleRate(), c.activeRate);
        EXPECT_FALSE(freshServices.EndResult().has_value());
        EXPECT_NE(SettingsFileText().find(c.savedLine), std::string::npos);
        window.OnClose();
    }
}

TEST_F(Startup, MissingSettingsFileIsNoticedOnceAndNotCreated) {
    SimBench bench;
    auto window = Start(bench);
    EXPECT_EQ(window->Settings().settingsStatus, "NoIniFile");
    ASSERT_EQ(services.PendingSingleShots(), std::vector<int>{500});
    // A sweep or recording that takes timer 1 meanwhile does not stop the notice.
    services.SetTimer(CTarvikDlg::kTimer1, 10);
    EXPECT_EQ(services.FireSingleShots(), 1);
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].text,
              "INIファイル(Velmora2.INI)  \r\n\r\nが見つかりません。 ");
    EXPECT_EQ(services.Messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(services.TimerPeriod(CTarvikDlg::kTimer1), 10);
    EXPECT_EQ(services.FireSingleShots(), 0);
    EXPECT_EQ(services.Messages().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / kSettingsFileName));
}

TEST_F(Startup, HoldRunTogglesTheEngineAndIsSafeWithoutOne) {
    SimBench bench;
    WriteSettings(SettingsRecord{});
    auto window = Start(bench);
    window->OnCommand(ctl::kHoldRun);
    EXPECT_FALSE(window->MainEngine()->Settings().run);
    window->OnCommand(ctl::kHoldRun);
    EXPECT_TRUE(window->MainEngine()->Settings().run);
    window->OnClose();
    window->OnCommand(ctl::kHoldRun);  // no engine: nothing happens
    window->OnClose();
}

}  // namespace
}  // namespace velmora2
