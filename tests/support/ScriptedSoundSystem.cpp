#include "tests/support/ScriptedSoundSystem.h"

#include <algorithm>
#include <utility>

namespace velmora2::testing {

namespace {

DeviceListing NextListing(const std::vector<DeviceListing>& listings, int& calls) {
    const int call = calls++;
    if (listings.empty()) return {};
    return listings[std::min(static_cast<size_t>(call), listings.size() - 1)];
}

void SetUsable(std::set<int>& unusable, DeviceId id, bool usable) {
    if (usable)
        unusable.erase(id.value);
    else
        unusable.insert(id.value);
}

}  // namespace

DeviceListing DefaultAndNumbered(int count, const std::string& prefix) {
    DeviceListing listing{{DeviceId{}, "Default"}};
    for (int n = 0; n < count; ++n)
        listing.push_back({DeviceId{n}, prefix + " " + std::to_string(n)});
    return listing;
}

void ScriptedSoundSystem::ScriptCaptureListings(std::vector<DeviceListing> listings) {
    captureListings_ = std::move(listings);
}

void ScriptedSoundSystem::ScriptOutputListings(std::vector<DeviceListing> listings) {
    outputListings_ = std::move(listings);
}

void ScriptedSoundSystem::SetCaptureUsable(DeviceId id, bool usable) {
    SetUsable(unusableCapture_, id, usable);
}

void ScriptedSoundSystem::SetOutputUsable(DeviceId id, bool usable) {
    SetUsable(unusableOutput_, id, usable);
}

std::vector<DeviceInfo> ScriptedSoundSystem::CaptureDevices() {
    return NextListing(captureListings_, captureCalls_);
}

std::vector<DeviceInfo> ScriptedSoundSystem::OutputDevices() {
    return NextListing(outputListings_, outputCalls_);
}

bool ScriptedSoundSystem::CanUseCaptureDevice(DeviceId id) {
    return unusableCapture_.count(id.value) == 0;
}

bool ScriptedSoundSystem::CanUseOutputDevice(DeviceId id) {
    return unusableOutput_.count(id.value) == 0;
}

Status ScriptedSoundSystem::OpenCaptureDevice(DeviceId id, std::unique_ptr<CaptureDevice>& out) {
    openedCapture_.push_back(id);
    return backing_ ? backing_->OpenCaptureDevice(DeviceId{}, out) : kNoDevice;
}

Status ScriptedSoundSystem::OpenOutputDevice(DeviceId id, std::unique_ptr<OutputDevice>& out) {
    openedOutput_.push_back(id);
    return backing_ ? backing_->OpenOutputDevice(DeviceId{}, out) : kNoDevice;
}

}  // namespace velmora2::testing
