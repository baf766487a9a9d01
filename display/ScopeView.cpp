#include "display/ScopeView.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "display/DrawingConventions.h"
#include "display/FieldGrid.h"
#include "display/PixelCoordinate.h"
#include "display/ReadoutText.h"
#include "display/ScopeCursors.h"

namespace velmora2 {
namespace {

constexpr double kFullScaleHigh = 32767.0;
constexpr double kFullScaleLow = -32768.0;
// The last buffer index is never drawn.
constexpr int64_t kTraceEnd = kScopeDisplayLength - 1;

// Where values of this channel lie on screen.
class ChannelGeometry {
public:
    ChannelGeometry(const ScopeChannel& channel, const ScopeState& state)
        : zeroY_(ClampPixel(int64_t{channel.y0} + 50 -
                            (channel.isLeft ? state.positionL : state.positionR))),
          pixelsPerCount_(PixelsPerCount(channel.isLeft ? state.scaleL : state.scaleR, state.cal)),
          pixelsPerSample_(state.timeSpan > 0 ? kTraceWidth / state.timeSpan : 0.0) {}

    // y of the zero line: the band's middle moved by the channel's position.
    int ZeroY() const { return zeroY_; }
    // The deflection is truncated on its own, as the trace has always been drawn.
    int Y(double counts) const {
        return ClampPixel(int64_t{zeroY_} + ToPixel(pixelsPerCount_ * counts));
    }
    double PixelsPerSample() const { return pixelsPerSample_; }

private:
    // Negative because y grows downwards. A zero scale has no meaning; a flat trace keeps the
    // picture readable instead of sending every sample to infinity.
    static double PixelsPerCount(int32_t scale, double cal) {
        return scale != 0 ? -50.0 / scale * cal : 0.0;
    }

    int zeroY_;
    double pixelsPerCount_;
    double pixelsPerSample_;
};

// First display-buffer index drawn at the left edge. With the trigger off the oversampled
// buffer is shifted once more by half the filter length, so that the filter's delay does not
// show; the horizontal position then moves the window over the buffer.
int64_t StartIndex(const ScopeState& state) {
    int64_t start = state.triggerIndex;
    if (state.oversampling != 1 && !state.triggerEnabled) start += state.filterLength / 2;
    start += state.timeOffset;
    return std::max<int64_t>(start, 0);
}

bool IsTriggerSource(const ScopeChannel& channel, const ScopeState& state) {
    return state.triggerEnabled && channel.isLeft == state.triggerSourceLeft;
}

void DrawRangeLines(Surface& surface, const ScopeChannel& channel, const ChannelGeometry& map) {
    const int x0 = channel.x0;
    const int upper = map.Y(kFullScaleHigh);
    const int lower = map.Y(kFullScaleLow);
    surface.SetPen(channel.color, PenStyle::Dotted);
    DrawLine(surface, x0, upper, x0 + 480, upper);
    DrawLine(surface, x0, lower, x0 + 480, lower);

    // Arrows pointing from each limit into the band.
    surface.SetPen(channel.color, PenStyle::Solid);
    surface.MoveTo(x0 + 280, upper + 2);
    surface.LineTo(x0 + 280, upper + 10);
    surface.LineTo(x0 + 276, upper + 6);
    DrawLine(surface, x0 + 280, upper + 10, x0 + 284, upper + 6);
    surface.MoveTo(x0 + 60, lower - 2);
    surface.LineTo(x0 + 60, lower - 10);
    surface.LineTo(x0 + 56, lower - 6);
    DrawLine(surface, x0 + 60, lower - 10, x0 + 64, lower - 6);
}

// Every sample is a vertex: no decimation, no interpolation.
void DrawTrace(Surface& surface, const ScopeChannel& channel, const ScopeState& state,
               const ChannelGeometry& map) {
    const double h = map.PixelsPerSample();
    if (h <= 0.0) return;
    surface.SetPen(channel.color, PenStyle::Solid);
    const int64_t start = StartIndex(state);
    const int64_t end = std::min<int64_t>(kTraceEnd, static_cast<int64_t>(channel.samples.size()));
    for (int64_t i = start; i < end; ++i) {
        const double x = static_cast<double>(i - start) * h;
        if (x > kTraceWidth) break;  // x only grows: the rest lies past the right edge
        const int px = channel.x0 + ToPixel(x);
        const int py = map.Y(channel.samples[static_cast<size_t>(i)]);
        if (i == start)
            surface.MoveTo(px, py);
        else
            surface.LineTo(px, py);
    }
}

void DrawTriggerLevelLine(Surface& surface, const ScopeChannel& channel, const ScopeState& state,
                          const ChannelGeometry& map) {
    const int y = map.Y(state.triggerLevel);
    surface.SetPen(kMarkerColor, PenStyle::Dotted);
    DrawLine(surface, channel.x0, y, channel.x0 + 480, y);
}

void DrawRangeLabels(Surface& surface, const ScopeChannel& channel, const ChannelGeometry& map) {
    surface.DrawText(channel.x0 + 295, map.Y(kFullScaleHigh), "Upper Limit (+32767)",
                     channel.color);
    surface.DrawText(channel.x0 + 75, map.Y(kFullScaleLow) - 14, "Lower Limit (-32768)",
                     channel.color);
}

// Volts on the same footing as the trace: 1 V is one 30-pixel division at "1V/d".
void DrawTriggerReadout(Surface& surface, const ScopeChannel& channel, const ScopeState& state,
                        const ChannelGeometry& map) {
    const double volts = state.cal * 50.0 * state.triggerLevel / 30.0 / 32768.0;
    ReadoutText text;
    text.Fixed(volts, 5, 2).Literal(" V");
    surface.DrawText(channel.x0 + 480 - 40, map.Y(state.triggerLevel) - 12, text.View(),
                     kTextColor);
}

void DrawGroundMark(Surface& surface, const ScopeChannel& channel, const ChannelGeometry& map) {
    const int y = map.ZeroY();
    const std::array<Point, 3> corners{
        {{channel.x0, y - 3}, {channel.x0 + 5, y}, {channel.x0, y + 3}}};
    surface.FillPolygon(corners, channel.color);
}

// At the trigger instant, which lies off the left edge when the horizontal offset is positive.
void DrawTriggerMarker(Surface& surface, const ScopeState& state, const ChannelGeometry& map) {
    const int g = ToPixel(-static_cast<double>(state.timeOffset) * map.PixelsPerSample());
    const int y = map.Y(state.triggerLevel);
    const std::array<Point, 4> corners{
        {{g - 2, y - 2}, {g + 3, y - 2}, {g + 3, y + 3}, {g - 2, y + 3}}};
    surface.FillPolygon(corners, kMarkerColor);
}

}  // namespace

void DrawScopeChannel(Surface& surface, const ScopeChannel& channel, const ScopeState& state) {
    const ChannelGeometry map(channel, state);
    const bool showRange = channel.channelOn && state.adcRangeShown;
    const bool triggerSource = IsTriggerSource(channel, state);
    const int x0 = channel.x0;
    const int y0 = channel.y0;

    if (showRange) DrawRangeLines(surface, channel, map);
    if (channel.valid && channel.channelOn) DrawTrace(surface, channel, state, map);
    if (triggerSource) DrawTriggerLevelLine(surface, channel, state, map);
    if (channel.isLeft) DrawScopeCursorLines(surface, x0, y0, state);
    if (showRange) DrawRangeLabels(surface, channel, map);
    if (channel.channelOn) surface.DrawText(x0 + 10, map.ZeroY() - 6, "Gnd", kTextColor);
    if (triggerSource) DrawTriggerReadout(surface, channel, state, map);
    if (channel.isLeft) DrawScopeCursorReadouts(surface, x0, y0, state);
    if (channel.channelOn) DrawGroundMark(surface, channel, map);
    if (triggerSource && channel.valid) DrawTriggerMarker(surface, state, map);
    if (channel.isLeft && !channel.valid) {
        surface.DrawText(
            x0 + 30, y0,
            state.triggerRepeat ? "WAITING FOR TRIGGER..." : "WAITING FOR TRIGGER... (Single Mode)",
            kLeftChannelColor);
    }
    if (channel.isLeft && !state.run)
        surface.DrawText(x0 + 480 - 85, y0 - 25, "HOLD", kHoldTextColor);
}

}  // namespace velmora2
