// The sound system on the machine's real devices, through PortAudio. PortAudio is initialised for
// the life of this object: its owner keeps it alive while any engine runs on it, and while any
// device or buffer made from it exists, so that PortAudio is never terminated under a stream.
#pragma once

#include <mutex>

#include "audio/SoundSystem.h"

namespace velmora2 {

enum class Direction;

class PortAudioSystem final : public SoundSystem {
public:
    // When PortAudio cannot start, the lists are empty and every open fails with its code.
    PortAudioSystem();
    ~PortAudioSystem() override;
    PortAudioSystem(const PortAudioSystem&) = delete;
    PortAudioSystem& operator=(const PortAudioSystem&) = delete;

    // 0, or PortAudio's negative reason for not starting.
    Status InitResult() const { return initResult_; }

    // The default device first (the default identifier, under the default device's name), then
    // every device with at least two channels in PortAudio's order, identified by its index; the
    // default device is therefore listed a second time under its own index.
    std::vector<DeviceInfo> CaptureDevices() override;
    std::vector<DeviceInfo> OutputDevices() override;
    // 16-bit stereo at 48000 Hz, asked of PortAudio without opening a stream, so a device that a
    // running engine holds is still answered for.
    bool CanUseCaptureDevice(DeviceId id) override;
    bool CanUseOutputDevice(DeviceId id) override;

    Status OpenCaptureDevice(DeviceId id, std::unique_ptr<CaptureDevice>& out) override;
    Status OpenOutputDevice(DeviceId id, std::unique_ptr<OutputDevice>& out) override;

    // PortAudio lists the devices once, when it starts: it is ended and started again, with the
    // sound libraries' chatter kept off the terminal as at the first start.
    void Rescan() override;

private:
    template <typename Device, typename Interface>
    Status OpenStereoDevice(DeviceId id, Direction direction, std::unique_ptr<Interface>& out);

    Status initResult_;
    // PortAudio's functions are not made to be called from several threads at once (the user
    // interface enumerates while an engine's worker opens and stops streams): every call outside
    // a stream callback is made under this lock.
    std::mutex paLock_;
};

}  // namespace velmora2
