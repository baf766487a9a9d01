#include "analysis/Averaging.h"

#include <algorithm>

#include "analysis/Lanes.h"

namespace velmora2 {

namespace {

void ClearSums(ChannelSpectrum& channel) {
    const int n = channel.size / 2;
    for (int k = 0; k < n; ++k) {
        channel.magnitudeSum[k] = 0;
        channel.harmonicPowerSum[k] = 0;
        channel.binPowerSum[k] = 0;
    }
    channel.mainFrequencySum = 0;
    channel.mainPowerSum = 0;
}

// value = sum / frames, after sum += value when kAdd.
template <bool kAdd, typename V>
[[gnu::always_inline]] inline void Average(V& value, V& sum, const V& frames) {
    if constexpr (kAdd) sum = sum + value;
    value = sum / frames;
}

// Averages values[0 ... count - 1] against their sums, four at a time; with a mirror, also
// writes each value to mirror[-k] (the magnitudes' mirror image about the middle).
template <bool kAdd>
[[gnu::always_inline]] inline void AverageArray(double* values, double* sums, int count,
                                                double frames, double* mirror) {
    const Quad quadFrames = Quad{} + frames;
    int k = 0;
    for (; k + 4 <= count; k += 4) {
        Quad value, sum;
        Load(value, values + k);
        Load(sum, sums + k);
        Average<kAdd>(value, sum, quadFrames);
        Store(values + k, value);
        if constexpr (kAdd) Store(sums + k, sum);
        if (mirror != nullptr) StoreReversed(mirror - k - 3, value);
    }
    for (; k < count; ++k) {
        Average<kAdd>(values[k], sums[k], frames);
        if (mirror != nullptr) mirror[-k] = values[k];
    }
}

// Shows sum / frames for every averaged value, after adding this record when kAdd is set.
template <bool kAdd>
[[gnu::always_inline]] inline void AverageValues(ChannelSpectrum& channel, double frames) {
    const int n = channel.size / 2;
    AverageArray<kAdd>(channel.magnitude.data(), channel.magnitudeSum.data(), n, frames,
                       channel.magnitude.data() + channel.size - 1);
    Average<kAdd>(channel.mainFrequency, channel.mainFrequencySum, frames);
    Average<kAdd>(channel.mainPower, channel.mainPowerSum, frames);
    for (int i = 0; i < channel.harmonicCount; ++i)
        Average<kAdd>(channel.harmonicPowers[i], channel.harmonicPowerSum[i], frames);
    AverageArray<kAdd>(channel.binPowers.data(), channel.binPowerSum.data(), n, frames, nullptr);
}

void AveragePortable(ChannelSpectrum& channel, bool add, double frames) {
    add ? AverageValues<true>(channel, frames) : AverageValues<false>(channel, frames);
}

__attribute__((target("avx"))) void AverageAvx(ChannelSpectrum& channel, bool add, double frames) {
    add ? AverageValues<true>(channel, frames) : AverageValues<false>(channel, frames);
}

const auto kAverage = ProcessorHasAvx() ? AverageAvx : AveragePortable;

}  // namespace

void AverageChannel(int counter, ChannelSpectrum& channel) {
    const bool accumulating = counter > 0;
    if (accumulating) {
        if (counter == 1) ClearSums(channel);
        channel.averagedFrames = counter;
    }
    // A finished average divides by the records it really holds, which is MAXAVEN unless MAXAVEN
    // was lowered below the counter; freshly allocated sums hold none and show 0.
    kAverage(channel, accumulating, std::max(channel.averagedFrames, 1));
}

}  // namespace velmora2
