#include "audio/portaudio/PortAudioOutput.h"

#include <array>

#include "audio/portaudio/PortAudioStreams.h"

namespace velmora2 {

namespace {

constexpr int32_t kSilentVolume = -10000;

}  // namespace

Status PortAudioOutputDevice::QueryMaxSampleRate(int& rate) {
    std::lock_guard lock(paLock_);
    PaError result = paInvalidSampleRate;
    for (const int candidate : std::array{192000, 96000, 48000}) {
        result = CheckInt16Format(device_, 2, candidate, Direction::Output);
        if (result == paFormatIsSupported) {
            rate = candidate;
            return kOk;
        }
    }
    return result;
}

Status PortAudioOutputDevice::CreateOutputBuffer(const WaveFormat& format, uint32_t bytes,
                                                 std::unique_ptr<OutputBuffer>& out) {
    if (bytes == 0 || format.sampleRate == 0) return kInvalidArgument;
    if (format.formatTag != 1 || format.bitsPerSample != 16) return paSampleFormatNotSupported;
    if (format.channels == 0) return paInvalidChannelCount;
    {
        std::lock_guard lock(paLock_);
        const PaError result =
            CheckInt16Format(device_, format.channels, format.sampleRate, Direction::Output);
        if (result != paFormatIsSupported) return result;
    }
    out = std::make_unique<PortAudioOutputBuffer>(paLock_, device_, format, bytes);
    return kOk;
}

PortAudioOutputBuffer::PortAudioOutputBuffer(std::mutex& paLock, PaDeviceIndex device,
                                             const WaveFormat& format, uint32_t bytes)
    : paLock_(paLock),
      device_(device),
      channels_(format.channels),
      rate_(format.sampleRate),
      samples_(bytes, format.channels) {}

PortAudioOutputBuffer::~PortAudioOutputBuffer() {
    std::lock_guard lock(paLock_);
    if (stream_ == nullptr) return;
    Pa_AbortStream(stream_);
    Pa_CloseStream(stream_);
}

Status PortAudioOutputBuffer::Fill(uint32_t offset, const uint8_t* data, uint32_t bytes) {
    std::lock_guard lock(paLock_);
    return samples_.Fill(offset, data, bytes);
}

Status PortAudioOutputBuffer::SetVolume(int32_t hundredthsDb) {
    if (hundredthsDb < kSilentVolume || hundredthsDb > 0) return kInvalidArgument;
    samples_.SetGain(VolumeToGain(hundredthsDb));
    return kOk;
}

Status PortAudioOutputBuffer::PlayLooping() {
    std::lock_guard lock(paLock_);
    if (stream_ == nullptr) {
        const PaStreamParameters output = Int16Parameters(device_, channels_, Direction::Output);
        PaStream* stream = nullptr;
        const PaError result =
            Pa_OpenStream(&stream, nullptr, &output, rate_, paFramesPerBufferUnspecified, paClipOff,
                          &OnOutput, this);
        if (result != paNoError) return result;
        stream_ = stream;
    }
    if (Pa_IsStreamStopped(stream_) != 1) return kOk;
    const PaError result = Pa_StartStream(stream_);
    return result == paNoError ? kOk : result;
}

Status PortAudioOutputBuffer::Stop() {
    std::lock_guard lock(paLock_);
    if (stream_ == nullptr || Pa_IsStreamStopped(stream_) == 1) return kOk;
    // A generator stops at once; what is still queued for the device is dropped.
    const PaError result = Pa_AbortStream(stream_);
    return result == paNoError ? kOk : result;
}

bool PortAudioOutputBuffer::ContinueWith(std::vector<int16_t> loop, uint64_t at) {
    std::lock_guard lock(paLock_);
    return samples_.ContinueWith(std::move(loop), at);
}

bool PortAudioOutputBuffer::IsPlaying() const {
    std::lock_guard lock(paLock_);
    return stream_ != nullptr && Pa_IsStreamActive(stream_) == 1;
}

int PortAudioOutputBuffer::OnOutput(const void*, void* output, unsigned long frames,
                                    const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags,
                                    void* self) {
    static_cast<PortAudioOutputBuffer*>(self)->samples_.Render(static_cast<int16_t*>(output),
                                                               frames);
    return paContinue;
}

}  // namespace velmora2
