#include "app/SoundBackendChoice.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "audio/file/WavFileSound.h"
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
    if (choice.starts_with(kFileBackendPrefix)) {
        // A file that cannot be used still makes a backend: its device refuses to open, and the
        // main window reports that the sound input cannot be set up.
        const std::string path(choice.substr(std::string_view(kFileBackendPrefix).size()));
        std::string error;
        std::unique_ptr<WavInput> input = WavInput::Open(path, error);
        if (!input) std::fprintf(stderr, "%s\n", error.c_str());
        return std::make_unique<WavFileSound>(std::move(input), WavFileOptions{});
    }
    if (!choice.empty() && choice != "portaudio") {
        std::fprintf(stderr,
                     "%s=%s is not a sound backend (use \"portaudio\", \"sim\" or \"file:PATH\"); "
                     "using portaudio\n",
                     kSoundBackendVariable, value);
    }
    return std::make_unique<PortAudioSystem>();
}

}  // namespace velmora2
