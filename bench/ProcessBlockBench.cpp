// The cost of one captured block through the whole pipeline, drawing into the real QImage
// surface, as a fraction of the block period at 192 kHz (2048 frames = 10.7 ms): below 1 the
// worker keeps up.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QSize>
#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>

#include "audio/SoundSystem.h"
#include "engine/BlockPipeline.h"
#include "qt/QtClientArea.h"

namespace velmora2 {
namespace {

constexpr int kRate = 192000;
constexpr double kBlockPeriodSeconds = static_cast<double>(kBlockFrames) / kRate;

// A 1 kHz sine on both channels, half full scale.
std::vector<uint8_t> SineBlock() {
    std::vector<uint8_t> bytes(kBlockBytes);
    for (int f = 0; f < kBlockFrames; ++f) {
        const auto v = static_cast<int16_t>(16000.0 * std::sin(2.0 * M_PI * 1000.0 * f / kRate));
        const int16_t frame[2] = {v, v};
        std::memcpy(&bytes[f * 4], frame, 4);
    }
    return bytes;
}

using Clock = std::chrono::steady_clock;

// Times one call as the benchmark's manual iteration time; returns the seconds it took.
template <typename Work>
double TimeIteration(benchmark::State& state, Work&& work) {
    const auto start = Clock::now();
    work();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    return seconds;
}

// The mean time per block as a fraction of the 192 kHz block period (a plain number).
void ReportFraction(benchmark::State& state, double totalSeconds) {
    const double perBlock = totalSeconds / static_cast<double>(state.iterations());
    state.counters["of_192k_block"] = perBlock / kBlockPeriodSeconds;
}

void ScopeBlock(benchmark::State& state) {
    QtClientArea window(nullptr, QSize(705, 585), QColor(240, 240, 240));
    BlockPipeline pipeline(window, kRate);
    RuntimeState settings;
    settings.mode = kModeScope;
    settings.oversampling = 4;
    settings.triggerEnabled = true;
    settings.cursors = {60, 240, 0, 0, 0, 0};
    settings.cursorShown = {true, true, false, false, false, false};
    const std::vector<uint8_t> block = SineBlock();
    double total = 0.0;
    for (auto _ : state)
        total += TimeIteration(state, [&] { pipeline.Process(block.data(), settings, {}); });
    ReportFraction(state, total);
}
BENCHMARK(ScopeBlock)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The block that completes a 65536-sample record: windows, transforms, measures and draws both
// channels. The 31 blocks that only store their slice are not timed.
void SpectrumRecordBlock(benchmark::State& state) {
    QtClientArea window(nullptr, QSize(705, 585), QColor(240, 240, 240));
    BlockPipeline pipeline(window, kRate);
    RuntimeState settings;
    settings.mode = kModeSpectrum;
    const std::vector<uint8_t> block = SineBlock();
    WorkerRequests resize;
    resize.recordLength = 65536;
    pipeline.Process(block.data(), settings, resize);
    const int slices = 65536 / kBlockFrames;
    double total = 0.0;
    for (auto _ : state) {
        for (int i = 0; i < slices - 1; ++i) pipeline.Process(block.data(), settings, {});
        total += TimeIteration(state, [&] { pipeline.Process(block.data(), settings, {}); });
    }
    ReportFraction(state, total);
}
BENCHMARK(SpectrumRecordBlock)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora2
