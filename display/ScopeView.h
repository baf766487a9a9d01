// The oscilloscope view: draws one channel of the two-channel picture over the oscilloscope
// background. The pipeline calls it for the left channel, then for the right one, which is drawn
// over it; what belongs to the picture as a whole (cursors, notices) comes with the left call.
#pragma once

#include "display/ScopeState.h"
#include "display/Surface.h"

namespace velmora2 {

inline constexpr int kScopeDisplayLength = 2048;

void DrawScopeChannel(Surface& surface, const ScopeChannel& channel, const ScopeState& state);

}  // namespace velmora2
