#include "logsweep/SweepLocation.h"

#include <algorithm>
#include <cmath>

namespace velmora2 {

namespace {

// The sweep's first sample above this share of the input's peak marks its start.
constexpr double kOnsetShare = 0.1;
// Where a raised-cosine fade reaches that share, as a part of the fade.
const double kOnsetInFade = std::acos(1.0 - 2.0 * kOnsetShare) / 3.14159265358979323846;
// Analysed before the sweep's start; less than the loop's lead silence, so nothing played before
// the sweep is ever in the span.
constexpr double kBeforeSweepSeconds = 0.05;
// Below this peak (in counts) nothing came back.
constexpr double kLeastPeak = 64.0;

}  // namespace

int64_t CaptureFramesFor(const LogSweepPlan& plan) {
    const LogSweepShape shape = ShapeOf(plan);
    return shape.leadFrames + shape.sweepFrames +
           std::llround((kSettlingSeconds + kLongestPathDelaySeconds) * plan.sampleRate);
}

std::optional<CaptureSpan> LocateSweep(std::span<const double> left, const LogSweepPlan& plan,
                                       std::string& problem) {
    double peak = 0.0;
    for (const double x : left) peak = std::max(peak, std::abs(x));
    if (peak < kLeastPeak) {
        problem = "no sweep came back on the left input";
        return std::nullopt;
    }
    const auto onset = std::find_if(left.begin(), left.end(),
                                    [&](double x) { return std::abs(x) >= kOnsetShare * peak; });
    const LogSweepShape shape = ShapeOf(plan);
    const int64_t start = (onset - left.begin()) - std::llround(kOnsetInFade * shape.fadeInFrames);
    CaptureSpan span;
    span.begin = std::max<int64_t>(0, start - std::llround(kBeforeSweepSeconds * plan.sampleRate));
    span.end = start + shape.sweepFrames + std::llround(kSettlingSeconds * plan.sampleRate);
    if (span.end > static_cast<int64_t>(left.size())) {
        problem =
            "the sweep came back too late to be captured whole (the sound path delays it by "
            "more than 0.5 s)";
        return std::nullopt;
    }
    return span;
}

}  // namespace velmora2
