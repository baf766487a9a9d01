#include "dialogs/DeviceEnumeration.h"

#include <algorithm>
#include <functional>

namespace velmora2 {

namespace {

using ListDevices = std::function<std::vector<DeviceInfo>()>;
using CanUse = std::function<bool(DeviceId)>;
using OnUnusable = std::function<void()>;

// The list is sized by the counting pass and filled by a second enumeration: whatever the sound
// system reports in between (a device plugged in, one removed), nothing is written beyond the
// count, and never more than kMaxListedDevices entries.
DeviceList Enumerate(const ListDevices& list, const CanUse& canUse, const OnUnusable& onUnusable) {
    size_t count = 0;
    for (const DeviceInfo& device : list()) {
        if (canUse(device.id))
            ++count;
        else
            onUnusable();
    }
    const size_t capacity = std::min(count, static_cast<size_t>(kMaxListedDevices));

    DeviceList result;
    result.ids.reserve(capacity);
    result.names.reserve(capacity);
    for (const DeviceInfo& device : list()) {
        if (result.ids.size() == capacity) break;
        if (!canUse(device.id)) continue;
        result.ids.push_back(device.id);
        result.names.push_back(CutDeviceName(device.name));
    }
    return result;
}

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

DeviceList EnumerateCaptureDevices(SoundSystem& sound) {
    return Enumerate([&sound] { return sound.CaptureDevices(); },
                     [&sound](DeviceId id) { return sound.CanUseCaptureDevice(id); }, [] {});
}

DeviceList EnumerateOutputDevices(SoundSystem& sound, DialogServices& services) {
    DeviceProblemNotice eachDevice;
    return EnumerateOutputDevices(sound, services, eachDevice);
}

DeviceList EnumerateOutputDevices(SoundSystem& sound, DialogServices& services,
                                  DeviceProblemNotice& notice) {
    return Enumerate([&sound] { return sound.OutputDevices(); },
                     [&sound](DeviceId id) { return sound.CanUseOutputDevice(id); },
                     [&services, &notice] { notice.Tell(services); });
}

std::string CutDeviceName(const std::string& name) {
    if (name.size() <= kMaxDeviceNameBytes) return name;
    size_t end = kMaxDeviceNameBytes;
    while (end > 0 && IsUtf8Continuation(name[end])) --end;
    return name.substr(0, end);
}

}  // namespace velmora2
