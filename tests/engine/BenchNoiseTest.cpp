// The simulated device's noise floor: the RMS it is given, no offset, a flat spectrum (no
// correlation from one sample to the next), tails within 3.5 times the RMS, and the same
// sequence on every run.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/sim/BenchNoise.h"

namespace velmora2 {
namespace {

TEST(BenchNoise, HasItsRmsNoOffsetAndNoCorrelationBetweenSamples) {
    for (const double rms : {1.0e-5, 0.25}) {
        SCOPED_TRACE(rms);
        BenchNoise noise(rms);
        constexpr int kSamples = 1 << 20;
        std::vector<double> x(kSamples);
        for (double& value : x) value = noise.Next();
        double sum = 0.0, squares = 0.0, lagged = 0.0, largest = 0.0;
        for (int i = 0; i < kSamples; ++i) {
            sum += x[i];
            squares += x[i] * x[i];
            if (i > 0) lagged += x[i] * x[i - 1];
            largest = std::max(largest, std::abs(x[i]));
        }
        const double measuredRms = std::sqrt(squares / kSamples);
        EXPECT_NEAR(measuredRms / rms, 1.0, 0.005);
        // The mean of 2^20 samples scatters by rms / 1024.
        EXPECT_LT(std::abs(sum / kSamples), 4.0 * rms / 1024.0);
        EXPECT_LT(std::abs(lagged / squares), 4.0 / 1024.0);
        EXPECT_LE(largest, std::sqrt(12.0) * rms);
        EXPECT_GT(largest, 3.0 * rms);
    }
}

TEST(BenchNoise, IsTheSameSequenceOnEveryRun) {
    BenchNoise first(1.0e-5);
    BenchNoise second(1.0e-5);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(first.Next(), second.Next());
}

}  // namespace
}  // namespace velmora2
