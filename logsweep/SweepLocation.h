// Where the sweep lies in what the left input captured: the server's delay is not known, so the
// capture lasts longer than the sweep and the sweep is found by its level.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "synthesis/LogSweepSignal.h"

namespace velmora2 {

struct CaptureSpan {
    int64_t begin = 0;  // first frame analysed: shortly before the sweep
    int64_t end = 0;    // one past the last: the sweep, and time for the device to settle
};

// How much longer than the loop's lead silence and the sweep the capture must last for the
// sweep's end to be found: the time the device needs to settle after it and the longest delay
// of the sound path that is allowed.
inline constexpr double kSettlingSeconds = 0.2;
inline constexpr double kLongestPathDelaySeconds = 0.5;
int64_t CaptureFramesFor(const LogSweepPlan& plan);

// The span to analyse, or nothing with `problem` set: no sweep came back, or it came back too late
// to be captured whole.
std::optional<CaptureSpan> LocateSweep(std::span<const double> left, const LogSweepPlan& plan,
                                       std::string& problem);

}  // namespace velmora2
