#include "app/SoundBackendChoice.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "audio/portaudio/PortAudioSystem.h"
#include "audio/sim/SimBench.h"

namespace velmora2 {

std::unique_ptr<SoundSystem> CreateSoundSystemFromEnvironment() {
    const char* value = std::getenv(kSoundBackendVariable);
    const std::string_view choice = value != nullptr ? value : "";
    if (choice == "sim") {
        SimBenchOptions options;
        options.realTimeClock = true;
        return std::make_unique<SimBench>(options);
    }
    if (!choice.empty() && choice != "portaudio") {
        std::fprintf(stderr,
                     "%s=%s is not a sound backend (use \"portaudio\" or \"sim\"); "
                     "using portaudio\n",
                     kSoundBackendVariable, value);
    }
    return std::make_unique<PortAudioSystem>();
}

}  // namespace velmora2
