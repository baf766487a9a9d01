#include "audio/portaudio/PortAudioCapture.h"

#include <cstdio>

#include "audio/BlockQueue.h"
#include "audio/portaudio/PortAudioStreams.h"

namespace velmora2 {

Status PortAudioCaptureDevice::CreateCaptureBuffer(const WaveFormat& format, uint32_t bytes,
                                                   std::unique_ptr<CaptureBuffer>& out) {
    if (bytes != kCaptureBufferBytes) return kInvalidArgument;
    if (format.formatTag != 1 || format.bitsPerSample != 16) return paSampleFormatNotSupported;
    if (format.channels != 2) return paInvalidChannelCount;
    auto buffer = std::make_unique<PortAudioCaptureBuffer>(paLock_);
    std::lock_guard lock(paLock_);
    const double rate = format.sampleRate;
    PaError result = CheckInt16Format(device_, 2, rate, Direction::Capture);
    if (result == paFormatIsSupported) result = buffer->Open(device_, rate);
    if (result != paNoError) return result;
    out = std::move(buffer);
    return kOk;
}

PaError PortAudioCaptureBuffer::Open(PaDeviceIndex device, double rate) {
    const PaStreamParameters input = Int16Parameters(device, 2, Direction::Capture);
    PaStream* stream = nullptr;
    const PaError result =
        Pa_OpenStream(&stream, &input, nullptr, rate, kBlockFrames, paClipOff, &OnInput, this);
    if (result != paNoError) return result;
    stream_ = stream;
    return Pa_SetStreamFinishedCallback(stream_, &OnFinished);
}

PortAudioCaptureBuffer::~PortAudioCaptureBuffer() {
    if (stream_ == nullptr) return;
    {
        std::lock_guard lock(paLock_);
        // What is still in flight is of no use once the capture ends.
        if (started_) Pa_AbortStream(stream_);
        Pa_CloseStream(stream_);
    }
    if (const uint64_t overflows = overflows_.load(); overflows > 0) {
        std::fprintf(stderr, "capture: the device lost input %llu times\n",
                     static_cast<unsigned long long>(overflows));
    }
}

Status PortAudioCaptureBuffer::AttachQueue(BlockQueue* queue) {
    if (queue == nullptr) return kInvalidArgument;
    if (started_) return paStreamIsNotStopped;
    assembler_.Attach(queue);
    queue_ = queue;
    queueAttached_ = true;
    return kOk;
}

Status PortAudioCaptureBuffer::SetNotificationPositions(uint32_t firstHalfEnd,
                                                        uint32_t secondHalfEnd) {
    // Blocks are always whole halves; these are the only positions that describe them.
    if (firstHalfEnd != kBlockBytes - 1 || secondHalfEnd != kCaptureBufferBytes - 1)
        return kInvalidArgument;
    return kOk;
}

Status PortAudioCaptureBuffer::Start() {
    if (!queueAttached_) return kInvalidArgument;
    std::lock_guard lock(paLock_);
    if (started_) return kOk;
    const PaError result = Pa_StartStream(stream_);
    if (result != paNoError) return result;
    started_ = true;
    return kOk;
}

int PortAudioCaptureBuffer::OnInput(const void* input, void*, unsigned long frames,
                                    const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags flags,
                                    void* self) {
    auto& buffer = *static_cast<PortAudioCaptureBuffer*>(self);
    if ((flags & paInputOverflow) != 0) buffer.overflows_.fetch_add(1, std::memory_order_relaxed);
    buffer.assembler_.Append(static_cast<const uint8_t*>(input), frames);
    return paContinue;
}

void PortAudioCaptureBuffer::OnFinished(void* self) {
    auto& buffer = *static_cast<PortAudioCaptureBuffer*>(self);
    if (buffer.queue_ != nullptr) buffer.queue_->MarkEnded();
}

}  // namespace velmora2
