#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "analysis/Oversampling.h"
#include "tests/analysis/SameBits.h"

namespace velmora2 {
namespace {

using testing::SameBits;

constexpr int kLength = kOversampledLength;

std::span<const double> Taps(int factor) {
    return SelectOversampling(factor)->taps;
}

struct Oversampled {
    std::vector<double> stuffed = std::vector<double>(kLength);
    std::vector<double> display = std::vector<double>(kLength);
};

Oversampled Oversample(const std::vector<double>& raw, int factor) {
    Oversampled out;
    EXPECT_TRUE(OversampleForDisplay(raw.data(), factor, out.stuffed.data(), out.display.data()));
    return out;
}

// The filter sum written out plainly: every tap against every stuffed value, zeros included,
// in tap order; R = 1 ends with a plain copy.
std::vector<double> ReferenceFilter(const std::vector<double>& stuffed, int factor) {
    if (factor == 1) return stuffed;
    const std::span<const double> h = Taps(factor);
    const int taps = static_cast<int>(h.size());
    std::vector<double> out(kLength);
    for (int k = 0; k < kLength; ++k) {
        double sum = 0.0;
        for (int j = 0; j < taps; ++j) {
            const double s = k - j >= 0 ? stuffed[k - j] : 0.0;
            sum += factor * h[j] * s;
        }
        out[k] = sum;
    }
    return out;
}

// --- ratio selection -------------------------------------------------------------------------

struct RatioRow {
    int factor;
    int taps;
    int triggerOffset;
};

TEST(OversamplingRatio, EachRatioBringsItsOwnFilterLengthAndTriggerOffset) {
    for (const RatioRow& row : {RatioRow{1, 0, 0}, RatioRow{2, 50, 25}, RatioRow{4, 93, 46}}) {
        SCOPED_TRACE(row.factor);
        ASSERT_NE(SelectOversampling(row.factor), nullptr);
        EXPECT_EQ(SelectOversampling(row.factor)->factor, row.factor);
        EXPECT_EQ(FilterLength(row.factor), row.taps);
        EXPECT_EQ(Taps(row.factor).size(), static_cast<std::size_t>(row.taps));
        EXPECT_EQ(TriggerStartOffset(row.factor), row.triggerOffset);
    }
}

TEST(OversamplingRatio, OtherRatiosAreRefusedAndLeaveTheBuffersAlone) {
    const std::vector<double> raw(kLength, 1000.0);
    for (int factor : {0, -1, -2, 3, 8, 2048}) {
        SCOPED_TRACE(factor);
        EXPECT_EQ(SelectOversampling(factor), nullptr);
        EXPECT_EQ(FilterLength(factor), 0);
        EXPECT_EQ(TriggerStartOffset(factor), 0);
        std::vector<double> stuffed(kLength, -7.0);
        std::vector<double> display(kLength, -9.0);
        EXPECT_FALSE(OversampleForDisplay(raw.data(), factor, stuffed.data(), display.data()));
        EXPECT_FALSE(InterpolationFilter(raw.data(), factor, display.data()));
        EXPECT_TRUE(SameBits(stuffed, std::vector<double>(kLength, -7.0)));
        EXPECT_TRUE(SameBits(display, std::vector<double>(kLength, -9.0)));
    }
}

// --- coefficient tables ----------------------------------------------------------------------

struct TableRow {
    int factor;
    int taps;
    double first;
    double centre;  // the last value of the printed half
};

TEST(OversamplingTaps, TablesAreSymmetricAroundThePrintedHalf) {
    for (const TableRow& row : {
             TableRow{2, 50, 0.000216154, 0.43357993},
             TableRow{4, 93, 0.0000221955, 0.239983374},
         }) {
        SCOPED_TRACE(row.factor);
        const std::span<const double> h = Taps(row.factor);
        ASSERT_EQ(h.size(), static_cast<std::size_t>(row.taps));
        EXPECT_EQ(h.front(), row.first);
        EXPECT_EQ(h.back(), row.first);
        EXPECT_EQ(h[(row.taps - 1) / 2], row.centre);
        EXPECT_EQ(h[row.taps / 2], row.centre);
        for (int j = 0; j < row.taps; ++j) EXPECT_EQ(h[j], h[row.taps - 1 - j]) << j;
    }
}

// --- what reaches the display ----------------------------------------------------------------

TEST(OversamplingDisplay, RatioOneShowsTheFirst2048RawSamplesUnchanged) {
    std::vector<double> raw(2 * kLength);
    for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<double>(i) * 3.25 - 5000.0;
    const Oversampled out = Oversample(raw, 1);
    const std::vector<double> first(raw.begin(), raw.begin() + kLength);
    EXPECT_TRUE(SameBits(out.stuffed, first));
    EXPECT_TRUE(SameBits(out.display, first));
}

// The engine reuses its stuffed buffers from block to block, also across a change of ratio.
TEST(OversamplingDisplay, StuffedBufferSpreadsTheRawSamplesWithZerosBetween) {
    std::vector<double> raw(kLength);
    for (int i = 0; i < kLength; ++i) raw[i] = i + 1.0;
    for (int factor : {2, 4}) {
        SCOPED_TRACE(factor);
        std::vector<double> stuffed(kLength, 555.0);
        ASSERT_TRUE(StuffZeros(raw.data(), factor, stuffed.data()));
        for (int k = 0; k < kLength; ++k) {
            EXPECT_EQ(stuffed[k], k % factor == 0 ? raw[k / factor] : 0.0) << k;
        }
    }
}

TEST(OversamplingDisplay, OnlyTheFirst2048OverRRawSamplesReachTheDisplay) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> counts(-32768.0, 32767.0);
    for (int factor : {1, 2, 4}) {
        SCOPED_TRACE(factor);
        const int used = kLength / factor;
        std::vector<double> raw(kLength);
        for (double& v : raw) v = counts(random);
        const Oversampled before = Oversample(raw, factor);

        std::vector<double> changedAfter = raw;
        for (int i = used; i < kLength; ++i) changedAfter[i] = counts(random);
        const Oversampled after = Oversample(changedAfter, factor);
        EXPECT_TRUE(SameBits(after.stuffed, before.stuffed));
        EXPECT_TRUE(SameBits(after.display, before.display));

        std::vector<double> changedLastUsed = raw;
        changedLastUsed[used - 1] += 100.0;
        EXPECT_FALSE(SameBits(Oversample(changedLastUsed, factor).display, before.display));
    }
}

struct SteadyRow {
    int factor;
    double gain;
    double tolerance;
};

// Once the filter spans T stuffed samples (output T-1 on), a constant input c comes out as c
// times the filter's DC gain: 2 * 0.5021822 at 2x, within 0.6 % of unity at 4x.
TEST(OversamplingDisplay, ConstantInputSettlesAtTheFilterGainOnceTheFilterIsFull) {
    for (const SteadyRow& row : {SteadyRow{2, 2 * 0.5021822, 1e-7}, SteadyRow{4, 1.0, 6e-3}}) {
        const int taps = FilterLength(row.factor);
        for (double c : {1000.0, -32768.0, 32767.0}) {
            SCOPED_TRACE(::testing::Message() << "R " << row.factor << " c " << c);
            const Oversampled out = Oversample(std::vector<double>(kLength, c), row.factor);
            for (int k = taps - 1; k < kLength; ++k) {
                EXPECT_NEAR(out.display[k], row.gain * c, row.tolerance * std::abs(c)) << k;
            }
        }
    }
}

// A single raw sample comes out as R times the whole symmetric table, starting at its own
// stuffed position: the filter is causal and lags by about T/2. At the start of the buffer the
// filter is not full yet, so output k holds only taps 0 .. k (output 0 is R * h[0] * raw[0]).
TEST(OversamplingDisplay, ImpulseComesOutAsTheScaledTapTableFromItsStuffedPosition) {
    for (int factor : {2, 4}) {
        for (int at : {0, 3}) {
            SCOPED_TRACE(::testing::Message() << "R " << factor << " impulse at " << at);
            const std::span<const double> h = Taps(factor);
            std::vector<double> raw(kLength, 0.0);
            raw[at] = 1.0;
            const Oversampled out = Oversample(raw, factor);
            const int start = at * factor;
            for (int k = 0; k < kLength; ++k) {
                const int j = k - start;
                const bool inside = j >= 0 && j < static_cast<int>(h.size());
                EXPECT_EQ(out.display[k], inside ? factor * h[j] : 0.0) << k;
            }
        }
    }
}

// --- agreement with the literal sum ----------------------------------------------------------

template <typename Distribution>
std::vector<double> RandomSamples(std::mt19937& random, Distribution values) {
    std::vector<double> raw(kLength);
    for (double& v : raw) v = values(random);
    return raw;
}

std::vector<double> Sine(double cyclesPerSample, double amplitude) {
    std::vector<double> raw(kLength);
    for (int i = 0; i < kLength; ++i) {
        raw[i] = std::round(amplitude * std::sin(2.0 * std::numbers::pi * cyclesPerSample * i));
    }
    return raw;
}

TEST(OversamplingDisplay, OutputIsBitIdenticalToTheLiteralFilterSum) {
    std::mt19937 random(2024);
    const std::uniform_int_distribution<int> counts(-32768, 32767);
    const std::uniform_real_distribution<double> reals(-1e5, 1e5);
    const std::vector<std::vector<double>> inputs = {
        RandomSamples(random, counts), RandomSamples(random, counts),
        RandomSamples(random, reals),  Sine(1000.0 / 48000.0, 30000.0),
        Sine(0.49, 32767.0),           Sine(0.013, 12.0),
    };
    for (int factor : {1, 2, 4}) {
        for (std::size_t n = 0; n < inputs.size(); ++n) {
            SCOPED_TRACE(::testing::Message() << "R " << factor << " input " << n);
            const Oversampled out = Oversample(inputs[n], factor);
            EXPECT_TRUE(SameBits(out.display, ReferenceFilter(out.stuffed, factor)));
        }
    }
}

}  // namespace
}  // namespace velmora2
