#include "audio/SoundSystem.h"

#include <cmath>

namespace velmora2 {

double VolumeToGain(int32_t hundredthsDb) {
    return std::pow(10.0, hundredthsDb / 2000.0);
}

}  // namespace velmora2
