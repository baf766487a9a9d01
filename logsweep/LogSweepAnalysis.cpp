#include "logsweep/LogSweepAnalysis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <numbers>

#include "analysis/Fft.h"
#include "logsweep/Deconvolution.h"
#include "logsweep/OctaveBands.h"
#include "logsweep/SweepLocation.h"

namespace velmora2 {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The impulse response kept: from this long before time 0 to halfway to the second harmonic, at
// most kLongestImpulseSeconds.
constexpr double kImpulseLeadSeconds = 0.01;
constexpr double kLongestImpulseSeconds = 1.0;
// Where the band's taper is above this, it is divided out of the fundamental's spectrum.
constexpr double kTaperTakenOutAbove = 1e-3;
// The highest harmonic whose part is kept out of the fundamental's.
constexpr int kHighestSeparatedOrder = 1 + kHarmonicOrders;

// Where each order's part of the impulse response lies: order k at -L ln k (the fundamental, order
// 1, at 0), from halfway to the next order to halfway to the previous one, in frames.
struct Cut {
    int64_t begin, end, centre;
};
class HarmonicCuts {
public:
    HarmonicCuts(const LogSweepPlan& plan, int points)
        : rate_(plan.sampleRate), rateSeconds_(ShapeOf(plan).rateSeconds), points_(points) {}

    // The fundamental's part reaches forward to halfway round the record, or to where the
    // highest separated harmonic's part begins when that is nearer.
    Cut Fundamental() const {
        const int64_t highest = points_ - Frames(Midway(kHighestSeparatedOrder));
        return {-Frames(Midway(1)), highest, 0};
    }
    // Nothing when the part would reach round to the settling fundamental.
    std::optional<Cut> Harmonic(int order) const {
        const int64_t begin = -Frames(Midway(order));
        if (-begin + Frames(kSettlingSeconds) >= points_) return std::nullopt;
        return Cut{begin, -Frames(Midway(order - 1)), -Frames(Lead(order))};
    }

private:
    double Lead(int order) const { return order <= 1 ? 0.0 : rateSeconds_ * std::log(order); }
    // Halfway between the parts of `order` and `order + 1`.
    double Midway(int order) const { return 0.5 * (Lead(order) + Lead(order + 1)); }
    int64_t Frames(double seconds) const { return std::llround(seconds * rate_); }

    double rate_;
    double rateSeconds_;
    int64_t points_;
};

// The least-squares slope of the phase over the bins from .. to, in radians per hertz.
template <typename PhaseAt>
double PhaseSlope(const PhaseAt& phaseAt, int from, int to, double binHz) {
    const double middle = 0.5 * (from + to);
    double moment = 0.0, spread = 0.0;
    for (int k = from; k <= to; ++k) {
        moment += (k - middle) * phaseAt(k);
        spread += (k - middle) * (k - middle);
    }
    return moment / spread / binHz;
}

// Gain, unwrapped phase and group delay at each point, from the fundamental's spectrum.
std::vector<ResponsePoint> Smooth(std::span<const std::complex<double>> fundamental, double binHz,
                                  const LogSweepPlan& plan, int smoothing) {
    const std::vector<double> frequencies = PointFrequencies(plan, smoothing);
    const int lastBin = static_cast<int>(fundamental.size()) - 2;
    // The phase is unwrapped over every bin the points reach, and one bin more each side for the
    // group delay's slope.
    const int first =
        std::max(1, BinsAround(frequencies.front(), smoothing, binHz, lastBin).first - 1);
    const int last =
        std::min(lastBin + 1, BinsAround(frequencies.back(), smoothing, binHz, lastBin).last + 1);
    const std::vector<double> phase = UnwrappedPhase(fundamental, first, last);
    const auto phaseAt = [&](int k) { return phase[static_cast<size_t>(k - first)]; };

    std::vector<ResponsePoint> points;
    points.reserve(frequencies.size());
    for (const double f : frequencies) {
        const BinRange bins = BinsAround(f, smoothing, binHz, lastBin);
        double phaseSum = 0.0;
        for (int k = bins.first; k <= bins.last; ++k) phaseSum += phaseAt(k);
        const double slope = PhaseSlope(phaseAt, std::max(first, bins.first - 1),
                                        std::min(last, bins.last + 1), binHz);
        ResponsePoint p;
        p.frequencyHz = f;
        p.gainDb = 10.0 * std::log10(MeanPower(fundamental, bins));
        p.phaseDeg = phaseSum / (bins.last - bins.first + 1) * 180.0 / kPi;
        p.groupDelayUs = -slope / (2.0 * kPi) * 1e6;
        points.push_back(p);
    }
    return points;
}

// The level of harmonic `order` against the fundamental at each point: the harmonic's part at
// order times the point's frequency over the fundamental's at the point.
std::vector<double> HarmonicLevels(const Deconvolved& d, const HarmonicCuts& cuts,
                                   std::span<const std::complex<double>> fundamental,
                                   const LogSweepPlan& plan, int smoothing,
                                   const std::vector<ResponsePoint>& points, int order) {
    std::vector<double> levels(points.size(), kNaN);
    const std::optional<Cut> cut = cuts.Harmonic(order);
    if (!cut) return levels;
    const std::vector<std::complex<double>> harmonic =
        SpectrumOfCut(d, cut->begin, cut->end, cut->centre);
    const int lastBin = d.points / 2 - 1;
    const double limit = std::min(plan.endHz, kMaxLogSweepRateShare * plan.sampleRate);
    const double top = smoothing > 0 ? std::exp2(0.5 / smoothing) : 1.0;
    for (size_t i = 0; i < points.size(); ++i) {
        const double f = points[i].frequencyHz;
        if (order * f * top > limit) break;
        const double product =
            MeanPower(harmonic, BinsAround(order * f, smoothing, d.binHz, lastBin));
        const double base = MeanPower(fundamental, BinsAround(f, smoothing, d.binHz, lastBin));
        levels[i] = 10.0 * std::log10(product / base);
    }
    return levels;
}

// The fundamental's impulse response, band-limited by the taper's magnitude alone (so that it
// shows the device's phase, not the taper's).
std::vector<double> ImpulseKept(std::span<const std::complex<double>> fundamental,
                                const Deconvolved& d, const LogSweepPlan& plan) {
    std::vector<std::complex<double>> limited(fundamental.begin(), fundamental.end());
    for (size_t k = 0; k < limited.size(); ++k) limited[k] *= std::abs(d.taper[k]);
    const std::vector<double> impulse = RealSignalOf(limited);
    const double rate = plan.sampleRate;
    const double afterSeconds =
        std::min(kLongestImpulseSeconds, ShapeOf(plan).rateSeconds * std::log(2.0) / 2.0);
    const int64_t begin = -std::llround(kImpulseLeadSeconds * rate);
    const int64_t end = std::llround(afterSeconds * rate);
    const auto n = static_cast<int64_t>(impulse.size());
    std::vector<double> kept;
    kept.reserve(static_cast<size_t>(end - begin));
    for (int64_t i = begin; i < end; ++i) kept.push_back(impulse[static_cast<size_t>((i + n) % n)]);
    return kept;
}

}  // namespace

LogSweepOutcome AnalyseLogSweep(const LogSweepPlan& plan, int smoothing,
                                std::span<const double> left, std::span<const double> right) {
    LogSweepOutcome outcome;
    if (const char* problem = LogSweepProblem(plan)) {
        outcome.problem = problem;
        return outcome;
    }
    if (!IsSmoothingChoice(smoothing)) {
        outcome.problem = "the smoothing is none or 1/6, 1/12, 1/24 or 1/48 octave";
        return outcome;
    }
    const std::optional<CaptureSpan> span = LocateSweep(left, plan, outcome.problem);
    if (!span) return outcome;
    const size_t begin = static_cast<size_t>(span->begin);
    const size_t frames = static_cast<size_t>(span->end - span->begin);
    try {
        const Deconvolved d =
            Deconvolve(left.subspan(begin, frames), right.subspan(begin, frames), plan);
        LogSweepResult result;
        result.sampleRate = plan.sampleRate;
        result.smoothing = smoothing;
        const HarmonicCuts cuts(plan, d.points);
        const Cut linear = cuts.Fundamental();
        // The band's taper taken out again: within the band it changes only the phase.
        std::vector<std::complex<double>> fundamental =
            SpectrumOfCut(d, linear.begin, linear.end, linear.centre);
        for (size_t k = 0; k < fundamental.size(); ++k)
            if (std::abs(d.taper[k]) > kTaperTakenOutAbove) fundamental[k] /= d.taper[k];
        result.points = Smooth(fundamental, d.binHz, plan, smoothing);
        for (int order = 2; order < 2 + kHarmonicOrders; ++order)
            result.harmonicDb[order - 2] =
                HarmonicLevels(d, cuts, fundamental, plan, smoothing, result.points, order);
        result.impulse = ImpulseKept(fundamental, d, plan);
        result.impulseStartSeconds = -kImpulseLeadSeconds;
        outcome.result = std::move(result);
    } catch (const std::bad_alloc&) {
        outcome.problem = "not enough memory for the sweep's transforms";
    }
    return outcome;
}

}  // namespace velmora2
