// The trigger search on a 2048-sample display buffer.
#pragma once

namespace velmora2 {

struct TriggerResult {
    bool found = false;
    int index = 0;
};

// First index of the start offset into the buffer where the searches begin; the oscilloscope
// adds half the interpolation filter's length to allow for its delay.
constexpr int kTriggerSearchStart = 60;

// Rising: the first i >= start with v[i] <= level < v[i+1]; falling: v[i] >= level > v[i+1].
// With the trigger off every picture starts at `start`. No crossing: not found, index 0.
TriggerResult FindTrigger(const double* v, bool enabled, bool rising, int level, int start);

}  // namespace velmora2
