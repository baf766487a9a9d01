#include "dialogs/CDlgDevice.h"

#include <utility>

#include "dialogs/DeviceEnumeration.h"

namespace velmora2 {

CDlgDevice::CDlgDevice(SoundSystem& sound, bool autoClose, DeviceProblemNotice* notice)
    : sound_(sound), autoClose_(autoClose), notice_(notice) {}

// The names are kept here rather than put into the drop-down list: every caller closes the
// dialog before it is shown and reads the names from DeviceNames().
void CDlgDevice::OnInitDialog(DialogView& /*view*/, DialogServices& services) {
    captureList_ = EnumerateCaptureDevices(sound_).ids;
    DeviceList outputs = notice_ != nullptr ? EnumerateOutputDevices(sound_, services, *notice_)
                                            : EnumerateOutputDevices(sound_, services);
    outputList_ = std::move(outputs.ids);
    deviceNames_ = std::move(outputs.names);
    devices_.deviceCount = static_cast<int32_t>(outputList_.size());
    if (autoClose_) OnOK(services);
}

void CDlgDevice::OnOK(DialogServices& services) {
    for (size_t i = 0; i < outputList_.size(); ++i) {
        // A position without a capture device of its own keeps the default identifier, which
        // opens the system default capture device.
        if (i < captureList_.size()) devices_.captureDeviceIds[i] = captureList_[i];
        devices_.outputDeviceIds[i] = outputList_[i];
    }
    services.EndDialog(kOkResult);
}

}  // namespace velmora2
