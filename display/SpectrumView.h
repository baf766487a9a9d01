// The spectrum view: draws one channel of the spectrum picture over the background of its axis
// (linear or logarithmic frequency). The pipeline calls it for the left channel, then for the
// right one; the cursors and the HOLD legend come with the left call.
#pragma once

#include "display/SpectrumViewState.h"
#include "display/Surface.h"

namespace velmora2 {

// Linear frequency axis from the start to the end frequency, scrolled by freqOffset bins (into
// the mirrored upper half of the magnitudes when positive). Called for both channels every
// record; the trace, dB markers and read-out only when the channel's trace is shown.
void DrawSpectrumLinear(Surface& surface, const SpectrumChannel& channel,
                        const SpectrumViewState& state);

// Logarithmic axis from bin 1 at the left edge to bin N/2 at the right one, whatever the
// frequencies and offset say. Called only for shown channels, so traceShown is not consulted.
void DrawSpectrumLog(Surface& surface, const SpectrumChannel& channel,
                     const SpectrumViewState& state);

}  // namespace velmora2
