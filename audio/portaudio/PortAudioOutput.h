// The PortAudio output side: a device reports its highest usable rate and makes looping generator
// buffers, each of which plays through its own output stream. The buffer's methods may be called
// from the user-interface thread and from the engine's worker at once; they serialise on the
// sound system's lock, while the stream's callback reads the samples without any lock.
#pragma once

#include <portaudio.h>

#include <mutex>

#include "audio/LoopingSamples.h"
#include "audio/SoundSystem.h"

namespace velmora2 {

class PortAudioOutputDevice final : public OutputDevice {
public:
    PortAudioOutputDevice(std::mutex& paLock, PaDeviceIndex device)
        : paLock_(paLock), device_(device) {}

    // The highest of 192000, 96000 and 48000 Hz the device takes for 16-bit stereo.
    Status QueryMaxSampleRate(int& rate) override;
    Status CreateOutputBuffer(const WaveFormat& format, uint32_t bytes,
                              std::unique_ptr<OutputBuffer>& out) override;

private:
    std::mutex& paLock_;
    PaDeviceIndex device_;
};

class PortAudioOutputBuffer final : public OutputBuffer {
public:
    PortAudioOutputBuffer(std::mutex& paLock, PaDeviceIndex device, const WaveFormat& format,
                          uint32_t bytes);
    ~PortAudioOutputBuffer() override;
    PortAudioOutputBuffer(const PortAudioOutputBuffer&) = delete;
    PortAudioOutputBuffer& operator=(const PortAudioOutputBuffer&) = delete;

    uint32_t SizeBytes() const override { return samples_.SizeBytes(); }
    Status Fill(uint32_t offset, const uint8_t* data, uint32_t bytes) override;
    // Hundredths of a dB from -10000 (silent) to 0 (as recorded).
    Status SetVolume(int32_t hundredthsDb) override;
    // Opens the stream on first use; a buffer already playing goes on playing.
    Status PlayLooping() override;
    Status Stop() override;
    bool IsPlaying() const override;
    uint64_t FramesAdvanced() const override { return samples_.FramesAdvanced(); }
    bool ContinueWith(std::vector<int16_t> loop, uint64_t at) override;

private:
    static int OnOutput(const void* input, void* output, unsigned long frames,
                        const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags,
                        void* self);

    std::mutex& paLock_;
    const PaDeviceIndex device_;
    const int channels_;
    const double rate_;
    PaStream* stream_ = nullptr;  // guarded by paLock_
    LoopingSamples samples_;
};

}  // namespace velmora2
