#include "engine/TriggerSearch.h"

#include "audio/SoundSystem.h"

namespace velmora2 {

TriggerResult FindTrigger(const double* v, bool enabled, bool rising, int level, int start) {
    if (!enabled) return {true, start};
    const double threshold = level;
    for (int i = start < 0 ? 0 : start; i < kBlockFrames - 1; ++i) {
        const bool crossed = rising ? (v[i] <= threshold && threshold < v[i + 1])
                                    : (v[i] >= threshold && threshold > v[i + 1]);
        if (crossed) return {true, i};
    }
    return {false, 0};
}

}  // namespace velmora2
