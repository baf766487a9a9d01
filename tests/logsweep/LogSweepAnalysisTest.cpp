// The log-sweep analysis on captures made here: the generator's own sweep loop, delayed as a sound
// path would, on the left; on the right the same through the bench's device model (computed in
// the test from its definition), or through a plain delay. The figures expected come from the
// model's formula, never from the analysis.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "logsweep/LogSweepAnalysis.h"
#include "logsweep/SweepLocation.h"
#include "synthesis/LogSweepSignal.h"
#include "tests/support/BenchModel.h"
#include "tests/support/KnownSignals.h"

namespace velmora2 {
namespace {

using testing::ModelResponse;
constexpr double kPi = std::numbers::pi;
constexpr double kCounts = 32767.0;
// Harmonics are compared with the model where they stand well above the 16-bit floor of a
// harmonic's cut (about -92 dB at a few kHz, where the device has no fourth harmonic to show) and
// lie in the audio band: above it the sweep's energy per hertz falls, and the floor rises to
// -80 dB at 40 kHz.
constexpr double kHarmonicsComparedAboveDb = -80.0;
constexpr double kAudioBandHz = 20000.0;

struct Capture {
    std::vector<double> left, right;  // codes
};

// The loop as the generator plays it, `delay` frames late on both inputs; the right input is
// `device` applied to the left (full-scale units), rounded to 16 bits with dither.
Capture CaptureOf(const LogSweepPlan& plan, int64_t delay,
                  const std::function<std::vector<double>(const std::vector<double>&)>& device) {
    const int64_t frames = CaptureFramesFor(plan);
    const std::vector<int16_t> loop = RenderLogSweepLoop(plan, frames);
    std::vector<double> left(static_cast<size_t>(frames), 0.0);
    for (int64_t i = delay; i < frames; ++i) left[i] = loop[2 * (i - delay)] / kCounts;
    std::vector<double> right = device(left);
    testing::QuantiseTo16Bits(right, true, 7);
    Capture capture{std::move(left), std::move(right)};
    for (double& x : capture.left) x *= kCounts;
    for (double& x : capture.right) x *= 32768.0;
    return capture;
}

// The group delay is a phase difference over a frequency difference; with the 16-bit noise of
// both inputs it is exact to 4e-5 rad of phase across a 48th of an octave.
// (Without smoothing a point's slope spans three bins only: its delay is that noisy bin-to-bin
// slope, not compared.)
double DelayToleranceUs(double f) {
    return 0.1 + 4e-5 / (2 * kPi * f / 48) * 1e6;
}

double WrappedDegrees(double degrees) {
    return std::remainder(degrees, 360.0);
}

struct ModelCase {
    const char* name;
    int rate;
    double seconds;
    int smoothing;
};

class AgainstTheBenchModel : public ::testing::TestWithParam<ModelCase> {};

TEST_P(AgainstTheBenchModel, GainPhaseDelayAndHarmonicsFollowTheFormula) {
    const ModelCase c = GetParam();
    LogSweepPlan plan;
    plan.sampleRate = c.rate;
    plan.seconds = c.seconds;
    plan.endHz = 0.45 * c.rate;
    const DeviceUnderTest dut;
    const Capture capture = CaptureOf(plan, c.rate / 7, [&](const std::vector<double>& x) {
        return testing::ThroughBenchDevice(x, c.rate, dut);
    });
    const LogSweepOutcome outcome = AnalyseLogSweep(plan, c.smoothing, capture.left, capture.right);
    ASSERT_TRUE(outcome.result) << outcome.problem;
    const LogSweepResult& r = *outcome.result;
    // Ten octaves and more.
    ASSERT_GT(r.points.size(), 10u * (c.smoothing > 0 ? c.smoothing : 48));
    EXPECT_DOUBLE_EQ(r.points.front().frequencyHz, 20.0);

    const double amplitude = std::pow(10.0, plan.levelDbfs / 20.0);
    int harmonicsCompared = 0;
    for (size_t i = 0; i < r.points.size(); ++i) {
        const ResponsePoint& p = r.points[i];
        const double f = p.frequencyHz;
        const std::complex<double> h = ModelResponse(f, c.rate, dut);
        const double y = std::abs(h) * amplitude;
        const double compression = 1.0 + 0.75 * dut.thirdHarmonic * y * y;
        EXPECT_NEAR(p.gainDb, 20 * std::log10(std::abs(h) * compression), 0.02) << f;
        EXPECT_NEAR(WrappedDegrees(p.phaseDeg - std::arg(h) * 180 / kPi), 0.0, 0.2) << f;
        const double df = 1e-3 * f;
        const double delay = -(std::arg(ModelResponse(f + df, c.rate, dut)) -
                               std::arg(ModelResponse(f - df, c.rate, dut))) /
                             (4 * kPi * df) * 1e6;
        if (c.smoothing > 0) {
            EXPECT_NEAR(p.groupDelayUs, delay, DelayToleranceUs(f)) << f;
        }

        // c2 y^2 and c3 y^3 of a tone of amplitude y: c2 y / 2 and c3 y^2 / 4 of the fundamental.
        const double expected[] = {dut.secondHarmonic * y / 2, dut.thirdHarmonic * y * y / 4};
        for (int k = 0; k < 2; ++k) {
            const double level = r.harmonicDb[k][i];
            const double model = 20 * std::log10(expected[k] / compression);
            const double top = c.smoothing > 0 ? std::exp2(0.5 / c.smoothing) : 1.0;
            if ((k + 2) * f * top > plan.endHz) {
                EXPECT_TRUE(std::isnan(level)) << f;
            } else if (c.smoothing > 0 && model > kHarmonicsComparedAboveDb &&
                       (k + 2) * f <= kAudioBandHz) {
                EXPECT_NEAR(level, model, 1.0) << "order " << k + 2 << " at " << f;
                ++harmonicsCompared;
            }
        }
        // The device has no fourth or fifth harmonic: what is read there is the floor.
        if (c.smoothing > 0 && !std::isnan(r.harmonicDb[2][i]) && 4 * f <= kAudioBandHz) {
            EXPECT_LT(r.harmonicDb[2][i], kHarmonicsComparedAboveDb - 5) << f;
        }
    }
    // (Unsmoothed, a harmonic's level is the noisy level of one bin, not compared.)
    if (c.smoothing > 0) {
        EXPECT_GT(harmonicsCompared, 15 * c.smoothing);
    }
    // The impulse response kept is the device's: its transform at 1 kHz, from its start time.
    std::complex<double> at1k;
    for (size_t n = 0; n < r.impulse.size(); ++n) {
        const double t = r.impulseStartSeconds + static_cast<double>(n) / c.rate;
        at1k += r.impulse[n] * std::exp(std::complex<double>(0, -2 * kPi * 1000.0 * t));
    }
    const std::complex<double> h = ModelResponse(1000.0, c.rate, dut);
    EXPECT_NEAR(20 * std::log10(std::abs(at1k) / std::abs(h)), 0.0, 0.05);
    EXPECT_NEAR(std::arg(at1k / h) * 180 / kPi, 0.0, 0.5);
}

INSTANTIATE_TEST_SUITE_P(Rates, AgainstTheBenchModel,
                         ::testing::Values(ModelCase{"At48kHzSmoothed", 48000, 4.0, 48},
                                           ModelCase{"At48kHzUnsmoothed", 48000, 4.0, 0},
                                           ModelCase{"At96kHzTwelfthOctave", 96000, 2.0, 12},
                                           ModelCase{"At192kHz", 192000, 2.0, 48}),
                         [](const auto& info) { return std::string(info.param.name); });

// A right input that only lags by a few samples: flat, its phase unwrapped far beyond a turn, and
// its group delay the lag; the path's own delay before both inputs does not show.
TEST(LogSweepAnalysis, ALagOfTheRightInputIsItsGroupDelayAndThePathsDelayCancels) {
    constexpr int kRate = 48000;
    constexpr int kLag = 7;
    const LogSweepPlan plan;
    const Capture capture = CaptureOf(plan, kRate / 4, [](const std::vector<double>& x) {
        std::vector<double> late(x.size(), 0.0);
        for (size_t i = kLag; i < x.size(); ++i) late[i] = x[i - kLag];
        return late;
    });
    const LogSweepOutcome outcome = AnalyseLogSweep(plan, 48, capture.left, capture.right);
    ASSERT_TRUE(outcome.result) << outcome.problem;
    for (const ResponsePoint& p : outcome.result->points) {
        EXPECT_NEAR(p.gainDb, 0.0, 0.002) << p.frequencyHz;
        EXPECT_NEAR(p.phaseDeg, -360.0 * p.frequencyHz * kLag / kRate, 0.1) << p.frequencyHz;
        EXPECT_NEAR(p.groupDelayUs, 1e6 * kLag / kRate, DelayToleranceUs(p.frequencyHz))
            << p.frequencyHz;
    }
    EXPECT_LT(outcome.result->points.back().phaseDeg, -1000.0);
}

TEST(LogSweepAnalysis, NoSweepOrOneTooLateGivesAProblemAndNoResult) {
    const LogSweepPlan plan;
    const auto same = [](const std::vector<double>& x) { return x; };
    const struct {
        Capture capture;
        const char* problem;
    } cases[] = {
        {CaptureOf(plan, 0, [](const std::vector<double>& x) { return x; }), nullptr},
        {CaptureOf(plan, 0, same), "no sweep came back on the left input"},
        {CaptureOf(plan, 48000 * 6 / 10, same), "the sweep came back too late"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        Capture capture = cases[i].capture;
        if (i == 1) capture.left.assign(capture.left.size(), 0.0);
        const LogSweepOutcome outcome = AnalyseLogSweep(plan, 48, capture.left, capture.right);
        if (cases[i].problem == nullptr) {
            EXPECT_TRUE(outcome.result) << outcome.problem;
        } else {
            EXPECT_FALSE(outcome.result);
            EXPECT_NE(outcome.problem.find(cases[i].problem), std::string::npos) << outcome.problem;
        }
    }
}

}  // namespace
}  // namespace velmora2
