// The pieces the background painters share: the white field, the dotted division grid and the
// black frame around the 480 x 360 field.
#pragma once

#include "display/Surface.h"

namespace velmora2 {

// Paints the whole surface white; whatever was drawn before is gone.
void FillField(Surface& surface);
// 13 dotted lines, one every 30 pixels from y = 0 to 360 (12 divisions down).
void DrawHorizontalGridLines(Surface& surface);
// 11 dotted lines, one every 48 pixels from x = 0 to 480 (10 divisions across).
void DrawVerticalGridLines(Surface& surface);
// Solid black lines along y = 0, y = 360, x = 0 and x = 480; leaves the default pen selected.
void DrawFieldFrame(Surface& surface);
// Fill, both grids and the frame: the field of the oscilloscope and the linear spectrum.
void DrawDivisionField(Surface& surface);

// A line from (x1, y1) to (x2, y2), the end point not painted.
void DrawLine(Surface& surface, int x1, int y1, int x2, int y2);

}  // namespace velmora2
