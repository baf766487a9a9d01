// The main window starts its engine on the device pair that DEVICE names in the freshly read
// device list, and falls back to the first pair when DEVICE names no listed position.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/CTarvikDlg.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "panel/ControlIds.h"
#include "settings/SettingsFile.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/ScriptedSoundSystem.h"

namespace velmora2 {
namespace {

using testing::DefaultAndNumbered;
using testing::DeviceListing;
using testing::FakeDialogServices;
using testing::FakeDialogView;
using testing::ScriptedSoundSystem;

constexpr int D = -1;  // the default device

class DeviceStartup : public ::testing::Test {
protected:
    void SetUp() override {
        directory = std::filesystem::temp_directory_path() /
                    ("velmora2-device-startup-" + std::to_string(::getpid()));
        std::filesystem::create_directories(directory);
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    void WriteDeviceSetting(int device) {
        SettingsRecord record;
        record.device = device;
        ASSERT_EQ(SaveSettingsFile(directory, record), SettingsSave::Saved);
    }

    SimBench bench;
    DrawCallLogTarget window;
    FakeDialogView view;
    FakeDialogServices services;
    std::filesystem::path directory;
};

struct StartCase {
    const char* description;
    DeviceListing devices;  // listed as both capture and output devices
    int device;             // DEVICE in the settings file
    int expectedDevice;
    int expectedCaptureId;
    int expectedOutputId;
};

TEST_F(DeviceStartup, EngineStartsOnThePairThatDeviceNames) {
    const StartCase cases[] = {
        {"DEVICE 5 with two listed devices starts on position 0", DefaultAndNumbered(1, "Board"), 5,
         0, D, D},
        {"DEVICE 1 with two listed devices starts on the board", DefaultAndNumbered(1, "Board"), 1,
         1, 0, 0},
        {"DEVICE 9 with fourteen devices starts on the tenth position",
         DefaultAndNumbered(13, "Dev"), 9, 9, 8, 8},
        {"DEVICE 10 with fourteen devices starts on position 0: only ten are listed",
         DefaultAndNumbered(13, "Dev"), 10, 0, D, D},
        {"no device listed: the default devices", {}, 2, 0, D, D},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.description);
        WriteDeviceSetting(c.device);
        ScriptedSoundSystem sound(&bench);
        sound.ScriptCaptureListings({c.devices});
        sound.ScriptOutputListings({c.devices});
        FakeDialogServices runServices;
        CTarvikDlg dialog(sound, window, view, runServices, directory);

        ASSERT_TRUE(dialog.OnInitDialog());

        EXPECT_FALSE(runServices.EndResult().has_value());
        ASSERT_NE(dialog.MainEngine(), nullptr);
        EXPECT_EQ(dialog.Settings().device, c.expectedDevice);
        ASSERT_FALSE(sound.OpenedCaptureIds().empty());
        ASSERT_FALSE(sound.OpenedOutputIds().empty());
        EXPECT_EQ(sound.OpenedCaptureIds().back(), DeviceId{c.expectedCaptureId});
        EXPECT_EQ(sound.OpenedOutputIds().back(), DeviceId{c.expectedOutputId});
        dialog.OnClose();
    }
}

TEST_F(DeviceStartup, StartUpReadsTheDeviceListOnceThroughTheDeviceDialog) {
    ScriptedSoundSystem sound(&bench);
    sound.ScriptOutputListings({DefaultAndNumbered(2, "Speaker")});
    CTarvikDlg dialog(sound, window, view, services, directory);

    ASSERT_TRUE(dialog.OnInitDialog());

    ASSERT_EQ(services.ModalRuns().size(), 1u);
    EXPECT_EQ(services.ModalRuns()[0].templateId, 143);
    EXPECT_EQ(dialog.Devices().deviceCount, 3);
    EXPECT_EQ(dialog.Devices().outputDeviceIds[2], DeviceId{1});
    EXPECT_EQ(dialog.Devices().captureDeviceIds[2], DeviceId{});
    dialog.OnClose();
}

TEST_F(DeviceStartup, DeviceButtonReReadsTheDeviceList) {
    ScriptedSoundSystem sound(&bench);
    sound.ScriptOutputListings({DefaultAndNumbered(0, "Speaker")});
    CTarvikDlg dialog(sound, window, view, services, directory);
    ASSERT_TRUE(dialog.OnInitDialog());
    ASSERT_EQ(dialog.Devices().deviceCount, 1);

    sound.ScriptCaptureListings({DefaultAndNumbered(1, "Mic")});
    sound.ScriptOutputListings({DefaultAndNumbered(2, "Speaker")});
    sound.SetOutputUsable(DeviceId{0}, false);
    dialog.OnCommand(ctl::kDevice);

    EXPECT_EQ(dialog.Devices().deviceCount, 2);
    EXPECT_EQ(dialog.Devices().captureDeviceIds[1], DeviceId{0});
    EXPECT_EQ(dialog.Devices().outputDeviceIds[1], DeviceId{1});
    EXPECT_EQ(services.Messages().size(), 1u) << "the unusable output device is warned about";
    dialog.OnClose();
}

}  // namespace
}  // namespace velmora2
