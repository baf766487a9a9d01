// The Lissajous stage: turns one block's settings and display buffers into the picture the
// Lissajous view draws, and draws it over the Lissajous background. Pure mapping, so every
// field can be checked without a surface.
#pragma once

#include <span>

#include "display/BackgroundStatus.h"
#include "display/LissajousView.h"
#include "display/Surface.h"
#include "records/RuntimeState.h"

namespace velmora2 {

struct LissajousPicture {
    RecordingStatus recording;
    LissajousState state;
    std::span<const double> left;  // display buffers, ADC counts
    std::span<const double> right;
};

LissajousPicture MakeLissajousPicture(const RuntimeState& settings,
                                      std::span<const double> displayL,
                                      std::span<const double> displayR);

void DrawLissajousPicture(Surface& surface, const LissajousPicture& picture);

}  // namespace velmora2
