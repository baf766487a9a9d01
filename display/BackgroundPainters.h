// The four background painters. One of them starts every picture: it repaints the whole field
// (white, grid, frame) and writes the status notices of its mode; the mode's view draws on top.
#pragma once

#include <cstdint>

#include "display/BackgroundStatus.h"
#include "display/Surface.h"

namespace velmora2 {

// Oscilloscope: 10 x 12 divisions of 48 x 30 pixels.
void DrawScopeBackground(Surface& surface, const RecordingStatus& recording);

// Spectrum with a linear frequency axis; network sweeps are measured in this mode too.
void DrawSpectrumBackground(Surface& surface, const SpectrumStatus& status);

// Spectrum with a logarithmic frequency axis: bin 1 at the left edge, bin N/2 at the right one,
// lines at 10..90, 100..900, ... Hz below half the sample rate.
void DrawSpectrumBackgroundLog(Surface& surface, const SpectrumStatus& status, int32_t fftSize,
                               int32_t sampleRate);

// Lissajous: a square 10 x 10 grid of 30-pixel cells around the centre, with axes.
void DrawLissajousBackground(Surface& surface, const RecordingStatus& recording);

}  // namespace velmora2
