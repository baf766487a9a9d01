// Linear averaging of spectra over successive records. The counter c belongs to the engine's
// worker: 0 means off or finished, 1 ... MAXAVEN the number of the record being accumulated.
#pragma once

#include "analysis/ChannelSpectrum.h"

namespace velmora2 {

// A finished average keeps showing its result; the harmonic count stays the one it was built
// with.
inline bool AverageFinished(bool averagingOn, int counter) {
    return averagingOn && counter == 0;
}

// One channel's share of a record while the counter is c: while accumulating (c > 0) adds this
// record's magnitudes, main frequency and power, harmonic powers and bin powers to the channel's
// sums (cleared first when c is 1) and shows the running average; once finished (c = 0) shows
// the finished average unchanged. Restores the mirror image of the magnitudes in both cases.
// The two channels of a record may be averaged at the same time on different threads.
void AverageChannel(int counter, ChannelSpectrum& channel);

// The counter after a record averaged at counter: the record that brings it to maxAverage (or
// finds it already beyond, after MAXAVEN was lowered) finishes the average.
inline int NextAveragingCounter(int counter, int maxAverage) {
    if (counter <= 0) return counter;
    return counter >= maxAverage ? 0 : counter + 1;
}

}  // namespace velmora2
