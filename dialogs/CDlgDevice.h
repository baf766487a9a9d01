// The device list dialog: enumerates the capture and output devices and pairs them by position
// (position i = capture device i with output device i, shown by the output device's name). Its
// callers run it with autoClose, so it lists the devices and ends as with OK before it is shown.
#pragma once

#include <string>
#include <vector>

#include "audio/SoundSystem.h"
#include "dialogs/DeviceProblemNotice.h"
#include "dialogs/DeviceTable.h"
#include "dialogs/DialogView.h"

namespace velmora2 {

class CDlgDevice final : public ModalDialog {
public:
    static constexpr int kTemplateId = 143;
    static constexpr int kOkResult = 1;

    // notice: how unusable output devices are told; null, one box for each.
    CDlgDevice(SoundSystem& sound, bool autoClose, DeviceProblemNotice* notice = nullptr);

    int TemplateId() const override { return kTemplateId; }
    void OnInitDialog(DialogView& view, DialogServices& services) override;
    // Takes the identifiers of every listed position into the result and ends with OK.
    void OnOK(DialogServices& services);

    // The result, valid after the dialog ended with kOkResult.
    const DeviceTable& Devices() const { return devices_; }
    const std::vector<std::string>& DeviceNames() const { return deviceNames_; }

private:
    SoundSystem& sound_;
    const bool autoClose_;
    DeviceProblemNotice* const notice_;
    std::vector<DeviceId> captureList_;
    std::vector<DeviceId> outputList_;
    std::vector<std::string> deviceNames_;
    DeviceTable devices_;
};

}  // namespace velmora2
