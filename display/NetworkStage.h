// The network plot's stage: turns the settings and the last sweep's table and results into the
// chart the network view draws, and draws it. Pure mapping, so every field can be checked
// without a surface.
#pragma once

#include <cstdint>

#include "analysis/SweepTable.h"
#include "display/LogSweepCurve.h"
#include "display/NetworkView.h"
#include "display/Surface.h"
#include "records/RuntimeState.h"

namespace velmora2 {

// The plot refers into results, which must outlive it.
NetworkPlot MakeNetworkPlot(const RuntimeState& settings, const SweepResults& results,
                            int32_t sampleRate);

// The same for a log sweep's curve, which must outlive the plot.
NetworkPlot MakeNetworkPlot(const RuntimeState& settings, const LogSweepCurve& curve,
                            int32_t sampleRate);

// Grid, scales and titles, then the curves, with the plot area at kNetworkPlotOrigin.
void DrawNetworkPicture(Surface& surface, const NetworkPlot& plot);

}  // namespace velmora2
