// Reducing each run of bins to its peak before converting must draw exactly the vertices that
// converting and adding every bin in turn draws, whatever the magnitudes and scale settings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <vector>

#include "display/DrawCallLog.h"
#include "display/SpectrumViewTrace.h"

namespace velmora2 {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Magnitudes spread over many decades, with the awkward values mixed in: zeros, NaN, infinity,
// negative values, exact repeats and neighbours one unit in the last place apart.
std::vector<double> AwkwardMagnitudes(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> exponent(-3.0, 12.0);
    std::uniform_int_distribution<int> pick(0, 19);
    std::vector<double> magnitudes;
    for (int k = 0; k < count; ++k) {
        const int kind = pick(random);
        if (kind == 0)
            magnitudes.push_back(0.0);
        else if (kind == 1)
            magnitudes.push_back(kNaN);
        else if (kind == 2 && k % 7 == 0)
            magnitudes.push_back(kInf);
        else if (kind == 3)
            magnitudes.push_back(-1.0);
        else if (kind == 4 && !magnitudes.empty())
            magnitudes.push_back(magnitudes.back());
        else if (kind == 5 && !magnitudes.empty())
            magnitudes.push_back(std::nextafter(magnitudes.back(), kInf));
        else
            magnitudes.push_back(std::pow(10.0, exponent(random)));
    }
    return magnitudes;
}

// The plain form: every bin's value goes through the decimator.
std::vector<DrawCall> PerBinTrace(const SpectrumLevelScale& scale,
                                  const std::vector<double>& magnitudes, double pixelsPerBin) {
    DrawCallLog surface(481, 361, Rgb{});
    PeakDecimator trace(surface, 0, 30);
    for (size_t k = 0; k < magnitudes.size(); ++k)
        trace.Add(scale.Value(magnitudes[k]), static_cast<double>(k) * pixelsPerBin);
    return surface.Calls();
}

std::vector<DrawCall> RunPeakTrace(const SpectrumLevelScale& scale,
                                   const std::vector<double>& magnitudes, double pixelsPerBin) {
    DrawCallLog surface(481, 361, Rgb{});
    PeakDecimator trace(surface, 0, 30);
    AddBins(trace, scale, magnitudes, 0, static_cast<int64_t>(magnitudes.size()) - 1,
            [&](int64_t k) { return static_cast<double>(k) * pixelsPerBin; });
    return surface.Calls();
}

std::vector<Point> Vertices(const std::vector<DrawCall>& calls) {
    std::vector<Point> vertices;
    for (const DrawCall& call : calls)
        if (call.kind == DrawCall::Kind::MoveTo || call.kind == DrawCall::Kind::LineTo)
            vertices.push_back(call.points.front());
    return vertices;
}

struct ScaleCase {
    double dbRange;
    int32_t fftSize;
    double specCal;
    int32_t position;
};

const ScaleCase kScales[] = {
    {-120.0, 65536, 0.0, 0},  {-120.0, 2048, 7.25, -40}, {-60.0, 1000, -3.5, 25},
    {-1e-300, 4096, 0.0, 0},  {0.0, 4096, 1.0, 3},       {-120.0, 65536, -kInf, 0},
    {-120.0, 65536, kInf, 0}, {-120.0, 65536, kNaN, 0},  {-120.0, 0, 0.0, 0},
    {-2400.0, 8, 100.0, 900},
};

TEST(SpectrumTracePeaks, RunPeaksDrawTheVerticesOfThePerBinForm) {
    unsigned seed = 1;
    for (const ScaleCase& c : kScales) {
        const SpectrumLevelScale scale(c.dbRange, c.fftSize, c.specCal, c.position);
        for (const double pixelsPerBin : {0.07, 0.3, 1.0, 1.7, 37.0}) {
            const std::vector<double> magnitudes = AwkwardMagnitudes(3000, seed++);
            const std::vector<DrawCall> expected = PerBinTrace(scale, magnitudes, pixelsPerBin);
            ASSERT_FALSE(Vertices(expected).empty());
            EXPECT_EQ(Vertices(RunPeakTrace(scale, magnitudes, pixelsPerBin)), Vertices(expected))
                << "range " << c.dbRange << " cal " << c.specCal << " spacing " << pixelsPerBin;
        }
    }
}

TEST(SpectrumTracePeaks, PeakIsTheHighestValueOfTheRun) {
    const SpectrumLevelScale scale(-120.0, 65536, 0.0, 0);
    const std::vector<double> magnitudes = AwkwardMagnitudes(4000, 99);
    for (size_t start = 0; start + 8 <= magnitudes.size(); start += 8) {
        std::optional<int64_t> highest;
        for (size_t k = start; k < start + 8; ++k) {
            const std::optional<int64_t> value = scale.Value(magnitudes[k]);
            if (value && (!highest || *value > *highest)) highest = value;
        }
        EXPECT_EQ(scale.Peak(std::span<const double>(magnitudes).subspan(start, 8)), highest)
            << "run at " << start;
    }
}

TEST(SpectrumTracePeaks, RunWithoutALevelHasNoPeak) {
    const SpectrumLevelScale scale(-120.0, 2048, 0.0, 0);
    const std::vector<double> none{0.0, kNaN, -3.0};
    EXPECT_EQ(scale.Peak(none), std::nullopt);
    EXPECT_EQ(scale.Peak(std::span<const double>{}), std::nullopt);
}

}  // namespace
}  // namespace velmora2
