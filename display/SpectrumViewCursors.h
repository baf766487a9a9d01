// The two frequency cursors of the spectrum picture: their dotted lines and their read-outs. The
// views work out the frequencies, which depend on the axis; this draws them.
#pragma once

#include "display/SpectrumViewState.h"
#include "display/Surface.h"

namespace velmora2 {

struct SpectrumCursorReadings {
    double frequencyA = 0.0;  // Hz
    double frequencyB = 0.0;
    double difference = 0.0;  // A minus B
    int rowA = 0;             // y of A's read-out, relative to the origin
    int rowB = 0;
};

// Vertical lines over the field for each shown cursor, joined near the bottom when both are
// shown; each shown cursor's frequency, and their difference when both are shown.
void DrawSpectrumCursors(Surface& surface, int x0, int y0, const SpectrumViewState& state,
                         const SpectrumCursorReadings& readings);

}  // namespace velmora2
