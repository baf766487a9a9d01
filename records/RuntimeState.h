// The engine's runtime state: what the user-interface thread sets through the engine operations;
// the worker takes a consistent snapshot of it at the start of every block, and the views' stages
// read that snapshot.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "records/DisplayScales.h"

namespace velmora2 {

enum EngineMode : int32_t {
    kModeScope = 0,
    kModeSpectrum = 1,
    kModeNetworkPlot = 2,
    kModeLissajous = 3,
};

constexpr int kDefaultRecordLength = 2048;

struct MeasurementSwitches {
    bool mainFrequency = true;  // MAINFREQ
    bool thd = true;            // THD
    bool thdPlusNoise = true;   // THDPN
    bool signalToNoise = true;  // SN
    bool highPass = false;      // HPF
    friend bool operator==(const MeasurementSwitches&, const MeasurementSwitches&) = default;
};

// The precision read-out beside the spectrum's own (PRECISE, FSVRMS).
struct PrecisionReadoutSettings {
    bool on = false;
    double fullScaleVrms = 0;  // the RMS volts of a full-scale sine at the input; 0: no volts
    friend bool operator==(const PrecisionReadoutSettings&,
                           const PrecisionReadoutSettings&) = default;
};

struct RuntimeState {
    int32_t mode = kModeScope;
    bool run = true;
    bool triggerEnabled = false;
    bool triggerSourceLeft = true;
    bool triggerRising = true;  // TRIGEDGE
    bool triggerRepeat = true;  // TRIGMODE: NORMAL = repeat, SINGLE = single shot
    int32_t triggerLevel = 0;   // ADC counts
    bool leftShown = true;
    bool rightShown = true;
    bool generatorOn = false;
    std::string generatorFile = "sin1k.wav";
    int32_t generatorVolume = -600;          // hundredths of a dB
    bool logAxis = false;                    // XLOG
    std::string windowFunction = "black-h";  // WINFUNC
    int32_t oversampling = 1;                // OSR
    int32_t channelDelay = 0;                // TADJ
    bool differenceUnit = true;              // DIFUNIT
    bool delayDisplay = true;                // PHSDLY: true shows the phase, false the delay
    bool adcRangeShown = false;              // ADCRNG
    MeasurementSwitches measurements;
    PrecisionReadoutSettings precision;
    // A log sweep's capture in percent while it runs, for the spectrum's notice; -1 otherwise.
    int32_t logSweepPercent = -1;
    bool averagingOn = false;      // AVEENB
    int32_t averagingLength = 50;  // MAXAVEN
    std::array<int32_t, kEngineCursorCount> cursors{};
    std::array<bool, kEngineCursorCount> cursorShown{};
    DisplayScales scales;
    int32_t sweepPoints = 18;  // WAVN, 1 ... 45
    bool slowSweep = false;    // SLOWSWEEP
    bool peakSearch = false;
};

}  // namespace velmora2
