#include "analysis/SweepTable.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace velmora2 {

namespace {

constexpr double kPoints11[] = {50, 100, 200, 500, 1000, 2000, 3000, 5000, 10000, 15000, 20000};
constexpr double kPoints18[] = {50,   100,  200,  300,  500,  700,   1000,  1500,  2000,
                                3000, 4000, 5000, 6000, 8000, 10000, 12000, 15000, 20000};
constexpr double kPoints30[] = {50,   70,   100,  150,  200,  300,  400,   500,   600,   700,
                                800,  900,  1000, 1200, 1500, 1700, 2000,  2500,  3000,  3500,
                                4000, 5000, 6000, 7000, 8000, 9000, 10000, 12000, 15000, 20000};
constexpr double kPoints45[] = {50,   70,   100,   120,   150,   170,   200,   250,   300,
                                350,  400,  450,   500,   600,   700,   800,   900,   1000,
                                1100, 1200, 1300,  1500,  1700,  2000,  2200,  2500,  2700,
                                3000, 3200, 3500,  4000,  4500,  5000,  5500,  6000,  7000,
                                8000, 9000, 10000, 11000, 12000, 13000, 15000, 17000, 20000};
static_assert(std::size(kPoints45) == kLongestSweep);

std::span<const double> FrequencyList(int points) {
    switch (points) {
        case 11:
            return kPoints11;
        case 18:
            return kPoints18;
        case 30:
            return kPoints30;
        default:
            return kPoints45;
    }
}

double RateFactor(int sampleRate) {
    if (sampleRate == 48000) return 1.0;
    if (sampleRate == 96000) return 2.0;
    return 4.0;
}

}  // namespace

int SweepAxisX(double frequency, int sampleRate) {
    const double decades = std::log10(sampleRate / 2 / kSweepAxisLowHz);
    const double x = std::log10(frequency / kSweepAxisLowHz) / decades * kSweepAxisWidth;
    // Only a rate near or below 20 Hz or a frequency at or below 0 gets an x this far out.
    constexpr double kFarOut = 1e6;
    return std::isfinite(x) ? static_cast<int>(std::clamp(x, -kFarOut, kFarOut)) : 0;
}

SweepTable BuildSweepTable(int points, int sampleRate) {
    const std::span<const double> list = FrequencyList(points);
    const double factor = RateFactor(sampleRate);
    SweepTable table;
    table.count = std::clamp(points, 0, static_cast<int>(list.size()));
    for (int i = 0; i < table.count; ++i) {
        const double f = list[i] * factor;
        table.frequency[i] = f;
        table.x[i] = SweepAxisX(f, sampleRate);
        table.period[i] = sampleRate / static_cast<int>(f) + 1;
    }
    return table;
}

}  // namespace velmora2
