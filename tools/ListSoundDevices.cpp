// Lists the sound devices PortAudio offers. Exits with 0 when there is at least one capture and
// one output device, 1 otherwise, so scripts can fall back to the simulated bench.
#include <cstdio>
#include <vector>

#include "audio/portaudio/PortAudioSystem.h"

namespace {

using velmora2::DeviceInfo;

void PrintList(const char* title, const std::vector<DeviceInfo>& devices, auto&& canUse) {
    std::printf("%s:\n", title);
    if (devices.empty()) std::printf("  (none)\n");
    for (size_t position = 0; position < devices.size(); ++position) {
        const DeviceInfo& device = devices[position];
        const char* usable = canUse(device.id) ? "" : "  [no 16-bit stereo at 48000 Hz]";
        if (device.id.IsDefault()) {
            std::printf("  %zu: default: %s%s\n", position, device.name.c_str(), usable);
        } else {
            std::printf("  %zu: #%d %s%s\n", position, device.id.value, device.name.c_str(),
                        usable);
        }
    }
}

}  // namespace

int main() {
    velmora2::PortAudioSystem sound;
    if (velmora2::Failed(sound.InitResult())) {
        std::printf("PortAudio did not start: error %s\n",
                    velmora2::StatusHex(sound.InitResult()).c_str());
        return 1;
    }
    const std::vector<DeviceInfo> capture = sound.CaptureDevices();
    const std::vector<DeviceInfo> output = sound.OutputDevices();
    PrintList("Capture devices", capture,
              [&](velmora2::DeviceId id) { return sound.CanUseCaptureDevice(id); });
    PrintList("Output devices", output,
              [&](velmora2::DeviceId id) { return sound.CanUseOutputDevice(id); });
    return !capture.empty() && !output.empty() ? 0 : 1;
}
