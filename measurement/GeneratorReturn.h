// What a sweep gives back when it ends: the user's own generator sound (a file or a signal of its
// own), its volume and the trace switches, with the generator left on.
#pragma once

#include <cstdint>
#include <string>

#include "engine/EngineHandle.h"
#include "measurement/SweepMethod.h"
#include "platform/GeneratorFileSearch.h"
#include "records/GeneratorSignal.h"

namespace velmora2 {

struct UserGenerator {
    std::string file = "sin1k.wav";  // PLAYWAV
    GeneratorSignal signal;          // played instead of the file unless a WAV file
    int32_t volume = -600;           // hundredths of a dB
    bool leftShown = true;
    bool rightShown = true;
};

// Loads the user's sound (the listener hears of a file missing or refused), switches the generator
// on with the user's volume and trace switches.
void GiveBackGenerator(const EngineHandle& engine, SweepListener& listener,
                       const FileSearchPlaces& tones, const UserGenerator& user);

}  // namespace velmora2
