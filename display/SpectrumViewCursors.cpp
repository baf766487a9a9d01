#include "display/SpectrumViewCursors.h"

#include <algorithm>
#include <cstdint>

#include "display/DrawingConventions.h"
#include "display/FieldGrid.h"
#include "display/PixelCoordinate.h"
#include "display/ReadoutText.h"

namespace velmora2 {
namespace {

void DrawHertz(Surface& surface, int64_t x, int64_t y, double hertz) {
    ReadoutText text;
    text.Fixed(hertz, 7, 0).Literal(" Hz");
    surface.DrawText(ClampPixel(x), ClampPixel(y), text.View(), kTextColor);
}

}  // namespace

void DrawSpectrumCursors(Surface& surface, int x0, int y0, const SpectrumViewState& state,
                         const SpectrumCursorReadings& readings) {
    const int64_t ax = state.cursorX[0];
    const int64_t bx = state.cursorX[1];
    const bool both = state.cursorShown[0] && state.cursorShown[1];
    const int top = ClampPixel(int64_t{y0} - 30);
    const int bottom = ClampPixel(int64_t{y0} + 330);

    SelectPen(surface, {kMarkerColor, PenStyle::Dotted});
    for (int i = 0; i < 2; ++i) {
        if (!state.cursorShown[i]) continue;
        const int x = ClampPixel(int64_t{x0} + state.cursorX[i]);
        DrawLine(surface, x, top, x, bottom);
    }
    if (both) {
        const int y = ClampPixel(int64_t{y0} + 320);
        DrawLine(surface, ClampPixel(x0 + ax), y, ClampPixel(x0 + bx), y);
    }

    if (state.cursorShown[0])
        DrawHertz(surface, x0 + std::min(ax, kRightmostReadout), int64_t{y0} + readings.rowA,
                  readings.frequencyA);
    if (state.cursorShown[1])
        DrawHertz(surface, x0 + std::min(bx, kRightmostReadout), int64_t{y0} + readings.rowB,
                  readings.frequencyB);
    if (both)
        DrawHertz(surface, x0 + std::min((ax + bx) / 2 - 20, kRightmostReadout), int64_t{y0} + 305,
                  readings.difference);
}

}  // namespace velmora2
