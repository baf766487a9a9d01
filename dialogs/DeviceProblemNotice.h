// The "audio device" box of the device listing, shown for an output device that cannot be used:
// once for each such device, or, after the sound device was lost (when every listing finds the
// lost devices unusable again), once in all until the loss is told again.
#pragma once

#include "dialogs/DialogView.h"

namespace velmora2 {

class DeviceProblemNotice {
public:
    // One output device that cannot be used.
    void Tell(DialogServices& services);
    // From now on the box is shown once, however many devices or listings find a problem.
    void TellOnceOnly() {
        onceOnly_ = true;
        told_ = false;
    }

private:
    bool onceOnly_ = false;
    bool told_ = false;
};

}  // namespace velmora2
