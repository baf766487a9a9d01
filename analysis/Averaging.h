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

// While accumulating, adds this record's magnitudes, main frequency and power, harmonic powers
// and bin powers of both channels to their sums and shows the running average; the record that
// brings the counter to maxAverage (or finds it already beyond, after MAXAVEN was lowered)
// finishes the average, and from then on every record shows the finished average unchanged.
// Restores the mirror image of the magnitudes in both cases.
void AverageSpectra(int maxAverage, int& counter, ChannelSpectrum& left, ChannelSpectrum& right);

}  // namespace velmora2
