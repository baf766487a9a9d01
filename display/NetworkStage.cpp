#include "display/NetworkStage.h"

#include <algorithm>
#include <span>

namespace velmora2 {

namespace {

NetworkPlot ScaledPlot(const RuntimeState& settings, int32_t sampleRate) {
    const DisplayScales& scales = settings.scales;
    NetworkPlot plot;
    plot.sampleRate = sampleRate;
    plot.gainRange = scales.gainRange;
    plot.delayRange = scales.delayRange;
    plot.phaseRange = scales.phaseRange;
    plot.gainOffset = scales.gainOffset;
    plot.phaseShown = settings.delayDisplay;
    return plot;
}

}  // namespace

NetworkPlot MakeNetworkPlot(const RuntimeState& settings, const SweepResults& results,
                            int32_t sampleRate) {
    NetworkPlot plot = ScaledPlot(settings, sampleRate);
    const auto count = static_cast<size_t>(std::clamp(results.table.count, 0, kMaxSweepPoints));
    plot.points = {std::span(results.table.x).first(count),
                   std::span(results.table.frequency).first(count),
                   std::span(results.gain).first(count), std::span(results.phase).first(count),
                   std::span(results.measured).first(count)};
    return plot;
}

NetworkPlot MakeNetworkPlot(const RuntimeState& settings, const LogSweepCurve& curve,
                            int32_t sampleRate) {
    NetworkPlot plot = ScaledPlot(settings, sampleRate);
    plot.points = curve.Points(plot.phaseShown);
    return plot;
}

void DrawNetworkPicture(Surface& surface, const NetworkPlot& plot) {
    DrawNetworkGrid(surface, kNetworkPlotOrigin, plot);
    DrawNetworkCurves(surface, kNetworkPlotOrigin, plot);
}

}  // namespace velmora2
