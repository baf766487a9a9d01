// A log sweep's result as files: its smoothed points as CSV, in the stepped sweep's columns (and
// the harmonics' on request), and its impulse response as a WAV file.
#pragma once

#include <string>
#include <vector>

#include "dataexport/DataCsv.h"
#include "logsweep/LogSweepResult.h"

namespace velmora2 {

// Each point in the chart's units: the phase wrapped to a turn (negative when the right input
// lags), the phase delay from the unwrapped phase, the group delay as measured.
std::vector<NetworkRow> NetworkRows(const LogSweepResult& result);

// "frequency_Hz,gain_dB,phase_deg,phase_delay_us,group_delay_us", with harmonics
// ",h2_dB,h3_dB,h4_dB,h5_dB" (each against the fundamental; nan beyond the band).
std::string LogSweepCsv(const LogSweepResult& result, bool harmonics);

// The impulse response as the bytes of a mono 32-bit float WAV file at the sweep's rate, its
// first sample impulseStartSeconds before time 0.
std::string ImpulseWav(const LogSweepResult& result);

}  // namespace velmora2
