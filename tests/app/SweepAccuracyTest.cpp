// Whole network sweeps through the main window's timer on the stepped simulated bench: every
// point's gain and phase against the exact response of the bench's device model, a first-order
// discrete-time low-pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>

#include "panel/ControlIds.h"
#include "tests/app/SweepBench.h"
#include "tests/support/BenchModel.h"

namespace velmora2 {
namespace {

using Complex = std::complex<double>;
using testing::ModelResponse;

constexpr double kGainToleranceDb = 0.1;
constexpr double kPhaseToleranceDeg = 1.0;
// Points this close (in bins of the 2048-point record) to 0 or fs/2 are not compared.
constexpr double kEdgeBins = 4.0;

struct SweepCase {
    int points;
    int rate;
};

class SweepAccuracy : public testing::SweepBench,
                      public ::testing::WithParamInterface<SweepCase> {};

TEST_P(SweepAccuracy, EveryPointMatchesTheDeviceModel) {
    const auto [points, rate] = GetParam();
    SettingsRecord settings;
    settings.wavn = points;
    settings.fsample = rate;
    Start(settings);
    window->OnCommand(ctl::kModeNetwork);
    ASSERT_EQ(TickUntilStopped(100), points + 1);

    const SweepResults results = window->MainEngine()->Sweep();
    ASSERT_EQ(results.table.count, points);
    const double bin = rate / 2048.0;
    double worstGain = 0.0;
    double worstPhase = 0.0;
    int compared = 0;
    std::printf("%2s %8s %9s %9s %8s %9s %9s %8s\n", "i", "Hz", "gain dB", "model", "error",
                "lag deg", "model", "error");
    for (int i = 0; i < points; ++i) {
        const double f = results.table.frequency[i];
        ASSERT_TRUE(results.measured[i]) << "point " << i << " at " << f << " Hz";
        const Complex h = ModelResponse(f, rate);
        const double modelGain = 20.0 * std::log10(std::abs(h));
        const double modelLag = -std::arg(h) * 180.0 / std::numbers::pi;
        const double gain = results.gain[i];
        const double lag = results.phase[i] * 180.0 / std::numbers::pi;
        const bool inside = f >= kEdgeBins * bin && f <= rate / 2.0 - kEdgeBins * bin;
        std::printf("%2d %8.0f %9.4f %9.4f %8.4f %9.4f %9.4f %8.4f%s\n", i, f, gain, modelGain,
                    gain - modelGain, lag, modelLag, lag - modelLag, inside ? "" : "  (edge)");
        if (!inside) continue;
        ++compared;
        EXPECT_NEAR(gain, modelGain, kGainToleranceDb) << f << " Hz";
        EXPECT_NEAR(lag, modelLag, kPhaseToleranceDeg) << f << " Hz";
        worstGain = std::max(worstGain, std::abs(gain - modelGain));
        worstPhase = std::max(worstPhase, std::abs(lag - modelLag));
    }
    std::printf("%d points compared; worst gain error %.4f dB, worst phase error %.4f deg\n",
                compared, worstGain, worstPhase);
    EXPECT_GT(compared, points / 2);
}

INSTANTIATE_TEST_SUITE_P(Bench, SweepAccuracy,
                         ::testing::Values(SweepCase{18, 48000}, SweepCase{45, 48000},
                                           SweepCase{18, 96000}, SweepCase{18, 192000}),
                         [](const auto& info) {
                             return std::to_string(info.param.points) + "points" +
                                    std::to_string(info.param.rate);
                         });

}  // namespace
}  // namespace velmora2
