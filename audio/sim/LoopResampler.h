// Reads a looping run of samples at another rate, as a sound server resamples a stream it plays
// at a rate of its own: a Kaiser-windowed sinc interpolator, flat to 0.45 of the lower rate and
// below -100 dB from 0.55 of it on, so a tone comes back without the images that holding each
// sample would add. At equal rates the samples pass through unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velmora2 {

class LoopResampler {
public:
    LoopResampler(int inputRate, int outputRate);

    // How far one output sample advances in the input, in input frames.
    double Step() const { return step_; }
    // The value at `position` (in input frames, 0 <= position < frames) of the looping channel
    // `channel` of interleaved `samples` with `channels` channels.
    double At(std::span<const int16_t> samples, size_t channels, size_t channel,
              double position) const;

private:
    // The taps of one phase: the kernel at the 2 * halfWidth_ input samples around a position.
    double Dot(std::span<const int16_t> samples, size_t channels, size_t channel, int64_t first,
               size_t phase) const;

    double step_;
    bool passThrough_;
    int halfWidth_ = 0;
    // kPhases + 1 rows of 2 * halfWidth_ taps: row r is the kernel for a position r / kPhases of
    // the way from one input sample to the next.
    std::vector<double> taps_;
};

}  // namespace velmora2
