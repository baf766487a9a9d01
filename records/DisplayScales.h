// The front-panel scale record. The main window holds the master copy and copies it whole into the
// engine after every change; the views read the engine's copy.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace velmora2 {

struct DisplayScales {
    int32_t timeSpan = 480;  // samples across the 10 horizontal divisions (480 pixels)
    int32_t timeOffset = 0;  // samples from the trigger point to the left edge
    int32_t scaleL = 16384;  // ADC counts per division; 32768 is "1V/d"
    int32_t scaleR = 16384;
    int32_t positionL = 0;  // vertical positions, pixels
    int32_t positionR = 0;
    double cal = 1.0;          // CAL: vertical calibration
    int32_t freqSpan = 5000;   // linear spectrum: frequency at the right edge, Hz
    int32_t freqOffset = 0;    // spectrum horizontal position, bins
    int32_t dbBottomL = -120;  // dB at the bottom edge, -12 x dB/div
    int32_t dbBottomR = -120;
    int32_t specPositionL = 0;  // spectrum vertical positions, pixels
    int32_t specPositionR = 0;
    double specCal = 0.0;                    // SPECCAL
    double gainRange = -50.0;                // GRNG
    double delayRange = 300.0;               // DRNG
    std::string phaseRange = "-180 to 180";  // PRNG
    double gainOffset = 0.0;                 // GOFT

    friend bool operator==(const DisplayScales&, const DisplayScales&) = default;
};

// Cursor positions in pixels: oscilloscope 1 and 2, spectrum 1 and 2, Lissajous 1 and 2, and two
// spare entries that stay 0.
using CursorPositions = std::array<int32_t, 8>;
constexpr int kEngineCursorCount = 6;
// Where each mode keeps its two cursors among the positions.
constexpr int kScopeCursors = 0;
constexpr int kSpectrumCursors = 2;
constexpr int kLissajousCursors = 4;

}  // namespace velmora2
