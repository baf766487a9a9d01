#include "analysis/Averaging.h"

#include <algorithm>

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

// Shows sum / frames for every averaged value, after adding this record when add is set.
void Average(ChannelSpectrum& channel, bool add, double frames) {
    const int n = channel.size / 2;
    auto average = [add, frames](double& value, double& sum) {
        if (add) sum += value;
        value = sum / frames;
    };
    for (int k = 0; k < n; ++k) average(channel.magnitude[k], channel.magnitudeSum[k]);
    // The mirror image, in a loop of its own so that the one above runs on whole vectors.
    for (int k = 0; k < n; ++k) channel.magnitude[channel.size - 1 - k] = channel.magnitude[k];
    average(channel.mainFrequency, channel.mainFrequencySum);
    average(channel.mainPower, channel.mainPowerSum);
    for (int i = 0; i < channel.harmonicCount; ++i)
        average(channel.harmonicPowers[i], channel.harmonicPowerSum[i]);
    for (int k = 0; k < n; ++k) average(channel.binPowers[k], channel.binPowerSum[k]);
}

}  // namespace

void AverageChannel(int counter, ChannelSpectrum& channel) {
    const bool accumulating = counter > 0;
    if (accumulating) {
        if (counter == 1) ClearSums(channel);
        channel.averagedFrames = counter;
    }
    // A finished average divides by the records it really holds, which is MAXAVEN unless MAXAVEN
    // was lowered below the counter; freshly allocated sums hold none and show 0.
    Average(channel, accumulating, std::max(channel.averagedFrames, 1));
}

}  // namespace velmora2
