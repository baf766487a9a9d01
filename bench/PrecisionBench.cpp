// Speed of the precision analysis: 65536 points of both channels, stepped as the window spreads
// it over the blocks that follow a record (one step per block), against the block period at
// 192000 Hz. A record of 65536 points spans 32 blocks there.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "audio/SoundSystem.h"
#include "precision/PrecisionAnalyzer.h"

namespace velmora2 {
namespace {

constexpr double k192kBlockSeconds = static_cast<double>(kBlockFrames) / 192000;

void PrecisionAnalysisStepped(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<double> left(n), right(n);
    for (int m = 0; m < n; ++m) {
        left[m] =
            std::round(30000 * std::cos(0.0327 * m) + 3 * std::cos(0.0654 * m) + std::sin(1.7 * m));
        right[m] = std::round(0.5 * left[m] + std::sin(2.3 * m));
    }
    PrecisionAnalyzer analyzer(n);
    double worstStep = 0, total = 0;
    int records = 0;
    for (auto _ : state) {
        analyzer.Begin(left.data(), right.data(), 1.0 / 32768, 192000, {});
        for (bool done = false; !done;) {
            const auto start = std::chrono::steady_clock::now();
            done = analyzer.Step();
            const double took =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            worstStep = std::max(worstStep, took);
            total += took;
        }
        benchmark::DoNotOptimize(analyzer.Figures().left.thdPercent);
        ++records;
    }
    const double blocksPerRecord = static_cast<double>(n) / kBlockFrames;
    state.counters["worst_step_of_192k_block"] = worstStep / k192kBlockSeconds;
    state.counters["spread_of_192k_block"] = total / records / blocksPerRecord / k192kBlockSeconds;
}
BENCHMARK(PrecisionAnalysisStepped)
    ->Arg(16384)
    ->Arg(65536)
    ->Arg(262144)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora2
