// The simulated device's white noise, cheap enough to make for every sample at the highest rate:
// each sample is the sum of four independent uniform draws scaled to the RMS asked for (nearly
// Gaussian: the same RMS, a flat spectrum, tails cut at 3.5 times the RMS). The sequence is the
// same on every run.
#pragma once

#include <cstdint>

namespace velmora2 {

class BenchNoise {
public:
    explicit BenchNoise(double rms);

    double Next();

private:
    double scale_;
    uint64_t state_;
};

}  // namespace velmora2
