#include "engine/SampleConversion.h"

#include <cstring>

#include "audio/SoundSystem.h"
#include "records/RuntimeState.h"

namespace velmora2 {

void ConvertBlock(const uint8_t* frames, int delay, double* leftSlice, double* rightSlice) {
    for (int s = 0; s < kBlockFrames; ++s) {
        int16_t sample[2];
        std::memcpy(sample, frames + s * 4, sizeof sample);
        leftSlice[s] = sample[0];
        const int shifted = s + delay;
        if (shifted >= 0 && shifted < kBlockFrames) rightSlice[shifted] = sample[1];
    }
}

int NextRecordPosition(int position, int mode, int recordLength) {
    const int lastSlice = recordLength / kBlockFrames - 1;
    if (mode == kModeSpectrum && recordLength > kBlockFrames && position != lastSlice)
        return position + 1;
    return 0;
}

}  // namespace velmora2
