// The measurement read-out of one spectrum channel: main frequency, THD, THD+N and S/N with the
// channel label, the high-pass state and the FFT size, placed so that the two channels' blocks
// stack without overlapping (the filter and size lines of both land on the same rows).
#pragma once

#include "display/SpectrumViewState.h"
#include "display/Surface.h"

namespace velmora2 {

// (x, y) is the block's anchor: labels at x + 365, values at x + 397. Nothing at all is drawn
// when the main-frequency, THD, THD+N and S/N switches are all off.
void DrawSpectrumReadout(Surface& surface, int x, int y, const SpectrumChannel& channel,
                         const SpectrumReadoutSwitches& switches);

}  // namespace velmora2
