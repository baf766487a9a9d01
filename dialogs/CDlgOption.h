// The options dialog: edits a working copy of the settings on five tab pages and checks the
// entry fields when it is closed with OK. It never touches the engine, the main window or the
// settings file: the caller fills the copy, and after OK takes it back and applies it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/SoundSystem.h"
#include "dialogs/DeviceProblemNotice.h"
#include "dialogs/DeviceTable.h"
#include "dialogs/DialogView.h"
#include "settings/SettingsRecord.h"

namespace velmora2 {

// What the dialog edits and returns.
struct OptionValues {
    // Every setting except FSAMPLE, which travels as samplingRate; the scale fields other than
    // CAL, SPECCAL, GRNG, DRNG, PRNG and GOFT are carried along untouched.
    SettingsRecord settings;
    int32_t samplingRate = 48000;   // in: the active rate; out: the new FSAMPLE
    int32_t deviceMaxRate = 48000;  // rates above it are refused
    int32_t lastOptionsPage = 1;    // 1 .. 5
    bool saveRequested = false;
    // Filled by the dialog from a fresh device listing; settings.device is the chosen position.
    DeviceTable devices;
    std::vector<std::string> deviceNames;
};

class CDlgOption final : public ModalDialog {
public:
    static constexpr int kTemplateId = 139;
    static constexpr int kOkResult = 1;
    static constexpr int kCancelResult = 2;
    // How long the save-settings button waits before it closes the dialog as OK does.
    static constexpr int kSaveDelayMs = 50;

    // sound: where the device list is read from at every opening; notice: how its unusable output
    // devices are told (null: one box for each).
    explicit CDlgOption(SoundSystem& sound, DeviceProblemNotice* notice = nullptr);

    OptionValues& Values() { return values_; }
    const OptionValues& Values() const { return values_; }

    int TemplateId() const override { return kTemplateId; }
    void OnInitDialog(DialogView& view, DialogServices& services) override;
    // The services are those the dialog was opened with.
    void OnCommand(int id, DialogServices& services) override;
    void OnNotify(int id, ControlNotification notification, DialogServices& services) override;

private:
    void PlaceControls();
    void WriteEntries();
    void ShowInitialStates();
    void ListDevices();
    void ShowPage(int page);

    void OnCloseUp(int id);
    void ChooseRadio(int id);
    void OnDeviceCloseUp();
    void OnSampleRateCloseUp();
    void OnChangeWavFile();
    void OnSaveSettings();
    void OnOK();
    bool ReadEntries(SettingsRecord& into);
    bool ReadNumber(int id, double& into, bool ranged = false, double lower = 0, double upper = 0);
    bool ReadInteger(int id, int32_t& into, int32_t lower, int32_t upper);
    bool ReadSignal(GeneratorSignal& into);
    void EnableSignalFields();
    void EnableNetworkFields();
    bool ReadLogSweep(NetworkMethodSettings& into);
    bool RefuseEntry(int id, const std::string& message);
    void Message(const char* text);
    void End(int result);

    SoundSystem& sound_;
    DeviceProblemNotice* const notice_;
    OptionValues values_;
    DialogView* view_ = nullptr;
    DialogServices* services_ = nullptr;
    bool ended_ = false;
    // Expires with the dialog: a delayed action of the dialog's may come after it is gone.
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

}  // namespace velmora2
