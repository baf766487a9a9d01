// The log-sweep measurement from the two captured inputs: the sweep found in the left, the right's
// transfer function against it, smoothed to points a fraction of an octave apart (gain, unwrapped
// phase, group delay), the impulse response, and the harmonics separated in time: the harmonic of
// order k comes L ln k ahead of the fundamental and is cut out of the impulse response there.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "logsweep/LogSweepResult.h"
#include "synthesis/LogSweepSignal.h"

namespace velmora2 {

struct LogSweepOutcome {
    std::optional<LogSweepResult> result;
    std::string problem;  // why there is no result
};

// `left` and `right` hold the captured codes of both inputs, as long as CaptureFramesFor(plan).
LogSweepOutcome AnalyseLogSweep(const LogSweepPlan& plan, int smoothing,
                                std::span<const double> left, std::span<const double> right);

}  // namespace velmora2
