// A sound system whose device lists the test scripts. Each listing call takes the next scripted
// listing of its kind (the last one repeats), so devices can appear or vanish between two
// enumerations; usability is set per device. Opening is passed on to a backing system (such as
// the simulated bench) as its default device, and the identifier asked for is recorded.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "audio/SoundSystem.h"

namespace velmora2::testing {

using DeviceListing = std::vector<DeviceInfo>;

// The system default device (no identifier) followed by devices 0 .. count - 1 named
// "<prefix> <n>".
DeviceListing DefaultAndNumbered(int count, const std::string& prefix);

class ScriptedSoundSystem final : public SoundSystem {
public:
    // Without a backing system no device can be opened.
    explicit ScriptedSoundSystem(SoundSystem* backing = nullptr) : backing_(backing) {}

    void ScriptCaptureListings(std::vector<DeviceListing> listings);
    void ScriptOutputListings(std::vector<DeviceListing> listings);
    void SetCaptureUsable(DeviceId id, bool usable);
    void SetOutputUsable(DeviceId id, bool usable);

    int CaptureListingCalls() const { return captureCalls_; }
    int OutputListingCalls() const { return outputCalls_; }
    const std::vector<DeviceId>& OpenedCaptureIds() const { return openedCapture_; }
    const std::vector<DeviceId>& OpenedOutputIds() const { return openedOutput_; }

    std::vector<DeviceInfo> CaptureDevices() override;
    std::vector<DeviceInfo> OutputDevices() override;
    bool CanUseCaptureDevice(DeviceId id) override;
    bool CanUseOutputDevice(DeviceId id) override;
    Status OpenCaptureDevice(DeviceId id, std::unique_ptr<CaptureDevice>& out) override;
    Status OpenOutputDevice(DeviceId id, std::unique_ptr<OutputDevice>& out) override;

private:
    SoundSystem* backing_;
    std::vector<DeviceListing> captureListings_;
    std::vector<DeviceListing> outputListings_;
    int captureCalls_ = 0;
    int outputCalls_ = 0;
    std::set<int> unusableCapture_;
    std::set<int> unusableOutput_;
    std::vector<DeviceId> openedCapture_;
    std::vector<DeviceId> openedOutput_;
};

}  // namespace velmora2::testing
