#include "audio/portaudio/QuietProbe.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velmora2 {

namespace {

// The card library also complains later, whenever a stream is opened or a format is asked about.
void IgnoreCardLibraryMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

bool QuietProbe::DebugRequested() {
    const char* value = std::getenv("VELMORA2_DEBUG");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

QuietProbe::QuietProbe() {
    if (DebugRequested()) return;
    snd_lib_error_set_handler(&IgnoreCardLibraryMessage);
    // The sound-server client writes straight to the standard error stream; only the start and
    // the end of PortAudio are wrapped, and no thread of ours writes at those moments.
    std::fflush(stderr);
    const int nothing = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nothing < 0) return;
    savedStderr_ = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (savedStderr_ >= 0 && dup2(nothing, STDERR_FILENO) < 0) {
        close(savedStderr_);
        savedStderr_ = -1;
    }
    close(nothing);
}

QuietProbe::~QuietProbe() {
    if (savedStderr_ < 0) return;
    std::fflush(stderr);
    dup2(savedStderr_, STDERR_FILENO);
    close(savedStderr_);
}

}  // namespace velmora2
