#include "display/SpectrumView.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

#include "display/DrawingConventions.h"
#include "display/PixelCoordinate.h"
#include "display/SpectrumReadout.h"
#include "display/SpectrumViewCursors.h"
#include "display/SpectrumViewTrace.h"

namespace velmora2 {
namespace {

constexpr double kNoFrequency = std::numeric_limits<double>::quiet_NaN();

int32_t Position(const SpectrumChannel& channel, const SpectrumViewState& state) {
    return channel.isLeft ? state.positionL : state.positionR;
}

SpectrumLevelScale LevelScale(const SpectrumChannel& channel, const SpectrumViewState& state) {
    return {channel.dbRange, channel.fftSize, state.specCal, Position(channel, state)};
}

// The bins the linear view walks and how far apart they lie.
struct LinearBins {
    int64_t first = 0;
    int64_t last = -1;  // inclusive; below first when there is nothing to draw
    double pixelsPerBin = kNoFrequency;
};

LinearBins LinearBinRange(const SpectrumChannel& channel, int32_t offset) {
    const double n = channel.fftSize;
    const double u = n * channel.startFrequency / channel.sampleRate;
    const double w = n * channel.endFrequency / channel.sampleRate;
    LinearBins bins;
    // Without a rate or a span there is no axis: nothing is drawn and the cursors read "---".
    if (!(channel.sampleRate > 0.0) || !(n > 0.0) || !std::isfinite(u) || !std::isfinite(w) ||
        !(w > u))
        return bins;
    bins.pixelsPerBin = kTraceWidth / (w - u);
    double first = std::trunc(u) + offset;
    double last = std::trunc(w) + offset;
    if (first < 0.0) first = 0.0;
    if (last + 1.0 > n) last = n - 2.0;
    // Never past what the pipeline handed in.
    last = std::min(last, static_cast<double>(channel.magnitudes.size()) - 1.0);
    bins.first = static_cast<int64_t>(std::min(first, n));
    bins.last = static_cast<int64_t>(std::max(last, -1.0));
    return bins;
}

void DrawLinearTrace(Surface& surface, const SpectrumChannel& channel,
                     const SpectrumLevelScale& scale, const LinearBins& bins) {
    surface.SetPen(channel.color, PenStyle::Solid);
    PeakDecimator trace(surface, channel.x0, channel.y0);
    AddBins(trace, scale, channel.magnitudes, bins.first, bins.last,
            [&](int64_t k) { return static_cast<double>(k - bins.first) * bins.pixelsPerBin; });
}

// Below N = 4 bin 1 and bin N/2 coincide and the axis has no length.
bool HasLogAxis(const SpectrumChannel& channel) {
    return channel.fftSize >= 4;
}

void DrawLogTrace(Surface& surface, const SpectrumChannel& channel,
                  const SpectrumLevelScale& scale) {
    if (!HasLogAxis(channel)) return;
    const double pixelsPerDecade = kTraceWidth / std::log10(channel.fftSize / 2.0);
    const int64_t end =
        std::min<int64_t>(channel.fftSize / 2, static_cast<int64_t>(channel.magnitudes.size()));
    surface.SetPen(channel.color, PenStyle::Solid);
    PeakDecimator trace(surface, channel.x0, channel.y0);
    AddBins(trace, scale, channel.magnitudes, 1, end - 1,
            [&](int64_t k) { return std::log10(static_cast<double>(k)) * pixelsPerDecade; });
}

SpectrumCursorReadings LinearCursorReadings(const SpectrumChannel& channel,
                                            const SpectrumViewState& state,
                                            const LinearBins& bins) {
    const double ax = state.cursorX[0];
    const double bx = state.cursorX[1];
    const auto frequency = [&](double x) {
        return channel.endFrequency * (x + state.freqOffset * bins.pixelsPerBin) / kTraceWidth;
    };
    // The difference leaves the offset out: it cancels between the two cursors.
    return {frequency(ax), frequency(bx), channel.endFrequency * (ax - bx) / kTraceWidth, -28, -18};
}

SpectrumCursorReadings LogCursorReadings(const SpectrumChannel& channel,
                                         const SpectrumViewState& state) {
    const double binWidth =
        channel.fftSize > 0 ? channel.sampleRate / channel.fftSize : kNoFrequency;
    const double perPixel = std::pow(10.0, std::log10(channel.fftSize / 2.0) / kTraceWidth);
    const double a = binWidth * std::pow(perPixel, state.cursorX[0]);
    const double b = binWidth * std::pow(perPixel, state.cursorX[1]);
    return {a, b, a - b, 152, 162};
}

// Triangles and labels at 0, -50 and -100 dB below the channel's 0 dB line. They mark the
// scale, so the calibration offset does not move them.
void DrawDbMarkers(Surface& surface, const SpectrumChannel& channel,
                   const SpectrumLevelScale& scale, int32_t position) {
    struct Marker {
        double dbBelow;
        std::string_view text;
    };
    constexpr std::array<Marker, 3> kMarkers{{{0.0, "0dB"}, {50.0, "-50dB"}, {100.0, "-100dB"}}};
    const int x0 = channel.x0;
    for (const Marker& marker : kMarkers) {
        const int y = ClampPixel(int64_t{channel.y0} +
                                 ToPixel(marker.dbBelow * scale.PixelsPerDb()) - position);
        const std::array<Point, 3> corners{{{x0, y - 3}, {x0 + 5, y}, {x0, y + 3}}};
        surface.FillPolygon(corners, channel.color);
        surface.DrawText(x0 + 10, y - 6, marker.text, kTextColor);
    }
}

// What differs between the two views besides the trace.
struct ViewLayout {
    int readoutShift;  // x of the read-out block, relative to the origin
    int holdShift;     // x of the HOLD legend, relative to the origin
    SpectrumCursorReadings cursors;
};

void DrawChannelOverlay(Surface& surface, const SpectrumChannel& channel,
                        const SpectrumViewState& state, const SpectrumLevelScale& scale,
                        const ViewLayout& layout, bool traceShown) {
    if (channel.isLeft) DrawSpectrumCursors(surface, channel.x0, channel.y0, state, layout.cursors);
    if (traceShown) {
        DrawDbMarkers(surface, channel, scale, Position(channel, state));
        DrawSpectrumReadout(surface, channel.x0 + layout.readoutShift, channel.y0 + 30, channel,
                            state.readout);
    }
    if (channel.isLeft && !state.run)
        surface.DrawText(channel.x0 + layout.holdShift, channel.y0 - 30, "HOLD", kHoldTextColor);
}

}  // namespace

void DrawSpectrumLinear(Surface& surface, const SpectrumChannel& channel,
                        const SpectrumViewState& state) {
    const SpectrumLevelScale scale = LevelScale(channel, state);
    const LinearBins bins = LinearBinRange(channel, state.freqOffset);
    if (channel.traceShown) DrawLinearTrace(surface, channel, scale, bins);
    DrawChannelOverlay(surface, channel, state, scale,
                       {0, 60, LinearCursorReadings(channel, state, bins)}, channel.traceShown);
}

void DrawSpectrumLog(Surface& surface, const SpectrumChannel& channel,
                     const SpectrumViewState& state) {
    const SpectrumLevelScale scale = LevelScale(channel, state);
    DrawLogTrace(surface, channel, scale);
    DrawChannelOverlay(surface, channel, state, scale, {-65, 50, LogCursorReadings(channel, state)},
                       true);
}

}  // namespace velmora2
