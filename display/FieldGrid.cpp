#include "display/FieldGrid.h"

#include "display/DrawingConventions.h"

namespace velmora2 {

void DrawLine(Surface& surface, int x1, int y1, int x2, int y2) {
    surface.MoveTo(x1, y1);
    surface.LineTo(x2, y2);
}

void FillField(Surface& surface) {
    // The extra column and row too: they take the frame lines, and anything a view drew past the
    // field in the previous picture must not linger there.
    surface.FillRect(0, 0, surface.Width(), surface.Height(), kFieldBackground);
}

void DrawHorizontalGridLines(Surface& surface) {
    SelectPen(surface, kGridPen);
    for (int k = 0; k <= 12; ++k) {
        const int y = kFieldHeight * k / 12;
        DrawLine(surface, 0, y, kFieldWidth, y);
    }
}

void DrawVerticalGridLines(Surface& surface) {
    SelectPen(surface, kGridPen);
    for (int k = 0; k <= 10; ++k) DrawLine(surface, 48 * k, 0, 48 * k, kFieldHeight);
}

void DrawFieldFrame(Surface& surface) {
    SelectPen(surface, kDefaultPen);
    DrawLine(surface, 0, 0, kFieldWidth, 0);
    DrawLine(surface, 0, kFieldHeight, kFieldWidth, kFieldHeight);
    DrawLine(surface, 0, 0, 0, kFieldHeight);
    DrawLine(surface, kFieldWidth, 0, kFieldWidth, kFieldHeight);
}

void DrawDivisionField(Surface& surface) {
    FillField(surface);
    DrawHorizontalGridLines(surface);
    DrawVerticalGridLines(surface);
    DrawFieldFrame(surface);
}

}  // namespace velmora2
