// Builds the lists of usable sound devices in two passes over the sound system: one that counts
// the usable devices and one that fills a list of at most that many (and never more than
// kMaxListedDevices) entries. Devices are only asked whether they can be used, never opened, so
// a device held by the running engine stays listed.
#pragma once

#include <string>
#include <vector>

#include "audio/SoundSystem.h"
#include "dialogs/DeviceProblemNotice.h"
#include "dialogs/DeviceTable.h"
#include "dialogs/DialogView.h"

namespace velmora2 {

// Longest device name kept, in bytes.
constexpr size_t kMaxDeviceNameBytes = 63;

// Usable devices of one kind in enumeration order; ids and names have the same length.
struct DeviceList {
    std::vector<DeviceId> ids;
    std::vector<std::string> names;
};

// Capture devices that cannot be used are left out without a message.
DeviceList EnumerateCaptureDevices(SoundSystem& sound);
// Output devices that cannot be used are left out after a warning to the user, one per device
// or as the notice holds it.
DeviceList EnumerateOutputDevices(SoundSystem& sound, DialogServices& services);
DeviceList EnumerateOutputDevices(SoundSystem& sound, DialogServices& services,
                                  DeviceProblemNotice& notice);

// The name cut to kMaxDeviceNameBytes bytes without splitting a UTF-8 character.
std::string CutDeviceName(const std::string& name);

}  // namespace velmora2
