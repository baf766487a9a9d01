// The PCM format record used for capture, generator buffers and WAV files.
#pragma once

#include <cstdint>

namespace velmora2 {

struct WaveFormat {
    uint16_t formatTag = 1;  // PCM
    uint16_t channels = 2;
    uint32_t sampleRate = 48000;
    uint32_t avgBytesPerSec = 48000 * 4;
    uint16_t blockAlign = 4;
    uint16_t bitsPerSample = 16;

    // 16-bit stereo PCM at the given rate: the format of capture and of the first generator buffer.
    static WaveFormat StereoPcm16(uint32_t rate) {
        WaveFormat f;
        f.sampleRate = rate;
        f.avgBytesPerSec = rate * 4;
        return f;
    }
};

}  // namespace velmora2
