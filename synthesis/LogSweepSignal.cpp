#include "synthesis/LogSweepSignal.h"

#include <cmath>
#include <numbers>

#include "synthesis/SignalSource.h"

namespace velmora2 {

namespace {

constexpr double kLeadSeconds = 0.15;
constexpr double kOctavesBelowBand = 1.0;
constexpr double kOctavesAboveBand = 1.0 / 12.0;
// The played sweep never reaches closer to half the rate than this.
constexpr double kMaxPlayedRateShare = 0.48;

// A raised cosine rising from 0 at x = 0 to 1 at x = 1.
double RaisedCosine(double x) {
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

}  // namespace

const char* LogSweepProblem(const LogSweepPlan& plan) {
    if (!(plan.seconds >= kMinLogSweepSeconds && plan.seconds <= kMaxLogSweepSeconds))
        return "the sweep's length is outside 1 .. 20 s";
    if (plan.sampleRate <= 0) return "the sample rate is not positive";
    if (!(plan.startHz >= kMinLogSweepHz && plan.endHz <= kMaxLogSweepRateShare * plan.sampleRate))
        return "the band is outside 10 Hz .. 0.45 of the sample rate";
    if (!(plan.endHz >= 2.0 * plan.startHz)) return "the band is narrower than an octave";
    if (!(plan.levelDbfs >= -120.0 && plan.levelDbfs <= 0.0))
        return "the level is outside -120 .. 0 dBFS";
    return nullptr;
}

LogSweepShape ShapeOf(const LogSweepPlan& plan) {
    LogSweepShape shape;
    const double rate = plan.sampleRate;
    shape.playedStartHz = plan.startHz * std::exp2(-kOctavesBelowBand);
    shape.playedEndHz =
        std::min(plan.endHz * std::exp2(kOctavesAboveBand), kMaxPlayedRateShare * rate);
    shape.rateSeconds = plan.seconds / std::log(shape.playedEndHz / shape.playedStartHz);
    shape.leadFrames = std::llround(kLeadSeconds * rate);
    shape.sweepFrames = std::llround(plan.seconds * rate);
    shape.fadeInFrames =
        std::llround(shape.rateSeconds * std::log(plan.startHz / shape.playedStartHz) * rate);
    shape.fadeOutFrames =
        std::llround(shape.rateSeconds * std::log(shape.playedEndHz / plan.endHz) * rate);
    return shape;
}

double LogSweepSample(const LogSweepPlan& plan, const LogSweepShape& shape, int64_t frame) {
    const double t = static_cast<double>(frame) / plan.sampleRate;
    const double L = shape.rateSeconds;
    const double phase = 2.0 * std::numbers::pi * shape.playedStartHz * L * std::expm1(t / L);
    double envelope = 1.0;
    if (frame < shape.fadeInFrames)
        envelope = RaisedCosine(static_cast<double>(frame) / shape.fadeInFrames);
    const int64_t fromEnd = shape.sweepFrames - 1 - frame;
    if (fromEnd < shape.fadeOutFrames)
        envelope *= RaisedCosine(static_cast<double>(fromEnd) / shape.fadeOutFrames);
    return std::pow(10.0, plan.levelDbfs / 20.0) * envelope * std::sin(phase);
}

std::vector<int16_t> RenderLogSweepLoop(const LogSweepPlan& plan, int64_t trailingFrames) {
    const LogSweepShape shape = ShapeOf(plan);
    const int64_t frames = shape.leadFrames + shape.sweepFrames + trailingFrames;
    std::vector<int16_t> samples(static_cast<size_t>(2 * frames));
    SampleQuantizer left(plan.dither, 1);
    SampleQuantizer right(plan.dither, 2);
    for (int64_t i = 0; i < frames; ++i) {
        const int64_t frame = i - shape.leadFrames;
        const double x =
            frame >= 0 && frame < shape.sweepFrames ? LogSweepSample(plan, shape, frame) : 0.0;
        samples[2 * i] = left(x);
        samples[2 * i + 1] = right(x);
    }
    return samples;
}

}  // namespace velmora2
