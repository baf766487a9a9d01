// The two time cursors of the oscilloscope picture: their dotted lines and their read-outs.
#pragma once

#include "display/ScopeState.h"
#include "display/Surface.h"

namespace velmora2 {

// Vertical lines over the full height for each shown cursor, joined near the bottom when both
// are shown.
void DrawScopeCursorLines(Surface& surface, int x0, int y0, const ScopeState& state);

// Each shown cursor's time in ms, and when both are shown their difference in ms or as a
// frequency. A difference of zero has no frequency: it reads "   --- Hz".
void DrawScopeCursorReadouts(Surface& surface, int x0, int y0, const ScopeState& state);

}  // namespace velmora2
