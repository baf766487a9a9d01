#include "audio/portaudio/PortAudioSystem.h"

#include "audio/portaudio/PortAudioCapture.h"
#include "audio/portaudio/PortAudioOutput.h"
#include "audio/portaudio/PortAudioStreams.h"
#include "audio/portaudio/QuietProbe.h"

namespace velmora2 {

namespace {

constexpr double kCheckedRate = 48000.0;

std::vector<DeviceInfo> StereoDevices(Direction direction) {
    std::vector<DeviceInfo> devices;
    const PaDeviceIndex fallback = ResolveStereoDevice(DeviceId{}, direction);
    if (fallback != paNoDevice) devices.push_back({DeviceId{}, Pa_GetDeviceInfo(fallback)->name});
    const PaDeviceIndex count = Pa_GetDeviceCount();
    for (PaDeviceIndex device = 0; device < count; ++device) {
        if (ResolveStereoDevice(DeviceId{device}, direction) == device)
            devices.push_back({DeviceId{device}, Pa_GetDeviceInfo(device)->name});
    }
    return devices;
}

bool CanUse(DeviceId id, Direction direction) {
    const PaDeviceIndex device = ResolveStereoDevice(id, direction);
    return device != paNoDevice &&
           CheckInt16Format(device, 2, kCheckedRate, direction) == paFormatIsSupported;
}

}  // namespace

PortAudioSystem::PortAudioSystem() {
    const QuietProbe quiet;
    initResult_ = Pa_Initialize();
}

PortAudioSystem::~PortAudioSystem() {
    if (initResult_ != paNoError) return;
    const QuietProbe quiet;
    Pa_Terminate();
}

void PortAudioSystem::Rescan() {
    std::lock_guard lock(paLock_);
    const QuietProbe quiet;
    if (initResult_ == paNoError) Pa_Terminate();
    initResult_ = Pa_Initialize();
}

std::vector<DeviceInfo> PortAudioSystem::CaptureDevices() {
    if (initResult_ != paNoError) return {};
    std::lock_guard lock(paLock_);
    return StereoDevices(Direction::Capture);
}

std::vector<DeviceInfo> PortAudioSystem::OutputDevices() {
    if (initResult_ != paNoError) return {};
    std::lock_guard lock(paLock_);
    return StereoDevices(Direction::Output);
}

bool PortAudioSystem::CanUseCaptureDevice(DeviceId id) {
    if (initResult_ != paNoError) return false;
    std::lock_guard lock(paLock_);
    return CanUse(id, Direction::Capture);
}

bool PortAudioSystem::CanUseOutputDevice(DeviceId id) {
    if (initResult_ != paNoError) return false;
    std::lock_guard lock(paLock_);
    return CanUse(id, Direction::Output);
}

template <typename Device, typename Interface>
Status PortAudioSystem::OpenStereoDevice(DeviceId id, Direction direction,
                                         std::unique_ptr<Interface>& out) {
    if (initResult_ != paNoError) return initResult_;
    std::lock_guard lock(paLock_);
    const PaDeviceIndex device = ResolveStereoDevice(id, direction);
    if (device == paNoDevice) return paInvalidDevice;
    out = std::make_unique<Device>(paLock_, device);
    return kOk;
}

Status PortAudioSystem::OpenCaptureDevice(DeviceId id, std::unique_ptr<CaptureDevice>& out) {
    return OpenStereoDevice<PortAudioCaptureDevice>(id, Direction::Capture, out);
}

Status PortAudioSystem::OpenOutputDevice(DeviceId id, std::unique_ptr<OutputDevice>& out) {
    return OpenStereoDevice<PortAudioOutputDevice>(id, Direction::Output, out);
}

}  // namespace velmora2
