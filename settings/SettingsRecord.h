// The persistent settings: one field per key of the settings file, in file order, with their
// defaults. CAL, SPECCAL, GRNG, DRNG, PRNG and GOFT live in the main window's DisplayScales
// record, because they travel to the engine with the scales.
#pragma once

#include <cstdint>
#include <string>

#include "records/DisplayScales.h"
#include "records/GeneratorSignal.h"
#include "records/RuntimeState.h"

namespace velmora2 {

// The network measurement's method: the stepped sweep, or the log sweep with its length, band (its
// end limited to 0.45 of the rate when it runs) and smoothing.
struct NetworkMethodSettings {
    bool logSweep = false;
    double seconds = 4.0;
    double startHz = 20.0;
    double endHz = 20000.0;
    int32_t smoothing = 48;  // points per octave averaged over; 0 for none
    friend bool operator==(const NetworkMethodSettings&, const NetworkMethodSettings&) = default;
};

struct SettingsRecord {
    // CAL: scales.cal
    int32_t osr = 1;                  // OSR
    bool difunitSec = true;           // DIFUNIT: SEC / HZ
    bool trigEdgeRising = true;       // TRIGEDGE: RISING / FALLING
    bool trigModeNormal = true;       // TRIGMODE: NORMAL / SINGLE
    int32_t tadj = 0;                 // TADJ
    bool adcRange = false;            // ADCRNG: ENABLE / DISABLE
    int32_t fftn = 2048;              // FFTN
    bool xlog = false;                // XLOG: LOG / LINEAR
    std::string winfunc = "black-h";  // WINFUNC
    bool mainFreq = true;             // MAINFREQ
    bool thd = true;                  // THD
    bool thdpn = true;                // THDPN
    bool sn = true;                   // SN
    bool hpf = false;                 // HPF
    // SPECCAL: scales.specCal
    bool phaseDisplay = true;  // PHSDLY: PHASE / DELAY
    // GRNG, DRNG, PRNG, GOFT: scales.gainRange, delayRange, phaseRange, gainOffset
    std::string playwav = "sin1k.wav";  // PLAYWAV
    int32_t device = 0;                 // DEVICE
    int32_t fsample = 48000;            // FSAMPLE: the configured rate
    double maxrec = 30.0;               // MAXREC, seconds
    bool aveenb = false;                // AVEENB
    int32_t maxaven = 50;               // MAXAVEN
    int32_t wavn = 18;                  // WAVN
    bool slowSweep = false;             // SLOWSWEEP
    // GENSOURCE, GENFREQ, GENLEVEL, GENPHASE, GENFREQ2, GENRATIO, GENCHANNELS, GENDITHER: what
    // the generator plays; a WAV file (PLAYWAV) unless another source is chosen.
    GeneratorSignal generator;
    // PRECISE, FSVRMS: the precision read-out of the spectrum and the input's full-scale volts.
    PrecisionReadoutSettings precision;
    // NETMETHOD, LOGSECONDS, LOGSTART, LOGEND, LOGSMOOTH: how network analysis measures.
    NetworkMethodSettings network;

    DisplayScales scales;  // the six settings kept with the scales, and the scales

    // Next to the record.
    int32_t activeSampleRate = 48000;  // the rate the running engine was created with
    int32_t sweepPeriodMs = 500;       // 500, or 2000 with SLOWSWEEP
    std::string settingsStatus = "NoErr";
    int32_t deviceMaxRate = 48000;
};

}  // namespace velmora2
