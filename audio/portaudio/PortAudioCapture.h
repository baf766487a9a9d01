// The PortAudio capture side: a device opens a 16-bit stereo input stream whose callback only
// assembles 2048-frame blocks into the engine's queue. Every PortAudio call outside the callback
// is made under the sound system's lock.
#pragma once

#include <portaudio.h>

#include <atomic>
#include <mutex>

#include "audio/BlockAssembler.h"
#include "audio/SoundSystem.h"

namespace velmora2 {

class PortAudioCaptureDevice final : public CaptureDevice {
public:
    PortAudioCaptureDevice(std::mutex& paLock, PaDeviceIndex device)
        : paLock_(paLock), device_(device) {}

    // Opens, but does not start, a stream of the format's rate in blocks of kBlockFrames.
    Status CreateCaptureBuffer(const WaveFormat& format, uint32_t bytes,
                               std::unique_ptr<CaptureBuffer>& out) override;

private:
    std::mutex& paLock_;
    PaDeviceIndex device_;
};

class PortAudioCaptureBuffer final : public CaptureBuffer {
public:
    explicit PortAudioCaptureBuffer(std::mutex& paLock) : paLock_(paLock) {}
    // Stops and closes the stream, so the callback is over before the queue can go away.
    ~PortAudioCaptureBuffer() override;
    PortAudioCaptureBuffer(const PortAudioCaptureBuffer&) = delete;
    PortAudioCaptureBuffer& operator=(const PortAudioCaptureBuffer&) = delete;

    // Called with the lock held.
    PaError Open(PaDeviceIndex device, double rate);

    Status AttachQueue(BlockQueue* queue) override;
    Status SetNotificationPositions(uint32_t firstHalfEnd, uint32_t secondHalfEnd) override;
    Status Start() override;

private:
    static int OnInput(const void* input, void* output, unsigned long frames,
                       const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags,
                       void* self);
    // The stream has stopped, by our own close or because the device failed.
    static void OnFinished(void* self);

    std::mutex& paLock_;
    PaStream* stream_ = nullptr;
    bool queueAttached_ = false;
    bool started_ = false;
    BlockQueue* queue_ = nullptr;
    BlockAssembler assembler_;
    std::atomic<uint64_t> overflows_{0};  // callbacks that reported lost input
};

}  // namespace velmora2
