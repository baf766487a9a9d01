#include "platform/GeneratorFileNames.h"

namespace velmora2 {

std::string ToneFileName(int frequencyHz, int sampleRate) {
    std::string token;
    if (frequencyHz < 1000) {
        token = std::to_string(frequencyHz);
    } else {
        token = std::to_string(frequencyHz / 1000) + "k";
        if (const int hundreds = frequencyHz % 1000 / 100; hundreds != 0)
            token += std::to_string(hundreds);
    }
    const char* prefix = sampleRate == 48000   ? "sin"
                         : sampleRate == 96000 ? "fs96k_sin"
                                               : "fs192k_sin";
    return prefix + token + ".wav";
}

}  // namespace velmora2
