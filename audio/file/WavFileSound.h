// A sound backend that captures from a WAV file: one capture device (the file) and one silent
// output device. In the program the file plays at its real pace and loops; for a measurement
// command it is delivered as fast as the engine takes the blocks, none ever dropped. The last
// block of a pass that the file fills only partly is padded with silence.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "audio/SoundSystem.h"
#include "audio/file/WavInput.h"

namespace velmora2 {

enum class WavPacing {
    RealTime,     // one block per block period, looping at the end of the file
    AsProcessed,  // a block whenever the engine's queue has room; one pass, then no more
};

struct WavFileOptions {
    WavPacing pacing = WavPacing::RealTime;
    // AsProcessed: stop after this many blocks (0: the whole file).
    uint64_t blockLimit = 0;
};

struct WavFileWire;

class WavFileSound final : public SoundSystem {
public:
    // A null input stands for a file that cannot be used: the device is listed, but opening it is
    // refused with kFormatRefused (the caller has reported why).
    WavFileSound(std::unique_ptr<WavInput> input, WavFileOptions options);
    ~WavFileSound() override;

    // Blocks pushed to the engine's queue so far.
    uint64_t BlocksDelivered() const;
    // AsProcessed: true once the last block has been delivered.
    bool Finished() const;

    std::vector<DeviceInfo> CaptureDevices() override;
    std::vector<DeviceInfo> OutputDevices() override;
    bool CanUseCaptureDevice(DeviceId id) override;
    bool CanUseOutputDevice(DeviceId id) override;
    Status OpenCaptureDevice(DeviceId id, std::unique_ptr<CaptureDevice>& out) override;
    Status OpenOutputDevice(DeviceId id, std::unique_ptr<OutputDevice>& out) override;

private:
    std::shared_ptr<WavFileWire> wire_;
};

// Blocks a file of `frames` frames fills in one pass (the last one padded).
inline uint64_t BlocksForFrames(uint64_t frames) {
    return (frames + kBlockFrames - 1) / kBlockFrames;
}

}  // namespace velmora2
