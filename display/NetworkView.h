// The network analysis chart: gain against a logarithmic frequency axis from 10 Hz to fs/2, with
// the phase or the group delay on a second scale at the right. The pipeline paints the grid and
// then the curves of the last sweep's measured points on every block in network-plot mode.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "display/Surface.h"

namespace velmora2 {

// Top-left corner of the 400 x 280 plot area in the picture.
inline constexpr Point kNetworkPlotOrigin{40, 40};

// The sweep's points as the chart reads them: one entry per point of the sweep table.
struct NetworkPoints {
    std::span<const int> x;             // column on the 400-pixel frequency axis
    std::span<const double> frequency;  // Hz
    std::span<const double> gain;       // dB
    std::span<const double> phase;      // radians, positive when the right channel lags
    std::span<const bool> measured;     // only measured points are joined
};

struct NetworkPlot {
    int32_t sampleRate = 48000;
    double gainRange = -50.0;                     // GRNG: dB at the bottom of the gain axis
    double delayRange = 300.0;                    // DRNG: microseconds at the top of the delay axis
    std::string_view phaseRange = "-180 to 180";  // PRNG
    double gainOffset = 0.0;                      // GOFT: dB added to every gain when drawn
    bool phaseShown = true;                       // PHSDLY: phase, else group delay
    NetworkPoints points;
};

// White field, dotted grid, frames, titles, the gain, phase or delay and frequency scales.
void DrawNetworkGrid(Surface& surface, Point origin, const NetworkPlot& plot);

// The phase (green) or delay (blue) curve with its legend, then the gain curve (red) with its.
void DrawNetworkCurves(Surface& surface, Point origin, const NetworkPlot& plot);

}  // namespace velmora2
