// The sound seam: what the engine needs of a sound system. A capture buffer of 16-bit stereo
// frames delivered block by block into a queue, an output device with looping generator buffers,
// and device enumeration. Backends: PortAudio and the simulated bench.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/WaveFormat.h"
#include "platform/StatusCode.h"

namespace velmora2 {

class BlockQueue;

// A device identifier kept by value. The default value selects the system default device.
struct DeviceId {
    int value = -1;
    bool IsDefault() const { return value < 0; }
    friend bool operator==(const DeviceId&, const DeviceId&) = default;
};

struct DeviceInfo {
    DeviceId id;
    std::string name;
};

// Frames per capture block: one half of the 16384-byte capture buffer.
constexpr int kBlockFrames = 2048;
constexpr int kBlockBytes = kBlockFrames * 4;
constexpr int kCaptureBufferBytes = 2 * kBlockBytes;

// A running capture: after Start, every filled block of kBlockFrames frames is pushed to the
// attached queue, in order; a stream that ends or fails marks the queue ended. Releasing the
// object stops the capture.
class CaptureBuffer {
public:
    virtual ~CaptureBuffer() = default;
    // Blocks go to this queue; the queue must outlive the capture.
    virtual Status AttachQueue(BlockQueue* queue) = 0;
    // The two byte offsets at which a half is reported (8191 and 16383).
    virtual Status SetNotificationPositions(uint32_t firstHalfEnd, uint32_t secondHalfEnd) = 0;
    virtual Status Start() = 0;
    // Whether blocks come at the pace of a clock, so that a long silence means the device has
    // stopped. A capture stepped by hand (tests) or a file read as fast as it is taken answers
    // false.
    virtual bool PacedByClock() const { return true; }
};

class CaptureDevice {
public:
    virtual ~CaptureDevice() = default;
    virtual Status CreateCaptureBuffer(const WaveFormat& format, uint32_t bytes,
                                       std::unique_ptr<CaptureBuffer>& out) = 0;
};

// A generator buffer: filled once, then played looping at a volume in hundredths of a dB.
class OutputBuffer {
public:
    virtual ~OutputBuffer() = default;
    virtual uint32_t SizeBytes() const = 0;
    // Copies bytes into the buffer at the given offset (the buffer is silence until filled).
    virtual Status Fill(uint32_t offset, const uint8_t* data, uint32_t bytes) = 0;
    virtual Status SetVolume(int32_t hundredthsDb) = 0;
    virtual Status PlayLooping() = 0;
    virtual Status Stop() = 0;
    virtual bool IsPlaying() const = 0;

    // Frames the buffer has moved on through its loop since it was made.
    virtual uint64_t FramesAdvanced() const { return 0; }
    // From frame `at` on (as FramesAdvanced counts), the buffer plays `loop` (interleaved frames
    // of its own format) in place of its samples, from the loop's first frame, in the same
    // stream without a gap: a sound that changes at an exact frame. False when the backend
    // cannot, a change is still waiting, or `at` has passed.
    virtual bool ContinueWith(std::vector<int16_t> /*loop*/, uint64_t /*at*/) { return false; }
};

class OutputDevice {
public:
    virtual ~OutputDevice() = default;
    virtual Status QueryMaxSampleRate(int& rate) = 0;
    virtual Status CreateOutputBuffer(const WaveFormat& format, uint32_t bytes,
                                      std::unique_ptr<OutputBuffer>& out) = 0;
};

class SoundSystem {
public:
    virtual ~SoundSystem() = default;
    // Devices with at least two channels, the system default first.
    virtual std::vector<DeviceInfo> CaptureDevices() = 0;
    virtual std::vector<DeviceInfo> OutputDevices() = 0;
    // Whether a device can be used for 16-bit stereo, asked without opening it.
    virtual bool CanUseCaptureDevice(DeviceId id) = 0;
    virtual bool CanUseOutputDevice(DeviceId id) = 0;

    virtual Status OpenCaptureDevice(DeviceId id, std::unique_ptr<CaptureDevice>& out) = 0;
    virtual Status OpenOutputDevice(DeviceId id, std::unique_ptr<OutputDevice>& out) = 0;

    // Looks for the devices afresh, so that a sound server or a board that came back after a
    // loss is found again. Called only while no device or buffer of this system exists; the
    // default finds them without starting again.
    virtual void Rescan() {}
};

// Volume in hundredths of a dB as a linear gain: 10^(v/2000).
double VolumeToGain(int32_t hundredthsDb);

}  // namespace velmora2
