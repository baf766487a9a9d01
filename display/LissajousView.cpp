#include "display/LissajousView.h"

#include <algorithm>

#include "display/DrawingConventions.h"
#include "display/FieldGrid.h"
#include "display/PixelCoordinate.h"
#include "display/ReadoutText.h"
#include "display/VoltDivTable.h"

namespace velmora2 {

namespace {

constexpr int kCentreX = 240;
constexpr int kCentreY = 180;
// Index 2047 of the display buffers is left out of the figure.
constexpr size_t kFigurePoints = 2047;
constexpr Rgb kFigureColor{0, 255, 0};

// Negative because y grows downwards; a zero scale has no meaning and draws no deflection.
double PixelsPerCount(int32_t scale, double cal) {
    return scale != 0 ? -50.0 / scale * cal : 0.0;
}

void DrawFigure(Surface& surface, std::span<const double> left, std::span<const double> right,
                const LissajousState& state) {
    const double kL = PixelsPerCount(state.scaleL, state.cal);
    const double kR = PixelsPerCount(state.scaleR, state.cal);
    surface.SetPen(kFigureColor, PenStyle::Solid);
    const size_t count = std::min({kFigurePoints, left.size(), right.size()});
    for (size_t i = 0; i < count; ++i) {
        const int x = ClampPixel(kCentreX + int64_t{ToPixel(kR * right[i])});
        const int y = ClampPixel(kCentreY - int64_t{ToPixel(kL * left[i])});
        if (i == 0)
            surface.MoveTo(x, y);
        else
            surface.LineTo(x, y);
    }
}

void DrawCursorLines(Surface& surface, const LissajousState& state) {
    SelectPen(surface, {kMarkerColor, PenStyle::Dotted});
    for (int c = 0; c < 2; ++c)
        if (state.cursorShown[c])
            DrawLine(surface, kCentreX + state.cursorX[c], 30, kCentreX + state.cursorX[c], 330);
    if (state.cursorShown[0] && state.cursorShown[1])
        DrawLine(surface, kCentreX + state.cursorX[0], 293, kCentreX + state.cursorX[1], 293);
}

// A scale on no step has no label to show.
void DrawScaleLabel(Surface& surface, int x, int y, int32_t scale, Rgb color) {
    const std::string_view label = VoltDivLabel(scale);
    if (!label.empty()) surface.DrawText(x, y, label, color);
}

void DrawAxisLabels(Surface& surface, const LissajousState& state) {
    surface.DrawText(208, 8, "Rch", kRightChannelColor);
    surface.DrawText(237, 8, "(Horizontal)", kRightChannelColor);
    DrawScaleLabel(surface, 190, 335, state.scaleR, kRightChannelColor);
    surface.DrawText(46, 170, "Lch", kLeftChannelColor);
    surface.DrawText(33, 184, "(Vertical)", kLeftChannelColor);
    DrawScaleLabel(surface, 415, 158, state.scaleL, kLeftChannelColor);
}

// A 30-pixel double-headed arrow from `start` along x; `alongY` draws the same strokes with x and
// y swapped (relative to `start`), which makes the vertical arrow.
void DrawAxisArrow(Surface& surface, Rgb color, Point start, bool alongY) {
    // Shaft, the two strokes into the start, the two strokes out of the end.
    constexpr struct {
        Point from;
        Point to;
    } kStrokes[] = {{{0, 0}, {30, 0}},
                    {{4, -4}, {0, 0}},
                    {{4, 4}, {0, 0}},
                    {{30, 0}, {25, -5}},
                    {{30, 0}, {25, 5}}};
    const auto at = [&](Point p) {
        return alongY ? Point{start.x + p.y, start.y + p.x} : Point{start.x + p.x, start.y + p.y};
    };
    surface.SetPen(color, PenStyle::Solid);
    for (const auto& stroke : kStrokes) {
        const Point from = at(stroke.from);
        const Point to = at(stroke.to);
        DrawLine(surface, from.x, from.y, to.x, to.y);
    }
}

void DrawArrows(Surface& surface) {
    DrawAxisArrow(surface, kRightChannelColor, {240, 340}, false);
    DrawAxisArrow(surface, kLeftChannelColor, {405, 150}, true);
}

// Volts of a distance in pixels on the horizontal scale: one 30-pixel division per step.
void DrawVolts(Surface& surface, int x, int y, int32_t scaleR, int32_t pixels) {
    const double volts = scaleR / 32768.0 * 0.03333333333333333 * pixels;
    surface.DrawText(x, y, ReadoutText().Fixed(volts, 7, 4).Literal(" V").View(), kTextColor);
}

void DrawCursorReadouts(Surface& surface, const LissajousState& state) {
    const int32_t c1 = state.cursorX[0];
    const int32_t c2 = state.cursorX[1];
    if (state.cursorShown[0]) DrawVolts(surface, kCentreX + c1, 40, state.scaleR, c1);
    if (state.cursorShown[1]) DrawVolts(surface, kCentreX + c2, 60, state.scaleR, c2);
    if (state.cursorShown[0] && state.cursorShown[1])
        DrawVolts(surface, kCentreX + (c1 + c2) / 2 - 25, 300, state.scaleR, c1 - c2);
}

}  // namespace

void DrawLissajous(Surface& surface, std::span<const double> left, std::span<const double> right,
                   const LissajousState& state) {
    DrawFigure(surface, left, right, state);
    DrawCursorLines(surface, state);
    DrawAxisLabels(surface, state);
    DrawArrows(surface);
    DrawCursorReadouts(surface, state);
}

}  // namespace velmora2
