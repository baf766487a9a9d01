#include "display/ScopeCursors.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "display/DrawingConventions.h"
#include "display/FieldGrid.h"
#include "display/PixelCoordinate.h"
#include "display/ReadoutText.h"

namespace velmora2 {
namespace {

// Seconds from the left edge to pixel column x; NaN when the rate or OSR is not known.
double CursorTime(const ScopeState& state, int64_t x) {
    if (state.sampleRate <= 0 || state.oversampling <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(state.timeSpan) / state.sampleRate * static_cast<double>(x) / 480.0 /
           state.oversampling;
}

void DrawMilliseconds(Surface& surface, int64_t x, int y, double seconds) {
    ReadoutText text;
    text.Fixed(seconds * 1000.0, 7, 3).Literal(" ms");
    surface.DrawText(ClampPixel(x), y, text.View(), kTextColor);
}

void DrawDifference(Surface& surface, int64_t x, int y, const ScopeState& state) {
    const double seconds = CursorTime(state, int64_t{state.cursorX[0]} - int64_t{state.cursorX[1]});
    if (state.differenceInSeconds) {
        DrawMilliseconds(surface, x, y, seconds);
        return;
    }
    const double hertz =
        seconds == 0.0 ? std::numeric_limits<double>::quiet_NaN() : std::fabs(1.0 / seconds);
    ReadoutText text;
    text.Fixed(hertz, 6, 0).Literal(" Hz");
    surface.DrawText(ClampPixel(x), y, text.View(), kTextColor);
}

}  // namespace

void DrawScopeCursorLines(Surface& surface, int x0, int y0, const ScopeState& state) {
    SelectPen(surface, {kMarkerColor, PenStyle::Dotted});
    for (int i = 0; i < 2; ++i) {
        if (!state.cursorShown[i]) continue;
        const int x = ClampPixel(int64_t{x0} + state.cursorX[i]);
        DrawLine(surface, x, y0 - 40, x, y0 + 320);
    }
    if (state.cursorShown[0] && state.cursorShown[1]) {
        DrawLine(surface, ClampPixel(int64_t{x0} + state.cursorX[0]), y0 + 310,
                 ClampPixel(int64_t{x0} + state.cursorX[1]), y0 + 310);
    }
}

void DrawScopeCursorReadouts(Surface& surface, int x0, int y0, const ScopeState& state) {
    const int rowOffsets[2] = {-32, -8};
    for (int i = 0; i < 2; ++i) {
        if (!state.cursorShown[i]) continue;
        const int64_t cursor = state.cursorX[i];
        DrawMilliseconds(surface, x0 + std::min(cursor, kRightmostReadout), y0 + rowOffsets[i],
                         CursorTime(state, cursor));
    }
    if (state.cursorShown[0] && state.cursorShown[1]) {
        const int64_t middle = (int64_t{state.cursorX[0]} + state.cursorX[1]) / 2 - 25;
        DrawDifference(surface, x0 + std::min(middle, kRightmostReadout), y0 + 295, state);
    }
}

}  // namespace velmora2
