#include "audio/portaudio/PortAudioStreams.h"

namespace velmora2 {

namespace {

int ChannelsOf(const PaDeviceInfo& info, Direction direction) {
    return direction == Direction::Capture ? info.maxInputChannels : info.maxOutputChannels;
}

}  // namespace

PaDeviceIndex ResolveStereoDevice(DeviceId id, Direction direction) {
    PaDeviceIndex device = id.value;
    if (id.IsDefault()) {
        device = direction == Direction::Capture ? Pa_GetDefaultInputDevice()
                                                 : Pa_GetDefaultOutputDevice();
    }
    if (device < 0 || device >= Pa_GetDeviceCount()) return paNoDevice;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (info == nullptr || ChannelsOf(*info, direction) < 2) return paNoDevice;
    return device;
}

PaStreamParameters Int16Parameters(PaDeviceIndex device, int channels, Direction direction) {
    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = channels;
    parameters.sampleFormat = paInt16;
    // The high default latency: a measuring instrument needs every sample, not a quick answer.
    if (const PaDeviceInfo* info = Pa_GetDeviceInfo(device)) {
        parameters.suggestedLatency = direction == Direction::Capture
                                          ? info->defaultHighInputLatency
                                          : info->defaultHighOutputLatency;
    }
    return parameters;
}

PaError CheckInt16Format(PaDeviceIndex device, int channels, double rate, Direction direction) {
    const PaStreamParameters parameters = Int16Parameters(device, channels, direction);
    return direction == Direction::Capture ? Pa_IsFormatSupported(&parameters, nullptr, rate)
                                           : Pa_IsFormatSupported(nullptr, &parameters, rate);
}

}  // namespace velmora2
