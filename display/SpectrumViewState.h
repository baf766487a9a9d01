// What the spectrum view reads: one channel's spectrum and measured figures (SpectrumChannel),
// and the positions, cursors and switches that both channel calls share (SpectrumViewState). The
// spectrum's stage fills them from the settings and the channels' analysis results per record.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "display/Surface.h"

namespace velmora2 {

// The channels' 0 dB lines before the position shift.
inline constexpr int kSpectrumZeroDbLeft = 30;
inline constexpr int kSpectrumZeroDbRight = 60;

// The figures of one channel. An empty figure could not be measured and reads "unmeasured".
struct SpectrumFigures {
    double mainFrequency = 0.0;           // Hz
    std::optional<double> thd;            // per cent
    std::optional<double> thdPlusNoise;   // per cent
    std::optional<double> signalToNoise;  // dB
};

// Which read-out lines are shown (MAINFREQ, THD, THDPN, SN) and the HPF state they report.
struct SpectrumReadoutSwitches {
    bool mainFrequency = true;
    bool thd = true;
    bool thdPlusNoise = true;
    bool signalToNoise = true;
    bool highPass = false;
};

struct SpectrumViewState {
    int32_t positionL = 0;             // specPositionL, pixels; positive moves the trace up
    int32_t positionR = 0;             // specPositionR
    int32_t freqOffset = 0;            // bins the linear view is scrolled by
    double specCal = 0.0;              // SPECCAL, dB added to every level
    std::array<int32_t, 2> cursorX{};  // spectrum cursors A and B, pixels 0..480
    std::array<bool, 2> cursorShown{};
    bool run = true;  // false = hold
    SpectrumReadoutSwitches readout;
};

// One channel of one picture.
struct SpectrumChannel {
    int x0 = 0;
    int y0 = kSpectrumZeroDbLeft;  // the 0 dB line before the position shift
    double sampleRate = 48000.0;
    double startFrequency = 0.0;   // Hz at the left edge of the linear view
    double endFrequency = 5000.0;  // freqSpan: Hz at the right edge of the linear view
    double dbRange = -120.0;       // dbBottomL / dbBottomR: level at the bottom edge, negative
    // |X[k]| for k < N, unscaled, mirrored about the middle (the linear view can scroll into the
    // upper half); after averaging when that is on.
    std::span<const double> magnitudes;
    int32_t fftSize = 2048;  // N
    Rgb color{};
    bool isLeft = true;      // the left call also draws the cursors and HOLD
    bool traceShown = true;  // the channel's trace switch; the log view is only called when on
    SpectrumFigures figures;
};

}  // namespace velmora2
